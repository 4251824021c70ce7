// The whole-recording windows from the main window's menu: the trend, computed off the
// event loop, drawn, printed and exported, a click on a time opening the fragment picker
// there; and the stages between labels side by side.
#include "app_fixture.h"
#include "fragment_picker.h"
#include "report_window.h"
#include "stage_window.h"
#include "trend_window.h"

#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPdfWriter>
#include <QSpinBox>
#include <QTest>

namespace trivant::test {
namespace {

TEST_F(AppTest, TheTrendWindowShowsTheMeasuresAndOpensThePickerWhereClicked) {
    start();
    ASSERT_NE(form->OpenRecording(std::string(TRIVANT_TEST_DATA) + "/rr/pyhrv-series_1.txt", 3),
              nullptr);
    form->IdleHandler();
    ASSERT_TRUE(form->N_Trend->isEnabled());
    form->N_Trend->trigger();
    auto* trend = qobject_cast<TrendWindow*>(form->mdiArea()->activeSubWindow()->widget());
    ASSERT_NE(trend, nullptr);
    trend->WaitIdle();
    EXPECT_FALSE(trend->Busy());
    // 3601 s of 10 ms values, 3600.3 s after the first interval: windows of 300 s every 30 s.
    EXPECT_EQ(trend->picture().rows.size(), 111u);
    EXPECT_EQ(trend->picture().keys, DefaultTrendKeys());
    // And the whole hour's eleven 5-minute segments (exact intervals; long_term_test.cpp).
    EXPECT_EQ(trend->L_Progress->text(), "Окон: 111 · SDANN 22,3 мс · SDNN-индекс 82,5 мс");
    // Three measures: three panels; a wider step gives fewer windows.
    trend->measureCombos[3]->setCurrentIndex(0);
    EXPECT_EQ(trend->layout().panels.size(), 3u);
    trend->E_Step->setValue(300);
    emit trend->E_Step->editingFinished();
    trend->WaitIdle();
    EXPECT_EQ(trend->picture().rows.size(), 12u);
    const QImage image = RenderToImage(*trend);
    const Rect rmssd = trend->layout().panels[1];
    int red = 0;
    for (int x = rmssd.Left; x <= rmssd.Right; ++x)
        for (int y = rmssd.Top; y <= rmssd.Bottom; ++y)
            red += image.pixel(x, y) == qRgb(200, 0, 0);
    EXPECT_GT(red, rmssd.width() / 2);
    // Minute 20 of 0..70 is two sevenths of the way along a panel.
    const QPoint at(rmssd.Left + rmssd.width() * 2 / 7, (rmssd.Top + rmssd.Bottom) / 2);
    ASSERT_TRUE(trend->SecondAt(at));
    EXPECT_NEAR(*trend->SecondAt(at), 1200, 10);
    // The click opens the picker at the start of the window whose point is nearest: the
    // fragment is that window, with the row's numbers, as the trend measured it.
    trend->choices_.correction->setCurrentIndex(4);
    trend->WaitIdle();
    int fragPos = -1;
    answer([&](QDialog& d) {
        auto* picker = dynamic_cast<FragmentPicker*>(&d);
        fragPos = picker ? picker->FragPos() : -1;
        return int(QDialog::Accepted);
    });
    QTest::mouseClick(trend, Qt::LeftButton, {}, at);
    EXPECT_TRUE(runner->answers.empty());
    EXPECT_EQ(fragPos, *trend->WindowStartAt(at));
    auto* frag = qobject_cast<ReportWindow*>(form->mdiArea()->activeSubWindow()->widget());
    ASSERT_NE(frag, nullptr);
    const SpanMeasures& measured = NearestTrendRow(trend->picture().rows, 1200);
    const StandardMeasures& m = frag->standardPage().m;
    EXPECT_TRUE(m.artifacts.corrected);
    EXPECT_EQ(std::make_pair(frag->report().FrPos, frag->report().FrEnd),
              std::make_pair(int(measured.span.first), int(measured.span.last)));
    for (const char* key : {"mean_rr", "sdnn", "rmssd", "lf_hf", "dfa_a1", "sampen"})
        EXPECT_EQ(MeasureValue(m, key), MeasureValue(measured.m, key)) << key;
    form->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(trend->parentWidget()));
    // Leaving the window's length as it was computes nothing again.
    emit trend->E_Window->editingFinished();
    EXPECT_FALSE(trend->Busy());

    // Its rows leave as trivant-cli trend's CSV, and it prints on one page.
    form->IdleHandler();
    ASSERT_TRUE(form->N_Export->isEnabled());
    answer(file(dir.file("trend.csv"), 1));
    form->N_Export->trigger();
    const std::string csv = dir.read("trend.csv");
    EXPECT_EQ(csv, trend->MeasuresCsv());
    EXPECT_EQ(csv.rfind("file,start_s,end_s,n,mean_rr,", 0), 0u);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 13);
    EXPECT_NE(csv.find("pyhrv-series_1.txt,3000,3300,"), std::string::npos);
    QPdfWriter pdf(QString::fromStdString(dir.file("trend.pdf")));
    ASSERT_TRUE(trend->MyPrint(pdf, true));
    EXPECT_EQ(QByteArray::fromStdString(dir.read("trend.pdf")).count("/Type /Page\n"), 1);
    // The automatic choice after the medium one (the same threshold) measures again, and its
    // fragment opens with the automatic choice too, cut from the same corrected whole.
    trend->choices_.correction->setCurrentIndex(0);
    EXPECT_TRUE(trend->Busy());
    trend->WaitIdle();
    EXPECT_TRUE(trend->picture().rows[0].m.artifacts.automatic);
    EXPECT_NE(trend->L_Progress->text().indexOf("автоматическая коррекция"), -1);
    answer([](QDialog&) { return int(QDialog::Accepted); });
    QTest::mouseClick(trend, Qt::LeftButton, {}, at);
    auto* automatic = qobject_cast<ReportWindow*>(form->mdiArea()->activeSubWindow()->widget());
    ASSERT_NE(automatic, nullptr);
    EXPECT_EQ(automatic->correctionBox()->currentIndex(), 0);
    const StandardMeasures& a = automatic->standardPage().m;
    EXPECT_TRUE(a.artifacts.automatic);
    const SpanMeasures& row = NearestTrendRow(trend->picture().rows, 1200);
    EXPECT_EQ(a.artifacts.flagged, row.m.artifacts.flagged);
    for (const char* key : {"mean_rr", "sdnn", "rmssd", "lf_hf", "dfa_a1", "sampen"})
        EXPECT_EQ(MeasureValue(a, key), MeasureValue(row.m, key)) << key;
}

}  // namespace
}  // namespace trivant::test

namespace trivant::test {
namespace {

TEST(StageTable, ChangesAtTheMeasuresPrecision) {
    const struct {
        std::optional<double> base, value;
        int decimals;
        const char* want;
    } cases[] = {
        {80, 84, 1, "+4.0 (+5.0 %)"},
        {294, 469, 0, "+175 (+59.5 %)"},
        {0, 1.5, 1, "+1.5"},
        {std::nullopt, 1.5, 1, "—"},
        {2, 1.5, 2, "-0.50 (-25.0 %)"},
        {0.94, 1.26, 2, "+0.32 (+34.0 %)"},  // DFA α1 keeps its two decimals
        {1.0, 1.001, 2, "0"},
        {1.0, 0.999, 2, "0"},
        {5.0, 5.0, 0, "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChangeText(c.base, c.value, c.decimals), c.want) << c.want;
}

// Where the start is known, the row after the starts holds their clock times.
TEST(StageTable, ClockTimesOfTheStartsWhereKnown) {
    std::vector<SpanMeasures> stages(2);
    stages[1].stage = 1;
    stages[1].span.startUs = 699500000;
    const int64_t start = ClockOf(2026, 12, 9, 23 * 3600 + 50 * 60);
    EXPECT_EQ(MakeStageTable(stages, start).rows[1],
              (std::vector<std::string>{"Начало, время", "23:50:00", "00:01:39", ""}));
    EXPECT_EQ(MakeStageTable(stages).rows[1][0], "Длительность, с");
}

TEST_F(AppTest, TheStageComparisonPutsTheLabelledStagesSideBySide) {
    start();
    std::string csv = "RR_ms;SpO2;label\n";
    // Stages of 200 beats: 800, 900 and 1000 ms, the last one's label named.
    const char* const labels[] = {"0", "1", "Нагрузка"};
    for (int i = 0; i < 600; ++i)
        csv +=
            std::to_string(800 + 100 * (i / 200)) + ";;" + (i % 200 ? "0" : labels[i / 200]) + "\n";
    dir.write("staged.csv", csv);
    ASSERT_NE(form->OpenRecording(dir.file("staged.csv"), 3), nullptr);
    form->IdleHandler();
    form->N_Stages->trigger();
    auto* w = dynamic_cast<StageWindow*>(form->mdiArea()->activeSubWindow()->widget());
    ASSERT_NE(w, nullptr);
    w->WaitIdle();
    const StageTable& t = w->table();
    EXPECT_EQ(t.header, (std::vector<std::string>{"", "Этап 0", "Этап 1", "Изменение",
                                                  "Этап 2: Нагрузка", "Изменение"}));
    EXPECT_EQ(t.rows[0], (std::vector<std::string>{"Начало, с", "0.0", "160.0", "", "340.0", ""}));
    EXPECT_EQ(t.rows[3],
              (std::vector<std::string>{"Средний RR, мс", "800.0", "900.0", "+100.0 (+12.5 %)",
                                        "1000.0", "+200.0 (+25.0 %)"}));
    form->IdleHandler();
    answer(file(dir.file("stages.csv"), 1));
    form->N_Export->trigger();
    EXPECT_EQ(dir.read("stages.csv"), w->MeasuresCsv());
    EXPECT_EQ(w->MeasuresCsv().rfind("file,stage,start_s,duration_s,n,", 0), 0u);
    EXPECT_NE(w->MeasuresCsv().find(",Нагрузка\n"), std::string::npos);
    // A correction chosen measures the stages again, and the CSV says which it was.
    const std::string uncorrected = w->MeasuresCsv();
    w->choices_.correction->setCurrentIndex(4);
    EXPECT_TRUE(w->Busy());
    form->IdleHandler();
    EXPECT_FALSE(form->N_Export->isEnabled());
    w->WaitIdle();
    form->IdleHandler();
    EXPECT_TRUE(form->N_Export->isEnabled());
    EXPECT_TRUE(w->stages()[0].m.artifacts.corrected);
    EXPECT_NE(w->MeasuresCsv(), uncorrected);  // the corrected column
    // The automatic choice measures again though its threshold is the medium one's, and
    // says so on the bar and in the CSV.
    w->choices_.correction->setCurrentIndex(0);
    w->WaitIdle();
    EXPECT_TRUE(w->stages()[0].m.artifacts.automatic);
    EXPECT_NE(w->MeasuresCsv().find(",auto,"), std::string::npos);
    EXPECT_EQ(w->L_Progress->text(), "Этапов: 3 · автоматическая коррекция");
    const QImage image = RenderToImage(*w);
    EXPECT_GT(image.height(), 0);
}

}  // namespace
}  // namespace trivant::test
