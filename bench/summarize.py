#!/usr/bin/env python3
"""Prints the benchmark's table from hyperfine's JSON and /usr/bin/time's
peak resident memory figures.

Usage: summarize.py DIR WORKLOAD...

Each workload times a program against a baseline (korvane against cat,
zirk2png against pnmtopng); the workloads of one table share both. For each
workload, DIR holds WORKLOAD.*.json (one hyperfine run per round, each timing
the program and the baseline) and WORKLOAD.PROGRAM.rss, WORKLOAD.BASELINE.rss
(one peak in KiB a line).
"""

import glob
import json
import os
import statistics
import sys

# Time ratio program/baseline each workload may reach, what it stands for,
# and the two programs.
TARGETS = {
    "typical": (1.2, "(a) 3 small fonts, 3 files", "korvane", "cat"),
    "one-file": (2.0, "(b) 255 fonts, 1 file", "korvane", "cat"),
    "many-files": (2.0, "(c) 255 fonts, 255 files", "korvane", "cat"),
    "sheet": (1.5, "(f) 255 fonts of 24600 bytes", "zirk2png", "pnmtopng"),
}
MEMORY_MARGIN_KIB = 1024


def is_program(result, baseline):
    return not result["command"].startswith(baseline + " ")


def times(directory, workload, baseline):
    """Every run's wall time in seconds for the program and the baseline,
    pooled over the rounds; the ratio of their medians in each round; and
    the ratio of their mean processor time (user and system), which waiting
    for a busy processor does not inflate."""
    program, base, round_ratios, k_cpu, c_cpu = [], [], [], 0.0, 0.0
    for path in sorted(glob.glob(os.path.join(directory, workload + ".*.json"))):
        with open(path) as f:
            results = json.load(f)["results"]
        k = next(r for r in results if is_program(r, baseline))
        c = next(r for r in results if not is_program(r, baseline))
        program += k["times"]
        base += c["times"]
        round_ratios.append(statistics.median(k["times"]) / statistics.median(c["times"]))
        k_cpu += k["user"] + k["system"]
        c_cpu += c["user"] + c["system"]
    return program, base, round_ratios, k_cpu / c_cpu


def memory_margin(directory, workload):
    """KiB a program's peak may lie above the baseline's: 1 MiB; for a
    program that holds its whole input (WORKLOAD.size gives the input's
    bytes), that input and 2 MiB."""
    path = os.path.join(directory, workload + ".size")
    if not os.path.exists(path):
        return MEMORY_MARGIN_KIB
    with open(path) as f:
        return int(f.read()) // 1024 + 2 * MEMORY_MARGIN_KIB


def peaks(directory, workload, program):
    with open(os.path.join(directory, "%s.%s.rss" % (workload, program))) as f:
        return [int(line) for line in f if line.strip()]


def main():
    directory, workloads = sys.argv[1], sys.argv[2:]
    program, baseline = TARGETS[workloads[0]][2:]
    header = ("workload", program, baseline, "ratio", "rounds", "fastest", "cpu", "target", "time",
              program + " RSS", baseline + " RSS", "difference", "memory")
    rows = [header]
    verdicts = []
    for w in workloads:
        limit, label = TARGETS[w][:2]
        k, c, round_ratios, cpu_ratio = times(directory, w, baseline)
        ratio = statistics.median(k) / statistics.median(c)
        k_rss, c_rss = max(peaks(directory, w, program)), max(peaks(directory, w, baseline))
        time_met = ratio <= limit
        margin = memory_margin(directory, w)
        memory_met = k_rss - c_rss <= margin
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
    print("%s, %s: median wall time of all runs; ratio: %s/%s of those medians;" % (program, baseline, program, baseline))
    print("rounds: lowest and highest ratio among the separate rounds; fastest: ratio of the")
    print("fastest runs; cpu: ratio of mean user+system time (these three show the noise);")
    print("the targets are judged on the ratio of medians;")
    print("RSS: highest peak resident memory over the runs; memory target: at most %d KiB above %s."
          % (margin, baseline))
    print("all targets met" if all(verdicts) else "some targets MISSED")


main()
