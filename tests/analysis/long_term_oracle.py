#!/usr/bin/python3
"""SDANN, SDNN index and SDNN of RR lists in ms, in exact arithmetic, independent of trivant.

Usage: long_term_oracle.py LIST...
Prints, per list, the values long_term_test.cpp holds: the duration (s), N, the complete
5-minute segments (those the recording runs to the end of, with two intervals or more;
segment k holds the intervals that start in [300k, 300k + 300) s, beat 1 starting at 0),
SDNN, SDANN (SD of the segments' means) and the SDNN index (mean of their SDNNs), SDs over
N - 1. Sums and means are exact fractions; each SD is statistics.stdev of them. Needs no
numpy, so that the values can be remade wherever Python 3 runs.
"""
import statistics
import sys
from fractions import Fraction

SEGMENT_MS = 300000


def long_term(ms):
    total = sum(ms)
    complete = int(total // SEGMENT_MS)
    segments = {}
    start = Fraction(0)
    for x in ms:
        segments.setdefault(int(start // SEGMENT_MS), []).append(x)
        start += x
    kept = [s for k, s in sorted(segments.items()) if k < complete and len(s) >= 2]
    means = [sum(s) / len(s) for s in kept]
    sdnns = [Fraction(statistics.stdev(s)) for s in kept]
    return {
        "duration_s": float(total / 1000), "n": len(ms), "segments": len(kept),
        "sdnn": statistics.stdev(ms) if len(ms) > 1 else None,
        "sdann": statistics.stdev(means) if len(means) > 1 else None,
        "sdnni": float(sum(sdnns) / len(sdnns)) if sdnns else None,
    }


def read_ms(path):
    with open(path) as f:
        return [Fraction(line.split()[0]) for line in f
                if line.strip() and not line.startswith("#")]


def main():
    for path in sys.argv[1:]:
        values = long_term(read_ms(path))
        print(path, " ".join(f"{k}={v!r}" for k, v in values.items()))


if __name__ == "__main__":
    main()
