#!/usr/bin/python3
"""The values of long_term_test.cpp from RR lists in ms, by numpy, apart from the C++ code.

Usage: long_term_oracle.py LIST...  Segment k: the intervals starting in [300k, 300k + 300) s,
kept when the list lasts 300(k + 1) s and it holds two or more. Every SD is over N - 1.
"""
import sys

import numpy as np

for path in sys.argv[1:]:
    ms = np.array([float(line.split()[0]) for line in open(path) if line.strip()[:1].isdigit()])
    starts = np.concatenate(([0.0], np.cumsum(ms)[:-1]))
    segment = (starts // 300000).astype(int)
    whole = int(ms.sum() // 300000)
    kept = [ms[segment == k] for k in range(whole) if np.count_nonzero(segment == k) >= 2]
    print(path, repr(ms.sum() / 1000), len(ms), len(kept), repr(np.std(ms, ddof=1)),
          repr(np.std([s.mean() for s in kept], ddof=1)),
          repr(np.mean([np.std(s, ddof=1) for s in kept])))
