#!/usr/bin/env python3
"""Reads one run's key arrivals and the program's latency log and prints how
long each press took to show.

    analyse.py <name> <log>

The log holds, in any order:
    arrival <DIK code> <ms>          a key event reached the program (driver)
    latency key <DIK code> <ms>      a keyboard read first found it down
    latency present <ms> <ms>        a present's start and end
all in milliseconds on one clock. A press shows in the first frame whose
keyboard read found it; the frame is presented by the first present that
starts after that read. The press is "next frame" when no other present
started between its arrival and that one: at most one refresh, plus the
present itself.
"""
import bisect
import statistics
import sys


def main():
    name, path = sys.argv[1], sys.argv[2]
    arrivals, reads, presents = [], {}, []
    with open(path, encoding="utf-8", errors="replace") as log:
        for line in log:
            words = line.split()
            if "latency" in words:
                words = words[words.index("latency"):]
            if len(words) == 3 and words[0] == "arrival":
                arrivals.append((float(words[2]), int(words[1])))
            elif len(words) == 4 and words[:2] == ["latency", "key"]:
                reads.setdefault(int(words[2]), []).append(float(words[3]))
            elif len(words) == 4 and words[:2] == ["latency", "present"]:
                presents.append((float(words[2]), float(words[3])))
    arrivals.sort()
    presents.sort()
    for times in reads.values():
        times.sort()
    starts = [p[0] for p in presents]
    latencies, next_frame, unseen = [], 0, 0
    for i, (arrived, code) in enumerate(arrivals):
        # The read that found this press: the first after it, before the same
        # key's next press.
        later = [a for a, c in arrivals[i + 1:] if c == code]
        limit = later[0] if later else float("inf")
        times = reads.get(code, [])
        k = bisect.bisect_left(times, arrived)
        if k == len(times) or times[k] >= limit:
            unseen += 1
            continue
        shown = bisect.bisect_left(starts, times[k])
        if shown == len(presents):
            unseen += 1
            continue
        latencies.append(presents[shown][1] - arrived)
        # Presents started after the arrival and before the one that showed it.
        skipped = shown - bisect.bisect_left(starts, arrived)
        if skipped == 0:
            next_frame += 1
    if not latencies:
        print(f"{name}: no press was seen ({len(arrivals)} sent, {len(presents)} presents)")
        return 1
    periods = [b[0] - a[0] for a, b in zip(presents, presents[1:])]
    ordered = sorted(latencies)
    p95 = ordered[min(len(ordered) - 1, int(0.95 * len(ordered)))]
    seen = len(latencies)
    print(f"{name}: {len(arrivals)} presses, {seen} seen, {unseen} not seen; "
          f"next frame {next_frame}/{seen} ({100.0 * next_frame / seen:.1f} %); "
          f"key to present median {statistics.median(latencies):.1f} ms, "
          f"95th percentile {p95:.1f} ms, max {ordered[-1]:.1f} ms; "
          f"frame period median {statistics.median(periods):.2f} ms")
    return 0


if __name__ == "__main__":
    sys.exit(main())
