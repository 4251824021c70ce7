#!/usr/bin/python3
"""Checks trivant's standard HRV measures against an independent numpy/scipy evaluation.

Usage: standard_oracle.py STANDARD_DUMP RR_FOLDER
Runs standard_dump on every *.txt list of RR_FOLDER at a few starts and compares every
measure. Exits 77 (skipped) when numpy or scipy is missing, 1 on a mismatch.
"""
import json
import math
import subprocess
import sys
from fractions import Fraction
from pathlib import Path

try:
    import numpy as np
    from scipy.interpolate import CubicSpline
    from scipy.signal import welch
except ImportError as e:
    print(f"skipped: {e}")
    sys.exit(77)

STARTS = [0, 600, 1200, 3000, 10000]
LEVELS = {"none": 250.0, "medium": 250.0, "verystrong": 50.0}
EXACT = 1e-9
SPECTRAL = 1e-6
BANDS = {"vlf": ("0.003", "0.04"), "lf": ("0.04", "0.15"), "hf": ("0.15", "0.4")}


def artifacts(r, threshold):
    n = len(r)
    med = np.array([np.median(r[max(0, i - 5):min(n, i + 6)]) for i in range(n)])
    return np.abs(r - med) > threshold


def corrected(r, flags):
    idx = np.arange(len(r))
    return np.interp(idx, idx[~flags], r[~flags])


def time_domain(r):
    d = np.diff(r)
    var, var_d = np.var(r, ddof=1), np.var(d, ddof=1)
    return {
        "mean_rr": np.mean(r), "sdnn": math.sqrt(var), "mean_hr": 60000 / np.mean(r),
        "rmssd": math.sqrt(np.mean(d * d)), "nn50": float(np.sum(np.abs(d) > 50)),
        "pnn50": 100 * np.sum(np.abs(d) > 50) / len(d),
        "sd1": math.sqrt(var_d / 2), "sd2": math.sqrt(2 * var - var_d / 2),
    }


def by_definition(x):
    """P_j straight from the definition, to hold scipy's scaling to it."""
    w = 0.5 - 0.5 * np.cos(2 * np.pi * np.arange(256) / 256)
    starts = range(0, len(x) - 255, 128)
    p = np.zeros(513)
    for s in starts:
        seg = x[s:s + 256]
        squared = np.abs(np.fft.rfft((seg - seg.mean()) * w, 1024)) ** 2
        c = np.full(513, 2.0)
        c[0] = c[512] = 1
        p += c * squared / (4 * np.sum(w * w))
    return p / len(starts)


def spectral(r):
    t = np.cumsum(r) / 1000
    k = math.floor(4 * np.sum(r[1:]) / 1000) + 1
    if k < 256:
        return {}, None
    x = CubicSpline(t, r, bc_type="natural")(t[0] + np.arange(k) / 4)
    f, p = welch(x, fs=4, window="hann", nperseg=256, noverlap=128, nfft=1024,
                 detrend="constant", scaling="density")
    assert np.allclose(p, by_definition(x), rtol=1e-12, atol=1e-12 * p.max())
    out = {}
    for name, (lo, hi) in BANDS.items():
        inside = [j for j in range(513) if Fraction(lo) <= Fraction(j, 256) < Fraction(hi)]
        out[name] = np.sum(p[inside]) * (f[1] - f[0])
        if name != "vlf":
            out[name + "_peak"] = f[inside[int(np.argmax(p[inside]))]]
    lf, hf = out["lf"], out["hf"]
    out.update(total=out["vlf"] + lf + hf, lf_nu=100 * lf / (lf + hf),
               hf_nu=100 * hf / (lf + hf), lf_hf=lf / hf)
    return out, p


def dfa(r, first, last):
    y = np.cumsum(r - np.mean(r))
    fn = []
    for n in range(first, last + 1):
        boxes = y[:len(y) // n * n].reshape(-1, n).T
        x = np.arange(n)
        coef = np.polyfit(x, boxes, 1)
        res = boxes - (np.outer(x, coef[0]) + coef[1])
        fn.append(math.sqrt(np.mean(res * res)))
    return np.polyfit(np.log10(np.arange(first, last + 1)), np.log10(fn), 1)[0]


def sampen(r, m, tol):
    n = len(r) - m
    tm = np.array([r[i:i + m + 1] for i in range(n)])
    b = a = 0
    for i in range(n - 1):
        dist = np.abs(tm[i + 1:] - tm[i])
        close_m = dist[:, :m].max(axis=1) <= tol
        b += np.sum(close_m)
        a += np.sum(close_m & (dist[:, m] <= tol))
    return -math.log(a / b)


def expected(r):
    out = time_domain(r)
    bands, p = spectral(r)
    out.update(bands)
    out["dfa_a1"], out["dfa_a2"] = dfa(r, 4, 16), dfa(r, 16, 64)
    out["sampen"] = sampen(r, 2, 0.2 * out["sdnn"])
    return out, p


def close(a, b, tol):
    return abs(a - b) <= tol * max(abs(a), abs(b), 1e-300)


def in_list(rr, ms):
    """Whether the fragment is a run of the list's intervals rounded to 10 ms, halves up."""
    hay = (np.floor(ms / 10 + 0.5) * 10).astype(np.int64)
    needle = np.array(rr, dtype=np.int64)
    starts = np.flatnonzero(hay[:len(hay) - len(needle) + 1] == needle[0])
    return any(np.array_equal(hay[s:s + len(needle)], needle) for s in starts)


def check(case, fails):
    r_in = np.array(case["input"])
    threshold = LEVELS[case["level"]]
    flags = artifacts(r_in, threshold)
    where = f"start {case['start']} {case['level']}"
    if case["flagged"] != np.sum(flags) or case["threshold"] != threshold:
        fails.append(f"{where}: flagged {case['flagged']}, expected {np.sum(flags)}")
    r = r_in if case["level"] == "none" else corrected(r_in, flags)
    if not np.allclose(case["rr"], r, rtol=1e-12, atol=0):
        fails.append(f"{where}: the measured series differs")
        return
    want, p = expected(r)
    for name, value in want.items():
        tol = SPECTRAL if name in ("vlf", "lf", "hf", "total", "lf_nu", "hf_nu", "lf_hf",
                                   "lf_peak", "hf_peak") else EXACT
        got = case[name]
        if got is None or not close(got, value, tol):
            fails.append(f"{where}: {name} {got}, expected {value}")
    if p is not None and not np.allclose(case["welch"], p, rtol=SPECTRAL,
                                         atol=SPECTRAL * p.max()):
        fails.append(f"{where}: the Welch spectrum differs")


def main():
    dump, folder = sys.argv[1], Path(sys.argv[2])
    fails, cases = [], 0
    for path in sorted(folder.glob("*.txt")):
        out = subprocess.run([dump, str(path)] + [str(s) for s in STARTS], check=True,
                             capture_output=True, text=True).stdout
        fitted = [c for c in map(json.loads, out.splitlines()) if c["fits"]]
        if not fitted:
            fails.append(f"{path.name}: no fragment fits")
        ms = np.loadtxt(path)
        fails += [f"{path.name} start {c['start']}: not a run of the list's intervals"
                  for c in fitted if not in_list(c["input"], ms)]
        for case in fitted:
            before = len(fails)
            check(case, fails)
            fails[before:] = [f"{path.name} {f}" for f in fails[before:]]
            cases += 1
    print(f"{cases} fragments compared, {len(fails)} mismatches")
    for f in fails:
        print(f)
    sys.exit(1 if fails else 0)


if __name__ == "__main__":
    main()
