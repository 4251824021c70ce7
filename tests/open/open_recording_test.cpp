// Opening an ECG record into a recording: the channel asked for, the clock, a long pause,
// cancelling, and the CSV that finds its record again.
#include "ecg_train.h"
#include "open_recording.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace trivant {
namespace {

constexpr double kRate = 360;

class OpenRecordingTest : public ::testing::Test {
protected:
    // Two channels of format 16: MLII flat, V1 the train of R peaks at beats.
    std::string writeRecord(const std::vector<int64_t>& beats, size_t n) {
        const std::vector<float> mv = test::Train(beats, kRate, n);
        std::ofstream dat(dir.path() / "syn.dat", std::ios::binary);
        for (const float v : mv)
            for (const int16_t adc : {int16_t{0}, static_cast<int16_t>(std::lround(v * 200))})
                dat.put(static_cast<char>(adc & 0xFF)).put(static_cast<char>((adc >> 8) & 0xFF));
        const std::string header = (dir.path() / "syn.hea").string();
        std::ofstream(header) << "syn 2 360 " << n << " 08:00:00 10/12/2026\n"
                              << "syn.dat 16 200 16 0 0 0 0 MLII\nsyn.dat 16 200 16 0 0 0 0 V1\n";
        return header;
    }
    test::TempDir dir;
};

TEST_F(OpenRecordingTest, TurnsTheChannelAskedForIntoExactIntervals) {
    std::vector<int64_t> beats;
    for (double t = 0.5; t < 60; t += beats.size() == 30 ? 3.2 : 0.8)
        beats.push_back(std::llround(t * kRate));
    const std::string path = writeRecord(beats, static_cast<size_t>(61 * kRate));
    OpenHooks hooks;
    int asked = -1;
    hooks.askChannel = [&](const EcgInfo& info, int suggested) {
        asked = suggested;
        return static_cast<int>(info.channels.size()) - 1;
    };
    Recording rec;
    const OpenedRecording opened = OpenAnyRecording(path, {}, hooks, rec);
    ASSERT_TRUE(opened.load.status.ok) << opened.load.status.detail;
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(rec.EcgChannel, "V1");
    ASSERT_EQ(rec.BeatSamples, beats);
    EXPECT_EQ(rec.StartClockS, ClockOf(2026, 12, 10, 8 * 3600 + 1));
    for (int k = 1; k <= rec.beats(); ++k)
        EXPECT_EQ(rec.intervalUs(k), k == 30 ? 2550000 : (beats[k] - beats[k - 1]) * 1000000 / 360);
    // The pause is kept at the longest interval the recording holds, and named.
    EXPECT_EQ(rec.labelName(30), "pause 3200 ms");

    // Saved as CSV in a folder of its own and opened again: the same beats, the record found.
    rec.PrepareData(CoreSettings{});
    std::filesystem::create_directory(dir.path() / "csv");
    const std::string csv = (dir.path() / "csv" / "syn.csv").string();
    ASSERT_TRUE(SaveRecordingFile(csv, rec, RecordingFormat::TrivantCsv, "").ok);
    Recording again;
    ASSERT_TRUE(OpenAnyRecording(csv, {}, {}, again).ecg);
    EXPECT_EQ(again.BeatSamples, beats);
    EXPECT_EQ(again.EcgRate, kRate);
    EXPECT_EQ(again.EcgChannel, "V1");
    EXPECT_TRUE(std::filesystem::equivalent(again.EcgSource, path));
}

TEST_F(OpenRecordingTest, CancellingLeavesTheRecordingAsItWas) {
    const std::string path = writeRecord({180, 468}, static_cast<size_t>(kRate) * 1000);
    for (const bool atChannel : {true, false}) {
        OpenHooks hooks;
        if (atChannel)
            hooks.askChannel = [](const EcgInfo&, int) { return -1; };
        else
            hooks.progress = [](int64_t done, int64_t total) { return done < total / 2; };
        Recording rec;
        rec.Comment = "kept";
        const OpenedRecording opened = OpenAnyRecording(path, {}, hooks, rec);
        EXPECT_TRUE(opened.cancelled);
        EXPECT_FALSE(opened.load.status.ok);
        EXPECT_EQ(rec.Comment, "kept");
        EXPECT_EQ(rec.beats(), 0);
    }
}

}  // namespace
}  // namespace trivant
