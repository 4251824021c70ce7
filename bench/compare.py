#!/usr/bin/env python3
"""Summarises trivant-bench's JSON output (--benchmark_out_format=json): min, median and max
of each benchmark's repetitions, the batch's speed-up on two threads, and the Python
baseline (python_baseline.py) beside BM_FragmentAnalysis.

Usage: compare.py BENCH.json [--baseline-args ...]
"""
import json
import re
import statistics
import subprocess
import sys
import pathlib

TO_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


def repetitions(path):
    """Real time in ms of every repetition, by benchmark name, in the order first seen."""
    times = {}
    for b in json.loads(pathlib.Path(path).read_text())["benchmarks"]:
        if b.get("run_type", "iteration") != "iteration" or b.get("error_occurred"):
            continue
        times.setdefault(b["run_name"], []).append(b["real_time"] * TO_MS[b["time_unit"]])
    return times


def find(times, prefix):
    return next((t for name, t in times.items() if name.startswith(prefix)), None)


def python_median_ms(extra_args):
    script = pathlib.Path(__file__).resolve().parent / "python_baseline.py"
    line = subprocess.run([sys.executable, str(script), *extra_args], check=True,
                          capture_output=True, text=True).stdout.strip()
    print(line)
    return float(re.search(r"median_ms=([0-9.]+)", line).group(1))


def main():
    times = repetitions(sys.argv[1])
    print(f"{'benchmark':<44} {'runs':>4} {'min ms':>10} {'median ms':>10} {'max ms':>10}")
    for name, t in times.items():
        print(f"{name:<44} {len(t):>4} {min(t):>10.3f} {statistics.median(t):>10.3f} "
              f"{max(t):>10.3f}")

    one, two = find(times, "BM_AnalyzeBatch/jobs:1"), find(times, "BM_AnalyzeBatch/jobs:2")
    if one and two:
        print(f"BM_AnalyzeBatch: 2 jobs are {statistics.median(one) / statistics.median(two):.2f}x"
              " as fast as 1 (medians)")
    fragment = find(times, "BM_FragmentAnalysis")
    if fragment:
        trivant_ms = statistics.median(fragment)
        python_ms = python_median_ms(sys.argv[2:])
        print(f"5-minute fragment: python {python_ms:.3f} ms, trivant {trivant_ms:.3f} ms "
              f"(medians); python / trivant = {python_ms / trivant_ms:.2f}x")
    return 0


if __name__ == "__main__":
    sys.exit(main())
