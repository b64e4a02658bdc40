# shellcheck shell=bash disable=SC2034  # its readers set variables for the drivers
# Helpers for the drivers that play zorbanix.exe under Wine on a virtual X
# display. Sourced, never run. The caller sets:
#   GAME_DIR     the folder holding zorbanix.exe and its 18 pictures
#   SCREENS      the zorbanix_wine_screens tool
#   WINE_ROOT    a folder under the build tree; the Wine prefix lives in it
#                and is made once, then reused by every driver
#   WORK         this driver's own scratch folder (emptied on start)
# and calls start_session, then start_game, then plays.

SKIP_CODE=77

log() { printf '[%6.1fs] %s\n' "$(elapsed)" "$*"; }
fail() {
    log "FAIL: $*"
    exit 1
}
skip() {
    echo "SKIPPED: $*"
    exit "$SKIP_CODE"
}

session_started=$(date +%s.%N)
elapsed() { awk -v a="$session_started" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }'; }
# Seconds since an earlier `date +%s.%N`.
seconds_since() { awk -v a="$1" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }'; }

xvfb_pid=
game_pid=
watchdog_pid=

stop_session() {
    local code=$?
    trap - EXIT INT TERM
    if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
        kill "$game_pid" 2>/dev/null || true
    fi
    # Every Wine process of the prefix (the game, services, explorer) and
    # the wineserver itself.
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        wineserver -k >/dev/null 2>&1 || true
        timeout 10 wineserver -w >/dev/null 2>&1 || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    if [ -n "$watchdog_pid" ]; then kill "$watchdog_pid" 2>/dev/null || true; fi
    exit "$code"
}

require_tools() {
    local tool
    for tool in wine wineserver Xvfb xdotool xwd timeout awk; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            skip "'$tool' is not installed, so zorbanix.exe is not played under Wine here" \
                "(./scripts/setup installs wine, wine32:i386, xvfb, xdotool and x11-apps)"
        fi
    done
    # Without a 32-bit OpenGL Wine 8 presents DirectDraw through its GDI
    # path, which crashes in the first game-over frame (a freed swap-chain
    # buffer is read): a fault of that Wine, not of the game.
    if [ ! -f /usr/lib/i386-linux-gnu/libGL.so.1 ] ||
        [ ! -f /usr/lib/i386-linux-gnu/dri/swrast_dri.so ]; then
        skip "no 32-bit OpenGL for Wine, whose DirectDraw then crashes at the game-over screen" \
            "(./scripts/setup installs libgl1:i386 and libgl1-mesa-dri:i386)"
    fi
    [ -f "$GAME_DIR/zorbanix.exe" ] || fail "no $GAME_DIR/zorbanix.exe: build it first"
}

# Starts Xvfb on a display that it picks itself (a free one), 800 x 600 at
# 16 bits per pixel, the mode the game asks for.
start_xvfb() {
    local number_file="$WORK/display-number"
    : >"$number_file"
    Xvfb -displayfd 3 -screen 0 800x600x16 -nolisten tcp -noreset \
        3>"$number_file" >"$WORK/xvfb.log" 2>&1 &
    xvfb_pid=$!
    local i
    for i in $(seq 1 100); do
        if [ -s "$number_file" ]; then break; fi
        kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
        sleep 0.1
    done
    [ -s "$number_file" ] || fail "Xvfb gave no display number"
    DISPLAY=":$(tr -dc 0-9 <"$number_file")"
    export DISPLAY
    log "Xvfb on $DISPLAY"
}

# Makes the prefix on first use; later drivers of the run find it ready.
prepare_prefix() {
    export WINEPREFIX="$WINE_ROOT/prefix"
    # ZORBANIX_WINEDEBUG lets a person see what Wine says (e.g. err+all).
    export WINEARCH=win32 WINEDEBUG=${ZORBANIX_WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
    # Mesa's software OpenGL draws Wine's presents in the calling thread
    # instead of handing each frame to worker threads, which on a busy
    # machine wait for the CPU one after another and stall the frame.
    export LP_NUM_THREADS=0
    mkdir -p "$WINE_ROOT"
    (
        flock 9
        # A prefix whose making was cut short is made again from nothing.
        if [ ! -f "$WINEPREFIX/.zorbanix-ready" ]; then
            log "making the Wine prefix $WINEPREFIX"
            rm -rf "$WINEPREFIX"
            timeout 180 wineboot -i >"$WINE_ROOT/wineboot.log" 2>&1 ||
                fail "wineboot failed: $(tail -5 "$WINE_ROOT/wineboot.log")"
            # A crash then ends the program with its report in the log,
            # instead of waiting behind a dialog box.
            timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog \
                /t REG_DWORD /d 0 /f >>"$WINE_ROOT/wineboot.log" 2>&1 ||
                fail "could not set up the prefix: $(tail -5 "$WINE_ROOT/wineboot.log")"
            # Wine's Direct3D hands each present to a worker thread that
            # spins while it waits (about a whole core); drawn in the
            # game's own thread, the paced frames leave the CPU idle.
            timeout 60 wine reg add 'HKCU\Software\Wine\Direct3D' /v csmt \
                /t REG_DWORD /d 0 /f >>"$WINE_ROOT/wineboot.log" 2>&1 ||
                fail "could not set up the prefix: $(tail -5 "$WINE_ROOT/wineboot.log")"
            timeout 60 wineserver -w || true
            touch "$WINEPREFIX/.zorbanix-ready"
        fi
    ) 9>"$WINE_ROOT/prefix.lock"
    [ -f "$WINEPREFIX/.zorbanix-ready" ] || fail "the Wine prefix was not made"
}

start_session() {
    # Wine wants an absolute prefix, and the game runs in its own folder.
    GAME_DIR=$(realpath -m "$GAME_DIR") SCREENS=$(realpath -m "$SCREENS")
    WINE_ROOT=$(realpath -m "$WINE_ROOT") WORK=$(realpath -m "$WORK")
    require_tools
    # A frame of the game under Wine passes through the game, the wineserver
    # and the X server in turn, and each dump of the screen through xwd and
    # the screen reader; on a busy machine every step waits for the CPU.
    # With two compilers running the game was seen drawing one frame a
    # second and a dump taking a second to read. Where allowed (as root, as
    # in CI) this driver and all it starts run ahead of other work.
    if [ "$(id -u)" = 0 ]; then renice -n -10 -p $$ >/dev/null 2>&1 || true; fi
    rm -rf "$WORK"
    mkdir -p "$WORK"
    trap stop_session EXIT
    trap 'exit 1' INT TERM
    start_xvfb
    # Should this shell be killed outright, the watchdog still clears away
    # Wine and the X server, so that nothing is left running.
    local driver=$$ server=$xvfb_pid
    (
        while kill -0 "$driver" 2>/dev/null; do sleep 2; done
        WINEPREFIX="$WINE_ROOT/prefix" wineserver -k
        kill "$server"
    ) >/dev/null 2>&1 &
    watchdog_pid=$!
    prepare_prefix
}

# Runs the game in its folder, for at most `limit` seconds, and waits for
# its window. Sets game_pid and game_window.
start_game() {
    local limit=${1:-120}
    (cd "$GAME_DIR" && exec timeout --kill-after=5 "$limit" wine zorbanix.exe) \
        >"$WORK/game.log" 2>&1 &
    game_pid=$!
    log "zorbanix.exe started"
    local i
    game_window=
    for i in $(seq 1 600); do
        game_window=$(xdotool search --name '^Zorbanix$' 2>/dev/null | head -1 || true)
        if [ -n "$game_window" ]; then break; fi
        if ! kill -0 "$game_pid" 2>/dev/null; then
            if grep -q "wine32 is missing" "$WORK/game.log"; then
                skip "Wine cannot run 32-bit programs here (install wine32:i386)"
            fi
            fail "zorbanix.exe ended before its window appeared: $(tail -5 "$WORK/game.log")"
        fi
        sleep 0.1
    done
    [ -n "$game_window" ] || fail "no Zorbanix window within 60 s"
    log "window $game_window"
    focus_game
}

# Gives the game's window the keyboard focus before a key goes to it. There
# is no window manager on the virtual display, so windowactivate (which asks
# one) fails and windowfocus sets the X focus itself; the pointer is also put
# over the window, where keys go whenever the focus falls back to the
# pointer's window. windowfocus --sync waits until the X server reports the
# focus there. (mousemove --sync would wait for a motion that never comes
# when the pointer is already in place.)
focus_game() {
    xdotool mousemove 400 300 >/dev/null 2>&1 || true
    timeout 2 xdotool windowactivate --sync "$game_window" >/dev/null 2>&1 ||
        timeout 2 xdotool windowfocus --sync "$game_window" >/dev/null 2>&1 || true
}

# True once `seconds` have passed since `started` (a `date +%s.%N`).
past() { awk -v s="$(seconds_since "$1")" -v l="$2" 'BEGIN { exit !(s > l) }'; }

# Watches the screen after a press made at `pressed`: dumps it into
# $WORK/poll.xwd about every 100 ms and runs the command in the rest of the
# arguments on each dump. Succeeds as soon as the command does; fails when
# the game has gone, when `limit` seconds have passed since `started`, or
# when the press looks lost (three new frames without its effect, or 3 s on
# a still screen). Leaves the number of new frames seen in `frames`.
watch_press() {
    local started=$1 limit=$2 pressed=$3
    shift 3
    frames=0
    rm -f "$WORK/held.xwd"
    while kill -0 "$game_pid" 2>/dev/null; do
        capture "$WORK/poll.xwd"
        if "$@"; then return 0; fi
        if [ -f "$WORK/held.xwd" ] && ! cmp -s "$WORK/poll.xwd" "$WORK/held.xwd"; then
            frames=$((frames + 1))
        fi
        cp "$WORK/poll.xwd" "$WORK/held.xwd"
        if past "$started" "$limit" || past "$pressed" 3 ||
            { [ "$frames" -ge 3 ] && past "$pressed" 1; }; then
            return 1
        fi
        sleep 0.1
    done
    return 1
}

# Holds `key` down until its effect shows on screen, then lets it go: the
# screen is dumped into $WORK/poll.xwd about every 100 ms and the rest of
# the arguments, a command, is run on each dump until it succeeds or
# `limit` seconds pass. The game samples the keyboard once a frame, so at a
# few frames a second a short fixed press can fall between two samples;
# held until seen, a press is never lost. Now and then Wine misses a press
# altogether, so a press is let go and made afresh (after the window has
# been given the focus again) once the game has drawn three new frames
# without its effect, or, on a still screen, after 3 s.
hold_until() {
    local key=$1 limit=$2 started pressed frames found=1
    shift 2
    started=$(date +%s.%N)
    while [ "$found" != 0 ] && ! past "$started" "$limit"; do
        focus_game
        xdotool keydown "$key"
        pressed=$(date +%s.%N)
        if watch_press "$started" "$limit" "$pressed" "$@"; then found=0; fi
        xdotool keyup "$key" 2>/dev/null || true
        if [ "$found" != 0 ] && ! past "$started" "$limit"; then
            log "$key: nothing seen in $(seconds_since "$pressed")s ($frames new frames); pressing it again"
            sleep 0.1
        fi
        kill -0 "$game_pid" 2>/dev/null || break
    done
    return $found
}

# For a key that repeats its effect while held (P toggles the pause again
# every 500 ms of game time): held for 0.45 s at most, so that one press
# acts at most once, while the screen is watched as by hold_until for the
# effect; the press is made again should none show.
tap_until() {
    local key=$1 limit=$2 started pressed frames releaser
    shift 2
    started=$(date +%s.%N)
    while ! past "$started" "$limit"; do
        focus_game
        pressed=$(date +%s.%N)
        xdotool keydown "$key"
        (
            sleep 0.45
            xdotool keyup "$key"
        ) &
        releaser=$!
        if watch_press "$started" "$limit" "$pressed" "$@"; then
            wait "$releaser"
            return 0
        fi
        wait "$releaser"
        kill -0 "$game_pid" 2>/dev/null || return 1
        log "$key: nothing seen in $(seconds_since "$pressed")s ($frames new frames); pressing it again"
    done
    return 1
}

# Dumps the screen about every 100 ms until the command in the arguments
# succeeds on $WORK/poll.xwd or `limit` seconds pass.
poll_until() {
    local limit=$1 started
    shift
    started=$(date +%s.%N)
    while :; do
        capture "$WORK/poll.xwd"
        if "$@"; then return 0; fi
        if past "$started" "$limit"; then return 1; fi
        sleep 0.1
    done
}

# Checks for hold_until and poll_until, reading $WORK/poll.xwd.
# The dump equals the named reference screen; it is kept as <name>.xwd.
screen_is() {
    [ "$("$SCREENS" classify "$REFERENCES" "$WORK/poll.xwd")" = "$1" ] &&
        cp "$WORK/poll.xwd" "$WORK/$1.xwd"
}
paused_is() {
    read_play "$WORK/poll.xwd"
    [ "$paused" = "$1" ]
}

# Fails at once when the game has ended by itself, with what Wine said.
require_game_running() {
    if [ -n "$game_pid" ] && ! kill -0 "$game_pid" 2>/dev/null; then
        fail "zorbanix.exe ended unexpectedly: $(grep -v '^ALSA' "$WORK/game.log" | tail -3)"
    fi
}

# Dumps the screen into a file.
capture() {
    require_game_running
    # A window that goes while xwd walks the tree fails the dump; try again.
    for _ in 1 2 3; do
        xwd -root -silent -out "$1" 2>/dev/null && return 0
        sleep 0.05
    done
    fail "xwd could not dump the screen"
}

# Renders the screens that the game must show, once per driver.
render_references() {
    REFERENCES="$WORK/references"
    mkdir -p "$REFERENCES"
    "$SCREENS" references "$GAME_DIR" "$REFERENCES" >/dev/null ||
        fail "could not render the reference screens"
}

# One line of the parity table: the named screen against its reference; a
# picture of the differing pixels is left beside the dump.
parity_rows=()
check_parity() {
    local name=$1 dump=$2 row
    row=$("$SCREENS" compare "$REFERENCES" "$name" "$dump" "$WORK/$name-diff.bmp") || {
        parity_rows+=("$row")
        fail "$name differs from the Linux build: $row (see $WORK/$name-diff.bmp)"
    }
    parity_rows+=("$row")
}

print_parity_table() {
    local row
    echo "screen        pixels compared  pixels differing"
    for row in "${parity_rows[@]}"; do
        # shellcheck disable=SC2086
        printf '%-13s %15s  %16s\n' $row
    done
}

# What the play reader sees in a dump: sets fleet_count, fleet_dx,
# fleet_dy, ships (space separated x), shots (x,y pairs), paused.
read_play() {
    local dump=$1 key rest
    fleet_count=0 fleet_dx=0 fleet_dy=0 ships="" shots="" paused=no
    while read -r key rest; do
        case "$key" in
            fleet) read -r fleet_count fleet_dx fleet_dy <<<"$rest" ;;
            ships) ships=$rest ;;
            shots) shots=$rest ;;
            paused) paused=$rest ;;
        esac
    done < <("$SCREENS" play "$GAME_DIR" "$dump")
}

# Waits for the game to end, for at most `limit` seconds; sets exit_code.
wait_for_exit() {
    local limit=$1
    for _ in $(seq 1 $((limit * 10))); do
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$game_pid" 2>/dev/null; then fail "zorbanix.exe still running after ${limit}s"; fi
    exit_code=0
    wait "$game_pid" || exit_code=$?
    game_pid=
}
