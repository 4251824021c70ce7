// End to end over a real pseudo-terminal: trivant-cli record is killed (SIGKILL) while
// trivant-sim plays a real recording at 50 times real speed; its journal keeps an unbroken
// start of the source, and trivant-cli recover turns it into the same beats.
#include "child_process.h"
#include "journal.h"
#include "rr_file.h"
#include "source_run.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sys/resource.h>

namespace trivant::test {
namespace {

constexpr double kSpeed = 50;
constexpr int kKillAfter = 150;  // beats the progress line has shown

// The beats count of a progress line "beats N  time ...", or -1.
int progressBeats(const std::string& line) {
    int n = -1;
    return std::sscanf(line.c_str(), "beats %d", &n) == 1 ? n : -1;
}

// Where run starts in the source, from beat `from` on; -1 when nowhere near.
int findRun(const Recording& run, const std::vector<MsEntry>& source, int from) {
    for (int o = from; o + run.beats() <= static_cast<int>(source.size()) && o < from + 500; ++o) {
        int k = 1;
        while (k <= run.beats() && sampleRR(run.DataBuf[k]) == RoundMsTo10(source[o + k - 1].ms))
            ++k;
        if (k > run.beats())
            return o;
    }
    return -1;
}

class JournalEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { setenv("TRIVANT_PORT_DIR", (dir.path() / "ports").c_str(), 1); }
    void TearDown() override { unsetenv("TRIVANT_PORT_DIR"); }
    // Records until the progress line shows kKillAfter beats, then kills the recorder;
    // returns the last count shown.
    int recordAndKill() {
        ChildProcess cli(TRIVANT_CLI, {"record", "out.rr"}, dir.path().string(), STDERR_FILENO);
        int shown = -1;
        for (std::string line; shown < kKillAfter && !(line = cli.readLine()).empty();)
            shown = std::max(shown, progressBeats(line));
        cli.signal(SIGKILL);
        EXPECT_EQ(cli.wait(std::chrono::seconds(10)), 128 + SIGKILL);
        return shown;
    }

    TempDir dir;
};

TEST_F(JournalEndToEnd, AKilledRecordingLeavesItsBeats) {
    ChildProcess sim(TRIVANT_SIM, {"--ms", kSimSource, "--speed", "50"}, dir.path().string());
    ASSERT_TRUE(sim.started());
    ASSERT_FALSE(sim.readLine().empty());
    const auto source = ReadSource(kSimSource);
    ASSERT_GT(source.size(), 1000u);

    const int shown = recordAndKill();
    ASSERT_GE(shown, kKillAfter);
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.rr")));
    const std::string journal = dir.file("out.rr.part");
    const std::string words = dir.read("out.rr.part");
    auto rec = std::make_unique<Recording>();
    ASSERT_TRUE(ReadJournal(journal, *rec).ok);
    const int kept = rec->beats();
    // Every beat the recorder had shown is in the journal, as the source has it.
    ASSERT_GE(kept, shown);
    ASSERT_EQ(findRun(*rec, source, 0), 0);

    // The simulator holds back its next beat until a recorder listens again, so a second
    // recording starts where the killed one's port left off: what lies between was sent
    // but never journaled. The recorder journals at every 100 ms tick, and a kill loses
    // nothing the page cache holds, so that is the tick in flight, some 5 s of the source
    // at 50x; the bound is 1 s of real time, 50 s of the source.
    ChildProcess again(TRIVANT_CLI, {"record", "--beats", "5", "out.rr"}, dir.path().string(),
                       STDERR_FILENO);
    const std::string told = again.readAll();
    ASSERT_EQ(again.wait(std::chrono::seconds(60)), 0) << told;
    EXPECT_NE(told.find("recover or remove it first"), std::string::npos) << told;
    EXPECT_EQ(dir.read("out.rr.part"), words);  // the unrecovered journal is left alone
    auto next = std::make_unique<Recording>();
    ASSERT_TRUE(ReadDataFile(dir.file("out.rr"), *next).ok);
    const int resumed = findRun(*next, source, kept);
    ASSERT_GE(resumed, kept);
    double lostMs = 0;
    for (int i = kept; i < resumed; ++i)
        lostMs += source[i].ms;
    EXPECT_LE(lostMs / kSpeed, 1000.0) << resumed - kept << " beats lost";

    ChildProcess recover(TRIVANT_CLI, {"recover", "out.rr.part", "back.rr"}, dir.path().string(),
                         STDERR_FILENO);
    recover.readAll();
    ASSERT_EQ(recover.wait(std::chrono::seconds(30)), 0);
    EXPECT_EQ(dir.read("back.rr").substr(0, words.size() - words.size() % 2),
              words.substr(0, words.size() - words.size() % 2));
    auto back = std::make_unique<Recording>();
    ASSERT_TRUE(ReadDataFile(dir.file("back.rr"), *back).ok);
    EXPECT_EQ(back->beats(), kept);
    EXPECT_FALSE(std::filesystem::exists(journal));

    sim.signal(SIGTERM);
    EXPECT_EQ(sim.wait(std::chrono::seconds(10)), 0);
}

// The file size limit of a running process.
bool limitFiles(pid_t pid, rlim_t bytes) {
    const rlimit lim{bytes, RLIM_INFINITY};
    return prlimit(pid, RLIMIT_FSIZE, &lim, nullptr) == 0;
}

// The disk fills while the journal grows (a file size limit stands in for it): the
// recording goes on in memory, the user is told once, and the save works once space is back.
TEST_F(JournalEndToEnd, AFullDiskStopsOnlyTheJournal) {
    constexpr int kBeats = 120;
    ChildProcess sim(TRIVANT_SIM, {"--ms", kSimSource, "--speed", "50"}, dir.path().string());
    ASSERT_TRUE(sim.started());
    ASSERT_FALSE(sim.readLine().empty());
    ChildProcess cli(TRIVANT_CLI, {"record", "--beats", std::to_string(kBeats), "out.rr"},
                     dir.path().string(), STDERR_FILENO);
    std::string line = cli.readLine();  // the first progress line: the journal is open
    ASSERT_GE(progressBeats(line), 0) << line;
    ASSERT_TRUE(limitFiles(cli.pid(), 100));  // 49 words past the header
    while (!(line = cli.readLine()).empty() && line.find("journal") == std::string::npos) {
    }
    ASSERT_TRUE(limitFiles(cli.pid(), RLIM_INFINITY));
    EXPECT_NE(line.find("out.rr.part: cannot write: File too large"), std::string::npos) << line;
    const std::string rest = cli.readAll();
    ASSERT_EQ(cli.wait(std::chrono::seconds(60)), 0) << rest;
    EXPECT_EQ(rest.find("journal"), std::string::npos) << rest;  // told once

    auto rec = std::make_unique<Recording>();
    ASSERT_TRUE(ReadDataFile(dir.file("out.rr"), *rec).ok);
    ASSERT_EQ(rec->beats(), kBeats);
    EXPECT_EQ(findRun(*rec, ReadSource(kSimSource), 0), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.rr.part")));

    sim.signal(SIGTERM);
    EXPECT_EQ(sim.wait(std::chrono::seconds(10)), 0);
}

}  // namespace
}  // namespace trivant::test
