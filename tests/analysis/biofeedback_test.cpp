// The live meter against the figures computed afresh over the whole history at every beat:
// what it drops and when it recomputes must not change a figure.
#include "biofeedback.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace trivant {
namespace {

struct MeterCase {
    const char* name;
    double modulationMs;  // of a 0.1 Hz sine over the beat index
    double noiseMs;
    double pacerRate;  // 0: the amplitude's cycle from the coherence peak
};

bool same(const std::optional<double>& a, const std::optional<double>& b) {
    return a.has_value() == b.has_value() && (!a || std::abs(*a - *b) <= 1e-9 * (1 + std::abs(*b)));
}

TEST(BiofeedbackMeter, EveryBeatMatchesTheWholeHistory) {
    const MeterCase cases[] = {
        {"paced", 80, 5, 0}, {"noise", 0, 40, 0}, {"pacer 6", 60, 10, 6}, {"pacer 3", 60, 10, 3}};
    for (const MeterCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::mt19937 gen(35);
        std::normal_distribution<double> noise(0, c.noiseMs);
        BiofeedbackMeter meter;
        meter.setPacerRate(c.pacerRate);
        std::vector<double> t, rr;
        double lastChangeS = -1;
        std::optional<double> lastRatio;
        for (int i = 0; i < 2500; ++i) {
            rr.push_back(900 + c.modulationMs * std::sin(0.2 * M_PI * i) + noise(gen));
            t.push_back((t.empty() ? 0 : t.back()) + rr.back() / 1000);
            const BiofeedbackFigures& f = meter.addBeat(rr.back(), t.back());
            const BeatSeries all{t.data(), rr.data(), t.size()};
            ASSERT_DOUBLE_EQ(f.hrBpm, 60000 / rr.back());
            ASSERT_TRUE(same(f.rmssdMs, Rmssd60(all))) << i;
            const std::optional<double> ratio = f.coherenceRatio();
            if (ratio != lastRatio) {  // recomputed at this beat
                const auto fresh = CoherenceRatio(all);
                ASSERT_TRUE(fresh && same(ratio, fresh->ratio)) << i;
                const double gap = t.back() - lastChangeS;
                ASSERT_TRUE(lastChangeS < 0 ? t.back() - t[0] >= 63.5 : std::abs(gap - 5) < 1.2)
                    << i;
                lastChangeS = t.back();
                lastRatio = ratio;
            }
            const double cycleS = c.pacerRate > 0 ? 60 / c.pacerRate
                                  : f.coherence   ? 1 / f.coherence->peakHz
                                                  : 0;
            ASSERT_TRUE(same(f.amplitudeBpm, Amplitude(all, cycleS))) << i;
        }
        EXPECT_GT(lastChangeS, t.back() - 5);
    }
}

TEST(Biofeedback, LabelRates) {
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"темп 6.5", 6.5}, {"rate 6", 6},       {"темп 4.5", 4.5}, {"rate 6,5", {}},
        {"темп", {}},      {"тренинг", {}},     {"rate -1", {}},   {"rate 6.5 x", {}},
        {"Rate 6", {}},    {"темп 10.0", 10.0}, {"rate ", {}},     {"xrate 6", {}}};
    for (const auto& [name, want] : cases)
        EXPECT_EQ(LabelRate(name), want) << name;
}

}  // namespace
}  // namespace trivant
