// The zone menus: which menu a point opens, marks on opening, and what a click changes.
#include "graph_fixture.h"
#include "graph_grid.h"

#include <QAction>
#include <QMenu>

namespace trivant::test {
namespace {

QList<QAction*> items(QMenu* m) {
    QList<QAction*> out;
    for (QAction* a : m->actions())
        if (!a->isSeparator())
            out.append(a);
    return out;
}

void open(QMenu* m) {
    emit m->aboutToShow();
}

int checkedIndex(QMenu* m) {
    const auto list = items(m);
    for (int i = 0; i < list.size(); ++i)
        if (list[i]->isChecked())
            return i;
    return -1;
}

TEST(GraphMenus, ZonesPickTheirMenus) {
    TestHost host;
    auto g = loadedGraph(host, std::vector<int>(50, 80));
    const GraphLayout& L = g->layout();
    auto mid = [](const Rect& r) { return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); };
    EXPECT_EQ(g->menuAt(mid(L.rAxX)), g->PopM_ScaleX);
    EXPECT_EQ(g->menuAt(mid(L.rAxY1_1)), g->PopM_ScY1_SPO);
    EXPECT_EQ(g->menuAt(mid(L.rAxY1_2)), g->PopM_ScY1_RR);
    EXPECT_EQ(g->menuAt(mid(L.rAxY2_1)), g->PopM_ScY2_1);
    EXPECT_EQ(g->menuAt(mid(L.rAxY2_2)), g->PopM_ScY2_2);
    EXPECT_EQ(g->menuAt(mid(L.rGr1)), g->PopM_Gr1);
    EXPECT_EQ(g->menuAt(mid(L.rGr2)), g->PopM_Gr2);
    EXPECT_EQ(g->menuAt(QPoint(L.rGr1.Left, mid(L.rGr1).y())), nullptr);  // on the border
    EXPECT_EQ(g->menuAt(mid(L.rHisto)), nullptr);
}

TEST(GraphMenus, CaptionsAndMarksOnOpening) {
    TestHost host;
    auto g = loadedGraph(host, std::vector<int>(50, 80));
    EXPECT_EQ(items(g->PopM_ScY1_RR).size(), 7);
    EXPECT_EQ(items(g->PopM_ScY1_RR)[0]->text(), "Автоматически");
    EXPECT_EQ(items(g->PopM_ScY1_RR)[1]->text(), "200-1200 мс");
    EXPECT_EQ(items(g->PopM_ScaleX)[2]->text(), "Масштаб по горизонтали : x4");
    g->recording().ScHRV = 3;
    g->SetZoom(4);
    open(g->PopM_ScY2_2);
    open(g->PopM_ScaleX);
    EXPECT_EQ(checkedIndex(g->PopM_ScY2_2), 3);
    EXPECT_EQ(checkedIndex(g->PopM_ScaleX), 2);
    host.settings.Traces[kSerPAR].Shown = false;
    open(g->PopM_Gr2);
    const auto gr2 = items(g->PopM_Gr2);
    EXPECT_TRUE(gr2[0]->isChecked());
    EXPECT_FALSE(gr2[1]->isChecked());
    EXPECT_EQ(gr2[4]->text(), "Метки");
}

TEST(GraphMenus, ZoomKeepsXPosAndRangesApply) {
    TestHost host;
    auto g = loadedGraph(host, std::vector<int>(500, 80));
    g->SetXPos(120);
    open(g->PopM_ScaleX);
    items(g->PopM_ScaleX)[1]->trigger();
    EXPECT_EQ(g->view().XMult, 2);
    EXPECT_EQ(g->view().XPos, 120);
    items(g->PopM_ScY1_RR)[6]->trigger();
    EXPECT_EQ(g->recording().ScRR, 5);
    items(g->PopM_ScY2_1)[0]->trigger();
    EXPECT_EQ(g->recording().ScIB, 0);
}

// Cycling intervals of 520..600 ms lie on the floor of every row but fill the fitted range,
// which the host keeps for the next window and a trace switch leaves as it is.
TEST(GraphMenus, TheAutomaticRangeFitsTheIntervals) {
    TestHost host;
    std::vector<int> rr;
    for (int i = 0; i < 300; ++i)
        rr.push_back(52 + i % 9);
    auto g = loadedGraph(host, rr);
    open(g->PopM_ScY1_RR);
    EXPECT_EQ(checkedIndex(g->PopM_ScY1_RR), 1);  // row 0, as SetScales chose
    items(g->PopM_ScY1_RR)[0]->trigger();
    EXPECT_TRUE(host.autoRR);
    open(g->PopM_ScY1_RR);
    EXPECT_EQ(checkedIndex(g->PopM_ScY1_RR), 0);
    EXPECT_EQ(SeriesRange(kSerRR, g->scene()).upper, 75);  // as FittedRange(52, 60)
    items(g->PopM_Gr1)[0]->trigger();                      // SpO2 off: the ranges are chosen afresh
    EXPECT_EQ(g->RRRange(), RecordingWindow::kAutoRange);
    EXPECT_EQ(RecordingWindow(host).RRRange(), RecordingWindow::kAutoRange);
    items(g->PopM_ScY1_RR)[3]->trigger();
    EXPECT_FALSE(host.autoRR);
    EXPECT_EQ(SeriesRange(kSerRR, g->scene()).lower, ScaleRanges::RR[2].lower);
}

TEST(GraphMenus, FittedRangesHoldTheirIntervalsInWholeSteps) {
    const struct {
        int32_t min, max, lower, upper;
    } cases[] = {
        {80, 80, 79, 84},   // one value: 10 ms steps, off the floor
        {52, 60, 50, 75},   // 50 ms steps
        {40, 120, 0, 250},  // 500 ms steps
        {1, 255, 0, 500},   // the widest intervals a word holds
        {62, 95, 60, 110},  // 100 ms steps
    };
    for (const auto& c : cases) {
        const ScaleRange r = FittedRange(c.min, c.max);
        EXPECT_EQ(std::make_pair(r.lower, r.upper), std::make_pair(c.lower, c.upper)) << c.min;
    }
}

TEST(GraphMenus, TraceSwitchRechoosesRangesLabelsDoNot) {
    TestHost host;
    auto g = loadedGraph(host, std::vector<int>(300, 80));
    Recording& rec = g->recording();
    const int chosen = rec.ScRR;
    rec.ScRR = 5;  // picked by hand
    open(g->PopM_Gr2);
    items(g->PopM_Gr2)[4]->trigger();  // labels off
    EXPECT_FALSE(host.settings.Traces[kSerLbl].Shown);
    EXPECT_EQ(rec.ScRR, 5);
    open(g->PopM_Gr2);
    items(g->PopM_Gr2)[0]->trigger();  // SYM off
    EXPECT_FALSE(host.settings.Traces[kSerSYM].Shown);
    EXPECT_EQ(rec.ScRR, chosen);
}

TEST(GraphMenus, LabelsSwitchReachesEveryWindow) {
    TestHost host;
    std::vector<int> rr(100, 80);
    auto a = loadedGraph(host, rr);
    auto b = loadedGraph(host, rr);
    for (RecordingWindow* g : {a.get(), b.get()}) {
        g->recording().DataBuf[30] = packSample(80, kLabelMark);
        g->recording().LabNum = 0;
        g->recording().PrepareData(ToCoreSettings(host.settings));
    }
    const GraphLayout& L = b->layout();
    const int x = L.rGr1.Left + 30, y = (L.rGr2.Top + L.rGr2.Bottom) / 2;
    const QColor maroon(128, 0, 0);
    EXPECT_TRUE(sameColor(b->renderImage().pixel(x, y), maroon));
    open(a->PopM_Gr1);
    items(a->PopM_Gr1)[2]->trigger();
    EXPECT_FALSE(sameColor(b->renderImage().pixel(x, y), maroon));
}

}  // namespace
}  // namespace trivant::test
