// The pacer over every rate and share it allows: the bar climbs through inhaling, falls
// through exhaling, joins up at each turn and repeats every 60 / rate s.
#include "pacer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace trivant {
namespace {

TEST(Pacer, ClampsToTheGrid) {
    struct Case {
        double rate, share, wantRate, wantShare;
    } const cases[] = {{6, 0.4, 6, 0.4},      {6.2, 0.35, 6, 0.35}, {6.3, 0.2, 6.5, 0.3},
                       {2, 0.6, 3, 0.5},      {12, 0.45, 10, 0.45}, {NAN, NAN, 6, 0.4},
                       {9.74, 0.5, 9.5, 0.5}, {3.24, 0.3, 3, 0.3}};
    for (const Case& c : cases) {
        const Pacer p = ClampedPacer(c.rate, c.share);
        EXPECT_DOUBLE_EQ(p.rateBpm, c.wantRate) << c.rate;
        EXPECT_DOUBLE_EQ(p.inhaleShare, c.wantShare) << c.share;
    }
}

TEST(Pacer, RisesFallsAndRepeats) {
    for (double rate = kPacerMinRate; rate <= kPacerMaxRate; rate += kPacerRateStep) {
        for (double share : {0.3, 0.4, 0.5}) {
            SCOPED_TRACE(testing::Message() << rate << " " << share);
            const Pacer p = ClampedPacer(rate, share);
            const double cycle = 60 / rate, dt = cycle / 2000;
            EXPECT_NEAR(PacerAt(p, 0).height, 0, 1e-12);
            EXPECT_NEAR(PacerAt(p, cycle * share - 1e-9).height, 1, 1e-6);
            PacerState prev = PacerAt(p, 0);
            for (int i = 1; i <= 6000; ++i) {
                const double t = i * dt;
                const PacerState s = PacerAt(p, t);
                const double inCycle = std::fmod(t, cycle);
                if (inCycle > 1e-9 && std::abs(inCycle - cycle * share) > 1e-9 &&
                    cycle - inCycle > 1e-9) {
                    EXPECT_EQ(s.inhale, inCycle < cycle * share) << t;
                    if (s.inhale == prev.inhale) {
                        EXPECT_EQ(s.height > prev.height, s.inhale) << t;
                    }
                }
                EXPECT_GE(s.height, 0);
                EXPECT_LE(s.height, 1);
                EXPECT_LT(std::abs(s.height - prev.height), 0.01) << t;  // no jump at the turns
                EXPECT_NEAR(s.height, PacerAt(p, t + 3 * cycle).height, 1e-9);
                prev = s;
            }
        }
    }
}

TEST(Pacer, InhaleSpansAreWhereThePacerInhales) {
    for (const auto& [rate, share, origin, from, to] : {std::tuple{6.0, 0.4, 0.0, 0.0, 60.0},
                                                        {4.5, 0.3, 17.2, 3.0, 95.5},
                                                        {10.0, 0.5, 5.0, 41.3, 42.9},
                                                        {3.0, 0.45, 100.0, 40.0, 160.0}}) {
        SCOPED_TRACE(testing::Message() << rate << " " << origin);
        const Pacer p = ClampedPacer(rate, share);
        const std::vector<TimeSpan> spans = InhaleSpans(p, origin, from, to);
        for (double t = from + 0.0013; t < to; t += 0.01) {
            const bool in = std::any_of(spans.begin(), spans.end(), [t](const TimeSpan& s) {
                return s.fromS <= t && t < s.toS;
            });
            const bool pacing = t >= origin;
            EXPECT_EQ(in, pacing && PacerAt(p, t - origin).inhale) << t;
        }
    }
}

}  // namespace
}  // namespace trivant
