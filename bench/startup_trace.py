#!/usr/bin/python3
"""Summarises startup-trace.txt of the editor's measuring build: the median
time of each step of start-up over the starts (the first, a warm-up, left
out), in the order the steps ran, as a Markdown table, and the five
largest.

Usage: startup_trace.py TRACE-FILE
"""

import statistics
import sys


def Starts(text):
    """Each start as a list of (step, microseconds)."""
    starts = []
    for block in text.strip().split("\n\n"):
        steps = [line.split("\t") for line in block.splitlines() if "\t" in line]
        starts.append([(step, float(micros)) for step, micros in steps])
    return starts


def Medians(starts):
    counted = starts[1:] or starts
    order = [step for step, _ in counted[0]]
    times = {step: [] for step in order}
    for start in counted:
        for step, micros in start:
            times.setdefault(step, []).append(micros)
    return [(step, statistics.median(times[step])) for step in order], len(counted)


def main():
    with open(sys.argv[1], encoding="ascii") as stream:
        medians, count = Medians(Starts(stream.read()))
    total = sum(micros for _, micros in medians)
    print(f"| Step (median of {count} starts) | ms | share |\n|---|---:|---:|")
    for step, micros in medians:
        print(f"| {step} | {micros / 1000:.1f} | {100 * micros / total:.0f} % |")
    print(f"| all, from the runtime's start to the first idle moment | {total / 1000:.1f} | |")
    largest = sorted(medians, key=lambda entry: -entry[1])[:5]
    print("\nThe five largest: " +
          ", ".join(f"{step} ({micros / 1000:.1f} ms)" for step, micros in largest) + ".")


if __name__ == "__main__":
    main()
