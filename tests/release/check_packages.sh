#!/usr/bin/env bash
# The release files as a player gets them: ./scripts/release packs the build
# into a folder of its own (--from, nothing is built again), and each file it
# wrote is checked there: SHA256SUMS; the .deb (lintian) and the .tar.gz,
# each unpacked and played from another folder (check_installed_tree); the
# Windows zip's files; the web zip unpacked and its page opened in headless
# Chromium (web_zip_page.mjs). A build without the Windows or the browser
# zip cannot be released: then cpack's two packages alone are checked.
# $1: the build folder, $2: the folder to leave the packages in, $3: the
# project's version.
set -euo pipefail
BUILD=$(realpath "$1")
OUT=$2
VERSION=$3
export GAME=$BUILD/bin/zorbanix
. "$(dirname "$0")/release_session.sh"
require_tools xdotool xwininfo import compare cpack dpkg-deb desktop-file-validate appstreamcli \
    lintian unzip node

rm -rf "$OUT"
zips=0
if [ -f "$BUILD/zorbanix-windows-i686.zip" ] && [ -f "$BUILD/zorbanix-web.zip" ]; then
    zips=1
    "$SOURCE_DIR/scripts/release" --from "$BUILD" "$OUT" >"$WORK/release.log" 2>&1 ||
        fail "scripts/release: $(cat "$WORK/release.log")"
    (cd "$OUT" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the files"
    [ "$(wc -l <"$OUT/SHA256SUMS")" = 4 ] || fail "SHA256SUMS names $(wc -l <"$OUT/SHA256SUMS") files, not 4"
else
    log "no Windows or browser zip in $BUILD: only cpack's packages are checked"
    cpack --config "$BUILD/CPackConfig.cmake" -B "$OUT" >"$WORK/cpack.log" 2>&1 ||
        fail "cpack: $(cat "$WORK/cpack.log")"
    rm -rf "$OUT/_CPack_Packages"
fi
deb=$OUT/zorbanix_${VERSION}_$(dpkg --print-architecture).deb
tarball=$(echo "$OUT/zorbanix-$VERSION-linux-"*.tar.gz)
{ [ -f "$deb" ] && [ -f "$tarball" ]; } || fail "the release folder holds $(ls "$OUT")"
log "release files: $(cd "$OUT" && echo *)"

dpkg-deb -f "$deb" Depends | grep -q 'libsdl2-2\.0-0' || fail "the .deb does not depend on libsdl2-2.0-0"
dpkg-deb -f "$deb" Depends | grep -q -- '-dev' && fail "the .deb depends on a -dev package"
# Errors fail; the warnings that remain are printed (docs/BUILDING.md, "Releases", says why).
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

if [ "$zips" = 1 ]; then
    # Each zip is the one the build packed (whose files dist_zip_holds_the_game
    # compares with their sources, for the Windows zip).
    windows=$OUT/zorbanix-$VERSION-windows-i686.zip
    web=$OUT/zorbanix-$VERSION-web.zip
    cmp -s "$BUILD/zorbanix-windows-i686.zip" "$windows" || fail "$windows is not the build's zip"
    cmp -s "$BUILD/zorbanix-web.zip" "$web" || fail "$web is not the build's zip"
    entries=$(unzip -Z1 "$windows")
    [ "$(grep -c '\.bmp$' <<<"$entries")" = 18 ] && [ "$(wc -l <<<"$entries")" = 20 ] &&
        grep -qx zorbanix.exe <<<"$entries" && grep -qx README.txt <<<"$entries" ||
        fail "the Windows zip holds: $entries"
    log "the Windows zip: zorbanix.exe, README.txt and 18 pictures"

    entries=$(unzip -Z1 "$web")
    for name in index.html page.js sw.js manifest.webmanifest zorbanix.js zorbanix.wasm.gz zorbanix.data.gz \
            sound.js zorbanix-sound.wasm README.txt; do
        grep -qx "$name" <<<"$entries" || fail "the web zip has no $name: $entries"
    done
    mkdir "$WORK/web"
    unzip -q "$web" -d "$WORK/web"
    code=0
    node "$SOURCE_DIR/tests/release/web_zip_page.mjs" "$WORK/web" || code=$?
    case $code in
        0) log "the web zip: unpacked, its page loaded and showed the game" ;;
        77) log "the web zip: unpacked; its page was not opened (see above)" ;;
        *) fail "the web zip's page did not show the game" ;;
    esac
fi
log "passed"
