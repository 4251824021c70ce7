// Window geometry and the pixel transforms, and the layout a live window computes.
#include "graph_fixture.h"
#include "graph_layout.h"
#include "window_layout.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <gtest/gtest.h>

namespace trivant {
namespace {

void expectRect(const Rect& r, int l, int t, int rt, int b, const char* name) {
    EXPECT_EQ(r.Left, l) << name;
    EXPECT_EQ(r.Top, t) << name;
    EXPECT_EQ(r.Right, rt) << name;
    EXPECT_EQ(r.Bottom, b) << name;
}

TEST(GraphLayout, WorkedExample) {
    const GraphLayout g = ComputeGraphLayout(663, 478, 671, 13, 6);
    EXPECT_EQ(g.XAxY, 60);
    EXPECT_EQ(g.GrTop, 159);
    EXPECT_EQ(g.GrBot, 435);
    expectRect(g.rGr1, 60, 159, 671, 295, "rGr1");
    expectRect(g.rGr2, 60, 300, 671, 436, "rGr2");
    expectRect(g.rHisto, 331, 6, 663, 133, "rHisto");
    expectRect(g.rAxX, 60, 436, 671, 478, "rAxX");
    expectRect(g.rAxY1_1, 0, 159, 30, 295, "rAxY1_1");
    expectRect(g.rAxY1_2, 31, 159, 60, 295, "rAxY1_2");
    expectRect(g.rAxY2_2, 30, 300, 60, 436, "rAxY2_2");
    EXPECT_EQ(g.markRow(), 298);
    EXPECT_EQ(g.histoNamesX, 331 - 126);
    EXPECT_EQ(g.sb.Top, 478 - 16 - 1);
}

// A window lays out its real client size; the panels and the time axis reach the outer
// width of its frame (none offscreen for a window of its own, the sub-window's in an MDI area).
TEST(GraphLayout, PanelsReachTheWindowsOuterWidth) {
    test::TestHost host;
    QMdiArea area;
    area.setAttribute(Qt::WA_DontShowOnScreen);
    area.resize(1000, 800);
    auto* inMdi = new RecordingWindow(host);
    QMdiSubWindow* sub = area.addSubWindow(inMdi);
    area.show();
    sub->show();
    sub->resize(700, 500);
    RecordingWindow alone(host);
    alone.setAttribute(Qt::WA_DontShowOnScreen);
    alone.resize(663, 478);
    alone.show();
    for (RecordingWindow* g : {&alone, inMdi}) {
        const GraphLayout& L = g->layout();
        const GraphLayout want = WindowGraphLayout(g->size(), OuterWidth(*g), g->font());
        expectRect(L.rGr1, want.rGr1.Left, want.rGr1.Top, OuterWidth(*g), want.rGr1.Bottom, "rGr1");
        EXPECT_EQ(L.rGr2.Right, OuterWidth(*g));
        EXPECT_EQ(L.rAxX.Right, OuterWidth(*g));
        expectRect(L.rHisto, g->width() / 2, want.rHisto.Top, g->width(), want.rHisto.Bottom,
                   "rHisto");
        EXPECT_EQ(L.CH, g->height());
    }
    EXPECT_EQ(OuterWidth(alone), alone.width());
    EXPECT_EQ(OuterWidth(*inMdi), sub->width());
    EXPECT_GT(OuterWidth(*inMdi), inMdi->width());
    const GraphLayout framed = WindowGraphLayout({663, 478}, 671, alone.font());
    EXPECT_EQ(framed.rGr1.Right, 671);
    EXPECT_EQ(framed.rHisto.Right, 663);
    EXPECT_EQ(framed.sb.Right, 662);
}

TEST(GraphLayout, TinyClientStillComputes) {
    const GraphLayout g = ComputeGraphLayout(50, 40, 50, 13, 6);
    EXPECT_LE(g.rGr1.height(), 0);
    EXPECT_EQ(ValueToRow(100, 20, 120, g.rGr1), g.rGr1.Bottom + 11);  // off the panel, no failure
    EXPECT_EQ(LastColumn(g.rGr1.Left, g.rGr1.Right, 1, 0, 1000), 0);
}

TEST(GraphLayout, ValueToRow) {
    const Rect r{60, 159, 671, 295};  // 136 rows
    const std::tuple<int, int, int, int> cases[] = {
        {10, 20, 120, 295}, {20, 20, 120, 295}, {130, 20, 120, 160}, {120, 20, 120, 160},
        {70, 20, 120, 227}, {97, 90, 100, 200}, {0, 0, 5000, 295},   {-5, 0, 10, 295},
    };
    for (const auto& [v, lo, hi, want] : cases)
        EXPECT_EQ(ValueToRow(v, lo, hi, r), want) << v;
}

TEST(GraphLayout, TimeGridAndScrollSteps) {
    const auto width = [](const std::string& s) { return 6 * static_cast<int>(s.size()); };
    const TimeGrid t = ComputeTimeGrid(600, 1, 0, 6, width);
    EXPECT_EQ(t.XGridStep, 30);
    EXPECT_EQ(t.XGridTick, 20);
    EXPECT_EQ(t.smallChange, 30);
    EXPECT_EQ(t.largeChange, 570);
    EXPECT_EQ(ComputeTimeGrid(600, 4, 30000, 6, width).XGridStep, 40);  // "32400" + a digit
}

TEST(GraphLayout, ColumnsAndClicks) {
    EXPECT_EQ(LastColumn(60, 460, 4, 0, 1000), 99);  // 400 px at zoom 4
    EXPECT_EQ(LastColumn(60, 460, 1, 0, 50), 49);    // a short recording
    EXPECT_EQ(LastColumn(60, 460, 1, 60, 50), 0);    // scrolled past the end
    EXPECT_EQ(ColumnToSample(65, 60, 2, 100), 102);
    EXPECT_EQ(ColumnToSample(61, 60, 4, 0), 0);
}

TEST(GraphLayout, RealignAfterResizeKeepsTheNewestInView) {
    EXPECT_EQ(RealignXPos(600, 100, 1, 30), 0);
    EXPECT_EQ(RealignXPos(600, 590, 1, 30), 600);
    EXPECT_EQ(RealignXPos(600, 1300, 2, 40), 1200);
}

TEST(GraphLayout, HistogramRanges) {
    const std::pair<int, int> cases[] = {{1, 10},    {10, 10},   {11, 25},
                                         {100, 100}, {101, 150}, {250, 250}};
    for (const auto& [amo, want] : cases)
        EXPECT_EQ(kHistoRanges[HistoScaleIndex(amo)], want) << amo;
    EXPECT_EQ(HistoHeight(5, 127, 10), 64);  // 63.5 rounds to even
    EXPECT_EQ(HistoHeight(10, 127, 10), 127);
}

TEST(FollowXPos, JumpsByAPanelLessOneGridStep) {
    struct Case {
        int width, len, xPos, xMult, grid, want;
    };
    const Case cases[] = {
        {500, 400, 0, 1, 50, 0},     {500, 452, 0, 1, 50, 450}, {500, 450, 0, 1, 50, 0},
        {500, 227, 0, 2, 50, 225},   {530, 500, 0, 1, 50, 450}, {500, 100, 0, 0, 50, 0},
        {500, 952, 450, 1, 50, 900},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FollowXPos(c.width, c.len, c.xPos, c.xMult, c.grid), c.want)
            << c.width << " " << c.len << " " << c.xMult;
}

}  // namespace
}  // namespace trivant
