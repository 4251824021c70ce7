// The ECG strip: its geometry, its block reads, its pixels in the window and on the page, and
// a window without a record that looks as it always did.
#include "fake_ecg_source.h"
#include "graph_fixture.h"

#include "ecg_strip_feed.h"
#include "ecg_strip_layout.h"
#include "ecg_strip_paint.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

#include <cmath>

namespace trivant::test {
namespace {

constexpr int kBeats = 400;
constexpr int64_t kFirstR = 100, kRr = 288;  // 0.8 s at 360 Hz, as the NN of 80
constexpr int64_t kSamples = kFirstR + kBeats * kRr + 200;

TEST(EcgStripLayout, PaperScaleCentringAndTheRecordsEnds) {
    struct Case {
        double dpi;
        int64_t centre, total;
        int64_t first;  // -1: centred
        double mmPerMv;
        int height;
    };
    const Case cases[] = {
        {96, 50000, 100000, -1, 10, 140}, {96, 100, 100000, 0, 10, 140},
        {96, 99990, 100000, -2, 10, 140}, {254, 50000, 100000, -1, 10, 400},
        {96, 50000, 100000, -1, 5, 80},   {96, 10, 500, 0, 10, 140},
    };
    for (const Case& c : cases) {
        const Rect area{10, 500, 810, 500 + c.height};
        const EcgStripLayout L = ComputeEcgStripLayout(area, 14, c.dpi, 360, c.centre, c.total);
        const double pxPerMm = c.dpi / 25.4;
        EXPECT_DOUBLE_EQ(L.pxPerMm, pxPerMm);
        EXPECT_EQ(L.mmPerMv, c.mmPerMv) << c.height;
        // 25 mm/s: a second of samples spans 25 mm; 1 mV spans mmPerMv up from the baseline.
        EXPECT_NEAR(L.sampleToX(L.first + 360) - L.sampleToX(L.first), 25 * pxPerMm, 1e-9);
        EXPECT_NEAR(L.mvToY(0) - L.mvToY(1), c.mmPerMv * pxPerMm, 1e-9);
        EXPECT_NEAR(L.count, (area.Right - L.traceLeft) / (25 * pxPerMm) * 360, 1);
        EXPECT_EQ(L.traceLeft, area.Left + std::lround(10 * pxPerMm));
        if (c.first == -1)
            EXPECT_NEAR(L.sampleToX(c.centre), (L.traceLeft + area.Right) / 2.0, 2);
        else if (c.first == -2)
            EXPECT_EQ(L.first + L.count, c.total);
        else
            EXPECT_EQ(L.first, c.first);
    }
}

TEST(EcgStripFeed, ReadsABlockAroundTheWindowAndAgainOnlyPastIt) {
    auto src = std::make_shared<FakeEcgSource>(kSamples, kFirstR, kRr);
    EcgStripFeed feed(src, 0);
    int64_t n = 0;
    const float* mv = feed.window(10000, 2000, n);
    ASSERT_EQ(n, 2000);
    EXPECT_FLOAT_EQ(mv[kFirstR + 35 * kRr - 10000], src->at(kFirstR + 35 * kRr));
    const int64_t once = src->read;
    EXPECT_EQ(once, 3 * 2000);
    feed.window(11500, 2000, n);  // inside the block
    EXPECT_EQ(src->read, once);
    mv = feed.window(kSamples - 500, 2000, n);  // the record's end: what there is
    EXPECT_EQ(n, 500);
    EXPECT_FLOAT_EQ(mv[499], src->at(kSamples - 1));
    EXPECT_LT(src->read, kSamples / 4);
    EXPECT_EQ(feed.window(kSamples, 2000, n), nullptr);
}

std::unique_ptr<RecordingWindow> ecgGraph(TestHost& host, bool source = true) {
    auto g = loadedGraph(host, std::vector<int>(kBeats, 80), 900, 600);
    SetBeatSamples(g->recording(), kBeats, kFirstR, kRr);
    if (source)
        g->SetEcgSource(std::make_shared<FakeEcgSource>(kSamples, kFirstR, kRr), 0);
    return g;
}

// The layout the window's strip is painted with.
EcgStripLayout stripOf(RecordingWindow& g, int beat) {
    return ComputeEcgStripLayout(g.ecgStripArea(), QFontMetrics(g.font()).height(), g.logicalDpiX(),
                                 FakeEcgSource::kRate, g.recording().BeatSamples[beat], kSamples);
}

TEST(EcgStripWindow, WithoutASourceTheWindowIsAsBefore) {
    TestHost host;
    auto plain = loadedGraph(host, std::vector<int>(kBeats, 80), 900, 600);
    auto noSource = ecgGraph(host, false);
    auto noBeats = loadedGraph(host, std::vector<int>(kBeats, 80), 900, 600);
    noBeats->SetEcgSource(std::make_shared<FakeEcgSource>(kSamples, kFirstR, kRr), 0);
    for (RecordingWindow* g : {noSource.get(), noBeats.get()}) {
        EXPECT_FALSE(g->ecgShown());
        EXPECT_EQ(g->layout().CH, plain->layout().CH);
        EXPECT_EQ(g->renderImage(), plain->renderImage());
    }
    auto ecg = ecgGraph(host);
    EXPECT_TRUE(ecg->ecgShown());
    EXPECT_EQ(ecg->layout().CH, 600 - (ecg->ecgStripArea().Bottom - ecg->ecgStripArea().Top + 1));
}

TEST(EcgStripWindow, RMarksCalibrationAndTraceWhereTheLayoutPutsThem) {
    TestHost host;
    auto g = ecgGraph(host);
    g->ShowBeat(200);
    const QImage img = g->renderImage();
    const EcgStripLayout L = stripOf(*g, 200);
    const EcgStripStyle st;
    const int top = L.paper.Top + 2;
    int marks = 0;
    for (int k = 0; k <= kBeats; ++k) {
        const int64_t s = g->recording().BeatSamples[k];
        if (s < L.first || s >= L.first + L.count)
            continue;
        const int x = static_cast<int>(std::floor(L.sampleToX(s)));
        EXPECT_TRUE(sameColor(img.pixel(x, top), k == 200 ? st.selected : st.mark)) << k;
        const int between = x + int(L.sampleToX(kRr / 2) - L.sampleToX(0));
        EXPECT_FALSE(sameColor(img.pixel(between, top), st.mark));
        // The R wave reaches 1.5 mV over the baseline.
        EXPECT_GE(countInColumn(img, x, int(L.mvToY(1.4)), int(L.mvToY(0.5)), Qt::black), 1);
        ++marks;
    }
    EXPECT_NEAR(marks, L.widthS() / 0.8, 1);
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(g.get(), &right);
    EXPECT_EQ(EcgCentreBeat(g->scene(), g->layout().rGr1.width()), 201);
    EXPECT_EQ(stripOf(*g, 1).first, 0);  // at the record's start: not centred
    // The pulse's rising edge: 1 mV high, 2.5 mm in.
    const int edge = static_cast<int>(std::lround(L.paper.Left + L.mmToPx(2.5)));
    int black = 0;
    for (int x = edge - 1; x <= edge + 1; ++x)
        black += countInColumn(img, x, int(L.mvToY(0.9)), int(L.mvToY(0.1)), Qt::black);
    EXPECT_GE(black, int(L.mvToY(0.1) - L.mvToY(0.9)));
}

int countColor(const QImage& img, int y0, const QColor& c) {  // from row y0 down
    int n = 0;
    for (int x = 0; x < img.width(); ++x)
        n += countInColumn(img, x, y0, img.height() - 1, c);
    return n;
}

TEST(EcgStripPrint, ThePageCarriesTheStripUnderTheMeans) {
    TestHost host;
    QImage pages[2];
    for (int i = 0; i < 2; ++i) {
        auto g = ecgGraph(host, i == 1);
        g->ShowBeat(200);
        pages[i] = QImage(1240, 1754, QImage::Format_RGB32);
        pages[i].fill(Qt::white);
        ASSERT_TRUE(g->MyPrint(pages[i]));
    }
    const int lowest = pages[0].height() * 2 / 3;  // under the means
    EXPECT_EQ(countColor(pages[0], lowest, EcgStripStyle{}.selected), 0);
    EXPECT_GT(countColor(pages[1], lowest, EcgStripStyle{}.selected), 10);
    EXPECT_GT(countColor(pages[1], lowest, EcgStripStyle{}.mark), 50);
    EXPECT_GT(countColor(pages[1], lowest, Qt::black), countColor(pages[0], lowest, Qt::black));
}

}  // namespace
}  // namespace trivant::test
