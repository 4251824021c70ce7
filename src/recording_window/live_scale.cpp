// Live scales: the narrowest row with room to spare, widened only.
#include "live_scale.h"

#include <cstddef>

namespace trivant {

int WidenedRow(const ScaleRows& rows, int row, int32_t value) {
    const int last = static_cast<int>(rows.size()) - 1;
    if (row < 0 || row > last)
        return row;
    if (value <= rows[static_cast<std::size_t>(row)].upper)
        return row;
    return ScaleRanges::NarrowestHolding(rows, int64_t{value} + value / 4);
}

int LiveScale::Follow(const ScaleRows& rows, int row, int32_t value) {
    chosen_ = chosen_ || row != given_;
    if (chosen_)
        return row;
    given_ = WidenedRow(rows, row, value);
    return given_;
}

}  // namespace trivant
