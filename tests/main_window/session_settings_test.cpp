// What outlives a crash or carries to the next window: the options confirmed with OK, and
// the rhythmogram's automatic range.
#include "app_fixture.h"

#include "options_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>

#include <filesystem>

namespace trivant::test {
namespace {

TEST_F(AppTest, OptionsConfirmedAreOnDiskAtOnceWhenAutomaticSavingIsOn) {
    start();
    const std::string cfg = dir.file("tv3cfg.cfg");
    const struct {
        bool autoSave;
        int result;
        bool written;
    } cases[] = {{true, QDialog::Rejected, false},
                 {false, QDialog::Accepted, false},
                 {true, QDialog::Accepted, true}};
    for (const auto& c : cases) {
        std::filesystem::remove(cfg);
        answer([c](QDialog& d) {
            auto& o = dynamic_cast<OptionsDialog&>(d);
            o.CB_AutoStop->setChecked(false);
            o.CB_AutoSaveSetup->setChecked(c.autoSave);
            return c.result;
        });
        form->TB_Tools->trigger();
        ASSERT_EQ(std::filesystem::exists(cfg), c.written);
    }
    trivant::Setup onDisk;
    ASSERT_TRUE(LoadSetup(dir.path().string(), onDisk, {}));
    EXPECT_FALSE(onDisk.AutoStop);  // as a kill now would leave it
}

TEST_F(AppTest, TheAutomaticRangeCarriesToTheNextWindowAndTheNextStart) {
    start();
    writeRecording(dir.file("a.rr"), std::vector<int>(100, 55));
    RecordingWindow* first = form->OpenRecording(dir.file("a.rr"), 1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->RRRange(), 0);  // the table's row, as before
    first->PopM_ScY1_RR->actions().first()->trigger();
    RecordingWindow* second = form->OpenRecording(dir.file("a.rr"), 1);
    EXPECT_EQ(second->RRRange(), RecordingWindow::kAutoRange);
    form->close();  // the settings and the choice are written
    start();
    EXPECT_EQ(form->OpenRecording(dir.file("a.rr"), 1)->RRRange(), RecordingWindow::kAutoRange);
    form->activeGraph()->ChooseRRRange(4);  // a row of the table again
    EXPECT_EQ(form->OpenRecording(dir.file("a.rr"), 1)->RRRange(), 0);
}

}  // namespace
}  // namespace trivant::test
