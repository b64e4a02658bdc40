#!/usr/bin/env bash
# Full screen and window on the Linux game: on a 1024 x 768 screen, started
# full screen, Alt+Enter gives an 800 x 600 window and Alt+Enter again the
# whole screen; started with --window, the window is 800 x 600 and F11 gives
# the whole screen. $1: the zorbanix executable.
set -euo pipefail
GAME=$(realpath "$1")
. "$(dirname "$0")/desktop_session.sh"

require_tools xdotool xwininfo xprop
start_x 1024x768x24

start_game
expect_size 1024x768 "full screen at the start"
xdotool key alt+Return
expect_size 800x600 "Alt+Enter"
xdotool key alt+Return
expect_size 1024x768 "Alt+Enter again"
stop_game

start_game --window
expect_size 800x600 "--window"
xdotool key F11
expect_size 1024x768 "F11"
log "passed"
