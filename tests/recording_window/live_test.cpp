// Recording live: frames from a fake port through the 100 ms timer, the view following
// the newest beat, and the end of the recording.
#include "graph_fixture.h"

#include <QLabel>
#include <QScrollBar>
#include <QTest>

namespace trivant::test {
namespace {

std::vector<uint8_t> frames(int n, uint8_t rr = 80) {
    std::vector<uint8_t> out;
    for (int i = 0; i < n; ++i)
        out.insert(out.end(), {0, rr, 197});
    return out;
}

class GraphLive : public ::testing::Test {
protected:
    void SetUp() override {
        host.settings.AutoStop = false;
        g = std::make_unique<RecordingWindow>(host);
        g->setAttribute(Qt::WA_DontShowOnScreen);
        g->resize(663, 478);
        g->show();
        host.send(frames(5));  // waited before the start: dropped
        g->StartRecording();
    }
    TestHost host;
    std::unique_ptr<RecordingWindow> g;
};

TEST_F(GraphLive, BeatsArriveThroughTheTimer) {
    EXPECT_EQ(host.purges, 1);
    EXPECT_EQ(g->windowTitle(), "Идет запись...");
    EXPECT_FALSE(g->SB->isVisible());
    EXPECT_FALSE(g->L_Aver->isVisible());
    host.send(frames(10));
    g->Timer1Timer();
    EXPECT_EQ(g->recording().beats(), 10);
    EXPECT_EQ(g->L_N->text(), "10");
    EXPECT_EQ(g->L_RR->text(), "800");
    EXPECT_EQ(g->L_Time->text(), "00:00:06");  // beats 3..10
    EXPECT_EQ(g->view().HistoPoint, 10);
    host.send({3, 1, 1});
    g->Timer1Timer();
    EXPECT_EQ(g->L_Status->text(), "Нет пульса");
}

// A recording knows the clock of its start, and its time read-out shows the clock of a beat,
// the time from the start in its tip; a loaded one shows it for the beat clicked.
TEST_F(GraphLive, TimeReadsTheClockWhereTheStartIsKnown) {
    g->StopRecording();
    host.clockNow = ClockOf(2026, 12, 9, 22 * 3600 + 15 * 60);
    g->StartRecording();
    EXPECT_EQ(g->recording().StartClockS, host.clockNow);
    host.send(frames(10));
    g->Timer1Timer();
    EXPECT_EQ(g->L_Time->text(), "22:15:08");
    EXPECT_EQ(g->L_Time->toolTip(), "С начала записи: 00:00:08");
    g->StopRecording();
    g->ShowBeat(5);
    EXPECT_EQ(g->L_Time->text(), "22:15:04");
}

TEST_F(GraphLive, ViewJumpsForwardAtTheRightEdge) {
    g->renderImage();
    const int width = g->layout().rGr1.width();
    host.send(frames(width + 50));
    g->Timer1Timer();
    EXPECT_GT(g->view().XPos, 0);
    EXPECT_LT(g->recording().CurrentFileLen - g->view().XPos, width);
}

TEST_F(GraphLive, StopShowsScrollBarAndMeans) {
    host.send(frames(150));
    g->Timer1Timer();
    g->StopRecording();
    EXPECT_FALSE(g->recordingNow());
    EXPECT_EQ(g->windowTitle(), "Новая запись");
    EXPECT_TRUE(g->SB->isVisible());
    EXPECT_TRUE(g->L_Aver->isVisible());
    EXPECT_EQ(g->L_RRaver->text(), "800");
    EXPECT_EQ(g->view().XPos, 0);
    EXPECT_EQ(host.stops, 1);
    host.send(frames(5));
    g->Timer1Timer();
    EXPECT_EQ(g->recording().beats(), 150);
}

// Beats are flagged and edited once the recording stopped, never while it grows.
TEST_F(GraphLive, FlagsAndEditsWaitForTheStop) {
    host.send(frames(100));
    host.send(frames(1, 160));  // a missed beat
    host.send(frames(100));
    g->Timer1Timer();
    EXPECT_TRUE(g->flaggedBeats().empty());
    EXPECT_FALSE(g->DeleteBeatAt(50));
    g->ShowReview(true);
    EXPECT_FALSE(g->reviewShown());
    g->StopRecording();
    ASSERT_FALSE(g->flaggedBeats().empty());
    EXPECT_EQ(g->flaggedBeats().front().kind, BeatClass::Missed);
    EXPECT_TRUE(g->A_Review->isEnabled());
    EXPECT_TRUE(g->DeleteBeatAt(50));
    EXPECT_FALSE(g->saved());
}

TEST_F(GraphLive, SilenceEndsTheRecordingButKeepsIt) {
    host.send(frames(30));
    g->Timer1Timer();
    for (int i = 0; i < 1000; ++i)
        g->Timer1Timer();
    EXPECT_EQ(host.limits, std::vector<StopReason>{StopReason::Silence});
    EXPECT_FALSE(g->recordingNow());
    EXPECT_EQ(g->recording().beats(), 30);
    EXPECT_TRUE(g->isVisible());
}

TEST_F(GraphLive, ClosingWhileRecordingStops) {
    host.send(frames(40));
    g->Timer1Timer();
    g->close();
    EXPECT_EQ(host.stops, 1);
    EXPECT_EQ(g->recording().DataBuf[40], packSample(80, 97));
}

TEST_F(GraphLive, ClicksDoNothingWhileRecording) {
    host.send(frames(40));
    g->Timer1Timer();
    const int point = g->view().HistoPoint;
    const GraphLayout& L = g->layout();
    QTest::mouseClick(g.get(), Qt::LeftButton, {}, QPoint(L.XAxY + 10, L.rGr1.Top + 20));
    EXPECT_EQ(g->view().HistoPoint, point);
}

}  // namespace
}  // namespace trivant::test
