// Beat review in the recording window: the flags of a series with known artifacts, the
// panel opened from the menu, its selection and F3 keys, accepting, keeping, correcting all,
// hand edits from the pop-up menu, each an undo step on the stack labels share, the kinds'
// colours on the rendered window, and no edit while the recording is live.
#include "artifact_series.h"
#include "review_fixture.h"

#include "review_panel.h"
#include "text_overlap.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QUndoStack>

#include <algorithm>
#include <set>

namespace trivant::test {
namespace {

std::unique_ptr<RecordingWindow> reviewGraph(TestHost& host, const ArtifactSeries& s) {
    return loadedGraph(host, s.rr, 1000, 600);
}

// Every injected artifact flagged within a beat of its place with its kind, and no more.
void expectFlagsAtInjections(const std::vector<FlaggedBeat>& flags,
                             const std::vector<InjectedArtifact>& injected) {
    for (const InjectedArtifact& a : injected)
        EXPECT_TRUE(std::any_of(flags.begin(), flags.end(),
                                [&a](const FlaggedBeat& f) {
                                    return std::abs(f.beat - a.beat) <= 1 && f.kind == a.kind;
                                }))
            << BeatClassName(a.kind) << " at " << a.beat;
    for (const FlaggedBeat& f : flags)
        EXPECT_TRUE(
            std::any_of(injected.begin(), injected.end(),
                        [&f](const InjectedArtifact& a) { return std::abs(f.beat - a.beat) <= 1; }))
            << "stray flag at " << f.beat;
}

std::set<BeatClass> flaggedKinds(RecordingWindow& g) {
    std::set<BeatClass> kinds;
    for (const FlaggedBeat& f : g.flaggedBeats())
        kinds.insert(f.kind);
    return kinds;
}

TEST(BeatReview, ThePanelListsSelectsAndWalksTheFlaggedBeats) {
    TestHost host;
    const ArtifactSeries s = MakeArtifactSeries();
    auto g = reviewGraph(host, s);
    expectFlagsAtInjections(g->flaggedBeats(), s.injected);
    ASSERT_GE(g->flaggedBeats().size(), 3u);
    EXPECT_TRUE(g->PopM_Gr1->actions().contains(g->A_Review));
    g->A_Review->trigger();
    ASSERT_TRUE(g->reviewShown());
    ReviewPanel& panel = *g->reviewPanel();
    // The panel takes the right side; the graphs end before it.
    EXPECT_LE(g->layout().CW, panel.x());
    const auto& flags = g->flaggedBeats();
    ASSERT_EQ(panel.T_Beats->rowCount(), static_cast<int>(flags.size()));
    for (int row = 0; row < panel.T_Beats->rowCount(); ++row) {
        const FlaggedBeat& f = flags[static_cast<size_t>(row)];
        EXPECT_EQ(panel.T_Beats->item(row, 0)->text().toInt(), f.beat);
        EXPECT_EQ(panel.T_Beats->item(row, 2)->text(), BeatKindText(f.kind));
        EXPECT_EQ(panel.T_Beats->item(row, 3)->text().toLongLong(),
                  std::lround(g->recording().intervalUs(f.beat) / 1000.0));
    }
    // A row chosen: that beat shown and scrolled into the middle of the panels.
    g->SetZoom(4);
    panel.T_Beats->selectRow(1);
    EXPECT_EQ(g->view().HistoPoint, flags[1].beat);
    EXPECT_GT(flags[1].beat, g->view().XPos);
    EXPECT_LT(flags[1].beat, g->view().XPos + g->layout().rGr1.width() / 4);
    // F3 and Shift+F3 walk the flags from the beat shown, wherever the focus is in the window.
    QApplication::setActiveWindow(g.get());
    g->setFocus();
    const struct {
        Qt::KeyboardModifiers mods;
        int expected;
    } keys[] = {{Qt::NoModifier, flags[2].beat},
                {Qt::ShiftModifier, flags[1].beat},
                {Qt::ShiftModifier, flags[0].beat},
                {Qt::ShiftModifier, flags[0].beat}};  // none before the first
    for (const auto& k : keys) {
        QTest::keyClick(g.get(), Qt::Key_F3, k.mods);
        EXPECT_EQ(g->view().HistoPoint, k.expected);
        EXPECT_EQ(panel.selectedBeat(), k.expected);
    }
    g->resize(100, 600);  // the graphs keep their room beside the panel
    EXPECT_GE(g->layout().CW, 200);
    g->ShowReview(false);
    EXPECT_FALSE(g->reviewShown());
    EXPECT_EQ(g->layout().CW, g->width());
}

TEST(BeatReview, AcceptKeepAndCorrectAllAreUndoStepsThatGiveTheSeriesBack) {
    TestHost host;
    const ArtifactSeries s = MakeArtifactSeries();
    auto g = reviewGraph(host, s);
    const Recording& rec = g->recording();
    const auto recorded = intervals(rec);
    g->ShowReview(true);
    ReviewPanel& panel = *g->reviewPanel();
    const size_t flagged = g->flaggedBeats().size();
    ASSERT_GE(flagged, 3u);
    // Accept the first (the missed beat): one beat more, one flag less, unsaved.
    panel.T_Beats->selectRow(0);
    panel.B_Fix->click();
    EXPECT_EQ(rec.beats(), static_cast<int>(recorded.size()) + 1);
    EXPECT_EQ(g->flaggedBeats().size(), flagged - 1);
    EXPECT_EQ(panel.selectedBeat(), 0);  // the row went; the next one is not chosen for it
    EXPECT_FALSE(g->saved());
    EXPECT_EQ(g->A_UndoLabel->text(), "Отменить исправление удара");
    // Keep the next: it leaves the list and the marks, the series untouched.
    const auto afterFix = intervals(rec);
    panel.T_Beats->selectRow(0);
    const int kept = panel.selectedBeat();
    panel.B_Keep->click();
    EXPECT_EQ(intervals(rec), afterFix);
    for (const FlaggedBeat& f : g->flaggedBeats())
        EXPECT_NE(f.beat, kept);
    // The rows: the flags left, then the beat the first fix edited.
    EXPECT_EQ(panel.T_Beats->rowCount(),
              static_cast<int>(g->flaggedBeats().size() + g->editedBeats().size()));
    // Correct all as one step; one undo gives the series as it was before it.
    panel.B_FixAll->click();
    const auto corrected = intervals(rec);
    EXPECT_NE(corrected, afterFix);
    EXPECT_EQ(g->A_UndoLabel->text(), "Отменить исправление всех артефактов");
    g->A_UndoLabel->trigger();
    EXPECT_EQ(intervals(rec), afterFix);
    g->A_RedoLabel->trigger();
    EXPECT_EQ(intervals(rec), corrected);
    g->A_UndoLabel->trigger();
    g->A_UndoLabel->trigger();
    EXPECT_EQ(intervals(rec), recorded);
    EXPECT_EQ(EditedBeats(rec), 0);
    EXPECT_FALSE(g->undoStack()->canUndo());
}

TEST(BeatReview, HandEditsFromThePopupMenuAndTheirUndo) {
    TestHost host;
    std::vector<int> rr(200, 80);
    rr[20] = 70;  // two intervals to tell apart when they merge
    auto g = loadedGraph(host, rr, 1000, 600);
    g->SetZoom(4);
    g->SetXPos(20);
    const Recording& rec = g->recording();
    const GraphLayout& L = g->layout();
    const auto recorded = intervals(rec);
    const QPoint onBeat21(L.XAxY + 4 * 1 + 1, (L.rGr1.Top + L.rGr1.Bottom) / 2);
    // Each step: the item, the beats after it, interval 21 after it, whether revert is offered.
    const struct {
        QAction* action;
        int beats;
        int64_t us21;
        bool revert;
    } steps[] = {
        {g->A_DeleteBeat, 199, 1500000, true},  // 700 + 800 ms
        {g->A_RevertBeat, 200, 700000, false},  // the deleted beat back
        {g->A_InsertBeat, 201, 350000, true},   // 700 ms in halves
        {g->A_UndoLabel, 200, 700000, false},  {g->A_RedoLabel, 201, 350000, true},
    };
    for (const auto& st : steps) {
        popupAt(*g, onBeat21);
        ASSERT_EQ(g->menuBeat(), 21);
        ASSERT_TRUE(st.action->isEnabled()) << st.action->text().toStdString();
        st.action->trigger();
        EXPECT_EQ(rec.beats(), st.beats) << st.action->text().toStdString();
        EXPECT_EQ(rec.intervalUs(21), st.us21) << st.action->text().toStdString();
        popupAt(*g, onBeat21);
        EXPECT_EQ(g->A_RevertBeat->isEnabled(), st.revert) << st.action->text().toStdString();
    }
    while (g->undoStack()->canUndo())
        g->undoStack()->undo();
    EXPECT_EQ(intervals(rec), recorded);
    // Ctrl+Shift+Z redoes, whatever the platform's own redo key.
    EXPECT_TRUE(g->A_RedoLabel->shortcuts().contains(QKeySequence("Ctrl+Shift+Z")));
}

TEST(BeatReview, TheKindsColoursOnTheRenderedWindowAndTheLegend) {
    // Distinct colours, none a default trace's.
    TestHost host;
    std::set<QRgb> colors;
    for (BeatClass kind : kMarkedKinds) {
        colors.insert(BeatMarkColor(kind).rgb());
        for (int s = 0; s < kSeriesCount; ++s)
            EXPECT_NE(BeatMarkColor(kind).rgb(), ColorFromBgr(host.settings.Traces[s].Color).rgb());
    }
    EXPECT_EQ(colors.size(), std::size(kMarkedKinds));
    const ArtifactSeries s = MakeArtifactSeries();
    auto g = reviewGraph(host, s);
    g->SetZoom(2);
    const QImage img = g->renderImage();
    const GraphScene sc = g->scene();
    const TracePlacement pl = ScreenPlacement(sc.layout);
    int probed = 0;
    for (const FlaggedBeat& f : g->flaggedBeats()) {
        QPoint c;
        if (!BeatMarkCentre(sc, pl, f.beat, c))
            continue;
        ++probed;
        // A ring of the kind's colour around the trace, which runs on over the dot.
        EXPECT_GE(squarePixels(img, c, kBeatMarkRadius, BeatMarkColor(f.kind)),
                  kBeatMarkRadius * kBeatMarkRadius)
            << f.beat;
    }
    EXPECT_GE(probed, 3);
    const QFontMetrics fm(g->font());
    const auto legend = windowLegend(*g, pl);
    const std::set<BeatClass> kinds = flaggedKinds(*g);
    ASSERT_EQ(legend.size(), kinds.size());
    for (const LegendItem& item : legend) {
        EXPECT_TRUE(sameColor(img.pixel(item.swatch.center()), BeatMarkColor(item.kind)));
        EXPECT_LT(item.swatch.right(), item.text.x());
        EXPECT_LE(item.text.x() + fm.horizontalAdvance(BeatKindText(item.kind)), g->width());
    }
    // Kept beats lose their marks; without flags there is no legend.
    while (!g->flaggedBeats().empty())
        g->KeepBeat(g->flaggedBeats().front().beat);
    const QImage clean = g->renderImage();
    for (const LegendItem& item : legend)
        EXPECT_FALSE(sameColor(clean.pixel(item.swatch.center()), BeatMarkColor(item.kind)));
}

// The page draws the marks and the legend through the same code, in the kinds' colours, and
// its texts stay clear of each other.
TEST(BeatReview, ThePrintedPageMarksTheFlagsToo) {
    TestHost host;
    auto g = reviewGraph(host, MakeArtifactSeries());
    QImage page(1240, 1754, QImage::Format_RGB32);  // A4 at 150 dpi
    page.fill(Qt::white);
    ASSERT_TRUE(g->MyPrint(page));
    const std::set<BeatClass> kinds = flaggedKinds(*g);
    for (BeatClass kind : kinds)  // a dot and a swatch at the least
        EXPECT_GT(pixelsOf(page, BeatMarkColor(kind)), 40) << BeatClassName(kind);
    const auto texts = PdfPageTexts(300, false, [&g](QPdfWriter& pdf) { g->MyPrint(pdf); });
    EXPECT_EQ(Overlaps(texts), std::vector<std::string>{});
}

TEST(BeatReview, NothingIsEditedWhileTheRecordingIsLive) {
    TestHost host;
    const ArtifactSeries s = MakeArtifactSeries();
    auto g = reviewGraph(host, s);
    Recording& rec = g->recording();
    rec.RREventEnabled = true;  // as while it records
    const auto before = intervals(rec);
    EXPECT_FALSE(g->ApplyBeatChange(DeleteBeat(rec, 10), "x"));
    EXPECT_FALSE(g->DeleteBeatAt(10));
    EXPECT_FALSE(g->InsertBeatAt(10));
    EXPECT_FALSE(g->FixBeat(s.injected[0].beat));
    EXPECT_FALSE(g->CorrectAll());
    g->ShowReview(true);
    EXPECT_FALSE(g->reviewShown());
    const GraphLayout& L = g->layout();
    popupAt(*g, QPoint(L.XAxY + 5, (L.rGr1.Top + L.rGr1.Bottom) / 2));
    for (QAction* a : {g->A_DeleteBeat, g->A_InsertBeat, g->A_RevertBeat, g->A_Review, g->A_FixAll})
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    EXPECT_EQ(intervals(rec), before);
    EXPECT_FALSE(g->undoStack()->canUndo());
    rec.RREventEnabled = false;
}

}  // namespace
}  // namespace trivant::test
