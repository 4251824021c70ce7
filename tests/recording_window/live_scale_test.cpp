// Live scales against the tables' bounds: widened with a quarter to spare when a value leaves
// them, never narrowed, and a row the user chose kept.
#include "live_scale.h"

#include <gtest/gtest.h>

#include <vector>

namespace trivant::test {
namespace {

TEST(LiveScale, WidensToTheNarrowestRowWithRoomToSpare) {
    const ScaleRows& hrv = ScaleRanges::HRV;  // 200 150 100 50 25 10
    const ScaleRows& ib = ScaleRanges::IB;    // 5000 3000 1000 500 250 100
    const struct {
        const ScaleRows& rows;
        int row;
        int32_t value;
        int expected;
    } cases[] = {
        {hrv, 4, 0, 4},   {hrv, 4, 25, 4},  {hrv, 4, 26, 3},  {hrv, 4, 40, 3},   {hrv, 4, 41, 2},
        {hrv, 4, 120, 1}, {hrv, 4, 121, 0}, {hrv, 4, 255, 0}, {hrv, 0, 255, 0},  {hrv, 5, 9, 5},
        {hrv, 5, 11, 4},  {hrv, 2, 30, 2},  {ib, 5, 100, 5},  {ib, 5, 101, 4},   {ib, 5, 450, 2},
        {ib, 3, 450, 3},  {ib, 5, 2400, 1}, {ib, 5, 2401, 0}, {ib, 5, 65535, 0}, {ib, 1, 2999, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WidenedRow(c.rows, c.row, c.value), c.expected) << c.row << " " << c.value;
}

TEST(LiveScale, FollowsUntilTheUserChooses) {
    struct Step {
        int shown;  // the row shown before the value: -1 for the one Follow gave last
        int32_t value;
        int expected;
    };
    const struct {
        int start;
        std::vector<Step> steps;
    } cases[] = {
        {4, {{-1, 30, 3}, {-1, 10, 3}, {-1, 45, 3}, {-1, 70, 2}}},  // wider, never narrower
        {4, {{-1, 30, 3}, {5, 30, 5}, {-1, 200, 5}}},               // the user's 0..10 stays
        {2, {{4, 80, 4}, {-1, 5, 4}}},                              // chosen before a beat
    };
    for (const auto& c : cases) {
        LiveScale scale(c.start);
        int row = c.start;
        for (const Step& s : c.steps) {
            row = scale.Follow(ScaleRanges::HRV, s.shown < 0 ? row : s.shown, s.value);
            EXPECT_EQ(row, s.expected) << c.start << " " << s.value;
        }
    }
}

}  // namespace
}  // namespace trivant::test
