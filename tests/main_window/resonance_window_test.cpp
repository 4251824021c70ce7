// The resonance-frequency assessment run through the training window on a replayed strap
// whose heart rate swings most at one of the rates: the labels it puts, its table against
// the one the command line computes on the same recording, and the one-click rate.
#include "training_fixture.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
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
    return strapLog(kRunOriginS + kRates.size() * stepS + 30, [&](double t) {
        const double step = std::clamp(std::floor((t - kRunOriginS) / stepS), 0.0,
                                       static_cast<double>(kRates.size() - 1));
        const double rate = kRates[static_cast<size_t>(step)];
        phase += 2 * M_PI * rate / 60 * (t - prevT);
        prevT = t;
        return 1000 + swingMs(rate) * std::sin(phase);
    });
}

class ResonanceApp : public TrainingApp {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void TearDown() override { QLocale::setDefault(before_); }

private:
    QLocale before_;
};

TEST_F(ResonanceApp, FindsTheRateWhereTheHeartSwingsMost) {
    RecordingWindow* g = record(resonanceLog());
    TrainingWindow* w = openTraining();
    ASSERT_NE(w, nullptr);
    ResonancePanel* p = w->resonancePanel();
    EXPECT_EQ(p->ratesEdit()->text(), "6,5; 6; 5,5; 5; 4,5");
    play(g, w, 10);

    // Refused lists say what is wrong and start nothing.
    for (const auto& [text, said] : {std::pair{"6,5; 12", "вне пределов"},
                                     {"6; 5,7", "не кратен 0,5"},
                                     {"6; шесть", "«шесть» не число"},
                                     {" ", "например «6,5; 6; 5,5; 5; 4,5»"}}) {
        p->ratesEdit()->setText(QString::fromUtf8(text));
        p->startButton()->click();
        w->frame();
        EXPECT_FALSE(p->running()) << text;
        EXPECT_TRUE(p->statusLabel()->text().contains(QString::fromUtf8(said)))
            << p->statusLabel()->text().toStdString();
    }

    p->ratesEdit()->setText("6,5; 6; 5,5; 5; 4,5");
    EXPECT_EQ(p->minutesBox()->value(), kMinutes);
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
    const std::vector<std::string> labels{"темп 6.5", "темп 6.0", "темп 5.5", "темп 5.0",
                                          "темп 4.5"};
    EXPECT_EQ(labelNames(rec), labels);

    // The command line's table of the same run (--rates --minutes --start), row by row; the
    // labels start each rate within a frame (here a second of beats) and a beat of the plan.
    const RecordingBeats beats = BeatsOf(rec);
    const auto cli = ResonanceTable(beats, PlannedSegments(kRates, kMinutes, p->startS()));
    const auto fields = [](const ResonanceRow& r) {
        return std::tie(r.segment.startS, r.lfPeakPower, r.amplitudeBpm, r.coherence, r.resonance);
    };
    ASSERT_EQ(p->rows().size(), cli.size());
    const std::vector<PacedSegment> labelled = LabelledSegments(rec, beats);
    for (size_t i = 0; i < cli.size(); ++i) {
        EXPECT_TRUE(fields(p->rows()[i]) == fields(cli[i])) << kRates[i];
        EXPECT_EQ(cli[i].resonance, kRates[i] == 5.5) << kRates[i];
        EXPECT_NEAR(labelled.at(i).startS - cli[i].segment.startS, 1.25, 1.25) << kRates[i];
    }
    // The table in the interface's numbers, the resonance row in bold.
    QTableWidget* t = p->table();
    ASSERT_FALSE(t->isHidden());
    ASSERT_EQ(t->rowCount(), 5);
    EXPECT_EQ(t->item(2, 0)->text(), "5,5");
    EXPECT_TRUE(t->item(2, 0)->font().bold());
    EXPECT_FALSE(t->item(1, 0)->font().bold());
    EXPECT_FALSE(t->item(2, 4)->text().isEmpty());
    EXPECT_TRUE(t->item(1, 4)->text().isEmpty());

    ASSERT_FALSE(p->applyButton()->isHidden());
    EXPECT_EQ(p->applyButton()->text(), "Установить темп 5,5");
    p->applyButton()->click();
    EXPECT_EQ(w->rateBox()->value(), 5.5);
    EXPECT_EQ(labelNames(rec).back(), "темп 5.5");
}

TEST_F(ResonanceApp, StopsWithoutATableWhenCancelledOrTheRecordingStops) {
    RecordingWindow* g = record();
    TrainingWindow* w = openTraining();
    ASSERT_NE(w, nullptr);
    ResonancePanel* p = w->resonancePanel();
    play(g, w, 5);
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
        EXPECT_TRUE(p->table()->isHidden());
        EXPECT_TRUE(w->rateBox()->isEnabled());
    }
    EXPECT_FALSE(p->startButton()->isEnabled());
    // The second run starts at the rate the first left, and labels it all the same.
    EXPECT_EQ(labelNames(g->recording()), (std::vector<std::string>{"темп 6.5", "темп 6.5"}));
}

}  // namespace
}  // namespace trivant::test
