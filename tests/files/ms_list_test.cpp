// The plain ms list reader: rounding, columns, comments and every kind of bad line.
#include "ms_list.h"

#include <gtest/gtest.h>

#include <memory>

namespace trivant {
namespace {

TEST(MsList, RoundsToTheNearest10Ms) {
    const std::pair<double, int> cases[] = {
        {805, 81},   {804, 80},     {804.9, 80}, {0, 0},   {4.9, 0},
        {2550, 255}, {2554.9, 255}, {2555, -1},  {-1, -1}, {1e300, -1},
    };
    for (const auto& [ms, want] : cases)
        EXPECT_EQ(RoundMsTo10(ms), want) << ms;
}

TEST(MsList, ReadsColumnsCommentsAndLineEnds) {
    auto rec = std::make_unique<Recording>();
    MsListError err;
    const std::string text =
        "\xEF\xBB\xBF# exported\r\n805\r\n\r\n  # note\n804\t98\n1000,97\n812.4; 96";
    ASSERT_TRUE(ParseMsList(text, *rec, err)) << err.message;
    ASSERT_EQ(rec->CurrentFileLen, 5);
    EXPECT_EQ(rec->DataBuf[1], packSample(81, 0));
    EXPECT_EQ(rec->DataBuf[2], packSample(80, 98));
    EXPECT_EQ(rec->DataBuf[3], packSample(100, 97));
    EXPECT_EQ(rec->DataBuf[4], packSample(81, 96));
    EXPECT_EQ(rec->DataBuf[5], 0);
}

TEST(MsList, RejectsTheFirstBadLineWithItsNumber) {
    const std::pair<const char*, int> cases[] = {
        {"800\nabc\n", 2}, {"800\n-5\n", 2}, {"800\n\n2555\n", 3}, {"800 255\n", 1},
        {"800 97 3\n", 1}, {"800 -1\n", 1},  {"800x\n", 1},        {"nan\n", 1},
        {"800 97%\n", 1},  {"800\n;\n", 2},  {"800\n , \n", 2},  // separators but no interval
    };
    for (const auto& [text, line] : cases) {
        auto rec = std::make_unique<Recording>();
        MsListError err;
        EXPECT_FALSE(ParseMsList(text, *rec, err)) << text;
        EXPECT_EQ(err.line, line) << text;
        EXPECT_FALSE(err.message.empty());
    }
}

TEST(MsList, HoldsAtMostAWeek) {
    std::string text;
    for (int i = 0; i < kMaxRecordingBeats; ++i)
        text += "800\n";
    auto rec = std::make_unique<Recording>();
    MsListError err;
    ASSERT_TRUE(ParseMsList(text, *rec, err));
    EXPECT_EQ(rec->CurrentFileLen, kMaxRecordingBeats + 1);
    EXPECT_EQ(rec->capacity(), kMaxRecordingBeats + 1);
    auto more = std::make_unique<Recording>();
    EXPECT_FALSE(ParseMsList(text + "800\n", *more, err));
    EXPECT_EQ(err.line, kMaxRecordingBeats + 1);
    EXPECT_EQ(err.message, "more than 1000000 beats");
}

}  // namespace
}  // namespace trivant
