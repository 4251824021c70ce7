// Builds the 10 ms and 50 ms interval histograms of a trailing window of beats.
#include "histogram.h"

#include <algorithm>

namespace trivant {

namespace {

constexpr int kLanes = 4;  // independent count arrays, so repeated bins don't stall

void fill50(Histogram& h, const int32_t* lastPos, int lo, int hi, int32_t* last50) {
    h.Histo50Buf.fill(0);
    for (int b = bin50(lo); b <= bin50(hi); ++b) {
        int32_t last = 0;
        uint16_t c = 0;
        for (int v = std::max(lo, 5 * b - 2); v <= std::min(hi, 5 * b + 2); ++v) {
            c += h.HistoBuf[v];
            if (h.HistoBuf[v])
                last = std::max(last, lastPos[v]);
        }
        h.Histo50Buf[b] = c;
        last50[b] = last;
    }
}

}  // namespace

// A bin reaches its count at its last occurrence, so among the bins holding the largest
// count the one that got there first while filling in beat order is the one whose last
// occurrence comes earliest.
void pickMode(const uint16_t* counts, const int32_t* lastPos, int lo, int hi, uint16_t& peak,
              uint8_t& moda) {
    peak = 0;
    int best = -1;
    for (int v = lo; v <= hi; ++v) {
        if (counts[v] == 0)
            continue;
        if (counts[v] > peak || (counts[v] == peak && lastPos[v] < lastPos[best])) {
            peak = counts[v];
            best = v;
        }
    }
    if (best >= 0)
        moda = static_cast<uint8_t>(best);  // an empty window keeps the old mode
}

void histoSpread(const uint16_t* counts, int lo, int hi, uint8_t& xMin, uint8_t& xMax,
                 uint8_t& deltaX) {
    // Nothing lies outside lo..hi; the limits keep tiny and huge bins out of the spread.
    int first = std::max(lo, kFirstXBin);
    while (first <= std::min(hi, 254) && counts[first] == 0)
        ++first;
    xMin = static_cast<uint8_t>(first <= std::min(hi, 254) ? first : 255);
    int last = std::min(hi, kLastXBin);
    while (last >= std::max(lo, 1) && counts[last] == 0)
        --last;
    xMax = static_cast<uint8_t>(last >= std::max(lo, 1) ? last : 0);
    if (xMax < xMin) {
        deltaX = 1;
        return;
    }
    deltaX = static_cast<uint8_t>(xMax - xMin + 1);
    if (deltaX == 0)
        deltaX = 1;
}

void buildHisto(const uint8_t* rr, int k, int sample, Histogram& h) {
    uint16_t lanes[kLanes][kHistoBins] = {};
    int32_t lastPos[kHistoBins];  // valid only where a count is non-zero
    const int n = std::max(0, std::min(k, ClampSample(sample)));
    int lo = kHistoBins - 1, hi = 0;
    for (int j = k - n + 1; j <= k; ++j) {
        const int v = rr[j];
        ++lanes[j & (kLanes - 1)][v];
        lastPos[v] = j;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    h.HistoBuf.fill(0);
    h.windowLen = n;
    h.windowSum = h.windowSumSq = 0;
    for (int v = lo; v <= hi; ++v) {
        const uint16_t c = lanes[0][v] + lanes[1][v] + lanes[2][v] + lanes[3][v];
        h.HistoBuf[v] = c;
        h.windowSum += c * v;
        h.windowSumSq += c * v * v;
    }
    int32_t last50[kBins50];
    fill50(h, lastPos, lo, hi, last50);

    pickMode(h.HistoBuf.data(), lastPos, lo, hi, h.peak, h.Moda);
    uint16_t peak50 = 0;
    pickMode(h.Histo50Buf.data(), last50, bin50(lo), bin50(hi), peak50, h.Moda50);
    h.AMo = static_cast<uint8_t>(std::min<int>(h.peak, kAMoCap));
    h.AMo50 = static_cast<uint8_t>(std::min<int>(peak50, kAMoCap));
    histoSpread(h.HistoBuf.data(), lo, hi, h.XMin, h.XMax, h.DeltaX);
    histoSpread(h.Histo50Buf.data(), bin50(lo), bin50(hi), h.XMin50, h.XMax50, h.DeltaX50);
}

}  // namespace trivant
