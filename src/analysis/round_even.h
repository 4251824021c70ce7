// Rounding of the signal's samples (0..255) to whole units, inline: in the loops over
// 30 000 samples std::nearbyint is a library call each.
#pragma once

namespace trivant {

// x to the nearest integer, halves to even, as std::nearbyint gives it in the default
// rounding mode, for |x| < 2^51: adding 1.5 * 2^52 leaves no bits for a fraction, so the
// addition itself rounds.
inline double RoundHalfEven(double x) {
    constexpr double kShift = 6755399441055744.0;
    return (x + kShift) - kShift;
}

}  // namespace trivant
