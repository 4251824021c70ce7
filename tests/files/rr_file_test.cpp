// The ".rr" file: the worked examples, every awkward length, and saving and reading back.
#include "rr_file.h"

#include "recording_builder.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace trivant {
namespace {

using test::Beat;
using test::buildRecording;
using test::TempDir;

constexpr SampleWord kUntouched = 0xABCD;

std::unique_ptr<Recording> untouchedRecording() {
    auto rec = std::make_unique<Recording>();
    std::fill(rec->DataBuf.begin(), rec->DataBuf.end(), kUntouched);
    rec->CurrentFileLen = -7;
    return rec;
}

TEST(FilesRr, ThreeBeatsTakeTenBytes) {
    auto rec = buildRecording({{80, 97}, {82, 0, true}, {81, 96}});
    rec->DataBuf[4] = packSample(79, 0);  // the slot being filled is saved too
    rec->CurrentFileLen = 4;
    EXPECT_EQ(EncodeRr(*rec), std::string("\x00\x00\x61\x50\xFF\x52\x60\x51\x00\x4F", 10));
}

TEST(FilesRr, ReadsBeatsAndALabelledBeat) {
    for (const char* header : {"\x00\x00", "\xFF\x17"}) {
        auto rec = untouchedRecording();
        DecodeRr(std::string(header, 2) + std::string("\x61\x50\xFF\x52\x00\x00", 6), *rec);
        ASSERT_EQ(rec->CurrentFileLen, 3);
        EXPECT_EQ(rec->DataBuf[1], 0x5061);
        EXPECT_EQ(rec->DataBuf[2], 0x52FF);
        EXPECT_EQ(rec->DataBuf[4], kUntouched);
        rec->PrepareData(CoreSettings{});
        EXPECT_EQ(rec->at(kSerRR, 1) * 10, 800);
        EXPECT_EQ(rec->at(kSerSPO, 1), 97);
        EXPECT_EQ(rec->at(kSerLbl, 1), 0);
        EXPECT_EQ(rec->at(kSerRR, 2) * 10, 820);
        EXPECT_EQ(rec->at(kSerSPO, 2), 97);
        EXPECT_EQ(rec->at(kSerLbl, 2), 1);
    }
}

struct LengthCase {
    size_t fileBytes;
    int32_t words;
};

// File byte i holds (i * 7 + 3) mod 256, so every word read can be checked.
std::string patternFile(size_t n) {
    std::string bytes(n, '\0');
    for (size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<char>((i * 7 + 3) & 0xFF);
    return bytes;
}

TEST(FilesRr, ReadsWholeWordsUpToTheCapacityWhateverTheLength) {
    const LengthCase cases[] = {{0, 0},         {1, 0},         {2, 0},        {3, 0},
                                {4, 1},         {5, 1},         {101, 49},     {64001, 31999},
                                {64002, 32000}, {64003, 32000}, {70000, 32000}};
    for (const LengthCase& c : cases) {
        auto rec = untouchedRecording();
        const std::string bytes = patternFile(c.fileBytes);
        DecodeRr(bytes, *rec);
        ASSERT_EQ(rec->CurrentFileLen, c.words) << c.fileBytes;
        ASSERT_EQ(rec->DataBuf.size(), static_cast<size_t>(kCapacity + 1));
        const auto k = static_cast<size_t>(c.words);
        if (k > 0) {
            const auto low = static_cast<uint8_t>(bytes[2 * k]);
            const auto rr = static_cast<uint8_t>(bytes[2 * k + 1]);
            EXPECT_EQ(rec->DataBuf[k], packSample(rr, low)) << c.fileBytes;
        }
        if (k < static_cast<size_t>(kCapacity)) {
            EXPECT_EQ(rec->DataBuf[k + 1], kUntouched);
        }
    }
}

TEST(FilesRr, WritesOnlyTheWordsThatExist) {
    auto rec = std::make_unique<Recording>();
    const std::pair<int32_t, size_t> cases[] = {
        {-5, 2}, {0, 2}, {1, 4}, {kCapacity, 2 + 2 * kCapacity}, {40000, 2 + 2 * kCapacity}};
    for (const auto& [len, bytes] : cases) {
        rec->CurrentFileLen = len;
        EXPECT_EQ(EncodeRr(*rec).size(), bytes) << len;
    }
}

TEST(FilesRr, SavedAndReadBackGivesTheSameWordsAndKeepsTheComment) {
    TempDir dir;
    std::vector<Beat> beats;
    for (int i = 0; i < 500; ++i)
        beats.push_back({60 + i % 50, 90 + i % 9, i % 37 == 5});
    auto saved = buildRecording(beats);
    const std::string path = dir.file("my_rec.rr");
    ASSERT_TRUE(SaveDataFile(path, *saved).ok);

    auto read = std::make_unique<Recording>();
    read->Comment = "kept";
    ASSERT_TRUE(ReadDataFile(path, *read).ok);
    EXPECT_EQ(read->CurrentFileLen, saved->CurrentFileLen);
    EXPECT_TRUE(std::equal(saved->DataBuf.begin(), saved->DataBuf.end(), read->DataBuf.begin()));
    EXPECT_EQ(read->Comment, "kept");
}

TEST(FilesRr, AFailedReadLeavesTheRecordingAlone) {
    TempDir dir;
    auto rec = untouchedRecording();
    const IoStatus st = ReadDataFile(dir.file("absent.rr"), *rec);
    EXPECT_FALSE(st.ok);
    EXPECT_EQ(rec->CurrentFileLen, -7);
    EXPECT_EQ(rec->DataBuf[1], kUntouched);
}

}  // namespace
}  // namespace trivant
