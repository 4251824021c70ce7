#!/usr/bin/env python3
"""The same 5-minute fragment analysed the way Python HRV toolkits do it, for comparison
with BM_FragmentAnalysis: time-domain statistics of the intervals, then Welch's power
spectrum of the series interpolated at 4 Hz with a cubic spline (nperseg 256), and the
VLF/LF/HF band powers. Prints one line: "python_baseline median_ms=... min_ms=... ...".

Needs numpy and scipy (Debian: python3-numpy python3-scipy).
"""
import argparse
import pathlib
import statistics
import timeit

import numpy as np
from scipy.interpolate import CubicSpline
from scipy.signal import welch

FRAGMENT_S = 300.0
RESAMPLE_HZ = 4.0
BANDS_HZ = {"vlf": (0.0033, 0.04), "lf": (0.04, 0.15), "hf": (0.15, 0.4)}


def time_domain(rr_ms):
    diff = np.diff(rr_ms)
    nn50 = int(np.sum(np.abs(diff) > 50))
    return {
        "mean_rr": float(np.mean(rr_ms)),
        "sdnn": float(np.std(rr_ms, ddof=1)),
        "rmssd": float(np.sqrt(np.mean(diff**2))),
        "nn50": nn50,
        "pnn50": 100.0 * nn50 / len(diff),
        "mean_hr": float(np.mean(60000.0 / rr_ms)),
    }


def frequency_domain(rr_ms):
    beat_s = np.cumsum(rr_ms) / 1000.0
    beat_s -= beat_s[0]
    grid = np.arange(0.0, beat_s[-1], 1.0 / RESAMPLE_HZ)
    series = CubicSpline(beat_s, rr_ms)(grid)
    freq, psd = welch(series, fs=RESAMPLE_HZ, nperseg=256, detrend="constant")
    powers = {}
    for name, (lo, hi) in BANDS_HZ.items():
        band = (freq >= lo) & (freq < hi)
        powers[name] = float(np.trapz(psd[band], freq[band]))
    powers["lf_hf"] = powers["lf"] / powers["hf"]
    return powers


def analyse(rr_ms):
    # The fragment: the beats that start within the first 300 s after the first beat.
    start_s = np.concatenate(([0.0], np.cumsum(rr_ms[1:]) / 1000.0))
    fragment = rr_ms[start_s <= FRAGMENT_S]
    return time_domain(fragment), frequency_domain(fragment)


def main():
    here = pathlib.Path(__file__).resolve().parent
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("file", nargs="?", default=here / "data" / "five_minutes.txt")
    parser.add_argument("--number", type=int, default=200, help="runs per repeat")
    parser.add_argument("--repeat", type=int, default=5)
    args = parser.parse_args()

    rr_ms = np.loadtxt(args.file, dtype=float)
    timer = timeit.Timer(lambda: analyse(rr_ms))
    per_run_ms = [1000.0 * t / args.number
                  for t in timer.repeat(repeat=args.repeat, number=args.number)]
    td, fd = analyse(rr_ms)
    print(f"python_baseline median_ms={statistics.median(per_run_ms):.4f} "
          f"min_ms={min(per_run_ms):.4f} max_ms={max(per_run_ms):.4f} "
          f"number={args.number} repeat={args.repeat} "
          f"sdnn={td['sdnn']:.1f} rmssd={td['rmssd']:.1f} lf_hf={fd['lf_hf']:.2f}")


if __name__ == "__main__":
    main()
