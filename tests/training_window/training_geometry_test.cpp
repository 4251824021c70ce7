// The training window's geometry without a window: round scales that cover their values,
// time lines counted from a reference time, and a window placed beside another on the screen.
#include "beside_placement.h"
#include "training_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace trivant {
namespace {

double mantissa(double step) {
    return step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
}

// Whether step is 1, 2 or 5 times a power of ten.
bool roundStep(double step) {
    const double m = mantissa(step);
    return std::abs(m - 1) < 1e-9 || std::abs(m - 2) < 1e-9 || std::abs(m - 5) < 1e-9;
}

// The step before step in the 1, 2, 5 series.
double finer(double step) {
    return step * (mantissa(step) < 3 ? 0.5 : 0.4);
}

TEST(TrainingGeometry, RoundScalesCoverTheirValuesWithTheFinestStep) {
    struct Case {
        ValueRange range;
        int maxTicks;
        ValueScale want;  // ticks 0: only the general checks
    } const cases[] = {
        {{55, 65}, 4, {55, 5, 2}},        {{0, 6}, 3, {0, 2, 3}},
        {{58.3, 61.2}, 5, {58, 1, 4}},    {{0, 13.7}, 3, {0, 5, 3}},
        {{-3, 3}, 2, {-5, 5, 2}},         {{0.1, 0.35}, 4, {0.1, 0.1, 3}},
        {{100, 100.5}, 5, {100, 0.1, 5}}, {{40, 180}, 5, {0, 50, 4}},
        {{72.4, 72.5}, 4, {0, 1, 0}},     {{61.7, 88.9}, 1, {0, 1, 0}},
        {{0, 1e4}, 5, {0, 1, 0}},         {{-0.07, 0.02}, 3, {0, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.range.lo << ".." << c.range.hi << " " << c.maxTicks);
        const ValueScale s = RoundScale(c.range, c.maxTicks);
        EXPECT_GE(s.ticks, 1);
        EXPECT_LE(s.ticks, c.maxTicks);
        EXPECT_TRUE(roundStep(s.step)) << s.step;
        EXPECT_NEAR(s.lo / s.step, std::round(s.lo / s.step), 1e-6);
        EXPECT_LE(s.lo, c.range.lo + 1e-9);
        EXPECT_GE(s.hi(), c.range.hi - 1e-9);
        // A finer step from its multiple below the range needs more lines than allowed.
        const double f = finer(s.step);
        const double fLo = std::floor(c.range.lo / f + 1e-9) * f;
        EXPECT_GT(std::ceil((c.range.hi - fLo) / f - 1e-9), c.maxTicks) << f;
        if (c.want.ticks) {
            EXPECT_NEAR(s.lo, c.want.lo, 1e-9);
            EXPECT_NEAR(s.step, c.want.step, 1e-12);
            EXPECT_EQ(s.ticks, c.want.ticks);
        }
    }
}

TEST(TrainingGeometry, TimeLinesFallOnRoundTimesFromTheReference) {
    const QRect r(100, 0, 600, 50);
    struct Case {
        double t0, t1, fromS;
        int maxMarks;
        double step, firstOffset, lastOffset;
    } const cases[] = {
        {0, 60, 60, 6, 10, -60, 0},        {240, 300, 300, 3, 30, -60, 0},
        {0, 60, 60, 100, 1, -60, 0},       {17.5, 1517.5, 1517.5, 5, 300, -1500, 0},
        {0, 437, 0, 8, 60, 0, 420},        {0, 7200, 0, 4, 1800, 0, 7200},
        {12.3, 71.9, 71.9, 7, 10, -50, 0}, {0, 20000, 0, 2, 10800, 0, 10800},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.t0 << ".." << c.t1 << " from " << c.fromS);
        EXPECT_DOUBLE_EQ(TimeStep(c.t1 - c.t0, c.maxMarks), c.step);
        const std::vector<TimeMark> marks = TimeMarks(r, c.t0, c.t1, c.fromS, c.maxMarks);
        ASSERT_FALSE(marks.empty());
        EXPECT_DOUBLE_EQ(marks.front().offsetS, c.firstOffset);
        EXPECT_DOUBLE_EQ(marks.back().offsetS, c.lastOffset);
        for (size_t i = 0; i < marks.size(); ++i) {
            const double t = c.fromS + marks[i].offsetS;
            EXPECT_EQ(marks[i].x, std::lround(XOfTime(r, t, c.t0, c.t1)));
            if (i) {
                EXPECT_DOUBLE_EQ(marks[i].offsetS - marks[i - 1].offsetS, c.step);
            }
        }
    }
}

TEST(BesidePlacement, RightOrLeftOfTheAnchorElseOnTheScreen) {
    const QRect screen(0, 0, 1920, 1080), second(1920, 0, 1280, 1024);
    const QSize size(800, 560);
    const struct {
        QRect screen, anchor;
        QSize size;
        QRect want;
    } cases[] = {
        {screen, {0, 0, 1000, 700}, size, {1000, 0, 800, 560}},
        {screen, {10, 700, 1000, 300}, size, {1010, 520, 800, 560}},   // top kept on screen
        {screen, {900, 100, 1000, 700}, size, {100, 100, 800, 560}},   // left: no room right
        {screen, {200, 100, 1500, 800}, size, {1120, 100, 800, 560}},  // roomier right
        {screen, {300, 50, 1600, 800}, size, {0, 50, 800, 560}},       // roomier left
        {screen, {0, 0, 1920, 1080}, size, {1120, 0, 800, 560}},       // maximised
        {screen, {100, -40, 500, 300}, size, {600, 0, 800, 560}},
        {screen, {0, 0, 600, 400}, {2500, 1200}, {0, 0, 1920, 1080}},  // cut to the screen
        {second, {1920, 10, 400, 600}, size, {2320, 10, 800, 560}},
        {second, {2500, 10, 700, 600}, size, {1920, 10, 800, 560}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaceBeside(c.anchor, c.size, c.screen), c.want)
            << c.anchor.x() << "," << c.anchor.y() << " " << c.anchor.width() << "x"
            << c.anchor.height();
}

TEST(TrainingGeometry, TheRecordingNarrowsToMakeRoomWhereItCan) {
    const QRect anchor(0, 50, 1200, 700);
    const struct {
        QRect placed, want;
    } cases[] = {
        {{1300, 0, 600, 500}, anchor},                // already beside
        {{560, 50, 840, 720}, {0, 50, 560, 700}},     // placed right: ends where it begins
        {{0, 50, 500, 720}, {500, 50, 700, 700}},     // placed left
        {{100, 50, 1050, 720}, anchor},               // what is left would be too narrow
        {{100, 100, 800, 300}, {900, 50, 300, 700}},  // centred left of the anchor's centre
    };
    for (const auto& c : cases)
        EXPECT_EQ(NarrowedBeside(anchor, c.placed, 200), c.want) << c.placed.x();
}

}  // namespace
}  // namespace trivant
