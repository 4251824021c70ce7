// Painting probed pixel by pixel in a rendered window.
#include "graph_fixture.h"

#include "graph_print.h"
#include "scale_ranges.h"

#include <QLabel>
#include <QPainter>

namespace trivant::test {
namespace {

const QColor kBlack(0, 0, 0), kRed(255, 0, 0), kBlue(0, 0, 255), kMaroon(128, 0, 0);

TEST(GraphPaint, NotReadyShowsOnlyWhite) {
    TestHost host;
    RecordingWindow g(host);
    g.setAttribute(Qt::WA_DontShowOnScreen);
    g.resize(663, 478);
    g.show();
    const QImage img = g.renderImage();
    const GraphLayout& L = g.layout();
    EXPECT_TRUE(sameColor(img.pixel(L.rGr1.Left + 50, L.rGr1.Top + 20), Qt::white));
    EXPECT_TRUE(sameColor(img.pixel(L.XAxY, L.rGr2.Top + 5), Qt::white));  // no grid either
}

TEST(GraphPaint, NnTraceAtTheRowOfItsValue) {
    TestHost host;
    host.settings.LineWidth = 1;
    auto g = loadedGraph(host, std::vector<int>(300, 70));
    const QImage img = g->renderImage();
    const GraphLayout& L = g->layout();
    const ScaleRange r = ScaleRanges::RR[g->recording().ScRR];
    const int row = ValueToRow(70, r.lower, r.upper, L.rGr1);
    const int x = L.rGr1.Left + 25;
    EXPECT_TRUE(sameColor(img.pixel(x, row), kBlack)) << row;
    EXPECT_EQ(countInColumn(img, x, L.rGr1.Top + 1, L.rGr1.Bottom - 1, kBlack), 1);
}

TEST(GraphPaint, TraceSwitchedOffLeavesItsNumbers) {
    TestHost host;
    host.settings.Traces[kSerSPO].Shown = false;
    auto g = loadedGraph(host, std::vector<int>(300, 70));
    const QImage img = g->renderImage();
    const GraphLayout& L = g->layout();
    // SpO2 97 in the range 90..100 would be red inside the panel.
    const int row = ValueToRow(97, 90, 100, L.rGr1);
    EXPECT_EQ(countInColumn(img, L.rGr1.Left + 40, row - 2, row + 2, kRed), 0);
    int redNumbers = 0;  // the SpO2 scale numbers stay, in red (smoothed text: reddish)
    for (int x = L.rAxY1_1.Left; x < L.rAxY1_1.Right; ++x)
        for (int y = L.rGr1.Top - L.TH; y <= L.rGr1.Bottom; ++y) {
            const QColor c(img.pixel(x, y));
            redNumbers += c.red() > 150 && c.green() < 120 && c.blue() < 120;
        }
    EXPECT_GT(redNumbers, 30);
}

// A source with no SpO2 (every value 0) draws no SpO2 trace and shows no SpO2 values.
TEST(GraphPaint, NoSpo2TraceNorValuesWithoutSpo2) {
    for (const uint8_t spo : {97, 0}) {
        TestHost host;
        auto g = loadedGraph(host, std::vector<int>(300, 70), 663, 478, spo);
        const GraphLayout& L = g->layout();
        const int x = L.rGr1.Left + 40;
        EXPECT_EQ(countInColumn(g->renderImage(), x, L.rGr1.Top + 1, L.rGr1.Bottom, kRed) > 0,
                  spo > 0);
        g->ShowBeat(5);
        EXPECT_EQ(g->L_SPO->text() + g->L_SPOaver->text(), spo ? "9797" : "");
    }
}

TEST(GraphPaint, LabelMarkAtItsColumnAfterScrolling) {
    TestHost host;
    std::vector<int> rr(400, 70);
    auto g = loadedGraph(host, rr);
    g->recording().DataBuf[250] = packSample(70, kLabelMark);
    g->recording().LabNum = 0;
    g->recording().PrepareData(ToCoreSettings(host.settings));
    g->SetXPos(200);
    const QImage img = g->renderImage();
    const GraphLayout& L = g->layout();
    const int x = L.rGr1.Left + (250 - 200) * g->view().XMult;
    const int mid = (L.rGr2.Top + L.rGr2.Bottom) / 2;
    EXPECT_TRUE(sameColor(img.pixel(x, mid), kMaroon));
    EXPECT_FALSE(sameColor(img.pixel(x + 3, mid), kMaroon));
}

TEST(GraphPaint, ModeBarAtThePanelCentreAndTheWindowMark) {
    TestHost host;
    std::vector<int> rr(200, 80);
    auto g = loadedGraph(host, rr);
    g->ShowBeat(150);
    const QImage img = g->renderImage();
    const GraphLayout& L = g->layout();
    const Rect& h = L.rHisto;
    const int bw = host.settings.BarWidth;
    const int m = h.width() / bw / 2;
    EXPECT_TRUE(sameColor(img.pixel(h.Left + m * bw + bw / 2, h.Bottom - 3), kBlue));
    EXPECT_FALSE(sameColor(img.pixel(h.Left + (m + 1) * bw + bw / 2, h.Bottom - 3), kBlue));
    // The mark spans the 100 beats that end at beat 150.
    EXPECT_TRUE(sameColor(img.pixel(L.rGr1.Left + 100, L.markRow()), kBlue));
    EXPECT_FALSE(sameColor(img.pixel(L.rGr1.Left + 40, L.markRow()), kBlue));
}

TEST(GraphPaint, NoHistogramAndNoMarkWhileModaIs0) {
    TestHost host;
    auto g = loadedGraph(host, {});
    const QImage img = g->renderImage();
    const GraphLayout& L = g->layout();
    int blue = 0;
    for (int x = L.rGr1.Left; x < L.CW; ++x)
        blue += sameColor(img.pixel(x, L.markRow()), kBlue);
    EXPECT_EQ(blue, 0);
    EXPECT_TRUE(
        sameColor(img.pixel(L.rHisto.Left, (L.rHisto.Top + L.rHisto.Bottom) / 2), Qt::white));
}

TEST(GraphPaint, LineWidthSettingWidensTraces) {
    TestHost host;
    host.settings.LineWidth = 2;
    auto g = loadedGraph(host, std::vector<int>(300, 70));
    const QImage img = g->renderImage();
    const GraphLayout& L = g->layout();
    EXPECT_EQ(countInColumn(img, L.rGr1.Left + 25, L.rGr1.Top + 1, L.rGr1.Bottom - 1, kBlack), 2);
}

// The darkest grey level in a region: black numbers reach 0, grey ones stop at 128.
int darkest(const QImage& img, const Rect& r) {
    int level = 255;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = std::max(0, r.Left); x < std::min(img.width(), r.Right); ++x)
            level = std::min(level, qGray(img.pixel(x, y)));
    return level;
}

TEST(GraphPaint, AxisNumbersAreBlackOnScreenAndPaper) {
    TestHost host;
    auto g = loadedGraph(host, std::vector<int>(200, 80));
    g->ShowBeat(150);
    const QImage screen = g->renderImage();
    const GraphLayout& L = g->layout();
    const Rect& h = L.rHisto;
    QImage paper(1240, 1754, QImage::Format_RGB32);
    paper.fill(Qt::white);
    g->MyPrint(paper);
    const QFontMetrics fm = QPainter(&paper).fontMetrics();
    const PrintLayout P =
        ComputePrintLayout(paper.width(), paper.height(), fm.horizontalAdvance("0"), fm.height(),
                           QFontMetrics(g->font()).horizontalAdvance("0"));
    const std::tuple<const QImage*, Rect, const char*> cases[] = {
        {&screen, {L.XAxY - L.TW, L.rGr2.Bottom + 2, L.CW, L.rGr2.Bottom + L.TH}, "time"},
        {&screen, {h.Left, h.Bottom + 2, h.Right, h.Bottom + L.TH}, "histogram intervals"},
        {&screen, {h.Left - 4 * L.TW, h.Top, h.Left - 1, h.Bottom}, "histogram counts"},
        {&paper, {P.GL - P.tw, P.P2.Bottom + 2, P.GR, P.P2.Bottom + P.th}, "paper time"},
    };
    for (const auto& [img, r, name] : cases)
        EXPECT_LT(darkest(*img, r), 100) << name;
}

}  // namespace
}  // namespace trivant::test
