// The journal against the .rr encoder: same bytes at every length, torn and empty journals,
// locks held by writers, the comment's and label names' sidecars, start times and a write
// limit.
#include "journal.h"
#include "rr_file.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <map>
#include <optional>

#ifndef _WIN32
#include "file_size_limit.h"

#include <sys/wait.h>
#include <unistd.h>
#endif

namespace trivant::test {
namespace {

namespace fs = std::filesystem;

// Beat k's word: RR bytes that vary, a label every seventh beat.
SampleWord wordAt(int k) {
    return packSample(static_cast<uint8_t>(60 + k % 50),
                      k % 7 == 0 ? kLabelMark : static_cast<uint8_t>(90 + k % 9));
}

std::unique_ptr<Recording> recordingOf(int words) {
    auto rec = std::make_unique<Recording>();
    for (int k = 1; k <= words; ++k)
        rec->DataBuf[k] = wordAt(k);
    rec->CurrentFileLen = words;
    return rec;
}

TEST(Journal, WordsAreTheRrFileAtEveryLength) {
    TempDir dir;
    JournalWriter w;
    ASSERT_TRUE(w.Open(dir.file("rec.rr.part")).ok);
    EXPECT_EQ(dir.read("rec.rr.part"), EncodeRr(*recordingOf(0)));
    for (int n = 1; n <= 40; ++n) {
        w.Append(wordAt(n));
        ASSERT_EQ(dir.read("rec.rr.part"), EncodeRr(*recordingOf(n))) << n;
        Recording back;
        ASSERT_TRUE(ReadJournal(dir.file("rec.rr.part"), back).ok);
        ASSERT_EQ(back.beats(), n);
        EXPECT_EQ(back.DataBuf[n], wordAt(n));
        EXPECT_EQ(back.DataBuf[n + 1], 0);  // the empty slot a stopped recording leaves
    }
    EXPECT_TRUE(w.Finish().ok);
    EXPECT_TRUE(w.TakeError().ok);
}

TEST(Journal, WordsAsPackStoresThem) {
    Recording rec;
    rec.DataSeries[kSerRR][1] = 80;
    rec.DataSeries[kSerSPO][1] = 97;
    rec.DataSeries[kSerRR][2] = 81;
    rec.DataSeries[kSerSPO][2] = 96;
    rec.DataSeries[kSerLbl][2] = 1;
    EXPECT_EQ(JournalWord(rec, 1), packSample(80, 97));
    EXPECT_EQ(JournalWord(rec, 2), packSample(81, kLabelMark));
}

TEST(Journal, PathsFollowTheirNames) {
    // As paths: Windows joins with its own separator.
    EXPECT_EQ(fs::path(JournalPathIn("/data", "20261209-194100")),
              fs::path("/data/.20261209-194100.rr.part"));
    EXPECT_EQ(JournalPathFor("out/rec.txt"), "out/rec.txt.part");
    EXPECT_EQ(JournalCommentPath("a/rec.rr.part"), "a/rec.rr.part.comment");
}

struct ScanCase {
    const char* name;
    std::string bytes;
    int beats;  // -1: not listed and left alone; 0: removed
};

TEST(Journal, TornAndEmptyJournals) {
    using namespace std::string_literals;
    const ScanCase cases[] = {
        {"empty.rr.part", ""s, 0},
        {"half-header.rr.part", "\0"s, 0},
        {"header.txt.part", "\0\0"s, 0},
        {"torn-first.rr.part", "\0\0\x5f"s, 0},
        {"one.rr.part", "\0\0\x5f\x50"s, 1},
        {"one-torn.rr.part", "\0\0\x5f\x50\x60"s, 1},
        {"two.RR.part", "\0\0\x5f\x50\xff\x51"s, 2},
        {"download.part", ""s, -1},
        {"other-header.rr.part", "ab"s, -1},
    };
    TempDir dir;
    for (const auto& c : cases)
        dir.write(c.name, c.bytes);
    const auto found = FindJournals(dir.path().string());
    for (const auto& c : cases) {
        const auto it = std::find_if(found.begin(), found.end(), [&](const JournalInfo& j) {
            return j.path == dir.file(c.name);
        });
        EXPECT_EQ(it == found.end() ? -1 : it->beats, c.beats > 0 ? c.beats : -1) << c.name;
        EXPECT_EQ(fs::exists(dir.file(c.name)), c.beats != 0) << c.name;
        if (c.beats <= 0)
            continue;
        Recording rec;
        ASSERT_TRUE(ReadJournal(dir.file(c.name), rec).ok);
        EXPECT_EQ(rec.beats(), c.beats) << c.name;
    }
    EXPECT_EQ(found.size(), 3u);
}

TEST(Journal, AJournalBeingWrittenIsNotOffered) {
    TempDir dir;
    const std::string path = dir.file("rec.rr.part");
    {
        JournalWriter w;
        ASSERT_TRUE(w.Open(path).ok);
        w.Append(wordAt(1));
        EXPECT_TRUE(FindJournals(dir.path().string()).empty());
        EXPECT_TRUE(JournalInUse(path));
        JournalWriter other;
        EXPECT_FALSE(other.Open(path).ok);  // the lock, from another descriptor
        EXPECT_TRUE(fs::exists(path));
    }
    // The writer ended without Remove, as a crash would end it: the journal stays.
    const auto found = FindJournals(dir.path().string());
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].beats, 1);
    EXPECT_FALSE(JournalInUse(path));
    JournalWriter again;
    EXPECT_FALSE(again.Open(path).ok);  // an unrecovered recording is not overwritten
    EXPECT_EQ(dir.read("rec.rr.part"), EncodeRr(*recordingOf(1)));

    // Recovered, it is held again as it stands: not offered, its comment still follows.
    {
        JournalWriter first, second;
        ASSERT_TRUE(first.Adopt(path).ok);
        EXPECT_FALSE(second.Adopt(path).ok);  // one holder at a time
    }
    JournalWriter adopted;
    ASSERT_TRUE(adopted.Adopt(path).ok);
    EXPECT_TRUE(JournalInUse(path));
    EXPECT_TRUE(FindJournals(dir.path().string()).empty());
    adopted.SetComment("после нагрузки");
    EXPECT_EQ(dir.read("rec.rr.part"), EncodeRr(*recordingOf(1)));
    EXPECT_EQ(dir.read("rec.rr.part.comment"), "после нагрузки");
    adopted.Remove();
    EXPECT_FALSE(fs::exists(path));
    EXPECT_FALSE(fs::exists(JournalCommentPath(path)));
}

#ifndef _WIN32  // a forked writer, killed
TEST(Journal, ALockHeldByAnotherProcessGoesWithIt) {
    TempDir dir;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {
        JournalWriter w;
        const char c = w.Open(dir.file("rec.rr.part")).ok ? 'y' : 'n';
        w.Append(wordAt(1));
        (void)!write(ready[1], &c, 1);
        pause();  // until killed, as a crash ends a writer
    }
    char c = 0;
    const bool told = read(ready[0], &c, 1) == 1;
    const bool offered = !FindJournals(dir.path().string()).empty();
    kill(child, SIGKILL);  // before any check, so that no child is left behind
    waitpid(child, nullptr, 0);
    ASSERT_TRUE(told);
    EXPECT_EQ(c, 'y');
    EXPECT_FALSE(offered);
    EXPECT_EQ(FindJournals(dir.path().string()).size(), 1u);
    close(ready[0]);
    close(ready[1]);
}

#endif

TEST(Journal, CommentRoundTripAndRemove) {
    TempDir dir;
    const std::string path = dir.file("rec.rr.part");
    const std::string comment = "Ruhe, Atemübung\r\nzweite Zeile";
    JournalWriter w;
    ASSERT_TRUE(w.Open(path).ok);
    w.Append(wordAt(1));
    w.SetComment("first");
    w.SetComment(comment);
    Recording rec;
    rec.Comment = "stale";
    ASSERT_TRUE(ReadJournal(path, rec).ok);
    EXPECT_EQ(rec.Comment, comment);
    w.SetComment("");
    EXPECT_FALSE(fs::exists(JournalCommentPath(path)));
    ASSERT_TRUE(ReadJournal(path, rec).ok);
    EXPECT_EQ(rec.Comment, "");
    w.SetComment(comment);
    w.Remove();
    EXPECT_FALSE(w.isOpen());
    EXPECT_EQ(dir.entryCount(), 0);
}

// A sidecar shorter than the words (a power cut between their syncs), or one that disagrees
// with them (another recording's), gives no exact interval at all, and says how many are
// rounded: never exact values for the first beats and 10 ms ones for the rest.
TEST(Journal, ExactIntervalsAreKeptOnlyForEveryBeat) {
    TempDir dir;
    const std::string path = dir.file("rec.rr.part");
    JournalWriter w;
    ASSERT_TRUE(w.Open(path, true).ok);
    const int32_t us[] = {804999, 810000, 1234567};
    for (int32_t v : us)
        w.Append(packSample(static_cast<uint8_t>(RoundUsTo10Ms(v)), 0), v);
    ASSERT_TRUE(w.Finish().ok);
    const std::string sidecar = dir.read("rec.rr.part.us");
    const struct {
        std::string sidecar;
        std::vector<int32_t> exact;
        int rounded;
    } cases[] = {
        {sidecar, {0, 804999, 810000, 1234567}, 0},
        {sidecar.substr(0, sidecar.size() - 1), {}, 2},  // 810000 lost nothing
        {sidecar.substr(0, 2), {}, 3},
        {sidecar.substr(0, 2) + sidecar.substr(6), {}, 3},
    };
    for (const auto& c : cases) {
        dir.write("rec.rr.part.us", c.sidecar);
        Recording rec;
        int rounded = -1;
        ASSERT_TRUE(ReadJournal(path, rec, &rounded).ok);
        EXPECT_EQ(rec.ExactUs, c.exact) << c.sidecar.size();
        EXPECT_EQ(rounded, c.rounded) << c.sidecar.size();
    }
    w.Remove();
    EXPECT_EQ(dir.entryCount(), 0);
}

// Names come back for the labelled beats their sidecar names, whole lines only; a journal
// without the sidecar, as older ones are, reads with unnamed labels.
TEST(Journal, LabelNamesComeBackForLabelledBeats) {
    TempDir dir;
    const std::string path = dir.file("rec.rr.part");
    JournalWriter w;
    ASSERT_TRUE(w.Open(path).ok);
    for (int k = 1; k <= 20; ++k)
        w.Append(wordAt(k));  // labels at 7 and 14
    w.AppendName(7, "темп 6.0");
    w.AppendName(3, "");
    w.AppendName(14, "тренинг");
    ASSERT_TRUE(w.Finish().ok);
    const std::string header(kRrHeaderBytes, '\0');
    const std::string written = dir.read("rec.rr.part.labels");
    EXPECT_EQ(written, header + "7\tтемп 6.0\n14\tтренинг\n");
    EXPECT_EQ(dir.read("rec.rr.part"), EncodeRr(*recordingOf(20)));  // the words as ever
    w.Remove();
    EXPECT_EQ(dir.entryCount(), 0);
    // Read from a journal no writer holds: an open file can't be removed everywhere.
    const std::string old = dir.write("old.rr.part", EncodeRr(*recordingOf(20)));
    using Names = std::map<int, std::string>;
    const struct {
        std::optional<std::string> sidecar;  // none: a journal from before names were kept
        Names names;
    } cases[] = {
        {std::nullopt, {}},
        {written, {{7, "темп 6.0"}, {14, "тренинг"}}},
        {written.substr(0, written.size() - 1), {{7, "темп 6.0"}}},  // torn last line
        {header + "7\ta\n7\tb\n", {{7, "b"}}},
        {header + "14\t  тренинг \r\n", {{14, "тренинг"}}},
        {header + "3\tx\n21\tx\n28\tx\n0\tx\n-7\tx\n", {}},  // unlabelled or no beat
        {header + "x7\ta\n7a\tb\n\tc\n7\n7\t\n7\t1\n", {}},
        {header, {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        if (c.sidecar)
            dir.write("old.rr.part.labels", *c.sidecar);
        else
            fs::remove(dir.file("old.rr.part.labels"));
        Recording rec;
        rec.LabelNames[5] = "stale";
        ASSERT_TRUE(ReadJournal(old, rec).ok);
        EXPECT_EQ(rec.LabelNames, c.names) << c.sidecar.value_or("(none)");
    }
}

TEST(Journal, StartTimes) {
    TempDir dir;
    std::tm t{};
    t.tm_year = 126, t.tm_mon = 11, t.tm_mday = 9, t.tm_hour = 19, t.tm_min = 41, t.tm_sec = 5;
    t.tm_isdst = -1;
    const std::time_t named = std::mktime(&t);
    dir.write(".20261209-194105.rr.part", EncodeRr(*recordingOf(3)));
    // 100 beats of 1.00 s written now: started 100 s ago.
    auto hundred = recordingOf(100);
    for (int k = 1; k <= 100; ++k)
        hundred->DataBuf[k] = packSample(100, 97);
    dir.write("out.rr.part", EncodeRr(*hundred));
    const std::time_t now = std::time(nullptr);
    const auto found = FindJournals(dir.path().string());
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].started, named);
    EXPECT_NEAR(static_cast<double>(found[1].started), static_cast<double>(now - 100), 2.0);
}

#ifndef _WIN32  // a file size limit in a forked child
// In a child whose files may not pass limitBytes: the journal stops at the limit, reports
// the failure once, and a save still works once the limit is lifted. Exit code: the
// failed check, 0 when all passed.
int writeUnderLimit(const std::string& path, const std::string& saved, int limitBytes) {
    JournalWriter w;
    {
        const FileSizeLimit limit(static_cast<rlim_t>(limitBytes));
        if (!limit.ok() || !w.Open(path).ok)
            return 1;
        for (int k = 1; k <= 20; ++k)
            w.Append(wordAt(k));
        const IoStatus first = w.TakeError();
        if (first.ok || first.detail.find("cannot write") == std::string::npos)
            return 2;
        if (!w.TakeError().ok || w.Finish().ok)
            return 3;
    }
    return SaveDataFile(saved, *recordingOf(20)).ok ? 0 : 4;
}

TEST(Journal, AFailedWriteStopsTheJournalOnly) {
    TempDir dir;
    const pid_t child = fork();
    if (child == 0)
        _exit(writeUnderLimit(dir.file("rec.rr.part"), dir.file("saved.rr"), 22));
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(dir.read("rec.rr.part"), EncodeRr(*recordingOf(10)));
    EXPECT_EQ(dir.read("saved.rr"), EncodeRr(*recordingOf(20)));
}

#endif

}  // namespace
}  // namespace trivant::test
