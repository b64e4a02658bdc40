#!/usr/bin/env bash
# The resources of zorbanix.exe, read back with wrestool (icoutils): the
# icon group with the sizes of the painted zorbanix.ico, the version
# information with the product name, the project's version and copyright,
# and a manifest that declares the program DPI-aware.
# $1: zorbanix.exe, $2: the project's version, $3: the painted zorbanix.ico.
set -euo pipefail
exe=$1
version=$2
ico=$3
for tool in wrestool icotool; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: no $tool (./scripts/setup installs icoutils)"; exit 77; }
done
fail() { echo "FAIL: $*"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

wrestool -x -t 14 "$exe" >"$work/icon.ico" || fail "no icon group in $exe"
sizes() { icotool -l "$1" | sed 's/.*--width=\([0-9]*\).*/\1/' | sort -n | tr '\n' ' '; }
[ -n "$(sizes "$ico")" ] && [ "$(sizes "$work/icon.ico")" = "$(sizes "$ico")" ] ||
    fail "the icon holds sizes $(sizes "$work/icon.ico"), the painted one $(sizes "$ico")"

wrestool -x --raw -t 16 "$exe" | tr -d '\0' >"$work/version"
for field in "ProductName.Zorbanix" "ProductVersion.$version" "FileVersion.$version" \
    "LegalCopyright.Copyright (C) [0-9]* The Zorbanix developers"; do
    grep -aq "${field%%.*}${field#*.}" "$work/version" || fail "version information lacks $field"
done

wrestool -x --raw -t 24 "$exe" >"$work/manifest"
grep -q '<dpiAware[^>]*>true' "$work/manifest" || fail "the manifest does not declare DPI awareness"
grep -q '<dpiAwareness[^>]*>PerMonitorV2' "$work/manifest" || fail "no per-monitor DPI awareness"
echo "$exe: icon of sizes $(sizes "$ico")| version $version, copyright | DPI-aware manifest"
