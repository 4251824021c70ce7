// Zoomed out to the whole recording: the scale's transforms, the time row's marks, a spike
// of one beat in 100 000 on screen, the scroll bar's range, a click, and the printed page.
#include "graph_fixture.h"
#include "graph_grid.h"
#include "text_overlap.h"
#include "time_axis.h"

#include <QScrollBar>
#include <QTest>

namespace trivant::test {
namespace {

constexpr int kLong = 100000, kSpike = 50000;  // beat kSpike + 1 is 2000 ms, the rest 800

std::unique_ptr<RecordingWindow> spikeGraph(TestHost& host) {
    host.settings.LineWidth = 1;
    std::vector<int> rr(kLong, 80);
    rr[kSpike] = 200;
    return loadedGraph(host, rr, 800, 600);
}

TEST(GraphZoom, ScalesColumnsAndScrollRanges) {
    const struct {
        int level, beats, columns;
        XScale want;
        int range;
    } cases[] = {
        {1, 500, 700, {1, 1}, kScrollRange},
        {4, 500, 700, {4, 1}, kScrollRange},
        {-8, 31999, 700, {1, 8}, kScrollRange},
        {kZoomWhole, 500, 700, {1, 1}, kScrollRange},
        {1, 100000, 700, {1, 1}, 100000},
        {4, 100000, 700, {4, 1}, 400000},
        {-2, 100000, 700, {1, 2}, 50000},
        {-4, 100000, 700, {1, 4}, kScrollRange},
        {kZoomWhole, 100000, 700, {1, 143}, kScrollRange},
    };
    for (const auto& c : cases) {
        const XScale xs = ZoomScale(c.level, c.beats, c.columns);
        EXPECT_EQ(std::make_pair(xs.mult, xs.div), std::make_pair(c.want.mult, c.want.div))
            << c.level;
        EXPECT_EQ(ScrollRange(c.beats, xs), c.range) << c.level << " " << c.beats;
    }
    // At 1/4 column 3 holds beats XPos + 9..12; x4 keeps the old transforms.
    EXPECT_EQ(ColumnBeats(60 + 3, 60, 100, {1, 4}), std::make_pair(109, 112));
    EXPECT_EQ(ColumnToSample(60 + 5, 60, 2, 100), 102);
    EXPECT_EQ((XScale{1, 4}.toPixels(9)), 3);
    EXPECT_EQ((XScale{4, 1}.toPixels(9)), 36);
    EXPECT_EQ(LastColumn(60, 1000, 1, 0, 10 + 1, 4), 3);  // 10 beats: columns of 4, 4, 2
    EXPECT_EQ(LastColumn(60, 1000, 1, 20, 10 + 1, 4), 0);
}

// Marks fall where the time at the end of a beat first reaches a step: 1 s beats from
// 22:59:55 on the clock reach 23:00:00 at the fifth.
TEST(GraphZoom, TimeMarksAndTheirTexts) {
    const std::vector<uint8_t> rr(31, 100);
    const int64_t clock = ClockOf(2024, 5, 1, 22 * 3600 + 59 * 60 + 55);
    const auto marks = TimeAxisMarks(rr.data(), 0, 30, clock * 100, {1, 2}, 10);
    ASSERT_EQ(marks.size(), 3u);
    EXPECT_EQ(marks[0].x, 3);  // beat 5 in the third column of two beats
    EXPECT_EQ(TimeAxisText(marks[0].seconds, true, 10), "23:00:00");
    EXPECT_EQ(TimeAxisText(marks[2].seconds, true, 60), "23:00");
    const auto fromStart = TimeAxisMarks(rr.data(), 0, 30, 0, {1, 1}, 15);
    ASSERT_EQ(fromStart.size(), 3u);  // 0, 15 and 30 s
    EXPECT_EQ(fromStart[1].x, 15);
    EXPECT_EQ(TimeAxisText(25 * 3600, false, 3600), "25:00");
    EXPECT_EQ(TimeAxisStep(1.0 / 60, 50), 3600);  // a day in 1440 pixels: an hour is 60
    EXPECT_EQ(TimeAxisStep(10.0, 50), 5);
}

TEST(GraphZoom, OneSpikeInAHundredThousandShowsAtTheWholeLevel) {
    TestHost host;
    auto g = spikeGraph(host);
    Recording& rec = g->recording();
    rec.DataBuf[70000] = packSample(80, kLabelMark);  // a label among 137 beats of a column
    rec.LabNum = 0;
    rec.PrepareData(ToCoreSettings(host.settings));
    g->SetZoom(kZoomWhole);
    const QImage img = g->renderImage();
    const GraphLayout& L = g->layout();
    const ViewState& v = g->view();
    EXPECT_GT(v.XDiv, 100);
    EXPECT_LE(L.rGr1.Left + v.xScale().toPixels(kLong), L.CW - 1);  // the last beat in view
    const ScaleRange r = SeriesRange(kSerRR, g->scene());
    const int base = ValueToRow(80, r.lower, r.upper, L.rGr1);
    const int top = ValueToRow(200, r.lower, r.upper, L.rGr1);
    const int x = L.rGr1.Left + static_cast<int>(v.xScale().toPixels(kSpike + 1));
    ASSERT_LT(top, base - 20);
    // The whole way up, but where the SpO2 trace crosses it.
    EXPECT_GE(countInColumn(img, x, top, base, Qt::black), base - top);
    EXPECT_EQ(countInColumn(img, x + 5, top, base - 2, Qt::black), 0);
    EXPECT_TRUE(sameColor(img.pixel(x + 5, base), Qt::black));
    const int label = L.rGr2.Left + static_cast<int>(v.xScale().toPixels(70000));
    EXPECT_TRUE(sameColor(img.pixel(label, (L.rGr2.Top + L.rGr2.Bottom) / 2), QColor(128, 0, 0)));
}

TEST(GraphZoom, TimeRowMakesRoomAndCoversNoText) {
    TestHost host;
    auto g = spikeGraph(host);
    const int bottom = g->layout().rGr2.Bottom;
    g->SetZoom(kZoomWhole);
    g->SetTimeAxis(true);
    EXPECT_EQ(g->layout().rGr2.Bottom, bottom - g->layout().TH);
    const auto cells = WidgetTexts(*g, [&g] { g->renderImage(); });
    const auto times = std::count_if(cells.begin(), cells.end(),
                                     [](const auto& e) { return e.text.contains(':'); });
    EXPECT_GE(times, 5);  // 22 h from the start, with the histogram's read-out
    EXPECT_EQ(Overlaps(cells), std::vector<std::string>{});
}

TEST(GraphZoom, ScrollBarCoversALongRecording) {
    TestHost host;
    auto shortOne = loadedGraph(host, std::vector<int>(500, 80));
    shortOne->SetZoom(-4);
    EXPECT_EQ(shortOne->SB->maximum(), kScrollRange);
    auto g = spikeGraph(host);
    EXPECT_EQ(g->SB->maximum(), kLong);
    g->SetZoom(4);
    EXPECT_EQ(g->SB->maximum(), 4 * kLong);
    g->SetZoom(-2);
    g->renderImage();
    const int step = g->timeGrid().XGridStep;
    g->SB->setValue(g->SB->maximum());
    EXPECT_EQ(g->view().XPos, 2 * step * (kLong / 2 / step));
    EXPECT_GT(g->view().XPos, kLong - 2 * step);
}

// Zoomed out, a click in the upper panel picks the column's beat whose NN lies nearest.
TEST(GraphZoom, ClickPicksTheBeatUnderThePointer) {
    TestHost host;
    auto g = spikeGraph(host);
    g->SetZoom(-16);
    g->SetXPos(kSpike - 100);
    const GraphLayout& L = g->layout();
    const ScaleRange r = SeriesRange(kSerRR, g->scene());
    const int x = L.XAxY + static_cast<int>(g->view().xScale().toPixels(100 + 1));
    const int rows[] = {ValueToRow(200, r.lower, r.upper, L.rGr1) + 1,
                        ValueToRow(80, r.lower, r.upper, L.rGr1)};
    const int want[] = {kSpike + 1, kSpike - 100 + 6 * 16 + 1};  // the spike, the column's first
    for (int i = 0; i < 2; ++i) {
        QTest::mouseClick(g.get(), Qt::LeftButton, {}, QPoint(x, rows[i]));
        EXPECT_EQ(g->view().HistoPoint, want[i]);
    }
    EXPECT_EQ(g->L_RR->text(), "800");
}

// A long recording prints on one page what the window shows, with its range in the header.
TEST(GraphZoom, PrintedPageOfTheWholeRecordingNamesItsRange) {
    TestHost host;
    auto g = spikeGraph(host);
    g->SetZoom(kZoomWhole);
    g->recording().StartClockS = ClockOf(2024, 5, 1, 22 * 3600);
    int times = 0;  // "hh:mm" of the time row
    auto header = [&g, &times] {
        QImage page(1240, 1754, QImage::Format_RGB32);
        TextCollector texts;
        g->MyPrint(page);
        EXPECT_EQ(Overlaps(texts.entries()), std::vector<std::string>{});
        times = static_cast<int>(
            std::count_if(texts.entries().begin(), texts.entries().end(),
                          [](const auto& e) { return e.text.size() == 5 && e.text[2] == ':'; }));
        for (const auto& e : texts.entries())
            if (e.text.startsWith("Удары"))
                return e.text.toStdString();
        return std::string();
    };
    // 99999 beats of 0.8 s and one of 2 s: 80001.2 s.
    EXPECT_EQ(header(), "Удары 1–100000 из 100000, 22:00:00–20:13:21 (22:13:21)");
    EXPECT_EQ(times, 0);
    g->SetTimeAxis(true);
    header();
    EXPECT_GE(times, 5);
    g->SetZoom(1);
    EXPECT_EQ(header().rfind("Удары 1–", 0), 0u) << header();
    auto shortOne = loadedGraph(host, std::vector<int>(500, 80));
    g = std::move(shortOne);
    EXPECT_EQ(header(), "");
}

}  // namespace
}  // namespace trivant::test
