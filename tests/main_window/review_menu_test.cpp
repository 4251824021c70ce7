// The beat review from the main menu: Запись opens the active window's review, and Правка
// undoes and redoes its labels and beat edits in the order they were made.
#include "app_fixture.h"
#include "artifact_series.h"
#include "review_panel.h"

#include <QMenuBar>
#include <QPushButton>

namespace trivant::test {
namespace {

TEST_F(AppTest, TheEditMenuUndoesAndRedoesTheActiveWindowsEditsInOrder) {
    start();
    const auto bar = form->menuBar()->actions();
    EXPECT_EQ(bar.indexOf(form->N_Edit->menuAction()), bar.indexOf(form->N_File->menuAction()) + 1);
    EXPECT_TRUE(form->N_Record->actions().contains(form->N_Review));
    form->IdleHandler();
    EXPECT_FALSE(form->N_Undo->isEnabled());
    EXPECT_FALSE(form->N_Review->isEnabled());  // no window
    const ArtifactSeries s = MakeArtifactSeries();
    const std::string path = (dir.path() / "artifacts.rr").string();
    writeRecording(path, s.rr);
    RecordingWindow* g = form->OpenRecording(path, 1);
    ASSERT_NE(g, nullptr);
    form->IdleHandler();
    ASSERT_TRUE(form->N_Review->isEnabled());
    form->N_Review->trigger();
    ASSERT_TRUE(g->reviewShown());
    EXPECT_TRUE(form->N_Review->isChecked());
    const Recording& rec = g->recording();
    const auto recorded = intervals(rec);
    ASSERT_TRUE(g->EditLabel(5, true));
    g->reviewPanel()->B_FixAll->click();
    const auto corrected = intervals(rec);
    EXPECT_NE(corrected, recorded);
    EXPECT_TRUE(g->flaggedBeats().empty());
    EXPECT_FALSE(g->saved());
    form->IdleHandler();
    ASSERT_TRUE(form->N_Undo->isEnabled());
    EXPECT_EQ(form->N_Undo->text(), "Отменить исправление всех артефактов\tCtrl+Z");
    // Each step: the item, then the series and beat 5's label after it.
    const struct {
        QAction* action;
        const std::vector<int64_t>* series;
        bool label;
    } steps[] = {{form->N_Undo, &recorded, true},
                 {form->N_Undo, &recorded, false},
                 {form->N_Redo, &recorded, true},
                 {form->N_Redo, &corrected, true}};
    for (const auto& st : steps) {
        form->IdleHandler();
        ASSERT_TRUE(st.action->isEnabled());
        st.action->trigger();
        EXPECT_EQ(intervals(rec), *st.series);
        EXPECT_EQ(rec.at(kSerLbl, 5) != 0, st.label);
    }
    EXPECT_FALSE(form->N_Redo->isEnabled());
    form->N_Review->trigger();  // checked: closes it
    EXPECT_FALSE(g->reviewShown());
}

}  // namespace
}  // namespace trivant::test
