// PAR of a histogram, flank by flank: counted afresh, or followed bin by bin while the
// window slides and the mode stays.
#pragma once

#include "histogram.h"

#include <array>
#include <cstdint>

namespace trivant {

// One flank: the bins from the mode outward to XMin (step -1) or XMax (step 1). Its share of
// PAR is the sum over the distance d of max(0, min(hs[d], Moda) - counts[d]), hs being the
// flank's counts sorted in descending order. For level a the c(a) bins nearest the mode
// (c(a) = bins above a) are searched for bins at or below a; bin d counts for every level a
// below Moda with counts[d] <= a < hs[d], since hs[d] > a <=> c(a) > d.
class ParFlank {
public:
    explicit ParFlank(int step) : step_(step) {}

    // The size bins (0: no flank) of h from its mode outward, counted afresh.
    void take(const Histogram& h, int size);
    // The same mode after a window step: size is the new extent; added and removed are the
    // bins that gained and lost a beat (-1: none). Bins beyond the old extent were empty.
    void follow(int size, int added, int removed);
    int size() const { return size_; }
    int64_t sum() const { return sum_; }

private:
    void change(int bin, int delta);
    int64_t term(int d) const;

    int step_;
    int moda_ = 0, size_ = 0;
    int64_t sum_ = 0;
    // Only the first size_ elements are ever read.
    std::array<uint16_t, kHistoBins> counts_;  // by distance from the mode
    std::array<uint16_t, kHistoBins> hs_;      // counts_[0..size_) in descending order
    // above_[c]: elements of hs_ above c, for c in 0..top_, top_ >= every element. A window
    // briefly holds sample + 1 beats while it slides.
    std::array<uint16_t, kMaxSample + 3> above_;
    int top_ = 0;
};

// Bins in the flanks of h: 0 when the mode lies beyond XMin or XMax on that side.
int lowFlankSize(const Histogram& h);
int highFlankSize(const Histogram& h);

// PAR of the sliding window, recounted only when the mode or the flanks' presence changes.
class SlidingPar {
public:
    // PAR of h, the window just after a step that added a beat to bin added and took one
    // from bin removed (-1: none).
    uint8_t step(const Histogram& h, int added, int removed);

private:
    ParFlank low_{-1}, high_{1};
    int moda_ = -1;
};

// PAR of h counted afresh.
uint8_t parOf(const Histogram& h);

}  // namespace trivant
