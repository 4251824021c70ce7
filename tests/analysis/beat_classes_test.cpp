// Each artifact kind alone in a smooth series, at its middle and near both ends: exactly that
// class at that place, nothing else, and the correction gives the series back; runs of
// premature beats flag no beat missed; series too short for the windows, flat or broken stay
// safe.
#include "beat_classes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace trivant {
namespace {

constexpr double kPi = 3.14159265358979323846;

long CountFlagged(const std::vector<BeatClass>& classes) {
    return std::count_if(classes.begin(), classes.end(),
                         [](BeatClass c) { return c != BeatClass::Normal; });
}

// Breathing and a slower wave, with a little deterministic noise.
std::vector<double> Smooth(size_t n) {
    std::vector<double> rr(n);
    uint32_t state = 12345;
    for (size_t i = 0; i < n; ++i) {
        state = state * 1664525u + 1013904223u;
        const double noise = static_cast<double>(state >> 24) / 32.0 - 4;  // -4..4 ms
        const double t = static_cast<double>(i);
        rr[i] = 800 + 40 * std::sin(2 * kPi * t / 17) + 15 * std::sin(2 * kPi * t / 90) + noise;
    }
    return rr;
}

// clean with one artifact of kind at place; its intervals' count changes as the kind does.
std::vector<double> WithArtifact(std::vector<double> rr, BeatClass kind, size_t at) {
    const auto pos = rr.begin() + static_cast<ptrdiff_t>(at);
    switch (kind) {
    case BeatClass::Missed:
        rr[at] += rr[at + 1];
        rr.erase(pos + 1);
        break;
    case BeatClass::Extra:
        rr.insert(pos + 1, rr[at] * 0.55);
        rr[at] *= 0.45;
        break;
    case BeatClass::Ectopic:
        rr[at + 1] += rr[at] * 0.25;
        rr[at] *= 0.75;
        break;
    case BeatClass::Long:
        rr[at] *= 1.45;
        break;
    case BeatClass::Short:
        rr[at] *= 0.7;
        break;
    case BeatClass::Normal:
        break;
    }
    return rr;
}

struct Case {
    BeatClass kind;
    size_t beats;
};

class BeatClassCase : public ::testing::TestWithParam<Case> {};

TEST_P(BeatClassCase, FlaggedAloneAndCorrectedBack) {
    const Case c = GetParam();
    const std::vector<double> clean = Smooth(c.beats);
    ASSERT_EQ(CountFlagged(ClassifyBeats(clean)), 0);
    // The last interval takes the kinds that need no interval after it.
    const bool last = c.kind != BeatClass::Missed && c.kind != BeatClass::Ectopic;
    for (const size_t at : {size_t{0}, size_t{1}, c.beats / 2, c.beats - 3, c.beats - 2,
                            last ? c.beats - 1 : c.beats / 2}) {
        SCOPED_TRACE(std::string(BeatClassName(c.kind)) + " at " + std::to_string(at));
        const std::vector<double> rr = WithArtifact(clean, c.kind, at);
        const std::vector<BeatClass> classes = ClassifyBeats(rr);
        ASSERT_EQ(classes.size(), rr.size());
        for (size_t i = 0; i < classes.size(); ++i)
            EXPECT_EQ(classes[i], i == at ? c.kind : BeatClass::Normal) << "interval " << i;
        const AutoCorrection fixed = CorrectAuto(rr);
        EXPECT_EQ(fixed.flagged, 1);
        EXPECT_EQ(fixed.corrected, 1);
        ASSERT_EQ(fixed.rr.size(), clean.size());
        for (size_t i = 0; i < clean.size(); ++i)
            EXPECT_NEAR(fixed.rr[i], clean[i], 20) << "interval " << i;
        // Moving, merging or splitting beats keeps the time they span.
        if (c.kind != BeatClass::Long && c.kind != BeatClass::Short) {
            EXPECT_NEAR(std::accumulate(fixed.rr.begin(), fixed.rr.end(), 0.0),
                        std::accumulate(rr.begin(), rr.end(), 0.0), 1e-6);
        }
    }
}

// 300 beats span both windows; 60 only the median's; 12 is barely one median.
std::vector<Case> Cases() {
    std::vector<Case> out{{BeatClass::Missed, 12}, {BeatClass::Long, 12}};
    for (BeatClass kind : {BeatClass::Missed, BeatClass::Extra, BeatClass::Ectopic, BeatClass::Long,
                           BeatClass::Short})
        for (size_t beats : {300, 60})
            out.push_back({kind, beats});
    return out;
}
INSTANTIATE_TEST_SUITE_P(Kinds, BeatClassCase, ::testing::ValuesIn(Cases()));

TEST(BeatClasses, DegenerateSeriesAreSafe) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<std::vector<double>> inputs = {
        {},
        {800},
        {800, 800},
        {800, 1600},
        {800, 400, 400},
        std::vector<double>(200, 800),
        std::vector<double>(200, 0),
        {800, 810, 790, 2400, 800, 805},
        {800, nan, 800, 810, inf, 790, 800, -5, 800, 800, 795, 805},
    };
    for (const std::vector<double>& rr : inputs) {
        SCOPED_TRACE(::testing::PrintToString(rr));
        EXPECT_EQ(ClassifyBeats(rr).size(), rr.size());
        const AutoCorrection fixed = CorrectAuto(rr);
        const bool finite =
            std::all_of(rr.begin(), rr.end(), [](double v) { return std::isfinite(v); });
        for (double v : fixed.rr)
            EXPECT_TRUE(!finite || std::isfinite(v));
    }
    // A flat series flags nothing but a real jump.
    std::vector<double> flat(200, 800);
    EXPECT_EQ(CountFlagged(ClassifyBeats(flat)), 0);
    flat[100] = 1600;
    const std::vector<BeatClass> classes = ClassifyBeats(flat);
    EXPECT_EQ(classes[100], BeatClass::Missed);
    EXPECT_EQ(CountFlagged(classes), 1);
}

// Runs of premature beats (interval pattern: 0 normal, 1 premature, 2 second of a couplet)
// from beat 40 to 260 of a smooth series, each run fully compensated by the pause after it:
// every premature beat flagged within one beat, no beat missed or extra, and the corrected
// series keeps its count.
TEST(BeatClasses, PrematureRunsAreNoMissedBeats) {
    const std::vector<std::vector<int>> patterns = {
        {1, 0}, {0, 1, 0}, {0, 0, 1, 0}, {0, 1, 2, 0}, {1, 0, 0, 1, 2, 0}};
    const std::vector<double> clean = Smooth(300);
    for (const std::vector<int>& pattern : patterns) {
        SCOPED_TRACE(::testing::PrintToString(pattern));
        std::vector<double> rr = clean;
        std::vector<size_t> premature;
        double lacking = 0;  // what the run so far lacks, taken by the pause after it
        for (size_t i = 40; i < 260 || lacking > 0; ++i) {
            const int kind = i < 260 ? pattern[i % pattern.size()] : 0;
            const double early = kind == 0 ? -lacking : rr[i] * (kind == 1 ? 0.45 : 0.5);
            lacking = kind == 0 ? 0 : lacking + early;
            rr[i] -= early;
            if (kind != 0)
                premature.push_back(i);
        }
        const std::vector<BeatClass> classes = ClassifyBeats(rr);
        for (BeatClass c : classes)
            EXPECT_TRUE(c != BeatClass::Missed && c != BeatClass::Extra) << BeatClassName(c);
        for (size_t i : premature) {
            const bool flagged = classes[i - 1] != BeatClass::Normal ||
                                 classes[i] != BeatClass::Normal ||
                                 classes[i + 1] != BeatClass::Normal;
            EXPECT_TRUE(flagged) << "premature at " << i;
        }
        EXPECT_EQ(CorrectAuto(rr).rr.size(), rr.size());
    }
}

TEST(BeatClasses, FixesOutOfOrderAreIgnored) {
    const std::vector<double> rr = {800, 810, 820, 830};
    const std::vector<SeriesFix> fixes = {{2, 1, {700}, BeatClass::Short},
                                          {1, 2, {900}, BeatClass::Extra},
                                          {3, 2, {1, 2}, BeatClass::Missed}};
    EXPECT_EQ(ApplySeriesFixes(rr, fixes), (std::vector<double>{800, 810, 700, 830}));
}

}  // namespace
}  // namespace trivant
