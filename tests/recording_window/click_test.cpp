// The left click on a beat and the scroll bar.
#include "graph_fixture.h"

#include <QLabel>
#include <QScrollBar>
#include <QTest>

namespace trivant::test {
namespace {

TEST(GraphClick, ZoomedClickSelectsTheBeatUnderThePointer) {
    TestHost host;
    std::vector<int> rr(600, 80);
    rr[101] = 95;  // beat 102
    auto g = loadedGraph(host, rr);
    g->SetZoom(2);
    g->SetXPos(100);
    const GraphLayout& L = g->layout();
    QTest::mouseClick(g.get(), Qt::LeftButton, {},
                      QPoint(L.XAxY + 5, (L.rGr1.Top + L.rGr1.Bottom) / 2));
    EXPECT_EQ(g->view().HistoPoint, 102);
    EXPECT_EQ(g->L_N->text(), "102");
    EXPECT_EQ(g->L_RR->text(), "950");
    EXPECT_EQ(g->L_SPO->text(), "97");
    EXPECT_EQ(g->L_Moda->text(), "800 мс");
}

TEST(GraphClick, ClicksThatDoNothing) {
    TestHost host;
    auto g = loadedGraph(host, std::vector<int>(100, 80));
    const GraphLayout& L = g->layout();
    const int y = (L.rGr1.Top + L.rGr1.Bottom) / 2;
    const QPoint outside[] = {{L.XAxY / 2, y},         // margin
                              {L.rGr1.Left + 300, y},  // right of the last beat
                              {L.rHisto.Left + 20, L.rHisto.Top + 20},
                              {L.rGr1.Left + 20, L.rAxX.Top + 5}};
    for (const QPoint& p : outside) {
        QTest::mouseClick(g.get(), Qt::LeftButton, {}, p);
        EXPECT_EQ(g->view().HistoPoint, 1) << p.x() << "," << p.y();
    }
    QTest::mouseClick(g.get(), Qt::RightButton, {}, QPoint(L.rGr1.Left + 20, y));
    EXPECT_EQ(g->view().HistoPoint, 1);
}

TEST(GraphClick, SampleZeroShowsBeatOne) {
    TestHost host;
    auto g = loadedGraph(host, std::vector<int>(100, 80));
    g->SetZoom(4);
    const GraphLayout& L = g->layout();
    g->ShowBeat(50);
    QTest::mouseClick(g.get(), Qt::LeftButton, {},
                      QPoint(L.XAxY + 2, (L.rGr2.Top + L.rGr2.Bottom) / 2));
    EXPECT_EQ(g->view().HistoPoint, 1);
}

TEST(GraphClick, ElapsedTimeOfABeat) {
    TestHost host;
    // 1 h 2 min 3.5 s = 372350 hundredths: 1490 beats of 2.5 s, then 0.85 s.
    std::vector<int> rr(1489, 250);
    rr.push_back(85);
    auto g = loadedGraph(host, rr);
    g->ShowBeat(1490);
    EXPECT_EQ(g->L_Time->text(), "01:02:03");
}

TEST(GraphClick, ScrollBarSnapsToTheTimeGrid) {
    TestHost host;
    auto g = loadedGraph(host, std::vector<int>(3000, 80));
    g->renderImage();  // the grid of the current size
    const int step = g->timeGrid().XGridStep;
    g->SetZoom(2);
    g->SB->setValue(step * 3 + step / 2);
    EXPECT_EQ(g->view().XPos, step * 3 / 2);
    EXPECT_EQ(g->SB->singleStep(), step);
}

}  // namespace
}  // namespace trivant::test
