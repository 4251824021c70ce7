// The breathing training during a strap recording played from a log: opened from the menu,
// fed by the recording's beats, labelling the recording at each start, stop and rate, and
// summing up when it stops.
#include "training_fixture.h"
#include "training_geometry.h"

#include <QDoubleSpinBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>

namespace trivant::test {
namespace {

TEST_F(TrainingApp, TrainsBesideALiveRecordingAndLabelsIt) {
    RecordingWindow* g = record();
    ASSERT_NE(g, nullptr);
    form->IdleHandler();
    ASSERT_TRUE(form->N_Training->isEnabled());
    EXPECT_EQ(form->N_Training->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_B));
    form->N_Training->trigger();
    auto* w = form->findChild<TrainingWindow*>();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(g->recordingNow());

    play(g, w, 10);
    ASSERT_TRUE(w->startButton()->isEnabled());
    w->startButton()->click();
    EXPECT_TRUE(w->training());
    play(g, w, 120);
    EXPECT_FALSE(w->figuresLabel()->text().contains("когерентность -"))
        << w->figuresLabel()->text().toStdString();
    w->rateBox()->setValue(5.5);
    play(g, w, 30);
    w->stopButton()->click();
    EXPECT_FALSE(w->training());
    const std::vector<std::string> labels{"тренинг", "темп 5.5", "тренинг"};
    EXPECT_EQ(labelNames(g->recording()), labels);

    ASSERT_TRUE(w->summary().has_value());
    const TrainingSummary& s = *w->summary();
    EXPECT_NEAR(s.durationS, 150, 3);
    EXPECT_NEAR(s.meanHrBpm, 60, 2);
    ASSERT_TRUE(s.maxCoherence && s.highCoherenceShare && s.meanAmplitudeBpm);
    EXPECT_GT(*s.maxCoherence, kHighCoherence);  // a pure 0.1 Hz swing is coherent
    EXPECT_GT(*s.highCoherenceShare, 0.5);
    EXPECT_NEAR(*s.meanAmplitudeBpm, 14, 4);  // 60000/880 - 60000/1120
    EXPECT_FALSE(w->summaryLabel()->text().isEmpty());
    ASSERT_TRUE(w->exportButton()->isEnabled());
    w->setExportPathAsker([this] { return QString::fromStdString(dir.file("training.csv")); });
    w->exportButton()->click();
    EXPECT_EQ(dir.read("training.csv"), TrainingSummaryCsv(s));

    // The recording went on, and keeps the labels when it stops.
    play(g, w, 5);
    EXPECT_TRUE(g->recordingNow());
    form->TB_Stop->trigger();
    EXPECT_EQ(labelNames(g->recording()), labels);
}

TEST_F(TrainingApp, ThePacerBarIsFilledToItsHeight) {
    RecordingWindow* g = record();
    form->IdleHandler();
    form->N_Training->trigger();
    auto* w = form->findChild<TrainingWindow*>();
    ASSERT_NE(w, nullptr);
    auto* canvas = w->findChild<TrainingCanvas*>();
    int probes = 0;
    for (int i = 0; i < 5; ++i) {
        play(g, w, 1);
        QImage image(canvas->size(), QImage::Format_RGB32);
        canvas->render(&image);
        const QRect bar = LayoutCanvas(canvas->rect()).bar;
        const QRect fill =
            BarFill(bar, PacerAt(w->canvasState().pacer, w->canvasState().pacerS).height);
        const int x = bar.center().x();
        // Below the fill's top the bar is blue, above it white (the word may sit at the top).
        if (fill.height() > 4) {
            ++probes;
            EXPECT_EQ(image.pixelColor(x, fill.bottom() - 1), QColor(40, 120, 200));
        }
        if (bar.height() - fill.height() > 40) {
            ++probes;
            EXPECT_EQ(image.pixelColor(x, fill.top() - 3), QColor(Qt::white));
        }
    }
    EXPECT_GT(probes, 0);
}

}  // namespace
}  // namespace trivant::test
