#!/usr/bin/env bash
# Plays one game of zorbanix.exe under Wine as a player would, with real key
# presses on a virtual X display, and reads the screen at each step:
# intro, title, the wave's wait and pause, steering and firing, a pause in
# play, Escape, the game-over screen and the exit code. The still screens
# must equal the Linux build's pixel for pixel.
#
#   play_under_wine.sh <game folder> <zorbanix_wine_screens> <wine folder> <scratch folder>
set -uo pipefail
GAME_DIR=$1 SCREENS=$2 WINE_ROOT=$3 WORK=$4
# shellcheck source=wine_session.sh
. "$(dirname "$0")/wine_session.sh"

start_session
render_references
start_game 150

# The intro, with its presents line, then the title.
intro_seen=no
started=$(date +%s.%N)
while :; do
    capture "$WORK/poll.xwd"
    seen=$("$SCREENS" classify "$REFERENCES" "$WORK/poll.xwd")
    case "$seen" in
        intro)
            if [ "$intro_seen" = no ]; then cp "$WORK/poll.xwd" "$WORK/intro.xwd"; fi
            intro_seen=yes
            ;;
        title)
            mv "$WORK/poll.xwd" "$WORK/title.xwd"
            break
            ;;
    esac
    if awk -v s="$(seconds_since "$started")" 'BEGIN { exit !(s > 60) }'; then
        fail "no title screen within 60 s (last screen: $seen)"
    fi
done
[ "$intro_seen" = yes ] || fail "the title came without the intro's presents line being seen"
log "intro, then title"
check_parity intro "$WORK/intro.xwd"
check_parity title "$WORK/title.xwd"

# Space: the first wave waits behind its get-ready sign with the fresh
# fleet; P during the wait pauses it, the ship now shown at its start.
hold_until space 10 screen_is getready ||
    fail "Space on the title did not bring the get-ready screen"
tap_until p 3 screen_is paused || fail "P during the wait did not pause"
check_parity getready "$WORK/getready.xwd"
check_parity paused "$WORK/paused.xwd"
sleep 0.5
capture "$WORK/poll.xwd"
screen_is paused || fail "the paused screen changed while paused"
log "get-ready and paused screens as on Linux"

# P again: play begins, the fleet in its opening layout or marched from it
# in whole steps of 8 across and 16 down.
tap_until p 10 paused_is no || fail "the second P did not end the pause"
cp "$WORK/poll.xwd" "$WORK/play.xwd"
[ "$fleet_count" = 55 ] || fail "after the second P $fleet_count invaders were seen, not 55"
[ $((fleet_dx % 8)) = 0 ] && [ $((fleet_dy % 16)) = 0 ] ||
    fail "the fleet stands off its march grid: moved by ($fleet_dx, $fleet_dy)"
log "play: all 55 invaders at the layout moved by ($fleet_dx, $fleet_dy)"

# One ship on screen (an invader's hit hides it for the wait that follows,
# after which it comes back where it was); sets ship_x.
ship_x=
one_ship() {
    read_play "$WORK/poll.xwd"
    [ -n "$ships" ] && [ "$ships" = "${ships%% *}" ] && ship_x=$ships
}
find_ship() {
    poll_until 8 one_ship || fail "no single ship on screen (seen: '$ships')"
}
ship_left_of() { one_ship && [ "$ship_x" -lt "$1" ]; }
ship_right_of() { one_ship && [ "$ship_x" -gt "$1" ]; }
# By the left wall: the ship stands within the bound and did not move
# since the last dump.
last_wall_x=
ship_at_wall() {
    local before=$last_wall_x
    one_ship || return 1
    last_wall_x=$ship_x
    [ "$ship_x" -le 100 ] && [ "$ship_x" = "$before" ]
}

# Steering: Left until the ship has moved left, then Left held until it
# stands still by the wall, out of the invaders' line of fire and clear of
# the first bunker. Where it stops depends on the length of the last frame
# (a step that would cross the bound is dropped whole), so only "near the
# wall" is asked for.
find_ship
start_x=$ship_x
hold_until Left 10 ship_left_of "$start_x" || fail "Left did not move the ship from $start_x"
log "Left: ship from $start_x to $ship_x"
hold_until Left 10 ship_at_wall || fail "Left held did not bring the ship to a stop by the wall (at $ship_x)"
[ "$ship_x" -ge 75 ] || fail "Left held took the ship past the wall, to $ship_x"
log "Left held: ship stopped at $ship_x by the wall"

# Space fires from the ship's column; the shot climbs from one dump to the
# next. Space is let go as soon as the shot shows.
shot_from_ship() {
    local shot
    read_play "$WORK/poll.xwd"
    for shot in $shots; do
        if [ "${shot%,*}" = "$ship_x" ]; then
            shot_y=${shot#*,}
            return 0
        fi
    done
    return 1
}
shot_y=
hold_until space 10 shot_from_ship || fail "Space fired no shot from the ship at $ship_x"
heights=("$shot_y")
shot_moved() {
    shot_from_ship && [ "$shot_y" != "${heights[-1]}" ]
}
# Two more heights, each taken from a later frame than the one before (a
# dump may come before the next frame; a repeated height is one frame seen
# twice). A shot that reached an invader ends sooner.
for i in 1 2; do
    poll_until 2 shot_moved || break
    heights+=("$shot_y")
done
[ "${#heights[@]}" -ge 2 ] || fail "the shot was seen at one height only (${heights[*]})"
for ((i = 1; i < ${#heights[@]}; i++)); do
    [ "${heights[i]}" -lt "${heights[i - 1]}" ] ||
        fail "the shot did not climb: heights ${heights[*]}"
done
[ "${heights[0]}" -le 533 ] || fail "the shot started below its row: ${heights[0]}"
log "the shot climbed: ${heights[*]}"

wall_x=$ship_x
find_ship
hold_until Right 10 ship_right_of "$wall_x" || fail "Right did not move the ship from $wall_x"
log "Right: ship from $wall_x to $ship_x"

# P in play: the sign, and nothing moves; P again and the fleet marches on.
tap_until p 10 paused_is yes || fail "P in play did not show the paused sign"
paused_dx=$fleet_dx
sleep 0.5
capture "$WORK/pause-1.xwd"
sleep 1.2
capture "$WORK/pause-2.xwd"
cmp -s "$WORK/pause-1.xwd" "$WORK/pause-2.xwd" ||
    fail "the screen changed while the game was paused"
log "P in play: paused sign, screen still for 1.2 s"
tap_until p 10 paused_is no || fail "P did not end the pause"
fleet_marched() {
    read_play "$WORK/poll.xwd"
    [ "$fleet_dx" != "$paused_dx" ]
}
poll_until 5 fleet_marched ||
    fail "the fleet did not march after the pause (still moved by $fleet_dx)"
log "P again: sign gone, fleet marched from $paused_dx to $fleet_dx"

# Escape: the game-over screen for about 5000 ms, then exit code 0.
hold_until Escape 10 screen_is gameover || fail "Escape did not bring the game-over screen"
shown=$(date +%s.%N)
check_parity gameover "$WORK/gameover.xwd"
# The screen stays until the window goes with the process.
while kill -0 "$game_pid" 2>/dev/null; do
    xwd -root -silent -out "$WORK/poll.xwd" || break
    [ "$("$SCREENS" classify "$REFERENCES" "$WORK/poll.xwd")" = gameover ] || break
    if awk -v s="$(seconds_since "$shown")" 'BEGIN { exit !(s > 15) }'; then
        fail "the game-over screen stayed for more than 15 s"
    fi
    sleep 0.1
done
lasted=$(seconds_since "$shown")
wait_for_exit 15
log "game over shown for ${lasted}s; exit code $exit_code"
awk -v s="$lasted" 'BEGIN { exit !(s >= 4 && s <= 9) }' ||
    fail "the game-over screen lasted ${lasted}s, not about 5"
[ "$exit_code" = 0 ] || fail "exit code $exit_code"

echo
print_parity_table
echo
log "PASS"
