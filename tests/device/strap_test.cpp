// The strap's way to the recorder without a radio: the notification log, the replay link,
// and supervision that strips the first notification after each connection.
#include "recorder.h"
#include "replay_strap_link.h"
#include "strap_supervisor.h"

#include <gtest/gtest.h>

namespace trivant {
namespace {

TEST(StrapLog, LinesAndProblems) {
    const std::string text = "# a strap\n"
                             "0.0 16 3C 00 04\n"
                             "\n"
                             "  1.5\t10 3c 0004 0004\r\n"
                             "2 10\n"
                             "x 10 3C\n"
                             "3 10 3G\n"
                             "4 103\n"
                             "5\n"
                             "-1 10 3C\n";
    std::vector<StrapLogEntry> entries;
    std::vector<StrapLogProblem> problems;
    ParseStrapLog(text, entries, problems);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].line, 2);
    EXPECT_EQ(entries[0].payload, (std::vector<uint8_t>{0x16, 0x3C, 0x00, 0x04}));
    EXPECT_DOUBLE_EQ(entries[1].seconds, 1.5);
    EXPECT_EQ(entries[1].payload.size(), 6u);
    EXPECT_EQ(entries[2].payload, (std::vector<uint8_t>{0x10}));
    std::vector<int> lines;
    for (const StrapLogProblem& p : problems)
        lines.push_back(p.line);
    EXPECT_EQ(lines, (std::vector<int>{6, 7, 8, 9, 10}));
    EXPECT_EQ(problems[1].message, "not a hex digit: 'G'");
}

// A clock the test moves by hand.
struct ManualClock {
    double now = 100;
    ReplayStrapLink::Clock fn() {
        return [this] { return now; };
    }
};

std::vector<StrapLogEntry> log3() {
    std::vector<StrapLogEntry> e;
    std::vector<StrapLogProblem> problems;
    ParseStrapLog("0 10 3C 00 04\n1 10 3C 00 02 00 02\n2.5 10 3C 00 08\n", e, problems);
    return e;
}

TEST(StrapSupervisor, ReplayDeliversOnTimeAndDropsTheFirstAfterEachConnection) {
    ManualClock clock;
    ReplayStrapLink link(log3(), "Replay", 2.0, false, clock.fn());
    StrapSupervisor sup(link);
    std::vector<int32_t> us;
    bool arrived = false;
    sup.Pass("");
    EXPECT_FALSE(sup.Connected());
    sup.Pass(ReplayStrapLink::kAddress);
    ASSERT_TRUE(sup.Connected());
    sup.Read(us, arrived);  // second 0: its interval is dropped
    EXPECT_TRUE(arrived);
    EXPECT_TRUE(us.empty());
    clock.now += 0.5;  // second 1 at speed 2
    sup.Read(us, arrived);
    EXPECT_EQ(us, (std::vector<int32_t>{500000, 500000}));
    sup.Read(us, arrived);
    EXPECT_FALSE(arrived);
    // A drop and a reconnection: the log starts over, its first notification stripped again.
    link.Disconnect();
    sup.Pass(ReplayStrapLink::kAddress);
    clock.now += 10;
    sup.Read(us, arrived);
    EXPECT_EQ(us, (std::vector<int32_t>{500000, 500000, 2000000}));
    EXPECT_TRUE(link.Finished());
    EXPECT_EQ(sup.receiver().droppedIntervals(), 2);
}

TEST(StrapSupervisor, LoopingReplayAtFullSpeedGivesOneRoundACall) {
    ReplayStrapLink link(log3(), "Replay", 0, true);
    StrapSupervisor sup(link);
    sup.Pass(ReplayStrapLink::kAddress);
    std::vector<int32_t> us;
    bool arrived = false;
    for (int round = 0; round < 3; ++round)
        sup.Read(us, arrived);
    EXPECT_EQ(us.size(), 4u);  // the third round's, none stripped
    EXPECT_FALSE(link.Finished());
}

TEST(StrapRecorder, ExactIntervalsAndSilence) {
    Recording rec;
    RecordingEvents events;
    Recorder recorder(rec, events);
    RecorderSettings s;
    recorder.Start();
    const int32_t us[] = {804999, 805000, 1000, 3000000, 812345};
    recorder.TickExact(us, 5, true, s);
    ASSERT_EQ(rec.beats(), 3);
    EXPECT_EQ(rec.ExactUs, (std::vector<int32_t>{0, 804999, 805000, 812345}));
    EXPECT_EQ(rec.at(kSerRR, 1), 80);
    EXPECT_EQ(rec.at(kSerRR, 2), 81);
    EXPECT_EQ(rec.at(kSerSPO, 3), 0);
    // Notifications without intervals keep a strap that lost contact from being silent.
    for (int t = 0; t < 2 * kSilentTickLimit; ++t)
        recorder.TickExact(nullptr, 0, t % 2 == 0, s);
    EXPECT_TRUE(recorder.recording());
    for (int t = 0; t < kSilentTickLimit; ++t)
        recorder.TickExact(nullptr, 0, false, s);
    EXPECT_FALSE(recorder.recording());
}

}  // namespace
}  // namespace trivant

namespace trivant {
namespace {

// A looping replay at real speed: each round starts a second after the last payload of the
// one before, and a round not yet begun delivers nothing.
TEST(StrapReplay, LoopingRoundsFollowTheClock) {
    double now = 10;
    std::vector<StrapLogEntry> entries;
    std::vector<StrapLogProblem> problems;
    ParseStrapLog("0 10 3C 00 04\n2 10 3C 00 04\n", entries, problems);
    ReplayStrapLink link(entries, "Replay", 1.0, true, [&now] { return now; });
    link.Connect(ReplayStrapLink::kAddress);
    std::vector<std::vector<uint8_t>> got;
    const std::pair<double, size_t> steps[] = {
        {0, 1}, {2, 2}, {2.9, 2}, {3, 3}, {5, 4}, {9, 7},  // rounds start at 0, 3, 6, 9
    };
    for (const auto& [at, total] : steps) {
        now = 10 + at;
        link.TakeNotifications(got);
        EXPECT_EQ(got.size(), total) << at;
    }
    EXPECT_FALSE(link.Finished());
}

}  // namespace
}  // namespace trivant
