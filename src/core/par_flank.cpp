// PAR flanks: a sorted copy of the counts, kept sorted by moving one element per change.
#include "par_flank.h"

#include <algorithm>
#include <functional>

namespace trivant {

namespace {

constexpr int kMaxPar = 255;

// Counts mostly fall away from the mode, so an insertion sort has little to move; a flank
// that is far from that order goes to std::sort before the moves grow quadratic.
void sortDescending(uint16_t* a, int n) {
    int budget = 8 * n;
    for (int d = 1; d < n; ++d) {
        const uint16_t c = a[d];
        int i = d;
        for (; i > 0 && a[i - 1] < c; --i)
            a[i] = a[i - 1];
        a[i] = c;
        budget -= d - i;
        if (budget < 0) {
            std::sort(a, a + n, std::greater<>());
            return;
        }
    }
}

}  // namespace

int64_t ParFlank::term(int d) const {
    return std::max(0, std::min<int>(hs_[d], moda_) - counts_[d]);
}

void ParFlank::take(const Histogram& h, int size) {
    moda_ = h.Moda;
    size_ = size;
    // Empty bins sort last, so only the others are sorted.
    int filled = 0;
    for (int d = 0; d < size; ++d) {
        counts_[d] = h.HistoBuf[moda_ + d * step_];
        if (counts_[d] != 0)
            hs_[filled++] = counts_[d];
    }
    sortDescending(hs_.data(), filled);
    std::fill(hs_.begin() + filled, hs_.begin() + size, uint16_t{0});
    top_ = filled > 0 ? hs_[0] : 0;
    for (int c = 0, above = filled; c <= top_; ++c) {
        while (above > 0 && hs_[above - 1] <= c)
            --above;
        above_[c] = static_cast<uint16_t>(above);
    }
    sum_ = 0;
    for (int d = 0; d < filled; ++d)  // past them hs_ is 0 and a term is never positive
        sum_ += term(d);
}

void ParFlank::follow(int size, int added, int removed) {
    // New bins at the far end are empty, so their zeros go at the end of hs_ and add
    // nothing; bins that leave at the end are empty too, and so are as many last hs_.
    if (size > size_) {
        std::fill(counts_.begin() + size_, counts_.begin() + size, uint16_t{0});
        std::fill(hs_.begin() + size_, hs_.begin() + size, uint16_t{0});
        size_ = size;
    }
    if (added != removed) {
        change(added, 1);
        change(removed, -1);
    }
    size_ = size;
}

// One beat more or less in a bin: in hs_ the first (or last) element equal to its old count
// c moves by one, which keeps hs_ sorted, so only two terms change. The first c sits at
// above_[c] and the last at above_[c - 1] - 1; the move changes only that entry of above_.
void ParFlank::change(int bin, int delta) {
    const int d = (bin - moda_) * step_;
    if (bin < 0 || d < 0 || d >= size_)
        return;
    const int c = counts_[d];
    int r;
    if (delta > 0) {
        r = above_[c]++;
        if (c == top_)
            above_[++top_] = 0;
    } else {
        r = --above_[c - 1];
    }
    sum_ -= term(r) + (r != d ? term(d) : 0);
    hs_[r] = static_cast<uint16_t>(hs_[r] + delta);
    counts_[d] = static_cast<uint16_t>(counts_[d] + delta);
    sum_ += term(r) + (r != d ? term(d) : 0);
}

int lowFlankSize(const Histogram& h) {
    return h.Moda >= h.XMin ? h.Moda - h.XMin + 1 : 0;
}

int highFlankSize(const Histogram& h) {
    return h.Moda <= h.XMax ? h.XMax - h.Moda + 1 : 0;
}

uint8_t SlidingPar::step(const Histogram& h, int added, int removed) {
    const int low = lowFlankSize(h), high = highFlankSize(h);
    if (h.Moda == 0) {
        moda_ = -1;  // no flanks kept: the next step counts afresh
        return 0;
    }
    if (h.Moda != moda_ || (low > 0) != (low_.size() > 0) || (high > 0) != (high_.size() > 0)) {
        moda_ = h.Moda;
        low_.take(h, low);
        high_.take(h, high);
    } else {
        low_.follow(low, added, removed);
        high_.follow(high, added, removed);
    }
    // A sum past the byte saturates rather than wrapping to a small, wrong value.
    return static_cast<uint8_t>(std::min<int64_t>(low_.sum() + high_.sum(), kMaxPar));
}

uint8_t parOf(const Histogram& h) {
    return SlidingPar().step(h, -1, -1);  // a fresh one has no mode yet, so it counts afresh
}

}  // namespace trivant
