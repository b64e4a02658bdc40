#!/usr/bin/env bash
# The Linux release files as a player gets them: cpack makes the .deb and the
# .tar.gz from the build, lintian checks the .deb, and each is unpacked into
# a folder of its own and checked there (check_installed_tree).
# $1: the build folder, $2: the folder to leave the packages in, $3: the
# project's version.
set -euo pipefail
BUILD=$(realpath "$1")
OUT=$2
VERSION=$3
export GAME=$BUILD/bin/zorbanix
. "$(dirname "$0")/release_session.sh"
require_tools xdotool xwininfo import compare cpack dpkg-deb desktop-file-validate appstreamcli \
    lintian

rm -rf "$OUT"
cpack --config "$BUILD/CPackConfig.cmake" -B "$OUT" >"$WORK/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$WORK/cpack.log")"
rm -rf "$OUT/_CPack_Packages"
deb=$OUT/zorbanix_${VERSION}_$(dpkg --print-architecture).deb
tarball=$(echo "$OUT/zorbanix-$VERSION-linux-"*.tar.gz)
{ [ -f "$deb" ] && [ -f "$tarball" ]; } || fail "cpack made $(ls "$OUT")"
log "cpack: $(cd "$OUT" && ls)"

dpkg-deb -f "$deb" Depends | grep -q 'libsdl2-2\.0-0' || fail "the .deb does not depend on libsdl2-2.0-0"
dpkg-deb -f "$deb" Depends | grep -q -- '-dev' && fail "the .deb depends on a -dev package"
# Errors fail; the warnings that remain are printed (ARCHITECTURE.md, "Releases", says why).
lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian found errors in $deb"
log "lintian: no errors"

mkdir "$WORK/deb" "$WORK/tarball"
dpkg-deb -x "$deb" "$WORK/deb"
tar -xzf "$tarball" -C "$WORK/tarball"
[ "$(ls "$WORK/deb")" = usr ] || fail "the .deb installs outside /usr: $(ls "$WORK/deb")"
check_installed_tree "$WORK/deb/usr"
check_installed_tree "$(echo "$WORK"/tarball/zorbanix-*)"
grep -q 'settings.ini' "$(echo "$WORK"/tarball/zorbanix-*)/README" ||
    fail "the tarball has no README at its top level saying where the settings are"
log "passed"
