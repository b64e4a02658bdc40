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
hold_key space
wait_for_screen getready 2.5 || fail "Space on the title did not bring the get-ready screen"
# A busy machine can run the game at a few frames a second, and a press may
# then go unseen; every press below is checked on screen and made again if
# it did nothing. P is let go within 0.5 s, so one press toggles at most once.
hold_key p
wait_for_screen paused 1.5 || { hold_key p && wait_for_screen paused 1.5; } ||
    fail "P during the wait did not pause"
check_parity getready "$WORK/getready.xwd"
check_parity paused "$WORK/paused.xwd"
sleep 0.5
capture "$WORK/still-paused.xwd"
[ "$("$SCREENS" classify "$REFERENCES" "$WORK/still-paused.xwd")" = paused ] ||
    fail "the paused screen changed while paused"
log "get-ready and paused screens as on Linux"

# P again: play begins, the fleet in its opening layout or marched from it
# in whole steps of 8 across and 16 down.
sleep 0.4
for attempt in 1 2 3; do
    hold_key p
    started=$(date +%s.%N)
    while :; do
        capture "$WORK/play.xwd"
        read_play "$WORK/play.xwd"
        if [ "$paused" = no ] || awk -v s="$(seconds_since "$started")" 'BEGIN { exit !(s > 1.5) }'; then
            break
        fi
    done
    [ "$paused" = no ] && break
done
[ "$paused" = no ] && [ "$fleet_count" = 55 ] ||
    fail "no play after the second P (paused: $paused, invaders seen: $fleet_count)"
[ $((fleet_dx % 8)) = 0 ] && [ $((fleet_dy % 16)) = 0 ] ||
    fail "the fleet stands off its march grid: moved by ($fleet_dx, $fleet_dy)"
log "play: all 55 invaders at the layout moved by ($fleet_dx, $fleet_dy); ship at $ships"

# The ship on screen, once; an invader's hit hides it for the next wait,
# after which it comes back where it was.
ship_x=
find_ship() {
    local waited
    for waited in $(seq 1 40); do
        capture "$WORK/ship.xwd"
        read_play "$WORK/ship.xwd"
        if [ -n "$ships" ] && [ "$ships" = "${ships%% *}" ]; then
            ship_x=$ships
            return 0
        fi
        sleep 0.1
    done
    fail "no single ship on screen (seen: '$ships')"
}

# Steers with a key held for a time until the ship has moved the given way
# (fewer or more); a hit that spends a ship during the hold freezes it for
# the wait that follows, so the move is tried again.
steer() {
    local key=$1 seconds=$2 way=$3 attempt from
    for attempt in 1 2 3; do
        find_ship
        from=$ship_x
        hold_key "$key" "$seconds"
        find_ship
        if [ "$way" = fewer ] && [ "$ship_x" -lt "$from" ]; then return 0; fi
        if [ "$way" = more ] && [ "$ship_x" -gt "$from" ]; then return 0; fi
        log "$key: the ship stayed at $from (attempt $attempt)"
    done
    fail "$key did not move the ship"
}

# Steering: Left, then Left held against the wall, out of the invaders'
# line of fire and clear of the first bunker. Where the ship stops depends
# on the length of the last frame (a step that would cross the bound is
# dropped whole), so only "near the wall" is asked for.
find_ship
start_x=$ship_x
steer Left 0.3 fewer
log "Left: ship from $start_x to $ship_x"
steer Left 1.0 fewer
[ "$ship_x" -ge 75 ] && [ "$ship_x" -le 100 ] ||
    fail "Left held stopped the ship at $ship_x, not by the wall"
log "Left held: ship at $ship_x by the wall"

# Space fires from the ship's column; the shot climbs from one dump to the
# next.
for attempt in 1 2 3; do
    hold_key space 0.2
    heights=() last_height=
    for i in 1 2 3 4 5 6; do
        capture "$WORK/shot-$i.xwd"
        read_play "$WORK/shot-$i.xwd"
        # A dump may come before the next frame: a repeated height is
        # the same frame seen twice.
        for shot in $shots; do
            if [ "${shot%,*}" = "$ship_x" ] && [ "${shot#*,}" != "$last_height" ]; then
                last_height=${shot#*,}
                heights+=("$last_height")
            fi
        done
        sleep 0.05
    done
    [ "${#heights[@]}" -ge 2 ] && break
    log "Space: no shot seen (attempt $attempt)"
    sleep 1.5
done
[ "${#heights[@]}" -ge 2 ] || fail "the shot was seen in fewer than two dumps (${heights[*]:-none})"
for ((i = 1; i < ${#heights[@]}; i++)); do
    [ "${heights[i]}" -lt "${heights[i - 1]}" ] ||
        fail "the shot did not climb: heights ${heights[*]}"
done
[ "${heights[0]}" -le 533 ] || fail "the shot started below its row: ${heights[0]}"
log "the shot climbed: ${heights[*]}"

wall_x=$ship_x
steer Right 0.12 more
log "Right: ship from $wall_x to $ship_x"

# P in play: the sign, and nothing moves; P again and the fleet marches on.
sleep 0.3
for attempt in 1 2 3; do
    hold_key p
    started=$(date +%s.%N)
    while :; do
        capture "$WORK/pause-1.xwd"
        read_play "$WORK/pause-1.xwd"
        if [ "$paused" = yes ] || awk -v s="$(seconds_since "$started")" 'BEGIN { exit !(s > 1.5) }'; then
            break
        fi
    done
    [ "$paused" = yes ] && break
done
[ "$paused" = yes ] || fail "P in play did not show the paused sign"
sleep 0.5
capture "$WORK/pause-1.xwd"
paused_dx=$fleet_dx
sleep 1.2
capture "$WORK/pause-2.xwd"
cmp -s "$WORK/pause-1.xwd" "$WORK/pause-2.xwd" ||
    fail "the screen changed while the game was paused"
log "P in play: paused sign, screen still for 1.2 s"
for attempt in 1 2 3; do
    hold_key p
    started=$(date +%s.%N)
    while :; do
        capture "$WORK/resumed.xwd"
        read_play "$WORK/resumed.xwd"
        if [ "$paused" = no ] || awk -v s="$(seconds_since "$started")" 'BEGIN { exit !(s > 1.5) }'; then
            break
        fi
    done
    [ "$paused" = no ] && break
done
[ "$paused" = no ] || fail "P did not end the pause"
started=$(date +%s.%N)
while [ "$fleet_dx" = "$paused_dx" ]; do
    if awk -v s="$(seconds_since "$started")" 'BEGIN { exit !(s > 5) }'; then
        fail "the fleet did not march after the pause (still moved by $fleet_dx)"
    fi
    capture "$WORK/resumed.xwd"
    read_play "$WORK/resumed.xwd"
done
log "P again: sign gone, fleet marched from $paused_dx to $fleet_dx"

# Escape: the game-over screen for about 5000 ms, then exit code 0.
hold_key Escape
wait_for_screen gameover 3 || fail "Escape did not bring the game-over screen"
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
