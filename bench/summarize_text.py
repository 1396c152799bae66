#!/usr/bin/env python3
"""Prints the text form's benchmark table from hyperfine's JSON and
/usr/bin/time's peak resident memory figures.

Usage: summarize_text.py DIR WORKLOAD...

For each workload (zirk2txt, txt2zirk), DIR holds WORKLOAD.*.json (one
hyperfine run per round, each timing the program and its xxd baseline) and
WORKLOAD.tool.rss (one peak in KiB a line). zirk2txt.cat.rss holds cat's
peaks on the same container, txt2zirk.size the container's size in bytes.
"""

import glob
import json
import os
import statistics
import sys

# Time ratio program/baseline each workload may reach, and what it stands for.
TARGETS = {
    "zirk2txt": (1.0, "(d) zirk2txt vs xxd -b, 255 fonts"),
    "txt2zirk": (1.5, "(e) txt2zirk vs xxd -r -p, 255 fonts"),
}


def is_baseline(result):
    return result["command"].startswith("xxd ")


def times(directory, workload):
    tool, base, round_ratios, t_cpu, b_cpu = [], [], [], 0.0, 0.0
    for path in sorted(glob.glob(os.path.join(directory, workload + ".*.json"))):
        with open(path) as f:
            results = json.load(f)["results"]
        t = next(r for r in results if not is_baseline(r))
        b = next(r for r in results if is_baseline(r))
        tool += t["times"]
        base += b["times"]
        round_ratios.append(statistics.median(t["times"]) / statistics.median(b["times"]))
        t_cpu += t["user"] + t["system"]
        b_cpu += b["user"] + b["system"]
    return tool, base, round_ratios, t_cpu / b_cpu


def peak(directory, name):
    with open(os.path.join(directory, name)) as f:
        return max(int(line) for line in f if line.strip())


def memory_limit(directory, workload):
    """zirk2txt streams: at most 1 MiB above cat of the same file. txt2zirk
    holds the container it builds: at most its size plus 2 MiB."""
    if workload == "zirk2txt":
        cat = peak(directory, "zirk2txt.cat.rss")
        return cat + 1024, "cat %d KiB + 1024" % cat
    with open(os.path.join(directory, "txt2zirk.size")) as f:
        size = int(f.read()) // 1024
    return size + 2048, "file %d KiB + 2048" % size


def main():
    directory, workloads = sys.argv[1], sys.argv[2:]
    header = ("workload", "program", "xxd", "ratio", "rounds", "fastest", "cpu", "target", "time",
              "RSS", "memory limit", "memory")
    rows = [header]
    verdicts = []
    for w in workloads:
        limit, label = TARGETS[w]
        t, b, round_ratios, cpu_ratio = times(directory, w)
        ratio = statistics.median(t) / statistics.median(b)
        rss = peak(directory, w + ".tool.rss")
        rss_limit, rss_limit_text = memory_limit(directory, w)
        time_met = ratio <= limit
        memory_met = rss <= rss_limit
        verdicts += [time_met, memory_met]
        rows.append((
            label,
            "%.1f ms" % (statistics.median(t) * 1000),
            "%.1f ms" % (statistics.median(b) * 1000),
            "%.2f" % ratio,
            "%.2f-%.2f" % (min(round_ratios), max(round_ratios)),
            "%.2f" % (min(t) / min(b)),
            "%.2f" % cpu_ratio,
            "<= %.1f" % limit,
            "met" if time_met else "MISSED",
            "%d KiB" % rss,
            "%d KiB (%s)" % (rss_limit, rss_limit_text),
            "met" if memory_met else "MISSED",
        ))

    widths = [max(len(row[i]) for row in rows) for i in range(len(header))]
    for row in rows:
        cells = [row[0].ljust(widths[0])] + [cell.rjust(width) for cell, width in zip(row[1:], widths[1:])]
        print("  ".join(cells).rstrip())
    print()
    print("program, xxd: median wall time of all runs; ratio: program/xxd of those medians;")
    print("rounds, fastest, cpu: as in the table above; RSS: highest peak resident memory.")
    print("all targets met" if all(verdicts) else "some targets MISSED")


main()
