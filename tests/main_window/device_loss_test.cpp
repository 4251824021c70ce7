// The device goes away in the middle of a recording: on a fake port, after whole frames
// or part of one, and over a pseudo-terminal whose trivant-sim is killed. Every completed
// beat stays, silence ends the recording, and the window keeps it unsaved.
#include "app_fixture.h"
#include "recording_window.h"
#include "sim_session.h"
#include "source_run.h"

#include <QMdiArea>
#include <QTimer>

#include <chrono>

namespace trivant::test {
namespace {

// Ticks the recording window as its timer would, until silence ends the recording.
int tickUntilStopped(RecordingWindow& g) {
    int ticks = 0;
    while (g.recordingNow() && ticks < 2 * kSilentTickLimit) {
        g.Timer1Timer();
        ++ticks;
    }
    return ticks;
}

TEST_F(AppTest, DeviceGoneAfterWholeOrPartFramesKeepsEveryBeat) {
    for (int partial = 0; partial < 3; ++partial) {
        SCOPED_TRACE(partial);
        start();
        RecordingWindow* g = startRecordingOnFakePort();
        ASSERT_NE(g, nullptr);
        constexpr int kBeats = 40;
        for (int i = 0; i < kBeats; ++i)
            fake->incoming.insert(fake->incoming.end(), {0, uint8_t(60 + i), 197});
        const uint8_t frame[] = {0, 99, 196};
        fake->incoming.insert(fake->incoming.end(), frame, frame + partial);
        g->Timer1Timer();
        ASSERT_EQ(g->recording().beats(), kBeats);

        fake->present.clear();  // unplugged
        fake->openable.clear();
        form->IdleHandler();
        EXPECT_FALSE(form->supervisor().DeviceConnected());
        QString text;
        answer(message(kMsgOk, &text));
        EXPECT_EQ(tickUntilStopped(*g), kSilentTickLimit);  // 100 s of silent ticks
        EXPECT_EQ(text, QString::fromUtf8(kNoConnectionMessage));
        EXPECT_EQ(form->activeGraph(), g);
        EXPECT_FALSE(g->saved());
        const Recording& rec = g->recording();
        ASSERT_EQ(rec.beats(), kBeats);
        for (int k = 1; k <= kBeats; ++k)
            ASSERT_EQ(rec.at(kSerRR, k), 60 + k - 1) << "beat " << k;
        answer([](QDialog&) { return int(kMsgYes); });  // "Не сохранять"
        form->close();
        form.reset();
    }
}

// Plain frames, and frames written in pieces so that the kill may fall inside one.
TEST(DeviceLoss, SimulatorKilledMidRecording) {
    const std::vector<MsEntry> beats = ReadSource(kSimSource);
    ASSERT_FALSE(beats.empty());
    for (const bool split : {false, true}) {
        SCOPED_TRACE(split);
        std::vector<std::string> args{"--ms", kSimSource, "--speed", "50", "--loop"};
        if (split)
            args.push_back("--split");
        auto runner = std::make_unique<ScriptedRunner>();
        ScriptedRunner* answers = runner.get();
        SimSession session(args, std::move(runner));
        RecordingWindow* g = session.startRecording();
        ASSERT_NE(g, nullptr);
        MainWindow& form = *session.form;
        ASSERT_TRUE(PumpUntil([&] { return g->recording().beats() >= 60; }, 30));
        session.sim().signal(SIGKILL);
        session.sim().wait(std::chrono::seconds(10));
        const int seen = g->recording().beats();
        g->Timer1->stop();  // the test ticks for the timer: 100 s of silence in no time
        form.IdleHandler();
        QString text;
        answers->answers.push_back(message(kMsgOk, &text));
        tickUntilStopped(*g);
        form.IdleHandler();
        EXPECT_FALSE(g->recordingNow());
        EXPECT_EQ(text, QString::fromUtf8(kNoConnectionMessage));
        EXPECT_FALSE(g->saved());
        const Recording& rec = g->recording();
        ASSERT_GE(rec.beats(), seen);
        EXPECT_TRUE(IsRunOfTheSource(rec, beats));
        answers->answers.push_back([](QDialog&) { return int(kMsgYes); });  // "Не сохранять"
        form.close();
    }
}

}  // namespace
}  // namespace trivant::test
