#!/usr/bin/env bash
# The .deb that release_packages left, installed with dpkg as a player would
# (root only): it plays from any folder, and dpkg --purge leaves nothing of
# it behind. Skipped where zorbanix is installed already, so as not to touch
# a player's own copy. $1: the folder holding the .deb, $2: the version.
set -euo pipefail
OUT=$1
VERSION=$2
. "$(dirname "$0")/release_session.sh"
deb=$OUT/zorbanix_${VERSION}_$(dpkg --print-architecture).deb
[ "$(id -u)" = 0 ] || skip "not root: the .deb is not installed here"
[ -f "$deb" ] || skip "no $deb (release_packages makes it)"
if dpkg-query -W -f='${Status}' zorbanix 2>/dev/null | grep -q installed; then
    skip "zorbanix is installed on this machine already"
fi
# (The game to check is not installed yet: dpkg stands in for it here.)
GAME=$(command -v dpkg) require_tools xdotool xwininfo import compare
purge_on_exit() {
    local code=$?
    set +e
    dpkg --purge zorbanix >/dev/null 2>&1
    (exit "$code")
    stop_session
}
trap purge_on_exit EXIT

dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|^\./|/|; s|/$||' | grep -v '^/*$' >"$WORK/files"
dpkg -i "$deb" >"$WORK/dpkg.log" 2>&1 || fail "dpkg -i: $(cat "$WORK/dpkg.log")"
GAME=$(command -v zorbanix)
[ "$GAME" = /usr/bin/zorbanix ] || fail "zorbanix is '$GAME', not /usr/bin/zorbanix"
check_installed_tree /usr "$(grep '^/usr/share/applications/.*\.desktop$' "$WORK/files")"
dpkg --purge zorbanix >"$WORK/dpkg.log" 2>&1 || fail "dpkg --purge: $(cat "$WORK/dpkg.log")"
! dpkg-query -W -f='${Status}' zorbanix 2>/dev/null | grep -q installed ||
    fail "zorbanix is still installed"
# Every file is gone; a folder stays only where another package owns it or
# it holds files of others.
while read -r path; do
    if [ -d "$path" ]; then
        dpkg -S "$path" >/dev/null 2>&1 || [ -n "$(ls -A "$path")" ] ||
            fail "$path is left behind, empty"
    elif [ -e "$path" ] || [ -L "$path" ]; then
        fail "$path is left behind"
    fi
done <"$WORK/files"
log "installed, played, purged: nothing left of its $(wc -l <"$WORK/files") paths"
log "passed"
