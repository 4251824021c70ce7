// trivant-cli recover: usage, listing, and journals turned into the files a save writes.
#include "cli_fixture.h"

#include "journal.h"

#include <algorithm>

namespace trivant::test {
namespace {

using namespace std::string_literals;

const std::string kTorn = "\0\0\x61\x50\x62\x51\x07"s;  // two beats and a torn word

struct RecoverCase {
    std::vector<std::string> args;
    int status;
    const char* told;
};

TEST_F(CliTest, RecoverRefusals) {
    dir.write("empty.rr.part", "\0\0"s);
    const RecoverCase cases[] = {
        {{"recover", "--list", "a", "b"}, kExitUsage, "one folder at most"},
        {{"recover", "only.part"}, kExitUsage, "takes 2 file name(s)"},
        {{"recover", "j.part", "out.pdf"}, kExitUsage, "must end in .rr, .txt or .csv"},
        {{"recover", "--list", "missing"}, kExitBadInput, "missing: not a folder"},
        {{"recover", "missing.part", "x.rr"}, kExitBadInput, "missing.part: cannot open"},
        {{"recover", "empty.rr.part", "x.rr"}, kExitBadInput, "no whole beat"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.back();
        EXPECT_NE(r.err.find(c.told), std::string::npos) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.rr")));
}

TEST_F(CliTest, RecoverWritesWhatASaveWrites) {
    dir.write("rec.rr.part", kTorn);
    dir.write("rec.rr.part.comment", "after the run");
    const CliRun r = run({"recover", "rec.rr.part", "rec.rr"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_NE(r.err.find("2 beats recovered to rec.rr"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("rec.rr: the comment was not kept"), std::string::npos) << r.err;
    // The words, then the empty slot a stopped recording leaves, as import-ms writes.
    EXPECT_EQ(dir.read("rec.rr"), "\0\0\x61\x50\x62\x51\0\0"s);
    EXPECT_EQ(dir.entryCount(), 1);  // journal and sidecar are gone

    dir.write("rec.rr.part", kTorn);
    dir.write("rec.rr.part.comment", "after the run");
    ASSERT_EQ(run({"recover", "rec.rr.part", "rec.txt"}).status, kExitOk);
    ASSERT_EQ(run({"convert", "rec.rr", "plain.txt"}).status, kExitOk);
    const std::string text = dir.read("rec.txt"), plain = dir.read("plain.txt");
    EXPECT_NE(text.find("\r\nafter the run\r\n"), std::string::npos) << text;
    // Past the name, date and comment lines, the same table as the saved recording's.
    const auto table = [](const std::string& t) { return t.substr(t.find("\r\nN ")); };
    EXPECT_EQ(table(text), table(plain));
}

// A sidecar that lost its last interval in a power cut: every beat comes back in 10 ms, and
// the tool says how many were rounded.
TEST_F(CliTest, RecoverWithAShortSidecarRoundsEveryInterval) {
    dir.write("rec.rr.part", kTorn);
    dir.write("rec.rr.part.us", "\0\0\x44\x37\x0C\0"s);  // 800580 µs for the first beat only
    const CliRun r = run({"recover", "rec.rr.part", "rec.csv"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_NE(r.err.find("rec.rr.part: the exact intervals did not all reach the disk: 2 "
                         "interval(s) rounded to 10 ms"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(dir.read("rec.csv"), "RR_ms;SpO2;label\n800;97;0\n810;98;0\n");
}

TEST_F(CliTest, RecoverListsJournalsNoWriterHolds) {
    dir.write(".20261209-194105.rr.part", kTorn);
    dir.write("b.txt.part", "\0\0\x61\x50"s);
    dir.write("gone.rr.part", "\0\0\x61"s);
    JournalWriter running;
    ASSERT_TRUE(running.Open(dir.file("c.rr.part")).ok);
    running.Append(packSample(80, 97));
    const CliRun r = run({"recover", "--list"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
              "./.20261209-194105.rr.part\t2\t2026-12-09T19:41:05");
    EXPECT_EQ(r.out.find("./b.txt.part\t1\t"), r.out.find('\n') + 1) << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2) << r.out;
    EXPECT_FALSE(std::filesystem::exists(dir.file("gone.rr.part")));

    const CliRun held = run({"recover", "c.rr.part", "c.rr"});
    EXPECT_EQ(held.status, kExitBadInput);
    EXPECT_NE(held.err.find("a running recording still writes it"), std::string::npos);
}

}  // namespace
}  // namespace trivant::test
