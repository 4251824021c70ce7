// Constant vertical ranges of the traces; a window's scale indices select a row.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace trivant {

struct ScaleRange {
    int32_t lower;
    int32_t upper;
};

struct ScaleRanges {
    static constexpr int kSpoRows = 3;
    static constexpr int kRows = 6;
    static constexpr std::array<ScaleRange, kSpoRows> SPO{{{50, 100}, {75, 100}, {90, 100}}};
    // RR in 10 ms units: 200..1200 ms to 600..1600 ms, then 200..2200 ms.
    static constexpr std::array<ScaleRange, kRows> RR{
        {{20, 120}, {30, 130}, {40, 140}, {50, 150}, {60, 160}, {20, 220}}};
    static constexpr std::array<ScaleRange, kRows> HRV{
        {{0, 200}, {0, 150}, {0, 100}, {0, 50}, {0, 25}, {0, 10}}};
    static constexpr std::array<ScaleRange, kRows> IB{
        {{0, 5000}, {0, 3000}, {0, 1000}, {0, 500}, {0, 250}, {0, 100}}};

    // Of rows listed widest first, the narrowest whose upper bound holds value, else the widest.
    static constexpr int NarrowestHolding(const std::array<ScaleRange, kRows>& rows,
                                          int64_t value) {
        int r = kRows - 1;
        while (r > 0 && value > rows[static_cast<std::size_t>(r)].upper)
            --r;
        return r;
    }
};

}  // namespace trivant
