# shellcheck shell=bash
# Helpers for the checks that run the Linux game on a virtual X display.
# Sourced, never run. The caller sets GAME (the zorbanix executable), then
# calls require_tools, start_x and start_game. What is started here is
# stopped again, by its process id, when the script exits.

WORK=$(mktemp -d "${TMPDIR:-/tmp}/zorbanix-desktop.XXXXXX")
# The settings and best scores the game keeps go into the check's own
# folder, never the player's: each check starts from none.
export XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data"
xvfb_pid='' wm_pid='' game_pid='' game_window=''

log() { echo "[$SECONDS s] $*"; }
skip() { echo "SKIPPED: $*"; exit 77; }
fail() {
    log "FAIL: $*"
    grep -v ALSA "$WORK/game.log" 2>/dev/null | tail -5 | sed 's/^/  game: /' || true
    exit 1
}
stop_session() {
    local code=$? pid
    trap - EXIT INT TERM
    for pid in $game_pid $wm_pid $xvfb_pid; do kill -9 "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$WORK"
    exit "$code"
}
trap stop_session EXIT
trap 'exit 1' INT TERM

# $@: the programs the check needs beyond Xvfb.
require_tools() {
    local tool
    for tool in Xvfb "$@"; do
        command -v "$tool" >/dev/null 2>&1 || skip "no '$tool' (./scripts/setup installs it)"
    done
    [ -x "$GAME" ] || fail "no game at '$GAME': build the zorbanix target first"
}

# Xvfb with the screen $1 (e.g. 1024x768x24) on a free display, and openbox
# as the window manager where it is installed (WM=0 leaves it out).
start_x() {
    Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp -noreset 3>"$WORK/display" \
        >"$WORK/xvfb.log" 2>&1 &
    xvfb_pid=$!
    wait_until 10 '[ -s "$WORK/display" ]' || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
    DISPLAY=":$(tr -dc 0-9 <"$WORK/display")"
    export DISPLAY
    local manager=none
    if [ "${WM:-1}" = 1 ] && command -v openbox >/dev/null 2>&1; then
        manager=openbox
        openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
        wm_pid=$!
        # Ready once it names itself on the root window.
        wait_until 10 '[[ $(xprop -root _NET_SUPPORTING_WM_CHECK 2>&1) == *"window id"* ]]' ||
            fail "openbox did not start"
    fi
    log "Xvfb $1 on $DISPLAY, window manager: $manager"
}

# Runs the shell condition $2 every 0.1 s for up to $1 seconds until it holds.
wait_until() {
    local tries=$(($1 * 10))
    while ! eval "$2"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

# Starts the game in its own folder with the arguments given and waits for
# its window: game_pid, game_window.
start_game() {
    (cd "$(dirname "$GAME")" && exec "$GAME" "$@") >"$WORK/game.log" 2>&1 &
    game_pid=$!
    wait_until 20 'game_window=$(xdotool search --name "^Zorbanix\$" 2>/dev/null | head -1);
                   [ -n "$game_window" ] || ! kill -0 "$game_pid" 2>/dev/null' || true
    [ -n "$game_window" ] || fail "no game window"
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
    # shellcheck disable=SC2034  # read by the condition that wait_until evaluates
    local want=$1
    wait_until 15 '[ "$(window_size)" = "$want" ]' || fail "$2: the window is $(window_size), not $1"
    log "$2: $1"
}
