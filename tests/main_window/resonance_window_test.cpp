// The resonance-frequency assessment run through the training window on a replayed strap
// whose heart rate swings most at one of the rates: the labels it puts, its table against
// the one the command line computes on the same recording, the one-click rate, and runs
// that end early.
#include "training_fixture.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include <algorithm>
#include <tuple>

namespace trivant::test {
namespace {

const std::vector<double> kRates(std::begin(kResonanceDefaultRates),
                                 std::end(kResonanceDefaultRates));
constexpr int kMinutes = 2;
constexpr double kRunOriginS = 9;  // of the log, where the run is expected to start

// The swing of the intervals (ms) at each rate, largest at 5.5.
double swingMs(double rate) {
    return 120 - 60 * std::abs(rate - 5.5);
}

// Intervals swinging at the rate the run leads at each moment, the phase carried on.
std::vector<StrapLogEntry> resonanceLog() {
    double phase = 0, prevT = 0;
    const double stepS = kMinutes * 60;
    return strapLog(kRunOriginS + kRates.size() * stepS + 80, [&](double t) {
        const double step = std::clamp(std::floor((t - kRunOriginS) / stepS), 0.0,
                                       static_cast<double>(kRates.size() - 1));
        const double rate = kRates[static_cast<size_t>(step)];
        phase += 2 * M_PI * rate / 60 * (t - prevT);
        prevT = t;
        return 1000 + swingMs(rate) * std::sin(phase);
    });
}

// The whole run, its table and one click; then a run cancelled and one the recording's stop
// ends, neither leaving a table.
TEST_F(TrainingApp, FindsTheRateWhereTheHeartSwingsMost) {
    const RussianNumbers russian;
    RecordingWindow* g = record(resonanceLog());
    TrainingWindow* w = openTraining();
    ASSERT_NE(w, nullptr);
    ResonancePanel* p = w->resonancePanel();
    EXPECT_EQ(p->ratesEdit()->text(), "6,5; 6; 5,5; 5; 4,5");
    EXPECT_EQ(p->minutesBox()->value(), kMinutes);
    play(g, w, 10);

    // A refused list says what is wrong and starts nothing (ParseRates has every refusal).
    p->ratesEdit()->setText("6; 5,7");
    p->startButton()->click();
    w->frame();
    EXPECT_FALSE(p->running());
    EXPECT_TRUE(p->statusLabel()->text().contains(QString::fromUtf8("не кратен 0,5")))
        << p->statusLabel()->text().toStdString();

    p->ratesEdit()->setText("6,5; 6; 5,5; 5; 4,5");
    p->startButton()->click();
    play(g, w, 1);
    ASSERT_TRUE(p->running());
    EXPECT_FALSE(w->rateBox()->isEnabled());
    EXPECT_EQ(w->rateBox()->value(), 6.5);
    play(g, w, static_cast<int>(kRates.size()) * kMinutes * 60 + 2);
    ASSERT_FALSE(p->running()) << p->statusLabel()->text().toStdString();
    EXPECT_TRUE(w->rateBox()->isEnabled());
    EXPECT_NEAR(p->startS(), kRunOriginS, 1.5);

    const Recording& rec = g->recording();
    std::vector<std::string> labels{"темп 6.5", "темп 6.0", "темп 5.5", "темп 5.0", "темп 4.5"};
    EXPECT_EQ(labelNames(rec), labels);

    // The command line's table of the same run (--rates --minutes --start), row by row, and
    // the window's in the interface's numbers, the resonance row in bold and ticked; the
    // labels start each rate within a frame (here a second of beats) and a beat of the plan.
    const RecordingBeats beats = BeatsOf(rec);
    const auto cli = ResonanceTable(beats, PlannedSegments(kRates, kMinutes, p->startS()));
    const auto fields = [](const ResonanceRow& r) {
        return std::tie(r.segment.startS, r.lfPeakPower, r.amplitudeBpm, r.coherence, r.resonance);
    };
    ASSERT_EQ(p->rows().size(), cli.size());
    QTableWidget* t = p->table();
    ASSERT_FALSE(t->isHidden());
    ASSERT_EQ(t->rowCount(), static_cast<int>(cli.size()));
    const std::vector<PacedSegment> labelled = LabelledSegments(rec, beats);
    for (size_t i = 0; i < cli.size(); ++i) {
        const int row = static_cast<int>(i);
        EXPECT_TRUE(fields(p->rows()[i]) == fields(cli[i])) << kRates[i];
        EXPECT_EQ(cli[i].resonance, kRates[i] == 5.5) << kRates[i];
        EXPECT_NEAR(labelled.at(i).startS - cli[i].segment.startS, 1.25, 1.25) << kRates[i];
        EXPECT_EQ(t->item(row, 0)->text(), QLocale().toString(kRates[i], 'f', 1));
        EXPECT_EQ(t->item(row, 0)->font().bold(), cli[i].resonance) << kRates[i];
        EXPECT_EQ(t->item(row, 4)->text().isEmpty(), !cli[i].resonance) << kRates[i];
    }

    ASSERT_FALSE(p->applyButton()->isHidden());
    EXPECT_EQ(p->applyButton()->text(), "Установить темп 5,5");
    p->applyButton()->click();
    EXPECT_EQ(w->rateBox()->value(), 5.5);
    labels.emplace_back("темп 5.5");

    // Each later run starts at its first rate and labels it, even where the rate stays.
    for (int run = 0; run < 2; ++run) {
        p->startButton()->click();
        play(g, w, 20);
        ASSERT_TRUE(p->running());
        if (run == 0)
            p->cancelButton()->click();
        else
            g->StopRecording();
        w->frame();
        EXPECT_FALSE(p->running());
        EXPECT_TRUE(p->rows().empty());
        EXPECT_TRUE(t->isHidden());
        EXPECT_TRUE(w->rateBox()->isEnabled());
        labels.emplace_back("темп 6.5");
    }
    EXPECT_FALSE(p->startButton()->isEnabled());
    EXPECT_EQ(labelNames(rec), labels);
}

}  // namespace
}  // namespace trivant::test
