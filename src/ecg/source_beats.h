// The beats of one channel of an ECG record, detected while the record is read block by block.
#pragma once

#include "ecg_source.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace trivant {

// Samples read and handed to the detector at a time: about 3 minutes at 360 Hz.
constexpr int64_t kDetectBlockSamples = 1 << 16;

struct SourceBeats {
    std::vector<int64_t> samples;  // R peaks, ascending
    std::string error;             // a read failure, without the path
    bool cancelled = false;
};

// progress(done, total) after every block, in samples of the channel; false cancels.
SourceBeats DetectSourceBeats(EcgSource& source, int channel,
                              const std::function<bool(int64_t, int64_t)>& progress = {});

// The beat annotations' samples, ascending and each once, as a detector gives them.
std::vector<int64_t> AnnotatedBeats(const std::vector<EcgAnnotation>& annotations);

}  // namespace trivant
