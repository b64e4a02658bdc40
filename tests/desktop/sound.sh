#!/usr/bin/env bash
# The Linux program's sound, recorded with SDL's disk audio driver: after a
# shot in play the recording holds sound and after M silence; with --mute it
# is silence until M; five steps down the volume take it to about a quarter,
# kept for the next start. The seconds of play after the shot are measured
# (zorbanix_loudness): their integrated loudness lies within 6 LU of the
# -18 LUFS the mix is made for (a few seconds of play are not a whole game,
# and the disk driver's pace drifts on a busy machine), their true peak at
# or under -1 dBTP. Left to find a device of its own on a machine with
# none, the program says so in one line at most and none of the sound
# library's own messages reach the terminal. M and minus show a short note
# over the picture, which is gone again after a little over a second.
# $1: the zorbanix executable, $2: zorbanix_loudness.
set -euo pipefail
GAME=$(realpath "$1")
LOUDNESS=$(realpath "$2")
. "$(dirname "$0")/desktop_session.sh"

require_tools xdotool import
[ -x "$LOUDNESS" ] || fail "no zorbanix_loudness at '$LOUDNESS': build it first"

start_x 1024x768x24

# The colour at (140, 475) of the 800 x 600 picture: a bunker's green once the
# wave is getting ready, the night sky on the title.
pixel() { import -window "$game_window" -crop 1x1+140+475 -depth 8 txt:- 2>/dev/null | tail -1; }
bunker_shown() { [[ $(pixel) == *"#00FF00"* ]]; }
# The sound's note at the top left: its plate's rim at (15, 20), and at
# (26, 45) the first step of the volume's bar, lit.
at() { import -window "$game_window" -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | tail -1; }
note_shown() { [[ $(at 15 20) == *"#5A65A5"* ]]; }

# Bytes of the file from offset $2 on that are not zero.
sound_bytes() { tail -c +"$(($2 + 1))" "$1" | tr -d '\0' | wc -c; }

# Plays a wave into the recording $1 with the game's arguments after $2: leaves
# the title, waits out the get-ready pause, fires and plays on with Space held
# for $2 seconds. Sets shot_offset: how much had been recorded when the shot
# was fired.
record() {
    local file=$1 play=$2
    shift 2
    export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$file
    start_game --window "$@"
    unset SDL_AUDIODRIVER SDL_DISKAUDIOFILE
    wait_until 10 '[ -s "$file" ]' || fail "nothing recorded"
    # Space until the title, after the intro, takes it.
    wait_until 15 'xdotool key --delay 0 space; sleep 0.4; bunker_shown' ||
        fail "Space did not start the game"
    sleep 3.5
    shot_offset=$(stat -c %s "$file")
    xdotool keydown space
    sleep "$play"
    xdotool keyup space
    sleep 1
    # M switches the sound off (or, with --mute, on): what follows a second
    # shot tells which.
    before_m=$(stat -c %s "$file")
    xdotool key --delay 0 m
    sleep 0.3
    m_offset=$(stat -c %s "$file")
    note_shown || fail "M showed no note"
    # A march step comes at least once a second; the recording keeps up
    # with the game only roughly on a busy machine, so it is given time.
    xdotool key --delay 0 space
    sleep 1.5
    xdotool key --delay 0 space
    sleep 1
    stop_game
}

record "$WORK/heard.raw" 6
head -c "$before_m" "$WORK/heard.raw" | tail -c +"$((shot_offset + 1))" >"$WORK/play.raw"
heard=$(tr -d '\0' <"$WORK/play.raw" | wc -c)
[ "$heard" -gt 0 ] || fail "the recording after the shot is silent"
log "after the shot: $heard bytes of $((before_m - shot_offset)) are sound"
read -r lufs true_peak _ < <("$LOUDNESS" "$WORK/play.raw" --summary)
awk -v l="$lufs" -v p="$true_peak" 'BEGIN { exit !(l >= -24 && l <= -12 && p <= -1) }' ||
    fail "play measured $lufs LUFS, true peak $true_peak dBTP: not -18 +-6 LUFS under -1 dBTP"
log "play: $lufs LUFS integrated, true peak $true_peak dBTP"
after_m=$(sound_bytes "$WORK/heard.raw" "$m_offset")
[ "$after_m" = 0 ] || fail "after M, $after_m bytes of sound recorded"
log "after M: $(($(stat -c %s "$WORK/heard.raw") - m_offset)) bytes recorded, all silence"

# M was kept for the next start: forgotten, so that only --mute mutes.
rm -f "$XDG_CONFIG_HOME/zorbanix/settings.ini"
record "$WORK/muted.raw" 0 --mute
muted=$(head -c "$before_m" "$WORK/muted.raw" | tr -d '\0' | wc -c)
[ "$muted" = 0 ] || fail "--mute: $muted bytes of sound recorded"
log "--mute: $before_m bytes recorded, all silence"
[ "$(sound_bytes "$WORK/muted.raw" "$m_offset")" -gt 0 ] || fail "--mute, then M: still silent"
log "--mute, then M: sound again"

# The volume: five steps down with minus take the mix to a quarter (level 5
# of 10, -12 dB), kept for the next start. Nothing is fired: the march,
# a step at least once a second, is the loudest of what sounds, and 4 s hold
# all four of its notes, whose peaks differ, at either volume.
peak() { head -c "$3" "$1" | tail -c +"$(($2 + 1))" | od -An -v -f |
         awk '{ for (i = 1; i <= NF; ++i) { v = $i < 0 ? -$i : $i; if (v > m) m = v } } END { print m + 0 }'; }
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$WORK/volume.raw
start_game --window
unset SDL_AUDIODRIVER SDL_DISKAUDIOFILE
wait_until 15 'xdotool key --delay 0 space; sleep 0.4; bunker_shown' || fail "Space did not start the game"
sleep 3.5
full_from=$(stat -c %s "$WORK/volume.raw")
sleep 4
full_to=$(stat -c %s "$WORK/volume.raw")
xdotool key --delay 50 minus minus minus minus minus
sleep 0.3
low_from=$(stat -c %s "$WORK/volume.raw")
[[ $(at 26 45) == *"#FFE34A"* ]] || fail "minus showed no volume bar"
sleep 1.5
! note_shown || fail "the volume's note still stands after 1.8 s"
log "M and minus showed their note, gone after 1.8 s"
sleep 4
low_to=$(stat -c %s "$WORK/volume.raw")
stop_game
grep -qx "volume = 5" "$XDG_CONFIG_HOME/zorbanix/settings.ini" || fail "the volume was not kept"
log "settings.ini keeps: $(grep volume "$XDG_CONFIG_HOME/zorbanix/settings.ini")"
full=$(peak "$WORK/volume.raw" "$full_from" "$full_to")
low=$(peak "$WORK/volume.raw" "$low_from" "$low_to")
awk -v f="$full" -v l="$low" 'BEGIN { exit !(f > 0.05 && l > 0.15 * f && l < 0.35 * f) }' ||
    fail "five steps down: peak $low against $full at full volume, not about a quarter"
log "five steps down: peak $low against $full at full volume"

# SDL's own choice of device. With none (no sound card, no sound server) the
# program plays on silently and says so once.
start_game --window
sleep 3
stop_game
! grep -q "ALSA lib" "$WORK/game.log" || fail "ALSA's messages reached stderr"
lines=$(grep -c -i "sound" "$WORK/game.log" || true)
[ "$lines" -le 1 ] || fail "$lines lines about sound: $(cat "$WORK/game.log")"
log "SDL's own device: ${lines} line about sound$(grep -i sound "$WORK/game.log" | sed 's/^/: /')"
log "passed"
