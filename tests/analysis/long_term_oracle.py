#!/usr/bin/python3
"""The values of long_term_test.cpp from RR lists in ms, in exact arithmetic (no numpy needed).

Usage: long_term_oracle.py LIST...  Segment k: the intervals starting in [300k, 300k + 300) s,
kept when the list lasts 300(k + 1) s and it holds two or more. Sums and means are fractions;
each SD (N - 1) is statistics.stdev of them.
"""
import statistics
import sys
from fractions import Fraction

for path in sys.argv[1:]:
    ms = [Fraction(line.split()[0]) for line in open(path) if line.strip()[:1].isdigit()]
    start, segments = Fraction(0), {}
    for x in ms:
        segments.setdefault(int(start // 300000), []).append(x)
        start += x
    kept = [s for k, s in segments.items() if k < sum(ms) // 300000 and len(s) >= 2]
    sdnns = [Fraction(statistics.stdev(s)) for s in kept]
    print(path, float(sum(ms) / 1000), len(ms), len(kept), statistics.stdev(ms),
          statistics.stdev([sum(s) / len(s) for s in kept]), float(sum(sdnns) / len(sdnns)))
