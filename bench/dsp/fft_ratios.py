#!/usr/bin/env python3
"""Ratio table RealFft / FFTW r2c from a dsp_bench JSON report.

    build/bin/dsp_bench --benchmark_repetitions=5 --benchmark_out=fft.json \
        --benchmark_out_format=json
    bench/dsp/fft_ratios.py fft.json

The machine is shared, so both transforms of a length run back to back and
only their ratio is meaningful. Prints the ratio of the medians and of the
fastest runs, in CPU time and in wall time.
"""
import json
import statistics
import sys
from collections import defaultdict


def main(path):
    runs = defaultdict(lambda: {"cpu": [], "real": []})
    for b in json.load(open(path))["benchmarks"]:
        if b.get("run_type") != "iteration":
            continue
        runs[b["run_name"]]["cpu"].append(b["cpu_time"])
        runs[b["run_name"]]["real"].append(b["real_time"])
    print("| N | RealFft CPU | FFTW r2c CPU | ratio (median) | ratio (fastest) | ratio wall (median) |")
    print("|---|---|---|---|---|---|")
    for bits in range(10, 31):
        ours, theirs = runs.get(f"RealFft/2^{bits}"), runs.get(f"FftwR2c/2^{bits}")
        if not ours or not theirs:
            continue
        cpu_o, cpu_t = statistics.median(ours["cpu"]), statistics.median(theirs["cpu"])
        print(f"| 2^{bits} | {cpu_o:.4g} us | {cpu_t:.4g} us | {cpu_o / cpu_t:.2f} "
              f"| {min(ours['cpu']) / min(theirs['cpu']):.2f} "
              f"| {statistics.median(ours['real']) / statistics.median(theirs['real']):.2f} |")
    for name in ("fftChannelWithRealFft", "fftChannelWithFftw"):
        if name in runs:
            print(f"{name}: median CPU {statistics.median(runs[name]['cpu']):.4g} ms")


if __name__ == "__main__":
    main(sys.argv[1])
