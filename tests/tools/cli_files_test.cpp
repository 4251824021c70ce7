// trivant-cli's conversions: exact output bytes and round trips on real recordings.
#include "cli_fixture.h"

#include "short_date.h"

namespace trivant::test {
namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t eol = text.find("\r\n", pos);
        out.push_back(text.substr(pos, eol - pos));
        pos = eol == std::string::npos ? text.size() : eol + 2;
    }
    return out;
}

TEST_F(CliTest, ImportWritesTheRrLayout) {
    dir.write("list.txt", "800 97\n820\n");
    ASSERT_EQ(run({"import-ms", "list.txt", "rec.rr"}).status, kExitOk);
    EXPECT_EQ(dir.read("rec.rr"), std::string("\0\0\x61\x50\x00\x52\0\0", 8));
}

TEST_F(CliTest, BadListLineIsBadInputWithFileAndLine) {
    dir.write("list.txt", "800\n900\nfast\n");
    const CliRun r = run({"import-ms", "list.txt", "rec.rr"});
    EXPECT_EQ(r.status, kExitBadInput);
    EXPECT_NE(r.err.find("list.txt:3:"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("rec.rr")));
}

TEST_F(CliTest, UnreadableTextLineIsBadInputWithFileAndLine) {
    dir.write("bad.txt",
              "b\r\nd\r\nc\r\nh\r\n"
              "1         800       97        0         0         0         0         \r\n"
              "2         8x0       97        0         0         0         0         \r\n");
    const CliRun r = run({"convert", "bad.txt", "out.rr"});
    EXPECT_EQ(r.status, kExitBadInput);
    EXPECT_NE(r.err.find("bad.txt:6:"), std::string::npos) << r.err;
}

TEST_F(CliTest, TextHeaderNamesTheFileAndItsDate) {
    dir.write("list.txt", "800 97\n810 96\n");
    ASSERT_EQ(run({"import-ms", "list.txt", "my rec.txt"}).status, kExitOk);
    const auto l = lines(dir.read("my rec.txt"));
    ASSERT_EQ(l.size(), 6u);
    EXPECT_EQ(l[0], "my rec");
    EXPECT_EQ(l[1], FileShortDate(dir.file("my rec.txt")));
    EXPECT_EQ(l[2], "");
    EXPECT_EQ(l[4].substr(0, 30), "1         800       97        ");
}

// .rr -> .txt -> .rr gives the same bytes, and both text files agree, on real data.
TEST_F(CliTest, RoundTripsOnRealRecordings) {
    for (const char* name : {"pyhrv-series_1.txt", "rhenanbartels_hrv-08012805.txt",
                             "rhenanbartels_hrv-noisy_rri.txt"}) {
        ASSERT_EQ(run({"import-ms", data(name), "a.rr"}).status, kExitOk) << name;
        ASSERT_EQ(run({"convert", "a.rr", "a.txt"}).status, kExitOk) << name;
        ASSERT_EQ(run({"convert", "a.txt", "b.rr"}).status, kExitOk) << name;
        std::filesystem::create_directory(dir.file("again"));
        ASSERT_EQ(run({"convert", "b.rr", "again/a.txt"}).status, kExitOk) << name;
        EXPECT_EQ(dir.read("a.rr"), dir.read("b.rr")) << name;
        EXPECT_EQ(dir.read("a.txt"), dir.read("again/a.txt")) << name;
        EXPECT_EQ(run({"summary", "a.rr"}).out, run({"summary", "a.txt"}).out) << name;
    }
}

// .rr -> CSV -> .rr gives the same bytes on real data whose last word, after the last beat,
// holds RR 0 and an SpO2; a comment that .rr can't keep is told.
TEST_F(CliTest, RrComesBackFromCsvByteForByte) {
    ASSERT_EQ(run({"import-ms", data("rhenanbartels_hrv-noisy_rri.txt"), "slot.rr"}).status,
              kExitOk);
    std::string slot = dir.read("slot.rr");
    slot[slot.size() - 2] = 97;
    dir.write("slot.rr", slot);
    ASSERT_EQ(run({"convert", "slot.rr", "slot.csv"}).status, kExitOk);
    const CliRun back = run({"convert", "slot.csv", "back.rr"});
    ASSERT_EQ(back.status, kExitOk);
    EXPECT_EQ(back.err, "");
    EXPECT_EQ(dir.read("back.rr"), slot);
    dir.write("note.csv", "# comment: Иванов\nRR_ms;SpO2;label\n800;97;0\n812.5;97;1\n");
    const CliRun r = run({"convert", "note.csv", "note.rr"});
    EXPECT_EQ(r.err, "trivant-cli: note.rr: 1 interval(s) rounded to 10 ms\n"
                     "trivant-cli: note.rr: the comment was not kept: a .rr file has none\n");
    EXPECT_EQ(run({"convert", "note.csv", "note.txt"}).err,
              "trivant-cli: note.txt: 1 interval(s) rounded to 10 ms\n");  // the text keeps it
}

// Trivant CSV keeps what .rr rounds; rounding is told on stderr, and only then.
TEST_F(CliTest, CsvKeepsExactIntervalsAndRoundingIsTold) {
    dir.write("list.txt", "812.5 97\n800 96\n805.25 95\n");
    for (const char* out : {"a.csv", "a.rr", "b.csv", "b.rr"}) {
        const bool fromList = out[0] == 'a';
        const CliRun r = run({"convert", fromList ? "list.txt" : "a.rr", out});
        EXPECT_EQ(r.status, kExitOk) << out;
        const bool rounds = std::string(out) == "a.rr";
        EXPECT_EQ(r.err, rounds ? "trivant-cli: a.rr: 2 interval(s) rounded to 10 ms\n" : "");
    }
    EXPECT_EQ(dir.read("a.csv"), "RR_ms;SpO2;label\n812.5;97;0\n800;96;0\n805.25;95;0\n");
    EXPECT_EQ(dir.read("a.rr"), dir.read("b.rr"));
}

}  // namespace
}  // namespace trivant::test
