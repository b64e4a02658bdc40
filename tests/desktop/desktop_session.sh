# Helpers for the checks that run the Linux game on a virtual X display.
# Sourced, never run. The caller sets GAME (the zorbanix executable), then
# calls require_tools, start_x and start_game. Everything started here is
# stopped again, by its process id, when the script exits.

SKIP_CODE=77
WORK=$(mktemp -d "${TMPDIR:-/tmp}/zorbanix-desktop.XXXXXX")
xvfb_pid=
wm_pid=
game_pid=
game_window=

session_started=$(date +%s.%N)
log() { printf '[%5.1fs] %s\n' "$(awk -v a="$session_started" -v b="$(date +%s.%N)" 'BEGIN { print b - a }')" "$*"; }
skip() {
    echo "SKIPPED: $*"
    exit "$SKIP_CODE"
}
fail() {
    log "FAIL: $*"
    if [ -s "$WORK/game.log" ]; then sed 's/^/  game: /' "$WORK/game.log" | grep -v ALSA | tail -5; fi
    exit 1
}

stop_session() {
    local code=$?
    trap - EXIT INT TERM
    local pid
    for pid in "$game_pid" "$wm_pid" "$xvfb_pid"; do
        if [ -n "$pid" ]; then
            kill -9 "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
        fi
    done
    rm -rf "$WORK"
    exit "$code"
}
trap stop_session EXIT
trap 'exit 1' INT TERM

# $@: the programs the check needs beyond Xvfb.
require_tools() {
    local tool
    for tool in Xvfb "$@"; do
        command -v "$tool" >/dev/null 2>&1 ||
            skip "'$tool' is not installed (./scripts/setup installs it)"
    done
    [ -x "$GAME" ] || fail "no game at '$GAME': build the zorbanix target first"
}

# Xvfb with the screen $1 (e.g. 1024x768x24) on a display number it picks
# itself, and openbox as the window manager where it is installed (WM=0
# leaves it out).
start_x() {
    : >"$WORK/display"
    Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp -noreset 3>"$WORK/display" \
        >"$WORK/xvfb.log" 2>&1 &
    xvfb_pid=$!
    local i
    for i in $(seq 1 100); do
        [ -s "$WORK/display" ] && break
        sleep 0.1
    done
    [ -s "$WORK/display" ] || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
    export DISPLAY=":$(tr -dc 0-9 <"$WORK/display")"
    if [ "${WM:-1}" = 1 ] && command -v openbox >/dev/null 2>&1; then
        openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
        wm_pid=$!
        # The window manager has taken the screen once it names itself on
        # the root window.
        for i in $(seq 1 100); do
            [[ $(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null) == *"window id"* ]] && break
            sleep 0.1
        done
        log "Xvfb $1 on $DISPLAY, openbox"
    else
        log "Xvfb $1 on $DISPLAY, no window manager"
    fi
}

# Starts the game with the arguments given, in its own folder (its
# pictures), and waits for its window: game_pid and game_window.
start_game() {
    (cd "$(dirname "$GAME")" && exec "$GAME" "$@") >"$WORK/game.log" 2>&1 &
    game_pid=$!
    local i
    game_window=
    for i in $(seq 1 200); do
        game_window=$(xdotool search --name '^Zorbanix$' 2>/dev/null | head -1 || true)
        [ -n "$game_window" ] && break
        kill -0 "$game_pid" 2>/dev/null || fail "the game ended before its window appeared"
        sleep 0.1
    done
    [ -n "$game_window" ] || fail "no game window after 20 s"
    log "game started: $*"
}

stop_game() {
    kill -9 "$game_pid" 2>/dev/null || true
    wait "$game_pid" 2>/dev/null || true
    game_pid=
}

# The game window's inside, as WIDTHxHEIGHT.
window_size() {
    xwininfo -id "$game_window" 2>/dev/null |
        awk '/^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print w "x" h }'
}

# Waits up to 15 s for the window's inside to be $1 (WIDTHxHEIGHT); $2 says
# what should have made it so.
expect_size() {
    local i size=
    for i in $(seq 1 150); do
        size=$(window_size)
        [ "$size" = "$1" ] && { log "$2: $size"; return 0; }
        sleep 0.1
    done
    fail "$2: the window is $size, not $1"
}
