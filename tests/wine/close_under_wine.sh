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

wait_for_screen title 60 || fail "no title screen"
hold_key space
wait_for_screen getready 2.5 || { hold_key space && wait_for_screen getready 2.5; } ||
    fail "Space on the title did not bring the get-ready screen"
# Into play: the wait ends after 3000 ms and the ship appears.
started=$(date +%s.%N)
while :; do
    capture "$WORK/play.xwd"
    read_play "$WORK/play.xwd"
    [ -n "$ships" ] && [ "$fleet_count" -gt 0 ] && break
    if awk -v s="$(seconds_since "$started")" 'BEGIN { exit !(s > 8) }'; then
        fail "play did not begin after the wait"
    fi
    sleep 0.2
done
log "playing; closing the window"

closed=$(date +%s.%N)
hold_key alt+F4
gone=
for i in $(seq 1 100); do
    if ! xdotool search --name '^Zorbanix$' >/dev/null 2>&1; then
        gone=$(seconds_since "$closed")
        break
    fi
    sleep 0.1
done
[ -n "$gone" ] || fail "Alt+F4 did not close the window"
wait_for_exit 20
lasted=$(seconds_since "$closed")
log "window gone after ${gone}s; the program ended ${lasted}s after the close, exit code $exit_code"
# The game-over screen takes 5000 ms of it; the rest is Wine closing down.
awk -v s="$lasted" 'BEGIN { exit !(s >= 4.5 && s <= 12) }' ||
    fail "the program ended ${lasted}s after the close, not after a game-over screen of about 5 s"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"
log "PASS"
