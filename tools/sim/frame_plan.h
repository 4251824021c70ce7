// The bytes trivant-sim writes for one beat: status frames, garbage and the beat's frame,
// in one or more writes.
#pragma once

#include "beat_source.h"
#include "sim_options.h"

#include <cstdint>
#include <random>
#include <vector>

namespace trivant {

constexpr double kSplitPauseS = 0.03;  // at most, between the parts of a split frame

// RR in device units (8 or 10 ms), halves rounded up, at most 255.
uint8_t DeviceRRByte(double ms, int unitMs);

struct Chunk {
    std::vector<uint8_t> bytes;
    double pauseAfterS = 0;  // real time to wait before the next chunk
};

// beatNo counts from 1 over the whole run; it picks the status inserts of this beat.
std::vector<Chunk> PlanBeat(const SimBeat& beat, long beatNo, const SimOptions& opt,
                            std::mt19937& rng);

}  // namespace trivant
