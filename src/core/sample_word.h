// One beat packed into 16 bits: RR in 10 ms units in the high byte, SpO2 % or the
// label mark in the low byte.
#pragma once

#include <cstdint>

namespace trivant {

using SampleWord = uint16_t;

constexpr uint8_t kLabelMark = 255;  // low byte value that marks a labelled beat

constexpr SampleWord packSample(uint8_t rr10ms, uint8_t spoOrMark) {
    return static_cast<SampleWord>((rr10ms << 8) | spoOrMark);
}
constexpr uint8_t sampleRR(SampleWord w) {
    return static_cast<uint8_t>(w >> 8);
}
constexpr uint8_t sampleLow(SampleWord w) {
    return static_cast<uint8_t>(w & 0xFF);
}
constexpr bool sampleIsLabel(SampleWord w) {
    return sampleLow(w) == kLabelMark;
}

// The limits of an interval's 10 ms value, the RR byte: below kMinIntervalUs it rounds to 0,
// no interval at all; above kMaxIntervalUs it does not fit the byte.
constexpr int64_t kMinIntervalUs = 5000;
constexpr int64_t kMaxIntervalUs = 2554999;

// An interval in µs as the RR byte, halves up (805000 -> 81); 0 below kMinIntervalUs, -1 when
// negative or above kMaxIntervalUs. Every source rounds its exact intervals with it.
constexpr int RoundUsTo10Ms(int64_t us) {
    if (us < 0 || us > kMaxIntervalUs)
        return -1;
    return us < kMinIntervalUs ? 0 : static_cast<int>((us + kMinIntervalUs) / 10000);
}

}  // namespace trivant
