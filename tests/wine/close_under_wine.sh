#!/usr/bin/env bash
# Plays zorbanix.exe under Wine into the first wave and closes its window the
# way a player does, with Alt+F4 (there is no window manager on the virtual
# display, so the close goes through Wine's own window handling): the game
# must still run its game-over screen, about 5000 ms, and exit with code 0.
# The closed window can no longer show that screen, so its length is read
# from the time the process takes to end.
#
#   close_under_wine.sh <game folder> <zorbanix_wine_screens> <wine folder> <scratch folder>
set -uo pipefail
GAME_DIR=$1 SCREENS=$2 WINE_ROOT=$3 WORK=$4
# shellcheck source=wine_session.sh
. "$(dirname "$0")/wine_session.sh"

start_session
render_references
start_game 120

poll_until 60 screen_is title || fail "no title screen"
hold_until space 10 screen_is getready ||
    fail "Space on the title did not bring the get-ready screen"
# Into play: the wait ends after 3000 ms and the ship appears.
in_play() {
    read_play "$WORK/poll.xwd"
    [ -n "$ships" ] && [ "$fleet_count" -gt 0 ]
}
poll_until 8 in_play || fail "play did not begin after the wait"
log "playing; closing the window"

# Alt+F4 goes through Wine's own window handling, and the window goes some
# 2.4 s after the press, so the press is not held until seen: it is made
# for 0.4 s (a few frames even at a low frame rate) and made again should
# the window still be there 5 s later. Once the window has gone a press
# reaches nothing.
window_gone() { ! xdotool search --name '^Zorbanix$' >/dev/null 2>&1; }
for attempt in 1 2 3; do
    focus_game
    closed=$(date +%s.%N)
    xdotool keydown alt+F4
    sleep 0.4
    xdotool keyup alt+F4 2>/dev/null || true
    started=$(date +%s.%N)
    until window_gone || past "$started" 5; do sleep 0.1; done
    window_gone && break
    log "Alt+F4: the window is still there (attempt $attempt)"
done
window_gone || fail "Alt+F4 did not close the window"
gone=$(seconds_since "$closed")
wait_for_exit 20
lasted=$(seconds_since "$closed")
log "window gone after ${gone}s; the program ended ${lasted}s after the close, exit code $exit_code"
# The game-over screen takes 5000 ms of it; the rest is Wine closing down.
awk -v s="$lasted" 'BEGIN { exit !(s >= 4.5 && s <= 12) }' ||
    fail "the program ended ${lasted}s after the close, not after a game-over screen of about 5 s"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
log "PASS"
