// What a training came to: its figures beat by beat, and their means when it stops.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace trivant {

// The live figures at one beat of the training; tS since the training's start.
struct TrainingSample {
    double tS = 0, hrBpm = 0;
    std::optional<double> rmssdMs, amplitudeBpm, coherence;
};

struct TrainingSummary {
    double durationS = 0;
    double meanHrBpm = 0;
    std::optional<double> meanRmssdMs, meanAmplitudeBpm;
    std::optional<double> meanCoherence, maxCoherence;
    std::optional<double> highCoherenceShare;  // of the time with a ratio, that with >= 3
};

constexpr double kHighCoherence = 3;

// Means over beats; the coherence, which changes every few seconds, holds from its beat to the
// next one, so its mean and share weigh that time. Zero duration when samples is empty.
TrainingSummary SummarizeTraining(const std::vector<TrainingSample>& samples, double durationS);

// Two CSV lines: the column names and the figures (blank where there is none).
std::string TrainingSummaryCsv(const TrainingSummary& s);

}  // namespace trivant
