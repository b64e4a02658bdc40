#!/usr/bin/env bash
# The Linux program's life around the game: its command line, a start with no
# display, pictures found from another folder and a broken one reported, a
# tap shorter than a frame starting the game from the title, and a quit
# request on the title (Alt+F4 under openbox, SIGTERM without it) ending the
# program through its game-over screen with code 0 and, the game never
# played, no final score; and a second quit request ending it within half a
# second, though another copy holds the folders' locks with a change of the
# sound still to save.
# $1: the zorbanix executable.
set -euo pipefail
GAME=$(realpath "$1")
. "$(dirname "$0")/desktop_session.sh"

require_tools xdotool xwininfo xprop import flock

# The command line.
"$GAME" --help | grep -q -- "--window" || fail "--help does not list the options"
[[ $("$GAME" --version) == "Zorbanix "[0-9]* ]] || fail "--version: $("$GAME" --version)"
code=0
"$GAME" --no-such-option 2>"$WORK/refused" || code=$?
[ "$code" = 2 ] && grep -q "no-such-option" "$WORK/refused" || fail "an unknown option gave $code"
log "--help, --version, an unknown option: as expected"

# No display: one line on stderr and code 1, at once rather than a game
# running unseen.
code=0
(unset DISPLAY WAYLAND_DISPLAY SDL_VIDEODRIVER; timeout 20 "$GAME") >/dev/null \
    2>"$WORK/nodisplay" || code=$?
[ "$code" = 1 ] || fail "with no display the exit code was $code"
[ "$(wc -l <"$WORK/nodisplay")" = 1 ] && grep -q "DISPLAY" "$WORK/nodisplay" ||
    fail "with no display stderr said: $(cat "$WORK/nodisplay")"
log "no display: $(cat "$WORK/nodisplay")"

start_x 1024x768x24

# Started from an empty folder whose only picture is a broken title: that one
# is named on stderr, every other picture comes from beside the executable.
mkdir "$WORK/elsewhere"
head -c 40 "$(dirname "$GAME")/title.bmp" >"$WORK/elsewhere/title.bmp"
(cd "$WORK/elsewhere" && exec "$GAME" --window) >"$WORK/game.out" 2>"$WORK/game.log" &
game_pid=$!
wait_until 20 'game_window=$(xdotool search --name "^Zorbanix\$" 2>/dev/null | head -1);
               [ -n "$game_window" ]' || fail "no game window"
# The colour at (140, 475) of the 800 x 600 picture: a bunker's green once the
# wave is getting ready, the night sky on the title.
pixel() { import -window "$game_window" -crop 1x1+140+475 -depth 8 txt:- 2>/dev/null | tail -1; }
bunker_shown() { [[ $(pixel) == *"#00FF00"* ]]; }
wait_until 15 'grep -q "title.bmp" "$WORK/game.log"' || fail "the broken title.bmp was not named"
unreported=$(grep -c "cannot read picture" "$WORK/game.log" || true)
[ "$unreported" = 1 ] || fail "$unreported pictures reported unreadable, not just title.bmp"
log "from another folder: $(grep "cannot read" "$WORK/game.log")"

# The title has loaded its pictures by now: a tap of Space shorter than a
# frame leaves it.
sleep 0.5
bunker_shown && fail "a bunker is shown before the title was left"
xdotool key --delay 0 space
wait_until 10 bunker_shown || fail "a short tap of Space on the title did not start the game"
log "a tap started the game"
stop_game

# A quit request on the title.
(cd "$(dirname "$GAME")" && exec "$GAME" --window) >"$WORK/game.out" 2>"$WORK/game.log" &
game_pid=$!
wait_until 20 'game_window=$(xdotool search --name "^Zorbanix\$" 2>/dev/null | head -1);
               [ -n "$game_window" ]' || fail "no game window"
sleep 4
if [ -n "$wm_pid" ]; then
    request="Alt+F4"
    xdotool key alt+F4
else
    request="SIGTERM"
    kill -TERM "$game_pid"
fi
code=0
wait_until 20 '! kill -0 "$game_pid" 2>/dev/null' || fail "$request did not end the program"
wait "$game_pid" || code=$?
game_pid=
[ "$code" = 0 ] || fail "$request ended the program with code $code"
! grep -q "final score" "$WORK/game.out" || fail "a final score for a game never played"
log "$request on the title: exit code 0, $(grep -c . "$WORK/game.log" || true) lines of log"

# A second quit request, with both folders locked and M's change unsaved.
mkdir -p "$XDG_CONFIG_HOME/zorbanix" "$XDG_DATA_HOME/zorbanix"
touch "$WORK/locks-held"
flock "$XDG_CONFIG_HOME/zorbanix" flock "$XDG_DATA_HOME/zorbanix" \
    sh -c 'while [ -e "$1" ]; do sleep 0.1; done' - "$WORK/locks-held" >/dev/null 2>&1 &
(cd "$(dirname "$GAME")" && exec "$GAME" --window) >"$WORK/game.out" 2>"$WORK/game.log" &
game_pid=$!
wait_until 20 'game_window=$(xdotool search --name "^Zorbanix\$" 2>/dev/null | head -1);
               [ -n "$game_window" ]' || fail "no game window"
sleep 1
xdotool key m
sleep 0.3
kill -TERM "$game_pid"
sleep 0.3
kill -TERM "$game_pid"
second=$(date +%s%N)
while kill -0 "$game_pid" 2>/dev/null && [ $(($(date +%s%N) - second)) -lt 10000000000 ]; do
    sleep 0.01
done
took=$((($(date +%s%N) - second) / 1000000))
code=0
wait "$game_pid" || code=$?
game_pid=
rm -f "$WORK/locks-held"
[ "$code" = 0 ] || fail "the second quit request ended the program with code $code"
[ "$took" -le 500 ] || fail "the program ended $took ms after the second quit request"
! grep -q "final score" "$WORK/game.out" || fail "a final score for a game never played"
log "second quit with the folders locked: gone in $took ms; $(cat "$WORK/game.log")"
log "passed"
