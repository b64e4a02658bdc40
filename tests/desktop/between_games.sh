#!/usr/bin/env bash
# Between two games: Escape in play ends the game through its game-over
# screen onto the results screen, with the game's line on stdout; Space there
# starts the next game at its get-ready, without the intro or the title; R
# there plays the game just ended again and comes back to the results, with
# no second line and no mismatch;
# Escape on the results screen ends the program with code 0 and a line for
# each game played. A quit request on the results screen ends it at once.
# Escape on the title ends a game never played: its game-over screen, then
# the program ends with code 0, no results screen and no line.
# $1: the zorbanix executable.
set -euo pipefail
GAME=$(realpath "$1")
. "$(dirname "$0")/desktop_session.sh"

require_tools xdotool xwininfo import

start_x 1024x768x24
start_game --window

# Colours of the 800 x 600 picture: at (140, 475) a bunker's green once a
# wave is getting ready; at (130, 60) the gold of "FINAL SCORE".
pixel() { import -window "$game_window" -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | tail -1; }
getting_ready() { [[ $(pixel 140 475) == *"#00FF00"* ]]; }
results_shown() { [[ $(pixel 130 60) == *"#FFE34A"* ]]; }
lines() { grep -c "final score" "$WORK/game.log" || true; }

# Space until the title, whenever it comes, gives way to the first wave.
leave_title() { wait_until 20 'xdotool key space; sleep 0.3; getting_ready' || fail "no game from the title"; }

leave_title
xdotool key Escape
wait_until 15 results_shown || fail "no results screen after the game-over screen"
[ "$(lines)" = 1 ] || fail "$(lines) final score lines after the first game"
log "the first game ended on the results screen: $(grep "final score" "$WORK/game.log")"

xdotool key r
wait_until 5 '! results_shown' || fail "R on the results screen did not play the game again"
wait_until 30 results_shown || fail "no results screen after watching the game again"
[ "$(lines)" = 1 ] && ! grep -q "does not match" "$WORK/game.log" ||
    fail "watching the game again: $(lines) lines, $(grep -c "does not match" "$WORK/game.log") mismatches"
log "R on the results screen: the game played again, then the same results"

xdotool key space
wait_until 5 getting_ready || fail "Space on the results screen did not start a game"
log "Space on the results screen: the next game getting ready"
xdotool key Escape
wait_until 15 results_shown || fail "no results screen after the second game"
xdotool key Escape
code=0
wait_until 10 '! kill -0 "$game_pid" 2>/dev/null' || fail "Escape on the results screen did not end"
wait "$game_pid" || code=$?
game_pid=
[ "$code" = 0 ] || fail "Escape on the results screen ended the program with code $code"
[ "$(lines)" = 2 ] || fail "$(lines) final score lines for two games"
log "Escape on the results screen: exit code 0, a line for each game"

# A quit request on the results screen: the program ends at once.
start_game --window
leave_title
xdotool key Escape
wait_until 15 results_shown || fail "no results screen"
kill -TERM "$game_pid"
code=0
wait_until 5 '! kill -0 "$game_pid" 2>/dev/null' || fail "SIGTERM on the results screen did not end it"
wait "$game_pid" || code=$?
game_pid=
[ "$code" = 0 ] && [ "$(lines)" = 1 ] || fail "SIGTERM on the results screen: code $code, $(lines) lines"
log "SIGTERM on the results screen: exit code 0 at once, one line"

# Escape on the title (the first Escape skips the intro, the next leaves the
# title): the game-over screen's 5 s, then the end. The results screen would
# have printed the game's line first (and Escape would then leave it).
start_game --window
escaped=$SECONDS
wait_until 20 'xdotool key Escape; sleep 0.4; ! kill -0 "$game_pid" 2>/dev/null' ||
    fail "Escape on the title did not end the program"
code=0
wait "$game_pid" || code=$?
game_pid=
took=$((SECONDS - escaped))
[ "$code" = 0 ] && [ "$(lines)" = 0 ] && [ "$took" -ge 5 ] ||
    fail "Escape on the title: code $code, $(lines) lines, ended after $took s"
log "Escape on the title: exit code 0 after $took s, no results, no line"
log "passed"
