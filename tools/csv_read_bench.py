#!/usr/bin/env python3
"""Reads a measurement file with Python's csv module, as a baseline for our reader.

Usage: csv_read_bench.py FILE [RUNS]. Prints the median CPU time of RUNS reads in milliseconds.
Each read opens the file, splits it with csv.reader and converts the fields a reader must
convert: the header numbers and, per sample, number, temperatures and the date and time.
"""
import csv
import statistics
import sys
import time


def read(path):
    with open(path, newline="", encoding="cp1252") as f:
        rows = list(csv.reader(f))
    set_values = [int(v) for v in rows[7][:6]]
    samples = []
    for row in rows[9:9 + set_values[5]]:
        day, month, year = (int(v) for v in row[1].split("."))
        hours, minutes, seconds = (int(v) for v in row[2].split(":"))
        samples.append((int(row[0]), (year, month, day), (hours, minutes, seconds),
                        int(row[3]), int(row[4]), row[5], row[6]))
    return samples


def main():
    path = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    times = []
    for _ in range(runs):
        start = time.process_time()
        samples = read(path)
        times.append((time.process_time() - start) * 1000.0)
    if len(samples) != 8644:
        sys.exit(f"read {len(samples)} samples, expected 8644")
    print(f"{statistics.median(times):.3f}")


if __name__ == "__main__":
    main()
