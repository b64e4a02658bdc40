#!/usr/bin/env bash
# Runs a Wine driver, and once more if it failed: on a busy machine the game
# can drop to a few frames a second and miss a key press the driver could
# not make again in time. A fault of the game fails both runs. Exit 77 (a
# machine without Wine) is passed on at once.
"$@"
code=$?
if [ "$code" = 0 ] || [ "$code" = 77 ]; then exit "$code"; fi
echo
echo "=== failed with exit code $code; running it once more ==="
echo
"$@"
