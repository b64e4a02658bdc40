#!/usr/bin/env bash
# Another program closes the game's window while the title waits for a key:
# send_close.c sends WM_CLOSE (SendMessage, as a task list does), which the
# title takes at its once-a-frame delivery of sent messages and which
# destroys the window. The title must then end as Escape ends it: the
# game-over screen runs its 5000 ms with no window to show it in, and the
# program exits with code 0, instead of waiting for a key no window can get.
#
#   title_close_under_wine.sh <game folder> <zorbanix_wine_screens> <wine folder> <scratch folder>
set -uo pipefail
GAME_DIR=$1 SCREENS=$2 WINE_ROOT=$3 WORK=$4
# shellcheck source=wine_session.sh
. "$(dirname "$0")/wine_session.sh"

command -v i686-w64-mingw32-gcc >/dev/null 2>&1 ||
    skip "no i686-w64-mingw32-gcc to build the program that sends WM_CLOSE"
start_session
i686-w64-mingw32-gcc -O2 -o "$WORK/send_close.exe" "$(dirname "$0")/send_close.c" ||
    fail "could not build send_close.exe"
render_references
start_game 120

poll_until 60 screen_is title || fail "no title screen"
closed=$(date +%s.%N)
timeout 30 wine "$WORK/send_close.exe" >"$WORK/send_close.log" 2>&1
sent=$?
[ "$sent" = 0 ] || fail "send_close.exe gave exit code $sent (2: no window, 3: no answer)"
log "WM_CLOSE sent and answered after $(seconds_since "$closed")s"
window_gone() { ! xdotool search --name '^Zorbanix$' >/dev/null 2>&1; }
poll_until 10 window_gone || fail "the window is still there after WM_CLOSE"
# A title still waiting would run until start_game's limit.
wait_for_exit 30
lasted=$(seconds_since "$closed")
log "the program ended ${lasted}s after WM_CLOSE, exit code $exit_code"
awk -v s="$lasted" 'BEGIN { exit !(s >= 4.5 && s <= 20) }' ||
    fail "the program ended ${lasted}s after WM_CLOSE, not after a game-over screen of about 5 s"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
log "PASS"
