#!/usr/bin/env bash
# What the Linux game keeps between runs, on a 1024 x 768 screen (with
# openbox where installed, whose window frames once moved the window at each
# trip to full screen and back): started full screen, Alt+Enter gives a
# window, which three trips to full screen and back leave where it was; the
# last line names the best score kept; the next start opens in a window,
# where it was left. A settings file that is not one costs one line on
# stderr, is kept aside as it was, and the game starts full screen.
# $1: the zorbanix executable.
# shellcheck disable=SC2119  # start_game takes the game's options; none here
set -euo pipefail
GAME=$(realpath "$1")
. "$(dirname "$0")/desktop_session.sh"

require_tools xdotool xwininfo
start_x 1024x768x24
settings=$XDG_CONFIG_HOME/zorbanix/settings.ini
mkdir -p "$XDG_DATA_HOME/zorbanix"
echo "score = 340 2026-12-01" >"$XDG_DATA_HOME/zorbanix/best-scores.txt"
"$GAME" --scores | grep -q "1\. *340  2026-12-01" || fail "--scores: $("$GAME" --scores)"

window_place() {
    xwininfo -id "$game_window" 2>/dev/null |
        awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x "," y }'
}
at_place() { [ "$(window_place)" = "$1" ]; }
expect_place() {
    wait_until 10 "at_place '$1'" || fail "$2: the window is at $(window_place), not $1"
}

start_game
expect_size 1024x768 "full screen at the start"
# The keys go where the keyboard focus is, which the window manager gives
# the new window a moment after it shows.
wait_until 10 '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$game_window" ]' ||
    fail "the game's window did not get the keyboard focus"
xdotool key alt+Return
expect_size 800x600 "Alt+Enter"
sleep 1
left=$(window_place)
for trip in 1 2 3; do
    xdotool key F11
    expect_size 1024x768 "F11 ($trip)"
    xdotool key F11
    expect_size 800x600 "F11 again ($trip)"
    expect_place "$left" "back from full screen ($trip)"
done
log "three trips to full screen and back: the window stays at $left"
# Space leaves the title, which the intro has given way to by the last tap,
# and the game is played: its line is printed. No tap reaches play.
for _ in 1 2 3 4 5 6; do xdotool key space; sleep 0.5; done
kill -TERM "$game_pid"
wait_until 20 '! kill -0 "$game_pid" 2>/dev/null' || fail "SIGTERM did not end the program"
game_pid=
grep -qx "Zorbanix: final score 0 (best 340)" "$WORK/game.log" ||
    fail "the last line: $(grep "final score" "$WORK/game.log")"

start_game
expect_size 800x600 "the next start, with no option"
expect_place "$left" "the next start"
log "the next start opens in a window at $left"
stop_game

printf 'fullscreen = no\nwindow-size = \001\002\377 800x600\n' >"$WORK/bad.ini"
cp "$WORK/bad.ini" "$settings"
start_game
expect_size 1024x768 "a settings file that is not one: full screen, as by default"
stop_game
said=$(grep -c "settings" "$WORK/game.log" || true)
[ "$said" = 1 ] || fail "$said lines about the settings on stderr: $(cat "$WORK/game.log")"
cmp -s "$WORK/bad.ini" "$settings.bad" || fail "the bad file was not kept aside as it was"
log "a bad settings file: $(grep "settings" "$WORK/game.log")"
log "passed"
