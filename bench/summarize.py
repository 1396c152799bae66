#!/usr/bin/env python3
"""Prints the benchmark's table from hyperfine's JSON and /usr/bin/time's
peak resident memory figures.

Usage: summarize.py DIR WORKLOAD...

For each workload, DIR holds WORKLOAD.*.json (one hyperfine run per round,
each timing korvane and cat) and WORKLOAD.korvane.rss, WORKLOAD.cat.rss (one
peak in KiB a line).
"""

import glob
import json
import os
import statistics
import sys

# Time ratio korvane/cat each workload may reach, and what it stands for.
TARGETS = {
    "typical": (1.2, "(a) 3 small fonts, 3 files"),
    "one-file": (2.0, "(b) 255 fonts, 1 file"),
    "many-files": (2.0, "(c) 255 fonts, 255 files"),
}
MEMORY_MARGIN_KIB = 1024


def is_korvane(result):
    return not result["command"].startswith("cat ")


def times(directory, workload):
    """Every run's wall time in seconds for korvane and cat, pooled over the
    rounds; the ratio of their medians in each round; and the ratio of their
    mean processor time (user and system), which waiting for a busy
    processor does not inflate."""
    korvane, cat, round_ratios, k_cpu, c_cpu = [], [], [], 0.0, 0.0
    for path in sorted(glob.glob(os.path.join(directory, workload + ".*.json"))):
        with open(path) as f:
            results = json.load(f)["results"]
        k = next(r for r in results if is_korvane(r))
        c = next(r for r in results if not is_korvane(r))
        korvane += k["times"]
        cat += c["times"]
        round_ratios.append(statistics.median(k["times"]) / statistics.median(c["times"]))
        k_cpu += k["user"] + k["system"]
        c_cpu += c["user"] + c["system"]
    return korvane, cat, round_ratios, k_cpu / c_cpu


def peaks(directory, workload, program):
    with open(os.path.join(directory, "%s.%s.rss" % (workload, program))) as f:
        return [int(line) for line in f if line.strip()]


def main():
    directory, workloads = sys.argv[1], sys.argv[2:]
    header = ("workload", "korvane", "cat", "ratio", "rounds", "fastest", "cpu", "target", "time",
              "korvane RSS", "cat RSS", "difference", "memory")
    rows = [header]
    verdicts = []
    for w in workloads:
        limit, label = TARGETS[w]
        k, c, round_ratios, cpu_ratio = times(directory, w)
        ratio = statistics.median(k) / statistics.median(c)
        k_rss, c_rss = max(peaks(directory, w, "korvane")), max(peaks(directory, w, "cat"))
        time_met = ratio <= limit
        memory_met = k_rss - c_rss <= MEMORY_MARGIN_KIB
        verdicts += [time_met, memory_met]
        rows.append((
            label,
            "%.2f ms" % (statistics.median(k) * 1000),
            "%.2f ms" % (statistics.median(c) * 1000),
            "%.2f" % ratio,
            "%.2f-%.2f" % (min(round_ratios), max(round_ratios)),
            "%.2f" % (min(k) / min(c)),
            "%.2f" % cpu_ratio,
            "<= %.1f" % limit,
            "met" if time_met else "MISSED",
            "%d KiB" % k_rss,
            "%d KiB" % c_rss,
            "%+d KiB" % (k_rss - c_rss),
            "met" if memory_met else "MISSED",
        ))

    widths = [max(len(row[i]) for row in rows) for i in range(len(header))]
    for row in rows:
        cells = [row[0].ljust(widths[0])] + [cell.rjust(width) for cell, width in zip(row[1:], widths[1:])]
        print("  ".join(cells).rstrip())
    print()
    print("korvane, cat: median wall time of all runs; ratio: korvane/cat of those medians;")
    print("rounds: lowest and highest ratio among the separate rounds; fastest: ratio of the")
    print("fastest runs; cpu: ratio of mean user+system time (these three show the noise);")
    print("the targets are judged on the ratio of medians;")
    print("RSS: highest peak resident memory over the runs; memory target: at most %d KiB above cat." % MEMORY_MARGIN_KIB)
    print("all targets met" if all(verdicts) else "some targets MISSED")


main()
