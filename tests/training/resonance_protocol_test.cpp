// The resonance protocol's steps against the planned segments' own boundaries, and the
// rates as a person types them.
#include "resonance_protocol.h"

#include <gtest/gtest.h>

#include <cmath>

namespace trivant {
namespace {

TEST(ResonanceProtocol, StepsAtEveryPlannedBoundary) {
    const std::vector<double> five(std::begin(kResonanceDefaultRates),
                                   std::end(kResonanceDefaultRates));
    for (const ResonancePlan& plan :
         {ResonancePlan{five, 2}, ResonancePlan{five, 1}, ResonancePlan{{6, 6, 4.5}, 0.7},
          ResonancePlan{{10}, 3}, ResonancePlan{{3, 3.5}, 0.1}}) {
        SCOPED_TRACE(testing::Message() << plan.ratesBpm.size() << " x " << plan.minutes);
        const size_t n = plan.ratesBpm.size();
        const double stepS = plan.minutes * 60;
        // Oracle: the step whose [i * stepS, (i + 1) * stepS) holds t, done from n * stepS.
        for (double t = -5; t < n * stepS + 10; t += 0.37) {
            const ProtocolStep s = StepAt(plan, t);
            const double clamped = std::max(0.0, t);
            const auto want = static_cast<size_t>(std::min<double>(n, std::floor(clamped / stepS)));
            EXPECT_EQ(s.index, want) << t;
            EXPECT_EQ(s.done, want == n) << t;
            EXPECT_NEAR(s.leftS, s.done ? 0 : (want + 1) * stepS - clamped, 1e-9) << t;
        }
        for (size_t i = 0; i <= n; ++i) {  // exactly on a boundary the next step leads
            const double b = static_cast<double>(i) * plan.minutes * 60;
            EXPECT_EQ(StepAt(plan, b).index, i);
            if (i > 0) {
                EXPECT_EQ(StepAt(plan, std::nextafter(b, 0.0)).index, i - 1);
            }
        }
    }
    EXPECT_TRUE(StepAt(ResonancePlan{{}, 2}, 0).done);
    EXPECT_TRUE(StepAt(ResonancePlan{{6}, 0}, 0).done);
}

TEST(ResonanceProtocol, ParsesRatesAsTyped) {
    using E = RatesError;
    struct Case {
        const char* text;
        std::vector<double> want;
        E error;
        const char* bad;
    } const cases[] = {
        {"6,5; 6; 5,5; 5; 4,5", {6.5, 6, 5.5, 5, 4.5}, E::None, ""},
        {"6.5; 6; 5.5; 5; 4.5", {6.5, 6, 5.5, 5, 4.5}, E::None, ""},
        {"6.5,6,5.5,5,4.5", {6.5, 6, 5.5, 5, 4.5}, E::None, ""},
        {"  6,5   6\t5,5 ;; ", {6.5, 6, 5.5}, E::None, ""},
        {"3;10", {3, 10}, E::None, ""},
        {"6,5", {6.5}, E::None, ""},
        {"", {}, E::Empty, ""},
        {" ; ;", {}, E::Empty, ""},
        {"6,5; шесть", {}, E::NotNumber, "шесть"},
        {"6,5; 6,,5", {}, E::NotNumber, "6,,5"},
        {"6; 2,5", {}, E::OutOfRange, "2,5"},
        {"10,5", {}, E::OutOfRange, "10,5"},
        {"6; 5,7", {}, E::OffGrid, "5,7"},
        {"6.25", {}, E::OffGrid, "6.25"},
        {"nan", {}, E::NotNumber, "nan"},
    };
    for (const Case& c : cases) {
        const ParsedRates p = ParseRates(c.text);
        EXPECT_EQ(p.ratesBpm, c.want) << c.text;
        EXPECT_EQ(p.error, c.error) << c.text;
        EXPECT_EQ(p.bad, c.bad) << c.text;
    }
}

}  // namespace
}  // namespace trivant
