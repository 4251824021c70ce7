#!/usr/bin/python3
"""Checks trivant's standard HRV measures against an independent numpy/scipy evaluation.

Usage: standard_oracle.py STANDARD_DUMP RR_FOLDER [TRIVANT_CLI LIST...]
Runs standard_dump on every *.txt list of RR_FOLDER at a few starts and compares every
measure, computed on the list's exact intervals. With TRIVANT_CLI, also runs
`analyze --standard` on each list of RR_FOLDER and each LIST (exports such as a Kubios
seconds file), which must measure the exact intervals, and on the .rr that import-ms makes
of it, which must measure the intervals rounded to 10 ms.
Exits 77 (skipped) when numpy or scipy is missing, 1 on a mismatch.
"""
import json
import math
import subprocess
import sys
import tempfile
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


def rounded(ms):
    """The intervals as a .rr file keeps them: 10 ms steps, halves up."""
    return np.floor(ms / 10 + 0.5) * 10


def in_list(rr, ms):
    """Whether the fragment is a run of the list's intervals."""
    hay = np.round(ms * 1000).astype(np.int64)
    needle = np.round(np.array(rr) * 1000).astype(np.int64)
    starts = np.flatnonzero(hay[:len(hay) - len(needle) + 1] == needle[0])
    return any(np.array_equal(hay[s:s + len(needle)], needle) for s in starts)


def read_ms(path):
    """The intervals of a plain list in ms, or of a tab-separated export with a header row
    naming an RR column (seconds when its median is below 10), to the microsecond."""
    lines = [l for l in path.read_text().splitlines() if l.strip() and not l.startswith("#")]
    try:
        float(lines[0].split()[0])
        return np.array([float(l.split()[0]) for l in lines])
    except ValueError:
        names = lines[0].split("\t")
        col = next(i for i, n in enumerate(names) if n.strip('"').startswith("RR"))
        v = np.array([float(l.split("\t")[col]) for l in lines[1:]])
        return np.round(v * (1000 if np.median(v) < 10 else 1), 3)


def compare(where, got, r, fails):
    """Every measure of got against the oracle's on r; returns the oracle's Welch spectrum."""
    want, p = expected(r)
    for name, value in want.items():
        tol = SPECTRAL if name in ("vlf", "lf", "hf", "total", "lf_nu", "hf_nu", "lf_hf",
                                   "lf_peak", "hf_peak") else EXACT
        if got.get(name) is None or not close(got[name], value, tol):
            fails.append(f"{where}: {name} {got.get(name)}, expected {value}")
    return p


def check_cli(cli, path, fails):
    """analyze --standard on the list (exact) and on its .rr (10 ms) against the oracle."""
    ms = read_ms(path)
    compared = 0
    with tempfile.TemporaryDirectory() as tmp:
        rr = Path(tmp) / "list.rr"
        sources = [(path, True)]
        if len(ms) <= 31999:  # what a .rr file holds; a longer list is read as it is only
            subprocess.run([cli, "import-ms", str(path), str(rr)], check=True,
                           capture_output=True)
            sources.append((rr, False))
        for source, exact in sources:
            values = ms if exact else rounded(ms)
            for start in STARTS:
                run = subprocess.run([cli, "analyze", "--standard", "--start", str(start),
                                      str(source)], capture_output=True, text=True)
                if run.returncode != 0:
                    continue  # no fragment there
                out = json.loads(run.stdout)
                where = f"{path.name} {'list' if exact else '.rr'} start {start}"
                if out["standard"]["exact_intervals"] is not exact:
                    fails.append(f"{where}: exact_intervals is not {exact}")
                compare(where, out["standard"], values[out["FrPos"]:out["FrEnd"]], fails)
                compared += 1
    if compared == 0:
        fails.append(f"{path.name}: analyze fitted no fragment")
    return compared


def rows(cli, args):
    run = subprocess.run([cli] + args, check=True, capture_output=True, text=True)
    return [json.loads(line) for line in run.stdout.splitlines()]


def check_whole(cli, path, fails):
    """trend and stages on a list: each row's intervals, chosen here as the fragment picker
    chooses them (by the 10 ms values: the beat that starts at or after the window's start,
    the intervals after it for 300 s), against the oracle."""
    ms = read_ms(path)
    us = np.round(ms * 1000).astype(np.int64)
    starts = np.concatenate(([0], np.cumsum(us)[:-1]))
    loc = np.concatenate(([0], np.cumsum(np.floor(ms / 10 + 0.5).astype(np.int64) * 10000)))
    n = len(ms)
    compared = 0
    for row in rows(cli, ["trend", "--json", "--window", "300", "--step", "300", str(path)]):
        a, b = round(row["start_s"] * 1e6), round(row["end_s"] * 1e6)
        k = min(int(np.searchsorted(loc[:n], a)), n - 1)
        j = min(max(int(np.searchsorted(loc[:n], loc[k] + 300 * 10**6)), k + 1), n - 1)
        inside = ms[k + 1:j + 1]
        where = f"{path.name} trend {row['start_s']}"
        if row["n"] != len(inside) or b - a != 300 * 10**6:
            fails.append(f"{where}: n {row['n']}, expected {len(inside)}")
            continue
        compare(where, row, inside, fails)
        compared += 1
    if compared < 10:
        fails.append(f"{path.name} trend: {compared} windows, expected 11")
    labels = [1000, 2500, 2501]  # the last two in a row: a stage of one beat
    with tempfile.TemporaryDirectory() as tmp:
        csv = Path(tmp) / "stages.csv"
        csv.write_text("RR_ms;SpO2;label\n" + "".join(
            f"{v:.3f};;{int(i in labels)}\n" for i, v in enumerate(ms)))
        got = rows(cli, ["stages", "--json", str(csv)])
    bounds = [0] + labels + [len(ms)]
    if [r["stage"] for r in got] != [0, 1, 2, 3]:
        fails.append(f"{path.name} stages: {[r['stage'] for r in got]}")
        return compared
    for row, first, last in zip(got, bounds, bounds[1:]):
        where = f"{path.name} stage {row['stage']}"
        if not close(row["start_s"], starts[first] / 1e6, EXACT) or row["n"] != last - first:
            fails.append(f"{where}: starts at {row['start_s']} with {row['n']} intervals")
        elif last - first > 1:
            compare(where, row, ms[first:last], fails)
        compared += 1
    return compared


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
    if not case["exact"]:
        fails.append(f"{where}: a list's intervals were not taken exactly")
    p = compare(where, case, r, fails)
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
    if len(sys.argv) > 3:
        cli = sys.argv[3]
        lists = sorted(folder.glob("*.txt")) + [Path(p) for p in sys.argv[4:]]
        cases += sum(check_cli(cli, path, fails) for path in lists)
        cases += check_whole(cli, folder / "pyhrv-series_1.txt", fails)
    print(f"{cases} fragments compared, {len(fails)} mismatches")
    for f in fails:
        print(f)
    sys.exit(1 if fails else 0)


if __name__ == "__main__":
    main()
