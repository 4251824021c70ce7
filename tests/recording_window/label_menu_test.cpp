// Labels from the panels' pop-up menus: put and taken off at the beat under the menu's point,
// the recording left unsaved, and each edit undone and redone.
#include "graph_fixture.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>

namespace trivant::test {
namespace {

// Opens the pop-up at p as a right click does, and closes it again.
void popupAt(RecordingWindow& g, const QPoint& p) {
    QContextMenuEvent e(QContextMenuEvent::Mouse, p, g.mapToGlobal(p));
    QCoreApplication::sendEvent(&g, &e);
    if (QMenu* m = g.menuAt(p))
        m->hide();
}

TEST(GraphLabels, PutTakenOffUndoneAndRedoneAtTheBeatUnderTheMenu) {
    TestHost host;
    auto g = loadedGraph(host, std::vector<int>(600, 80), 663, 478, 96);
    g->SetZoom(2);
    g->SetXPos(100);
    const GraphLayout& L = g->layout();
    const Recording& rec = g->recording();
    const QPoint onBeat102(L.XAxY + 5, (L.rGr2.Top + L.rGr2.Bottom) / 2);
    EXPECT_TRUE(g->PopM_Gr1->actions().contains(g->A_PutLabel));
    EXPECT_TRUE(g->PopM_Gr2->actions().contains(g->A_UndoLabel));
    // Each step: the action, then the label of beat 102 and what undo would undo next.
    const struct {
        QAction* action;
        int label;
        const char* undoText;
    } steps[] = {{g->A_PutLabel, 1, "Отменить постановку метки"},
                 {g->A_RemoveLabel, 0, "Отменить снятие метки"},
                 {g->A_UndoLabel, 1, "Отменить постановку метки"},
                 {g->A_UndoLabel, 0, "Отменить"},
                 {g->A_RedoLabel, 1, "Отменить постановку метки"}};
    for (const auto& s : steps) {
        g->SetSaved(true);
        popupAt(*g, onBeat102);
        ASSERT_EQ(g->menuBeat(), 102);
        EXPECT_EQ(g->A_PutLabel->isEnabled(), rec.at(kSerLbl, 102) == 0);
        EXPECT_EQ(g->A_RemoveLabel->isEnabled(), rec.at(kSerLbl, 102) != 0);
        s.action->trigger();
        EXPECT_EQ(rec.at(kSerLbl, 102), s.label);
        EXPECT_EQ(g->A_UndoLabel->text(), s.undoText);
        EXPECT_EQ(rec.labelSpO2(102), s.label ? 96 : -1);  // kept beside the label
        EXPECT_EQ(rec.at(kSerSPO, 102), 96);
        EXPECT_FALSE(g->saved());
    }
}

TEST(GraphLabels, NamedRenamedAndUnnamedFromTheMenu) {
    TestHost host;
    auto g = loadedGraph(host, std::vector<int>(50, 80));
    const Recording& rec = g->recording();
    const GraphLayout& L = g->layout();
    const QPoint onBeat6(L.XAxY + 5, (L.rGr1.Top + L.rGr1.Bottom) / 2);
    popupAt(*g, onBeat6);
    EXPECT_FALSE(g->A_NameLabel->isEnabled());  // no label to name yet
    g->A_PutLabel->trigger();
    // Each answer, then the name kept; "" with nameEmptied takes it off, "" alone gives up.
    const struct {
        const char* answer;
        bool emptied;
        const char* kept;
    } steps[] = {
        {"Ночь", false, "Ночь"}, {"", false, "Ночь"}, {" День ", false, "День"}, {"", true, ""}};
    for (const auto& s : steps) {
        host.labelName = s.answer;
        host.nameEmptied = s.emptied;
        popupAt(*g, onBeat6);
        ASSERT_TRUE(g->A_NameLabel->isEnabled());
        g->A_NameLabel->trigger();
        EXPECT_EQ(rec.labelName(g->menuBeat()), s.kept) << s.answer;
    }
    EXPECT_EQ(host.asked, "День");  // the dialog shows the name there is
    g->A_UndoLabel->trigger();
    EXPECT_EQ(rec.labelName(g->menuBeat()), "День");
    EXPECT_EQ(rec.at(kSerLbl, g->menuBeat()), 1);
}

TEST(GraphLabels, NoneWhileRecordingNorOffTheBeats) {
    TestHost host;
    auto g = loadedGraph(host, std::vector<int>(50, 80));
    const GraphLayout& L = g->layout();
    popupAt(*g, QPoint(L.rGr1.Right - 2, (L.rGr1.Top + L.rGr1.Bottom) / 2));  // past beat 50
    EXPECT_EQ(g->menuBeat(), 0);
    EXPECT_FALSE(g->A_PutLabel->isEnabled());
    g->recording().RREventEnabled = true;  // as while it records
    EXPECT_FALSE(g->EditLabel(10, true));
    popupAt(*g, QPoint(L.XAxY + 5, (L.rGr1.Top + L.rGr1.Bottom) / 2));
    EXPECT_FALSE(g->A_PutLabel->isEnabled());
    g->recording().RREventEnabled = false;
}

}  // namespace
}  // namespace trivant::test
