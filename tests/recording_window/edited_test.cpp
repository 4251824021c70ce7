// Beats a review changed, as a reopened file gives them (the undo stack gone): a ring on
// the rhythmogram and a legend entry, rows of the review panel after the flags, and
// "Вернуть как было" from a row as one undo step.
#include "review_fixture.h"

#include "review_panel.h"

#include <QPushButton>
#include <QTableWidget>
#include <QUndoStack>

namespace trivant::test {
namespace {

// Pixels of the edit colour on the ring round beat k's point.
int ringPixels(const QImage& img, const GraphScene& sc, int k) {
    QPoint c;
    if (!BeatMarkCentre(sc, ScreenPlacement(sc.layout), k, c))
        return -1;
    return squarePixels(img, c, kEditRingRadius + 1, EditMarkColor());
}

TEST(EditedBeats, ReopenedEditsAreMarkedListedAndCanBeRevertedFromThePanel) {
    TestHost host;
    auto g = loadedGraph(host, std::vector<int>(200, 80), 1000, 600);
    Recording& rec = g->recording();
    // Back to front, so each beat keeps its number.
    ASSERT_TRUE(g->ApplyBeatChange(InsertBeat(rec, 90), "x"));
    ASSERT_TRUE(g->ApplyBeatChange(DeleteBeat(rec, 60), "x"));
    ASSERT_TRUE(g->ApplyBeatChange(SetInterval(rec, 30, 820000), "x"));
    g->undoStack()->clear();
    const struct {
        int beat;
        const char* text;
    } edited[] = {{30, "интерполирован"}, {60, "удалён перед ним"}, {89, "вставлен"}};
    ASSERT_EQ(g->editedBeats().size(), std::size(edited));
    g->SetZoom(4);
    g->SetXPos(20);
    const QImage img = g->renderImage();
    const GraphScene sc = g->scene();
    for (const auto& e : edited)
        EXPECT_GE(ringPixels(img, sc, e.beat), 12) << e.beat;
    EXPECT_EQ(ringPixels(img, sc, 45), 0);
    // The legend names the ring, after the kinds of the flags.
    const TracePlacement pl = ScreenPlacement(sc.layout);
    const auto legend = windowLegend(*g, pl, true);
    ASSERT_FALSE(legend.empty());
    ASSERT_TRUE(legend.back().edit);
    int swatch = 0;
    for (int y = legend.back().swatch.top(); y <= legend.back().swatch.bottom(); ++y)
        swatch += countInColumn(img, legend.back().swatch.left(), y, y, EditMarkColor());
    EXPECT_GE(swatch, 2);
    // The page draws the rings through the same code.
    QImage page(1240, 1754, QImage::Format_RGB32);
    page.fill(Qt::white);
    ASSERT_TRUE(g->MyPrint(page));
    EXPECT_GT(pixelsOf(page, EditMarkColor()),
              300);  // three rings; the texts alone give a few dozen
    // The panel: the flags first, then the edited beats with what was done.
    g->ShowReview(true);
    ReviewPanel& panel = *g->reviewPanel();
    const int flags = static_cast<int>(g->flaggedBeats().size());
    ASSERT_EQ(panel.T_Beats->rowCount(), flags + static_cast<int>(std::size(edited)));
    for (int i = 0; i < static_cast<int>(std::size(edited)); ++i) {
        EXPECT_EQ(panel.T_Beats->item(flags + i, 0)->text().toInt(), edited[i].beat);
        EXPECT_EQ(panel.T_Beats->item(flags + i, 2)->text(), edited[i].text);
    }
    // An edited row centres its beat; a flag's buttons are off, the revert on.
    panel.T_Beats->selectRow(flags + 1);
    EXPECT_EQ(g->view().HistoPoint, 60);
    EXPECT_FALSE(panel.B_Fix->isEnabled());
    EXPECT_FALSE(panel.B_Keep->isEnabled());
    ASSERT_TRUE(panel.B_Revert->isEnabled());
    panel.B_Revert->click();
    const auto backAsRecorded = [&] {
        EXPECT_EQ(rec.beats(), 201);
        EXPECT_EQ(rec.intervalUs(60), 800000);
        EXPECT_EQ(g->editedBeats().size(), 2u);
        EXPECT_EQ(panel.T_Beats->rowCount(), static_cast<int>(g->flaggedBeats().size()) + 2);
    };
    backAsRecorded();
    EXPECT_EQ(g->A_UndoLabel->text(), "Отменить возврат удара");
    EXPECT_FALSE(g->saved());
    g->A_UndoLabel->trigger();
    EXPECT_EQ(rec.beats(), 200);
    EXPECT_EQ(rec.intervalUs(60), 1600000);
    EXPECT_EQ(g->editedBeats().size(), 3u);
    g->A_RedoLabel->trigger();
    backAsRecorded();
    // Every edit reverted: no ring, no legend entry, no row.
    for (int k : {90, 30})
        ASSERT_TRUE(g->RevertBeatAt(k)) << k;
    EXPECT_TRUE(g->editedBeats().empty());
    EXPECT_EQ(panel.T_Beats->rowCount(), static_cast<int>(g->flaggedBeats().size()));
    const QImage clean = g->renderImage();
    for (const auto& e : edited)
        EXPECT_EQ(ringPixels(clean, g->scene(), e.beat), 0) << e.beat;
}

}  // namespace
}  // namespace trivant::test
