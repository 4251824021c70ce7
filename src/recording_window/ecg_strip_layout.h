// Geometry of the ECG strip under the rhythmogram: paper at the clinical 25 mm/s and
// 10 mm/mV scaled by the device's dots per inch, the samples it shows around a centre
// sample, and the sample-to-x and mV-to-y transforms the painting and tests share.
#pragma once

#include "rect.h"

#include <cstdint>

namespace trivant {

constexpr double kEcgMmPerS = 25;     // paper speed
constexpr double kEcgMmPerMv = 10;    // gain where the paper is high enough for it
constexpr double kEcgLowMmPerMv = 5;  // half gain on a strip too low for kEcgPaperMm
constexpr double kEcgPaperMm = 30;    // 3 mV at full gain
constexpr double kEcgCalMm = 10;      // the calibration pulse's margin left of the trace
constexpr double kEcgCalPulseMm = 5;  // its width: 0.2 s
constexpr double kEcgBaseline = 0.6;  // the baseline's place down the paper: R waves point up
constexpr double kMmPerInch = 25.4;

struct EcgStripLayout {
    Rect area;           // the whole strip, caption row included
    Rect paper;          // the grid
    int traceLeft = 0;   // x of the first sample shown, right of the calibration margin
    double pxPerMm = 1;  // device pixels per millimetre
    double mmPerMv = kEcgMmPerMv;
    double rate = 1;       // samples per second
    int64_t first = 0;     // first sample shown
    int64_t count = 0;     // samples across the paper (fewer may exist at the record's end)
    double baselineY = 0;  // y of 0 mV
    double sampleToX(int64_t s) const {
        return traceLeft + double(s - first) * pxPerMm * kEcgMmPerS / rate;
    }
    double mvToY(double mv) const { return baselineY - mv * mmPerMv * pxPerMm; }
    double mmToPx(double mm) const { return mm * pxPerMm; }
    double widthS() const { return double(count) / rate; }
};

// The strip in area (captionH pixels kept for the caption under the paper) on a device of
// dpi dots per inch, for a channel of rate Hz and totalSamples samples: centred on centre,
// or flush with the record's start or end when centring would pass it.
EcgStripLayout ComputeEcgStripLayout(const Rect& area, int captionH, double dpi, double rate,
                                     int64_t centre, int64_t totalSamples);

// The strip of a window clientW x clientH: stripH pixels at its bottom, tw in from either
// side; empty for a stripH of 0.
Rect EcgStripArea(int clientW, int clientH, int stripH, int tw);

// The height a strip asks for: kEcgPaperMm of paper and the caption, at most maxH.
int EcgStripHeight(double dpi, int captionH, int maxH);

}  // namespace trivant
