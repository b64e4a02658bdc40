#!/usr/bin/env bash
# Runs one driver of zorbanix.exe under Wine, and runs it again, up to three
# runs in all, when it fails. The game under Wine plays in real time: on a
# machine busy with other work it was seen drawing no new frame for seconds
# and missing presses held for 0.45 s, which no wait in a driver can fully
# absorb. Every rerun is said on the test's output and noted in
# <wine folder>/retries.log, which ./scripts/test prints at its end, so that a
# run that passed only on a retry is seen. A skip (exit 77) is not retried.
#
#   retry_under_wine.sh <driver> <game folder> <zorbanix_wine_screens> <wine folder> <scratch folder>
set -u
driver=$1 wine_root=$4 scratch=$5
runs=3
for run in $(seq 1 "$runs"); do
    "$@"
    code=$?
    if [ "$code" = 0 ] || [ "$code" = 77 ]; then break; fi
    [ "$run" -lt "$runs" ] || break
    # The driver empties its scratch folder on start; the failed run's is
    # kept beside it for a look afterwards.
    rm -rf "$scratch.failed-$run"
    mv "$scratch" "$scratch.failed-$run" 2>/dev/null || true
    line="$(basename "$driver") failed with exit code $code on run $run of $runs; running it again (its files: $scratch.failed-$run)"
    echo "RETRY: $line"
    mkdir -p "$wine_root"
    echo "$(date -u +%FT%TZ) $line" >>"$wine_root/retries.log"
done
exit "$code"
