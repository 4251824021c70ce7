// A strap recording played live from a log: the read-out's scales follow its values while it
// records, the training window's pacer animates beside it without slowing the tick, and the
// demo opens both by itself.
#include "demo_training.h"
#include "graph_grid.h"
#include "training_fixture.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <cmath>

namespace trivant::test {
namespace {

// Counts the paint events of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return QObject::eventFilter(watched, event);
    }
};

using LiveStrap = TrainingApp;

// Whether every shown value of beats from..to fits the range of its scale (where any row
// can hold it).
bool fits(const RecordingWindow& g, int from, int to, int series) {
    const ScaleRange range = SeriesRange(series, g.scene());
    for (int k = from; k <= to; ++k) {
        const int32_t v = series == kSerIBHi ? g.recording().ibAt(k) : g.recording().at(series, k);
        const int32_t widest =
            series == kSerIBHi ? ScaleRanges::IB[0].upper : ScaleRanges::HRV[0].upper;
        if (v > range.upper && v <= widest)
            return false;
    }
    return true;
}

// Two minutes of a steady rhythm (a high stress index), then a wide swing (a large SDNN):
// both scales leave their starting rows while it records, hold every value after each tick,
// and change only a few times.
TEST_F(LiveStrap, ScalesFollowTheValuesWhileRecording) {
    RecordingWindow* g = record(strapLog(400, [](double t) {
        return t < 120 ? 1000 + 4 * std::sin(t) : 900 + 300 * std::sin(0.6 * t);
    }));
    ASSERT_NE(g, nullptr);
    const Recording& rec = g->recording();
    const int startHRV = rec.ScHRV, startIB = rec.ScIB;
    const int sample = form->setup().Sample;
    int changes = 0, shownHRV = startHRV, shownIB = startIB;
    for (int second = 0; second < 300 && g->recordingNow(); ++second) {
        now += 1;
        g->Timer1Timer();
        const int n = rec.beats();
        for (const int s : {kSerSYM, kSerPAR, kSerSDNN})
            ASSERT_TRUE(fits(*g, 3, n, s)) << "series " << s << " at beat " << n;
        ASSERT_TRUE(fits(*g, sample + 1, n, kSerIBHi)) << "at beat " << n;
        changes += (rec.ScHRV != shownHRV) + (rec.ScIB != shownIB);
        shownHRV = rec.ScHRV;
        shownIB = rec.ScIB;
    }
    EXPECT_TRUE(g->recordingNow());
    EXPECT_LT(rec.ScHRV, startHRV);
    EXPECT_LT(rec.ScIB, startIB);
    EXPECT_LE(changes, 6);
}

// make demo TRAINING=1: nobody presses a thing, and the training opens beside the recording.
// Then in real time for two seconds: the pacer's frames at 30 a second or near, the
// recording's ticks at their pace. Generous bounds: a sanitized build on shared cores.
TEST_F(LiveStrap, TheDemoOpensTheTrainingWhosePacerDoesNotSlowTheTick) {
    for (const auto& [value, asked] :
         {std::pair{"", false}, {"0", false}, {"1", true}, {"yes", true}})
        EXPECT_EQ(DemoTrainingAsked(value), asked) << value;
    useStrap(breathingLog(120), true);
    StartTrainingDemo(*form);
    ASSERT_TRUE(QTest::qWaitFor([this] { return form->findChild<TrainingWindow*>(); }, 10000));
    auto* w = form->findChild<TrainingWindow*>();
    auto* g = form->findChild<RecordingWindow*>();
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(form->findChildren<RecordingWindow*>().size(), 1);
    ASSERT_TRUE(QTest::qWaitFor([g] { return g->recording().beats() > 0; }, 10000));
    auto* canvas = w->findChild<TrainingCanvas*>();
    ASSERT_NE(canvas, nullptr);
    PaintCounter painted;
    canvas->installEventFilter(&painted);
    int ticks = 0;
    QObject::connect(g->Timer1, &QTimer::timeout, [&ticks] { ++ticks; });
    const int beatsBefore = g->recording().beats();

    QElapsedTimer clock;
    clock.start();
    QTest::qWait(2000);
    const double seconds = clock.elapsed() / 1000.0;
    const double nominalTicks = seconds * 1000 / g->Timer1->interval();
    EXPECT_GE(ticks, 0.8 * nominalTicks) << ticks << " ticks in " << seconds << " s";
    EXPECT_GE(painted.paints / seconds, 25) << painted.paints << " frames in " << seconds << " s";
    EXPECT_GE(g->recording().beats(), beatsBefore + 1);  // the beats went on arriving
    EXPECT_TRUE(g->recordingNow());
    EXPECT_EQ(form->findChildren<TrainingWindow*>().size(), 1);  // the demo's watch has ended
}

}  // namespace
}  // namespace trivant::test
