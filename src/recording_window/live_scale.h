// The value scales of a recording that grows. A scale widens when a beat's value leaves it,
// to a row that holds the value with a quarter to spare, and never narrows while it records:
// the curves are not cut off, and the scale does not jump at every beat. Values that fit
// leave the scale as it started.
#pragma once

#include "scale_ranges.h"

#include <array>
#include <cstdint>

namespace trivant {

using ScaleRows = std::array<ScaleRange, ScaleRanges::kRows>;

// The row of rows (widest first, as ScaleRanges lists them) to show value in while row is
// shown: row itself while value fits in it, else the narrowest row whose upper bound holds
// value and a quarter more, else the widest.
int WidenedRow(const ScaleRows& rows, int row, int32_t value);

// One scale of one recording, from its start.
class LiveScale {
public:
    explicit LiveScale(int startRow = 0) : given_(startRow) {}
    // The row to show after value arrived, row being the one shown now: widened as
    // WidenedRow does. A row other than the one this gave last was the user's choice, which
    // stays for the rest of the recording.
    int Follow(const ScaleRows& rows, int row, int32_t value);

private:
    int given_;
    bool chosen_ = false;
};

}  // namespace trivant
