// The text reader on files that were not written by the writer: odd label lines, values
// that don't fit, lines it cannot take apart, too many beats and arbitrary bytes.
#include "text_file.h"

#include "recording_file.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <vector>

namespace trivant {
namespace {

using test::TempDir;

constexpr SampleWord kUntouched = 0xABCD;
constexpr int kFirstDataLine = 5;

std::string dataLine(int k, const std::string& rr, const std::string& spo) {
    char line[128];
    std::snprintf(line, sizeof line, "%-10d%-10s%-10s%-10d%-10d%-10d%-10d", k, rr.c_str(),
                  spo.c_str(), 1, 2, 3, 4);
    return line;
}

std::string dataLine(int k, int rrMs, int spo) {
    return dataLine(k, std::to_string(rrMs), std::to_string(spo));
}

std::string withByte(std::string line, size_t at, char c) {
    line[at] = c;
    return line;
}

// A literal with its NULs, without the terminating one.
template <size_t N> std::string bytesOf(const char (&s)[N]) {
    return std::string(s, N - 1);
}

// The four header lines, then the given lines, all ending in CR LF.
std::string textFile(const std::vector<std::string>& lines) {
    std::string text = "name\r\ndate\r\ncomment\r\nN         header\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

struct Parsed {
    std::unique_ptr<Recording> rec;
    TextReadReport report;
};

Parsed parse(const std::string& bytes) {
    Parsed p{std::make_unique<Recording>(), {}};
    std::fill(p.rec->DataBuf.begin(), p.rec->DataBuf.end(), kUntouched);
    p.report = ParseTextFile(bytes, *p.rec);
    return p;
}

TEST(FilesTextRead, ALabelLineAtTheEndSetsNoLabel) {
    const Parsed p = parse(textFile({dataLine(1, 800, 97), "--- Метка 1---"}));
    EXPECT_EQ(p.rec->CurrentFileLen, 2);
    EXPECT_EQ(p.rec->DataBuf[1], packSample(80, 97));
    EXPECT_EQ(p.rec->DataBuf[2], kUntouched);
}

TEST(FilesTextRead, TwoLabelLinesInARowMarkTheNextBeatOnce) {
    const Parsed p = parse(
        textFile({"--- Метка 1---", "--- Метка 7---", dataLine(1, 800, 97), dataLine(2, 810, 96)}));
    EXPECT_EQ(p.rec->CurrentFileLen, 3);
    EXPECT_EQ(p.rec->DataBuf[1], packSample(80, kLabelMark));
    EXPECT_EQ(p.rec->DataBuf[2], packSample(81, 96));
}

TEST(FilesTextRead, ValuesThatFitAreTaken) {
    const std::vector<std::tuple<std::string, std::string, SampleWord>> cases = {
        {"805", "97", packSample(80, 97)},   {"2550", "254", packSample(255, 254)},
        {"0", "0", packSample(0, 0)},        {"9", "1", packSample(0, 1)},
        {"+800", "+97", packSample(80, 97)}, {"-0", "00097", packSample(0, 97)},
    };
    for (const auto& [rr, spo, word] : cases) {
        const Parsed p = parse(textFile({dataLine(1, rr, spo)}));
        EXPECT_EQ(p.report.skippedLines, 0) << rr << " " << spo;
        EXPECT_EQ(p.rec->DataBuf[1], word) << rr << " " << spo;
    }
}

TEST(FilesTextRead, HeaderOnlyAndShorterFilesAreEmptyRecordings) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"name\r\n", ""},
        {"name\r\ndate\r\n", ""},
        {"name\r\ndate\r\n\xEA\xEE\xEC", "ком"},
        {"name\r\ndate\r\n\xEA\r\n", "к"},
        {"name\r\ndate\r\nc\r\nheader\r\n", "c"},
        {"name\ndate\nc\nheader", "c"},
    };
    for (const auto& [bytes, comment] : cases) {
        const Parsed p = parse(bytes);
        EXPECT_EQ(p.rec->CurrentFileLen, 1) << bytes;
        EXPECT_EQ(p.rec->Comment, comment) << bytes;
    }
}

TEST(FilesTextRead, LineEndsMayBeLfAndTheLastMayBeMissing) {
    const std::string text = "n\nd\nc\nh\n" + dataLine(1, 800, 97) + "\n" + dataLine(2, 810, 96);
    const Parsed p = parse(text);
    EXPECT_EQ(p.rec->CurrentFileLen, 3);
    EXPECT_EQ(p.rec->DataBuf[2], packSample(81, 96));
}

TEST(FilesTextRead, BlankLinesAreIgnoredWithoutCounting) {
    const Parsed p =
        parse(textFile({"", dataLine(1, 800, 97), "   ", "\t \t", dataLine(2, 810, 96)}));
    EXPECT_EQ(p.rec->CurrentFileLen, 3);
    EXPECT_EQ(p.report.skippedLines, 0);
}

struct BadLine {
    const char* kind;
    std::string line;
};

void PrintTo(const BadLine& b, std::ostream* os) {
    *os << b.kind;
}

class FilesTextReadBadLine : public ::testing::TestWithParam<BadLine> {};

// The bad line sits between two good ones, on file line 6.
TEST_P(FilesTextReadBadLine, IsSkippedAndCounted) {
    const Parsed p = parse(textFile({dataLine(1, 800, 97), GetParam().line, dataLine(2, 810, 96)}));
    EXPECT_EQ(p.rec->CurrentFileLen, 3);
    EXPECT_EQ(p.rec->DataBuf[1], packSample(80, 97));
    EXPECT_EQ(p.rec->DataBuf[2], packSample(81, 96));
    EXPECT_EQ(p.report.skippedLines, 1);
    EXPECT_EQ(p.report.firstSkippedLine, kFirstDataLine + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, FilesTextReadBadLine,
    ::testing::Values(
        BadLine{"EmptyRR", "1          800      97        0"},
        BadLine{"EmptySpO2", "1         800        97       0"},
        BadLine{"ShorterThanTheRRColumn", "12345"},
        BadLine{"ShorterThanTheSpO2Column", "1         800"},
        BadLine{"SpO2WithoutSpace", "1         800       97"},
        BadLine{"SpO2SpaceIsLastChar", "1         800       97 "},
        BadLine{"RRNonNumeric", dataLine(1, "8x0", "97")},
        BadLine{"SpO2NonNumeric", dataLine(1, "800", "ab")},
        BadLine{"RRNegative", dataLine(1, -10, 97)}, BadLine{"SpO2Negative", dataLine(1, 800, -1)},
        BadLine{"RRTooLong", dataLine(1, 2560, 97)}, BadLine{"SpO2Is255", dataLine(1, 800, 255)},
        BadLine{"Overflow", dataLine(1, "99999999999", "97")},
        BadLine{"SignOnly", dataLine(1, "-", "97")}, BadLine{"TwoSigns", dataLine(1, "+-5", "97")},
        BadLine{"NulInField", withByte(dataLine(1, 800, 97), 11, '\0')},
        BadLine{"Binary", bytesOf("\x01\xFF\x00\x7F garbage \x80\x81 1 2 3")}),
    [](const auto& info) { return std::string(info.param.kind); });

TEST(FilesTextRead, CountsEveryBadLineAndNamesTheFirst) {
    const Parsed p = parse(textFile({dataLine(1, 800, 97), dataLine(2, 800, 97), "short",
                                     dataLine(3, 800, 300), "x", dataLine(4, 800, 97)}));
    EXPECT_EQ(p.report.skippedLines, 3);
    EXPECT_EQ(p.report.firstSkippedLine, kFirstDataLine + 2);
    EXPECT_EQ(p.rec->CurrentFileLen, 4);
}

TEST(FilesTextRead, StopsAtTheCapacity) {
    for (int lines : {kMaxBeats, kMaxBeats + 1, kMaxBeats + 6}) {
        std::vector<std::string> data;
        for (int k = 1; k <= lines; ++k)
            data.push_back(dataLine(k, 10 * (k % 200), 90));
        const Parsed p = parse(textFile(data));
        EXPECT_EQ(p.rec->CurrentFileLen, kCapacity) << lines;
        EXPECT_EQ(p.report.truncated, lines > kMaxBeats) << lines;
        EXPECT_EQ(p.rec->DataBuf[kMaxBeats], packSample(kMaxBeats % 200, 90));
        EXPECT_EQ(p.rec->DataBuf[kCapacity], kUntouched);
    }
}

// Bytes drawn mostly from what the reader looks for, so that deep paths are reached.
TEST(FilesTextRead, ArbitraryBytesNeverLeaveTheBuffers) {
    std::mt19937 gen(3);
    const std::string alphabet = "-  \r\n\n0123456789+\t\xFF";
    std::uniform_int_distribution<size_t> pick(0, alphabet.size()), len(0, 400);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int i = 0; i < 3000; ++i) {
        std::string bytes(len(gen), '\0');
        for (char& c : bytes) {
            const size_t j = pick(gen);
            c = j < alphabet.size() ? alphabet[j] : static_cast<char>(byte(gen));
        }
        const Parsed p = parse(bytes);
        ASSERT_GE(p.rec->CurrentFileLen, 1);
        ASSERT_LE(p.rec->CurrentFileLen, kCapacity);
        ASSERT_EQ(p.rec->DataBuf.size(), static_cast<size_t>(kCapacity + 1));
    }
}

TEST(FilesTextRead, ReadsAFile) {
    TempDir dir;
    Recording rec;
    TextReadReport report;
    const std::string path = dir.write("r.txt", textFile({dataLine(1, 800, 97), "bad"}));
    ASSERT_TRUE(ReadTextFile(path, rec, report).ok);
    EXPECT_EQ(rec.CurrentFileLen, 2);
    EXPECT_EQ(report.firstSkippedLine, kFirstDataLine + 1);
    rec.CurrentFileLen = 42;
    EXPECT_FALSE(ReadTextFile(dir.file("absent.txt"), rec, report).ok);
    EXPECT_EQ(rec.CurrentFileLen, 42);
}

// Files past 16 MiB: beats, then a tail of NULs that reads as one line that can't be taken
// apart. A file with more beats than fit is read only up to the first beat too many, so its
// tail is never reached.
TEST(FilesTextRead, LargeFilesLoadUpToTheCapacity) {
    struct Case {
        int beats;
        uintmax_t size;
        int wantBeats, wantSkipped;
        bool wantTruncated;
    };
    const Case cases[] = {{100, 17u << 20, 100, 1, false},
                          {kMaxBeats + 5, uintmax_t{4} << 30, kMaxBeats, 0, true}};
    for (const Case& c : cases) {
        TempDir dir;
        std::vector<std::string> data;
        for (int k = 1; k <= c.beats; ++k)
            data.push_back(dataLine(k, 800, 97));
        const std::string path = dir.write("big.txt", textFile(data));
        std::filesystem::resize_file(path, c.size);
        Recording rec;
        TextReadReport report;
        ASSERT_TRUE(ReadTextFile(path, rec, report).ok) << c.beats;
        EXPECT_EQ(rec.beats(), c.wantBeats);
        EXPECT_EQ(report.skippedLines, c.wantSkipped) << c.beats;
        EXPECT_EQ(report.truncated, c.wantTruncated) << c.beats;
        // The tools take more beats than fit as bad input.
        const std::string msg = ReadRecordingFile(path, rec);
        EXPECT_EQ(msg.find("more than 31999 beats") != std::string::npos, c.wantTruncated) << msg;
    }
}

// A label whose beat is skipped goes to the next beat read, and the report says so.
TEST(FilesTextRead, AMovedLabelIsReported) {
    const std::string label = "--- Метка 1---", bad = "bad", good = dataLine(1, 800, 97);
    struct Case {
        std::vector<std::string> lines;
        int moved, from, to;
        std::vector<int> labelled;  // beats carrying a label
        int lost = 0;               // the skipped line of a label no beat could carry
    };
    const Case cases[] = {
        {{label, bad, good}, 1, 6, 7, {1}},
        {{label, bad, "", bad, good, good}, 1, 6, 9, {1}},
        {{label, bad, label, good}, 1, 6, 8, {1}},
        {{good, label, bad, good, label, bad, good}, 2, 7, 8, {2, 3}},
        {{label, good, bad, good}, 0, 0, 0, {1}},
        {{bad, label, good}, 0, 0, 0, {1}},
        {{good, label, bad}, 0, 0, 0, {}, 7},
        {{good, label, bad, "", bad}, 0, 0, 0, {}, 7},
        {{good, label}, 0, 0, 0, {}},
    };
    for (const Case& c : cases) {
        const Parsed p = parse(textFile(c.lines));
        EXPECT_EQ(p.report.movedLabels, c.moved) << c.lines.size();
        EXPECT_EQ(p.report.firstMovedLabelFrom, c.from) << c.lines.size();
        EXPECT_EQ(p.report.firstMovedLabelTo, c.to) << c.lines.size();
        EXPECT_EQ(p.report.lostLabelLine, c.lost) << c.lines.size();
        std::vector<int> labelled;
        for (int k = 1; k < p.rec->CurrentFileLen; ++k)
            if (sampleIsLabel(p.rec->DataBuf[k]))
                labelled.push_back(k);
        EXPECT_EQ(labelled, c.labelled) << c.lines.size();
    }
}

}  // namespace
}  // namespace trivant
