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

}  // namespace trivant
