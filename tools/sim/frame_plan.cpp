// Builds the writes of one beat.
#include "frame_plan.h"

#include <algorithm>
#include <cmath>

namespace trivant {

uint8_t DeviceRRByte(double ms, int unitMs) {
    const double units = std::floor(std::max(0.0, ms) / unitMs + 0.5);
    return static_cast<uint8_t>(std::min(units, 255.0));
}

namespace {

void appendGarbage(std::vector<uint8_t>& out, std::mt19937& rng) {
    std::uniform_int_distribution<int> count(1, 3), value(6, 255);
    for (int n = count(rng); n > 0; --n)
        out.push_back(static_cast<uint8_t>(value(rng)));
}

}  // namespace

std::vector<Chunk> PlanBeat(const SimBeat& beat, long beatNo, const SimOptions& opt,
                            std::mt19937& rng) {
    std::vector<uint8_t> bytes;
    std::uniform_int_distribution<int> anyByte(0, 255), oneIn(0, 3);
    for (const StatusInsert& s : opt.statuses) {
        if (s.beat != beatNo)
            continue;
        for (int i = 0; i < s.count; ++i)
            bytes.insert(bytes.end(),
                         {static_cast<uint8_t>(s.code), static_cast<uint8_t>(anyByte(rng)),
                          static_cast<uint8_t>(anyByte(rng))});
    }
    if (opt.garbage && oneIn(rng) == 0)
        appendGarbage(bytes, rng);  // only between frames
    const int unit = opt.device == 1 ? 8 : 10;
    const uint8_t spoByte = static_cast<uint8_t>(std::clamp(beat.spo + 100, 100, 255));
    bytes.insert(bytes.end(), {0, DeviceRRByte(beat.ms, unit), spoByte});
    if (!opt.split)
        return {{bytes, 0}};
    // Cut inside the beat's frame: after its status byte or after its RR byte.
    const size_t cut = bytes.size() - 3 + std::uniform_int_distribution<size_t>(1, 2)(rng);
    // The pause stays within the beat's own interval, whatever the speed.
    const double pause = std::min(kSplitPauseS, beat.ms / 1000.0 / opt.speed / 2);
    return {{std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(cut)), pause},
            {std::vector<uint8_t>(bytes.begin() + static_cast<long>(cut), bytes.end()), 0}};
}

}  // namespace trivant
