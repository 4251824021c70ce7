// The text writer against a hand-made golden file, and writing then reading back.
#include "text_file.h"

#include "recording_builder.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace trivant {
namespace {

using test::Beat;
using test::buildRecording;
using test::TempDir;

std::string readGolden(const std::string& name) {
    std::ifstream in(std::string(TRIVANT_TEST_DATA) + "/files/" + name, std::ios::binary);
    EXPECT_TRUE(in.good()) << name;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void setIndices(Recording& rec, int k, uint8_t sym, uint8_t par, uint8_t sdnn, int ib) {
    rec.DataSeries[kSerSYM][k] = sym;
    rec.DataSeries[kSerPAR][k] = par;
    rec.DataSeries[kSerSDNN][k] = sdnn;
    rec.DataSeries[kSerIBHi][k] = static_cast<uint8_t>(ib >> 8);
    rec.DataSeries[kSerIBLo][k] = static_cast<uint8_t>(ib & 0xFF);
}

// Two beats, the second labelled, comment "тест"; the golden file rest.txt.
std::unique_ptr<Recording> restRecording() {
    auto rec = buildRecording({{80, 97}, {81, 96, true}});
    setIndices(*rec, 1, 12, 34, 56, 1234);
    setIndices(*rec, 2, 7, 8, 9, 300);
    rec->Comment = "тест";
    return rec;
}

TEST(FilesTextWrite, MatchesTheGoldenFile) {
    EXPECT_EQ(FormatTextFile(*restRecording(), "rest", "01.02.2024"), readGolden("rest.txt"));
}

TEST(FilesTextWrite, SaveTakesLineOneFromTheFileName) {
    TempDir dir;
    ASSERT_TRUE(SaveTextFile(dir.file("rest.txt"), *restRecording(), "01.02.2024").ok);
    EXPECT_EQ(dir.read("rest.txt"), readGolden("rest.txt"));
}

TEST(FilesTextWrite, TheGoldenFileReadsBack) {
    auto rec = std::make_unique<Recording>();
    const TextReadReport report = ParseTextFile(readGolden("rest.txt"), *rec);
    EXPECT_EQ(report.skippedLines, 0);
    EXPECT_FALSE(report.truncated);
    ASSERT_EQ(rec->CurrentFileLen, 3);
    EXPECT_EQ(rec->DataBuf[1], packSample(80, 97));
    EXPECT_EQ(rec->DataBuf[2], packSample(81, kLabelMark));
    EXPECT_EQ(rec->Comment, "тест");
}

TEST(FilesTextWrite, ACommentWithLineBreaksStaysOnLineThree) {
    auto rec = restRecording();
    rec->Comment = "a\r\nb\nc\rd";
    const std::string text = FormatTextFile(*rec, "rest", "01.02.2024");
    EXPECT_NE(text.find("\r\na  b c d\r\n"), std::string::npos);
    auto back = std::make_unique<Recording>();
    EXPECT_EQ(ParseTextFile(text, *back).skippedLines, 0);
    EXPECT_EQ(back->CurrentFileLen, 3);
    EXPECT_EQ(back->Comment, "a  b c d");
}

TEST(FilesTextWrite, AnEmptyRecordingWritesTheFourHeaderLines) {
    auto rec = std::make_unique<Recording>();
    for (int32_t len : {0, 1}) {
        rec->CurrentFileLen = len;
        const std::string text = FormatTextFile(*rec, "e", "d");
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4) << len;
    }
}

// Labels on the first beat, on neighbouring beats and on the last beat; all values at
// their limits somewhere.
std::vector<Beat> variedBeats(int n) {
    std::vector<Beat> beats;
    for (int i = 0; i < n; ++i) {
        const bool label = i == 0 || i % 53 == 7 || i % 53 == 8 || i == n - 1;
        beats.push_back({(i * 37) % 256, (i * 11) % 255, label});
    }
    return beats;
}

TEST(FilesTextWrite, RoundTripKeepsEveryWordAndTheComment) {
    auto saved = buildRecording(variedBeats(1000));
    saved->Comment = "Проба № 1; ёж";
    auto read = std::make_unique<Recording>();
    const TextReadReport report = ParseTextFile(FormatTextFile(*saved, "r", "d"), *read);
    EXPECT_EQ(report.skippedLines, 0);
    ASSERT_EQ(read->CurrentFileLen, saved->CurrentFileLen);
    for (int k = 1; k < saved->CurrentFileLen; ++k)
        ASSERT_EQ(read->DataBuf[k], saved->DataBuf[k]) << "beat " << k;
    EXPECT_EQ(read->Comment, saved->Comment);
}

TEST(FilesTextWrite, RoundTripGivesTheSameSeriesAfterPreparation) {
    std::vector<Beat> beats;
    for (int i = 0; i < 400; ++i)
        beats.push_back({70 + (i * 13) % 30, 94 + i % 5, i % 41 == 3});
    auto saved = buildRecording(beats);
    saved->PrepareData(CoreSettings{});
    auto read = std::make_unique<Recording>();
    ParseTextFile(FormatTextFile(*saved, "r", "d"), *read);
    read->PrepareData(CoreSettings{});
    for (int s = 0; s < kSeriesCount; ++s)
        EXPECT_EQ(read->DataSeries[s], saved->DataSeries[s]) << SeriesNames[s];
}

TEST(FilesTextWrite, AFullRecordingReadsBackWithoutLoss) {
    std::vector<Beat> beats(kMaxBeats, Beat{255, 254});
    beats.back().label = true;
    auto saved = buildRecording(beats);
    auto read = std::make_unique<Recording>();
    const TextReadReport report = ParseTextFile(FormatTextFile(*saved, "r", "d"), *read);
    EXPECT_FALSE(report.truncated);
    EXPECT_EQ(read->CurrentFileLen, kCapacity);
    EXPECT_EQ(read->DataBuf[kMaxBeats], packSample(255, kLabelMark));
}

}  // namespace
}  // namespace trivant
