// trivant-sim's pure parts: options, device units, the writes of a beat, the generator.
#include "beat_source.h"
#include "frame_plan.h"
#include "sim_options.h"

#include <gtest/gtest.h>

#include <numeric>

namespace trivant {
namespace {

TEST(SimOptions, ParsesEveryOption) {
    SimOptions o;
    ASSERT_EQ(ParseSimOptions({"--ms", "a.txt", "--device", "1", "--speed", "2.5", "--beats", "40",
                               "--loop", "--status", "3@5x2", "--status", "1@7", "--garbage",
                               "--split", "--silence", "1.5@9", "--seed", "4"},
                              o),
              "");
    EXPECT_EQ(o.msFile, "a.txt");
    EXPECT_EQ(o.device, 1);
    EXPECT_DOUBLE_EQ(o.speed, 2.5);
    EXPECT_EQ(o.beats, 40);
    EXPECT_TRUE(o.loop && o.garbage && o.split);
    ASSERT_EQ(o.statuses.size(), 2u);
    EXPECT_EQ(o.statuses[0].code, 3);
    EXPECT_EQ(o.statuses[0].beat, 5);
    EXPECT_EQ(o.statuses[0].count, 2);
    EXPECT_EQ(o.statuses[1].count, 1);
    ASSERT_EQ(o.silences.size(), 1u);
    EXPECT_DOUBLE_EQ(o.silences[0].seconds, 1.5);
    EXPECT_EQ(o.silences[0].beat, 9);
    EXPECT_EQ(o.seed, 4u);
}

TEST(SimOptions, RejectsBadValues) {
    const std::vector<std::vector<std::string>> cases = {
        {"--device", "3"},
        {"--speed", "0"},
        {"--speed", "x"},
        {"--beats", "0"},
        {"--status", "6@1"},
        {"--status", "0@1"},
        {"--status", "3@0"},
        {"--status", "3"},
        {"--silence", "x@2"},
        {"--silence", "-1@2"},
        {"--frob"},
        {"--ms"},
        {"--ms", "a", "--recording", "b"},
    };
    for (const auto& args : cases) {
        SimOptions o;
        EXPECT_NE(ParseSimOptions(args, o), "") << ::testing::PrintToString(args);
    }
}

TEST(SimOptions, EitherSpellingAndMessagesThatNameTheOption) {
    SimOptions o;
    ASSERT_EQ(ParseSimOptions({"--recording=a.rr", "--speed=2", "-h"}, o), "");
    EXPECT_EQ(std::tie(o.recordingFile, o.speed, o.help), std::make_tuple("a.rr", 2.0, true));
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"--frob"}, "unknown option --frob"},
        {{"-x", "--loop"}, "unknown option -x"},
        {{"--ms"}, "--ms needs a value"},
        {{"extra"}, "unexpected argument extra"},
        {{"--loop=1"}, "unexpected value after '--loop'"},
        {{"--device=3"}, "--device takes 1 or 2"},
    };
    for (const auto& [args, message] : rows) {
        SimOptions bad;
        EXPECT_EQ(ParseSimOptions(args, bad), message);
    }
}

TEST(SimFrames, DeviceUnitsRoundHalvesUpAndCap) {
    const std::tuple<double, int, int> cases[] = {
        {805, 10, 81},    {804, 10, 80},   {1000, 8, 125}, {1004, 8, 126},
        {1003.9, 8, 125}, {3000, 10, 255}, {-5, 10, 0},
    };
    for (const auto& [ms, unit, want] : cases)
        EXPECT_EQ(DeviceRRByte(ms, unit), want) << ms;
}

TEST(SimFrames, StatusFramesGarbageAndSplit) {
    SimOptions o;
    o.statuses = {{3, 5, 2}};
    std::mt19937 rng(1);
    const auto plain = PlanBeat({800, 97}, 4, o, rng);
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(plain[0].bytes, (std::vector<uint8_t>{0, 80, 197}));
    const auto withStatus = PlanBeat({800, 97}, 5, o, rng);
    ASSERT_EQ(withStatus[0].bytes.size(), 9u);
    EXPECT_EQ(withStatus[0].bytes[0], 3);
    EXPECT_EQ(withStatus[0].bytes[3], 3);
    EXPECT_EQ(withStatus[0].bytes[6], 0);

    o.statuses.clear();
    o.garbage = true;
    o.split = true;
    int garbage = 0;
    for (int i = 0; i < 200; ++i) {
        const auto chunks = PlanBeat({800, 97}, 1, o, rng);
        ASSERT_EQ(chunks.size(), 2u);
        std::vector<uint8_t> all = chunks[0].bytes;
        all.insert(all.end(), chunks[1].bytes.begin(), chunks[1].bytes.end());
        ASSERT_GE(all.size(), 3u);
        for (size_t j = 0; j + 3 < all.size(); ++j)
            EXPECT_GE(all[j], 6);  // never a frame start
        EXPECT_EQ(std::vector<uint8_t>(all.end() - 3, all.end()),
                  (std::vector<uint8_t>{0, 80, 197}));
        EXPECT_GT(chunks[0].pauseAfterS, 0);
        EXPECT_LE(chunks[1].bytes.size(), 2u);
        garbage += all.size() > 3;
    }
    EXPECT_GT(garbage, 20);
    EXPECT_LT(garbage, 100);
}

TEST(SimSources, GeneratorRestsNear70PerMinute) {
    GeneratorSource gen(3);
    std::vector<double> rr;
    SimBeat b;
    for (int i = 0; i < 2000 && gen.Next(b); ++i) {
        rr.push_back(b.ms);
        ASSERT_GE(b.spo, 94);
        ASSERT_LE(b.spo, 99);
    }
    const double mean = std::accumulate(rr.begin(), rr.end(), 0.0) / rr.size();
    EXPECT_NEAR(60000 / mean, 70, 2);
    const auto [lo, hi] = std::minmax_element(rr.begin(), rr.end());
    EXPECT_GT(*hi - *lo, 80);  // it varies
    gen.Rewind();
    ASSERT_TRUE(gen.Next(b));
    EXPECT_DOUBLE_EQ(b.ms, rr[0]);
}

}  // namespace
}  // namespace trivant
