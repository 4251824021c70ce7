// Sliding-window histogram: the mode, range and spreads follow the two bins that change.
#include "sliding_histo.h"

#include <algorithm>

namespace trivant {

void SlidingHisto::slide(const uint8_t* rr, int k) {
    // The new beat goes in first, so the window never empties on the way.
    const int added = rr[k], removed = k > sample_ ? rr[k - sample_] : -1;
    add(added, k);
    if (removed >= 0)
        remove(removed);
    h_.windowLen = std::min(k, sample_);
    h_.AMo = static_cast<uint8_t>(std::min<int>(h_.peak, kAMoCap));
    h_.AMo50 = static_cast<uint8_t>(std::min<int>(peak50_, kAMoCap));
    followSymLevel();
    histoSpread(h_.HistoBuf.data(), lo_, hi_, h_.XMin, h_.XMax, h_.DeltaX);
    histoSpread(h_.Histo50Buf.data(), bin50(lo_), bin50(hi_), h_.XMin50, h_.XMax50, h_.DeltaX50);
    par_ = pars_.step(h_, added, removed);
}

// The newest beat's bin now has the latest last occurrence, so it takes the mode only with
// a count strictly above the peak, and never loses a tie.
void SlidingHisto::add(int v, int pos) {
    const uint16_t c = ++h_.HistoBuf[v];
    recount(v, c - 1);
    lastPos_[v] = pos;
    if (c > h_.peak) {
        h_.peak = c;
        h_.Moda = static_cast<uint8_t>(v);
    }
    const int b = bin50(v);
    const uint16_t c50 = ++h_.Histo50Buf[b];
    last50_[b] = pos;
    if (c50 > peak50_) {
        peak50_ = c50;
        h_.Moda50 = static_cast<uint8_t>(b);
    }
    h_.windowSum += v;
    h_.windowSumSq += v * v;
    lo_ = std::min(lo_, v);
    hi_ = std::max(hi_, v);
}

// Only the mode's own bin losing a beat can change the mode; then it is searched again.
void SlidingHisto::remove(int v) {
    const uint16_t c = --h_.HistoBuf[v];
    recount(v, c + 1);
    if (c == 0) {
        while (h_.HistoBuf[lo_] == 0)
            ++lo_;
        while (h_.HistoBuf[hi_] == 0)
            --hi_;
    }
    if (v == h_.Moda)
        pickMode(h_.HistoBuf.data(), lastPos_.data(), lo_, hi_, h_.peak, h_.Moda);
    const int b = bin50(v);
    --h_.Histo50Buf[b];
    if (b == h_.Moda50)
        pickMode(h_.Histo50Buf.data(), last50_.data(), bin50(lo_), bin50(hi_), peak50_, h_.Moda50);
    h_.windowSum -= v;
    h_.windowSumSq -= v * v;
}

// Bin v went from before to its present count.
void SlidingHisto::recount(int v, int before) {
    if (v < kFirstXBin || v > kLastXBin)
        return;  // outside XMin..XMax whatever the window
    const int after = h_.HistoBuf[v];
    --binsWithCount_[before];
    ++binsWithCount_[after];
    symBins_ += (after >= symLevel_) - (before >= symLevel_);
}

// AMo moves by at most one a step, so the level moves by at most one.
void SlidingHisto::followSymLevel() {
    const int level = h_.AMo / 5 + 1;
    for (; symLevel_ < level; ++symLevel_)
        symBins_ -= binsWithCount_[symLevel_];
    for (; symLevel_ > level; --symLevel_)
        symBins_ += binsWithCount_[symLevel_ - 1];
}

}  // namespace trivant
