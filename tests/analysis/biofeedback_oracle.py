#!/usr/bin/python3
"""Checks the biofeedback figures against numpy, straight from their definitions.

Usage: biofeedback_oracle.py BIOFEEDBACK_DUMP RR_LIST
Synthetic rhythms (a 0.1 Hz sinusoidal modulation, white noise) and the real list go
through biofeedback_dump; every figure must match, the modulated rhythm must score a high
coherence ratio and the noise a low one. Exits 77 (skipped) without numpy, 1 on a mismatch.
"""
import subprocess
import sys
import tempfile

try:
    import numpy as np
except ImportError as e:
    print(f"skipped: {e}")
    sys.exit(77)

TOL = 1e-7


def coherence(t, rr):
    end = t[-1]
    if t[0] > end - 63.5:
        return None
    u = end - 0.5 * np.arange(127, -1, -1)
    x = np.interp(u, t, rr)
    x = (x - x.mean()) * np.hanning(128)
    p = np.abs(np.fft.rfft(x, 1024)) ** 2
    f = np.arange(len(p)) * 2 / 1024
    band = (f >= 0.04) & (f <= 0.26)
    fp = f[band][np.argmax(p[band])]
    inside = (f >= 0.0033) & (f <= 0.4)
    peak = p[inside & (np.abs(f - fp) <= 0.015)].sum()
    total = p[inside].sum()
    return (peak / (total - peak), fp) if total - peak > 0 else None


def amplitude(t, rr, cycle):
    end = t[-1]
    if t[0] > end - 4 * cycle:
        return None
    hr = 60000 / rr
    swings = []
    for c in range(4):
        m = (t > end - (c + 1) * cycle) & (t <= end - c * cycle)
        if not m.any():
            return None
        swings.append(hr[m].max() - hr[m].min())
    return float(np.mean(swings))


def rmssd(t, rr):
    r = rr[t > t[-1] - 60]
    return float(np.sqrt(np.mean(np.diff(r) ** 2))) if len(r) >= 2 else None


def close(a, b):
    if a is None or b is None:
        return a is None and b is None
    return abs(a - b) <= TOL * max(1.0, abs(b))


def check(dump, name, rr, cycle, stride):
    t = np.cumsum(rr) / 1000
    with tempfile.NamedTemporaryFile("w", suffix=".txt") as f:
        f.write("".join(f"{a!r} {b!r}\n" for a, b in zip(t.tolist(), rr.tolist())))
        f.flush()
        out = subprocess.run([dump, f.name, repr(cycle), str(stride)], check=True,
                             capture_output=True, text=True).stdout
    bad, ratios = 0, []
    num = lambda s: None if s == "-" else float(s)
    for line in out.splitlines():
        i, *got = line.split()
        i = int(i)
        got = [num(v) for v in got]
        tt, rrr = t[: i + 1], rr[: i + 1]
        c = coherence(tt, rrr)
        want = [c and c[0], c and c[1], amplitude(tt, rrr, cycle),
                c and amplitude(tt, rrr, 1 / c[1]), rmssd(tt, rrr)]
        if not all(close(g, w) for g, w in zip(got, want)):
            bad += 1
            if bad <= 5:
                print(f"{name} beat {i}: got {got}, want {want}")
        if c:
            ratios.append(c[0])
    print(f"{name}: {len(out.splitlines())} beats, median ratio "
          f"{np.median(ratios) if ratios else float('nan'):.3g}, {bad} mismatches")
    return bad, (np.median(ratios) if ratios else None)


def main():
    dump, real = sys.argv[1], sys.argv[2]
    rng = np.random.default_rng(35)
    n = 600
    beat = np.arange(n)
    # The modulation advances with the beat's own time, about 0.1 Hz at 1 s per beat.
    paced = 1000 + 80 * np.sin(2 * np.pi * 0.1 * beat) + rng.normal(0, 5, n)
    noise = 900 + rng.normal(0, 40, n)
    cases = [("paced", paced, 10.0, 3, lambda r: r > 5),
             ("noise", noise, 10.0, 3, lambda r: r < 1),
             ("real", np.loadtxt(real, dtype=float), 12.5, 5, lambda r: True)]
    failed = False
    for name, rr, cycle, stride, expect in cases:
        bad, median = check(dump, name, rr, cycle, stride)
        if bad or median is None or not expect(median):
            print(f"{name}: FAILED")
            failed = True
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
