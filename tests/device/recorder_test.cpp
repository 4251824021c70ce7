// The recording tick: the device's frames into beats, the limits, silence and the stop.
#include "recorder.h"

#include <gtest/gtest.h>

#include <memory>

namespace trivant {
namespace {

struct FakeEvents : RecordingEvents {
    void StatusTextChanged(const std::string& text) override { status = text; }
    void BeatCompleted(int n) override { beats.push_back(n); }
    void LimitReached(StopReason why) override { limits.push_back(why); }
    void Stopped() override { ++stops; }

    std::string status = "untouched";
    std::vector<int> beats;
    std::vector<StopReason> limits;
    int stops = 0;
};

using Bytes = std::vector<uint8_t>;

Bytes frames(int count, uint8_t rr, uint8_t spoByte = 197) {
    Bytes out;
    for (int i = 0; i < count; ++i)
        out.insert(out.end(), {0, rr, spoByte});
    return out;
}

class RecorderTest : public ::testing::Test {
protected:
    RecorderTest() { settings.AutoStop = false; }
    void SetUp() override { recorder.Start(); }
    void tick(const Bytes& b) { recorder.Tick(b.data(), b.size(), settings); }

    std::unique_ptr<Recording> rec = std::make_unique<Recording>();
    FakeEvents events;
    Recorder recorder{*rec, events};
    RecorderSettings settings;
};

TEST_F(RecorderTest, FrameSplitAcrossReadsIsOneBeat) {
    tick({0});
    tick({80});
    EXPECT_TRUE(events.beats.empty());
    tick({197});
    EXPECT_EQ(events.beats, std::vector<int>{1});
    EXPECT_EQ(rec->at(kSerRR, 1), 80);
    EXPECT_EQ(rec->at(kSerSPO, 1), 97);
    EXPECT_EQ(rec->CurrentFileLen, 2);
}

TEST_F(RecorderTest, RRIsStoredBeforeItsSpO2Byte) {
    tick(frames(3, 80));
    tick({0, 82});
    EXPECT_EQ(rec->at(kSerRR, 4), 82);
    EXPECT_EQ(rec->CurrentFileLen, 4);
    recorder.Stop(settings.core);  // the slot being filled is packed with it
    EXPECT_EQ(sampleRR(rec->DataBuf[4]), 82);
}

TEST_F(RecorderTest, SkippedBytesAndBothDeviceModels) {
    for (const auto& [unit, want] : {std::pair{10, 100}, std::pair{8, 80}}) {
        auto r = std::make_unique<Recording>();
        FakeEvents ev;
        Recorder rc(*r, ev);
        rc.Start();
        settings.RRUnit = unit;
        const Bytes stream = {0x07, 0x00, 0x64, 0x50};
        rc.Tick(stream.data(), stream.size(), settings);
        EXPECT_EQ(r->at(kSerRR, 1), want) << unit;
        EXPECT_EQ(r->at(kSerSPO, 1), 0) << unit;  // 0x50 is below 100
        EXPECT_EQ(r->CurrentFileLen, 2);
    }
}

TEST_F(RecorderTest, StatusFramesCarryNoBeat) {
    tick({3, 0x50, 0xC5});
    EXPECT_EQ(events.status, "Нет пульса");
    EXPECT_EQ(rec->CurrentFileLen, 1);
    EXPECT_EQ(rec->at(kSerRR, 1), 0);
    tick({0, 0x50, 0xC5});
    EXPECT_EQ(events.status, "");
    EXPECT_EQ(rec->CurrentFileLen, 2);
    for (int code = 1; code <= 5; ++code) {
        tick({static_cast<uint8_t>(code), 1, 2});
        EXPECT_EQ(events.status, kStatusTexts[code]);
    }
    EXPECT_EQ(rec->CurrentFileLen, 2);
}

TEST_F(RecorderTest, FirstTwoBeatsHaveNoIndicesOrTime) {
    tick(frames(2, 80));
    EXPECT_EQ(recorder.TotalTime(), 0);
    EXPECT_EQ(rec->at(kSerSDNN, 2), 0);
    tick({0, 90, 197});
    EXPECT_EQ(recorder.TotalTime(), 90);
    EXPECT_EQ(rec->SDNN, 47);  // 800, 800, 900 ms
    EXPECT_EQ(rec->at(kSerSDNN, 3), 47);
    EXPECT_EQ(events.beats, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(rec->sSDNN.Max, 0);  // ranges are left alone while recording
}

TEST_F(RecorderTest, SilenceCountResetsOnAnyByteAndStopsAt1000) {
    for (int i = 0; i < 999; ++i)
        tick({});
    EXPECT_EQ(recorder.ConnectTimeout(), 999);
    tick({200});  // a skipped byte still counts as data
    EXPECT_EQ(recorder.ConnectTimeout(), 0);
    tick(frames(3, 80));
    for (int i = 0; i < 1000; ++i)
        tick({});
    EXPECT_EQ(events.limits, std::vector<StopReason>{StopReason::Silence});
    EXPECT_EQ(events.stops, 1);
    EXPECT_FALSE(recorder.recording());
    EXPECT_EQ(rec->beats(), 3);  // the recording is kept
    for (int i = 0; i < 2000; ++i)
        tick({});
    EXPECT_EQ(events.stops, 1);
}

TEST_F(RecorderTest, CapacityStopsAt31999AndDropsTheRestOfTheRead) {
    tick(frames(kMaxBeats + 5, 80));
    EXPECT_EQ(rec->CurrentFileLen, kCapacity);
    EXPECT_EQ(rec->beats(), kMaxBeats);
    EXPECT_EQ(events.limits, std::vector<StopReason>{StopReason::Capacity});
    EXPECT_EQ(events.stops, 1);
    tick(frames(3, 80));
    EXPECT_EQ(rec->beats(), kMaxBeats);
}

TEST_F(RecorderTest, FiveMinuteLimitAtTheFirstBeatPast310Seconds) {
    settings.AutoStop = true;
    tick(frames(400, 100));  // 1000 ms each: beat 313 brings TotalTime to 31100
    EXPECT_EQ(events.limits, std::vector<StopReason>{StopReason::FiveMinutes});
    EXPECT_EQ(rec->beats(), 313);
    EXPECT_EQ(recorder.TotalTime(), 31100);
}

TEST_F(RecorderTest, StopPacksAndPreparesWithLabels) {
    tick(frames(1, 80, 197));
    rec->Label();
    tick({0, 82});
    tick({196});  // completes the labelled beat
    tick(frames(3, 81, 195));
    rec->Label();  // pending in the slot when the recording stops
    recorder.Stop(settings.core);
    EXPECT_EQ(events.stops, 1);
    EXPECT_EQ(rec->DataBuf[2], packSample(82, kLabelMark));
    EXPECT_EQ(rec->DataBuf[6], packSample(0, kLabelMark));
    EXPECT_EQ(rec->at(kSerSPO, 2), 97);  // the label's own SpO2 gives way to the beat before
    EXPECT_EQ(rec->at(kSerLbl, 2), 1);
    EXPECT_EQ(rec->LabNum, 1);
    EXPECT_EQ(rec->Histo.AMo, 1);  // histogram of beat 1
    EXPECT_EQ(rec->Histo.Moda, 80);
    EXPECT_GT(rec->sRR.Max, 0);
    recorder.Stop(settings.core);  // a second stop changes nothing
    EXPECT_EQ(events.stops, 1);
}

TEST_F(RecorderTest, TooShortRecordingIsNotPacked) {
    tick(frames(1, 80));
    recorder.Stop(settings.core);
    EXPECT_EQ(rec->DataBuf[1], 0);
}

}  // namespace
}  // namespace trivant
