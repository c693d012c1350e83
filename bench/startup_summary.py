#!/usr/bin/env python3
"""Summary of a start-up benchmark's rounds.

Reads lines "ROUND WHO MAPPED_MS PAINTED_MS COMPLETE_MS PEAK_KIB" (one per program per round, every
program once in each round) and prints each program's medians, then the median of the
per-round ratios of the first program to each of the others.

Usage: startup_summary.py RESULTS [GOAL]
"""
import statistics
import sys

COLUMNS = ("mapped ms", "painted ms", "complete ms", "peak KiB")


def main():
    rounds = {}
    order = []
    for line in open(sys.argv[1]):
        number, who, *values = line.split()
        if len(values) != len(COLUMNS):
            continue  # a run that failed to show its window
        if who not in order:
            order.append(who)
        rounds.setdefault(number, {})[who] = [float(v) for v in values]
    whole = [r for r in rounds.values() if all(who in r for who in order)]
    if not whole:
        sys.exit("no complete round")
    goal = sys.argv[2] if len(sys.argv) > 2 else "1.05"

    width = max(len(who) for who in order) + 2
    print(f"{'':{width}}" + "".join(f"{c:>12}" for c in COLUMNS))
    for who in order:
        medians = [statistics.median(r[who][k] for r in whole) for k in range(len(COLUMNS))]
        print(f"{who:{width}}" + "".join(f"{m:12.1f}" for m in medians))
    first = order[0]
    print(f"median of {len(whole)} per-round ratios of {first} (goal <= {goal}):")
    for who in order[1:]:
        ratios = [statistics.median(r[first][k] / r[who][k] for r in whole) for k in range(len(COLUMNS))]
        print(f"{'/ ' + who:{width}}" + "".join(f"{x:12.3f}" for x in ratios))


if __name__ == "__main__":
    main()
