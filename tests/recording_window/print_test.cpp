// The printed page of a recording window, drawn on an image the size of a page.
#include "graph_fixture.h"

#include "graph_print.h"
#include "text_overlap.h"

#include <QPainter>

namespace trivant::test {
namespace {

constexpr int kPageW = 1240, kPageH = 1754;  // A4 at 150 dpi

struct Page {
    QImage image{kPageW, kPageH, QImage::Format_RGB32};
    PrintLayout layout;
};

Page printPage(RecordingWindow& g) {
    Page page;
    page.image.fill(Qt::white);
    g.MyPrint(page.image);
    QPainter p(&page.image);
    const QFontMetrics fm = p.fontMetrics();
    page.layout = ComputePrintLayout(kPageW, kPageH, fm.horizontalAdvance("0"), fm.height(),
                                     QFontMetrics(g.font()).horizontalAdvance("0"));
    return page;
}

int countColor(const QImage& img, int x0, int y0, int x1, int y1, const QColor& c) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            n += sameColor(img.pixel(x, y), c);
    return n;
}

bool reddish(QRgb p, const QColor& c) {  // smoothed text: near the colour
    const QColor q(p);
    return std::abs(q.red() - c.red()) < 60 && std::abs(q.green() - c.green()) < 60 &&
           std::abs(q.blue() - c.blue()) < 60 && q != Qt::white;
}

int countNear(const QImage& img, int x0, int y0, int x1, int y1, const QColor& c) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            n += reddish(img.pixel(x, y), c);
    return n;
}

TEST(GraphPrint, TracesAreTwiceTheLineWidthAndStayWithinThePanels) {
    TestHost host;
    host.settings.LineWidth = 1;
    auto g = loadedGraph(host, std::vector<int>(3000, 70));
    const Page page = printPage(*g);
    const PrintLayout& L = page.layout;
    const int x = (L.GL + L.GR) / 2 + 3;
    const int rows = countColor(page.image, x, L.P1.Top + 1, x, L.P1.Bottom - 1, Qt::black);
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(countColor(page.image, L.GR + 3, L.P1.Top, L.PW - 1, L.P1.Bottom, Qt::black), 0);
}

TEST(GraphPrint, FirstTimeNumberIsAMultipleOf10) {
    const std::tuple<int, int, int> cases[] = {{7, 1, 0}, {50, 1, 0}, {13, 2, 35}, {9, 4, 7}};
    for (const auto& [tw, mult, pos] : cases) {
        const int step = PrintTimeStep(tw, mult, pos);
        EXPECT_GE(step, 3 * tw);
        EXPECT_EQ((step / mult + pos) % 10, 0) << tw << " " << mult << " " << pos;
    }
}

TEST(GraphPrint, HeadingsStackAndLowerScalesAreBlack) {
    TestHost host;
    auto g = loadedGraph(host, std::vector<int>(500, 70));
    Page page = printPage(*g);
    const PrintLayout& L = page.layout;
    const QColor sym = ColorFromBgr(host.settings.Traces[kSerSYM].Color);
    const QColor ib = ColorFromBgr(host.settings.Traces[kSerIBHi].Color);
    auto symRow = [&](const Page& pg) {  // the row of the SYM heading
        for (int r = 0; r < 3; ++r)
            if (countNear(pg.image, L.cm, L.P2.Top + r * L.th, L.cm + 4 * L.tw,
                          L.P2.Top + (r + 1) * L.th - 1, sym) > 5)
                return r;
        return -1;
    };
    EXPECT_EQ(symRow(page), 1);
    // The IB numbers beside the lower panel are black, not in the IB colour.
    EXPECT_EQ(countNear(page.image, L.L, L.P2.Top + L.th, L.cm - 1, L.P2.Bottom, ib), 0);
    EXPECT_GT(countNear(page.image, L.L, L.P2.Top + L.th, L.cm - 1, L.P2.Bottom, Qt::black), 20);
    host.settings.Traces[kSerSDNN].Shown = false;
    page = printPage(*g);
    EXPECT_EQ(symRow(page), 0);
}

// No text covers another on the window, with its labels, nor on its printed page at several
// resolutions: a comment, label numbers, the histogram and long recordings.
TEST(GraphPrint, NoTextCoversAnother) {
    TestHost host;
    for (const auto& [w, h, xPos] : {std::tuple{663, 478, 0}, {1024, 700, 9000}, {800, 600, 0}}) {
        auto g = loadedGraph(host, std::vector<int>(12000, 80), w, h);
        g->recording().Comment = "после нагрузки, повторная запись через десять минут отдыха";
        for (const int s : {30, 40, 45, 300, 9010, 9015})
            g->recording().DataBuf[s] = packSample(80, kLabelMark);
        g->recording().LabNum = 0;
        g->recording().PrepareData(ToCoreSettings(host.settings));
        g->SetXPos(xPos);
        g->ShowBeat(xPos + 200);
        const auto cells = WidgetTexts(*g, [&g] { g->renderImage(); });
        EXPECT_GT(cells.size(), 40u);
        EXPECT_EQ(Overlaps(cells), std::vector<std::string>{}) << w;
        for (const int dpi : {96, 300, 600, 1200})
            for (const bool landscape : {false, true}) {
                const auto page =
                    PdfPageTexts(dpi, landscape, [&g](QPdfWriter& pdf) { g->MyPrint(pdf); });
                EXPECT_GT(page.size(), 40u);
                EXPECT_EQ(Overlaps(page), std::vector<std::string>{})
                    << w << " " << dpi << " " << landscape;
            }
    }
}

}  // namespace
}  // namespace trivant::test
