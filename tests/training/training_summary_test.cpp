// The summary against a fine sampling of the training's timeline: each coherence holds from
// its beat to the next, and the other figures are plain means over the beats.
#include "training_summary.h"

#include <gtest/gtest.h>

#include <random>

namespace trivant {
namespace {

TEST(TrainingSummary, MatchesTheTimeline) {
    std::mt19937 gen(6);
    std::uniform_real_distribution<double> u(0, 1);
    for (int round = 0; round < 20; ++round) {
        std::vector<TrainingSample> samples;
        double t = 0, hrSum = 0, ampSum = 0;
        int amps = 0;
        for (int i = 0; i < 40 + round * 5; ++i) {
            t += 0.5 + u(gen);
            TrainingSample b{t, 50 + 40 * u(gen), 30 + 20 * u(gen), {}, {}};
            hrSum += b.hrBpm;
            if (round % 3 != 0 && i % 4 == 0) {
                b.amplitudeBpm = 10 * u(gen);
                ampSum += *b.amplitudeBpm;
                ++amps;
            }
            if (i > 10)
                b.coherence = 6 * u(gen);
            samples.push_back(b);
        }
        const double duration = t + 2;
        const TrainingSummary s = SummarizeTraining(samples, duration);
        double heldSum = 0, held = 0, high = 0, maxC = 0;
        const double dt = 1e-4;
        size_t k = 0;
        for (double x = samples[11].tS + dt / 2; x < duration; x += dt) {
            while (k + 1 < samples.size() && samples[k + 1].tS <= x)
                ++k;
            const double c = *samples[k].coherence;
            heldSum += c * dt;
            held += dt;
            high += c >= kHighCoherence ? dt : 0;
            maxC = std::max(maxC, c);
        }
        EXPECT_DOUBLE_EQ(s.durationS, duration);
        EXPECT_NEAR(s.meanHrBpm, hrSum / samples.size(), 1e-9);
        EXPECT_EQ(s.meanAmplitudeBpm.has_value(), amps > 0);
        if (amps) {
            EXPECT_NEAR(*s.meanAmplitudeBpm, ampSum / amps, 1e-9);
        }
        EXPECT_NEAR(*s.meanCoherence, heldSum / held, 1e-3);
        EXPECT_NEAR(*s.highCoherenceShare, high / held, 1e-3);
        EXPECT_DOUBLE_EQ(*s.maxCoherence, maxC);
    }
}

TEST(TrainingSummary, CsvLeavesMissingFiguresBlank) {
    TrainingSummary s;
    s.durationS = 125.5;
    s.meanHrBpm = 62.25;
    s.maxCoherence = s.meanCoherence = 4;
    EXPECT_EQ(TrainingSummaryCsv(s),
              "duration_s,hr_bpm,rmssd_ms,coherence_mean,coherence_max,coherence_high_share,"
              "amplitude_bpm\n125.500,62.250,,4.000,4.000,,\n");
    EXPECT_EQ(SummarizeTraining({}, 0).meanCoherence, std::nullopt);
}

}  // namespace
}  // namespace trivant
