// The main window: settings at start and exit, open and save, options, closing, scales.
#include "app_fixture.h"

#include "message_box.h"
#include "options_dialog.h"
#include "recording_window.h"
#include "rr_file.h"
#include "tool_icons.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include <filesystem>

namespace trivant::test {
namespace {

namespace fs = std::filesystem;

// Every button has a drawing of its own where the theme has none: Print no longer shows
// Save's floppy disk, nor Comment a magnifier.
TEST(ToolIcons, EveryDrawingIsItsOwn) {
    const ToolIcon all[] = {ToolIcon::Open,     ToolIcon::Save,  ToolIcon::Record,
                            ToolIcon::Stop,     ToolIcon::Label, ToolIcon::Options,
                            ToolIcon::Comment,  ToolIcon::Print, ToolIcon::PrintSetup,
                            ToolIcon::Analysis, ToolIcon::About};
    std::vector<QImage> seen;
    for (const ToolIcon icon : all) {
        const QImage image = DrawnToolIcon(icon).pixmap(24, 24).toImage();
        ASSERT_FALSE(image.isNull());
        for (const QImage& other : seen)
            EXPECT_NE(image, other) << int(icon);
        seen.push_back(image);
        EXPECT_FALSE(ToolIconFor(icon).isNull()) << int(icon);
    }
}

TEST_F(AppTest, FirstStartInAnEmptyFolder) {
    start();
    EXPECT_TRUE(fs::is_directory(dir.path() / "Data"));
    EXPECT_EQ(form->windowTitle(), "Ормикс-01");
    EXPECT_EQ(form->setup().DataDir, (dir.path() / "Data").string());
    EXPECT_EQ(form->L_Device->text(), "Прибор не подключен");
    form->close();
    EXPECT_EQ(fs::file_size(dir.path() / "tv3cfg.cfg"), 344u);
}

TEST_F(AppTest, ShortSettingsFileGetsTheMessageThenDefaults) {
    dir.write("tv3cfg.cfg", std::string(343, '\x05'));
    QString text;
    startAnswers.push_back(message(kMsgOk, &text));
    start();
    EXPECT_TRUE(text.startsWith("Ошибка чтения файла конфигурации"));
    EXPECT_EQ(form->windowTitle(), "Ормикс-01");
    EXPECT_EQ(form->setup().Sample, 100);
}

TEST_F(AppTest, SavedSettingsComeBackWithTheAppCaption) {
    start();
    form->setup().Sample = 40;
    form->close();
    form.reset();
    start();
    EXPECT_EQ(form->windowTitle(), "TRIVANT 3.3.2");
    EXPECT_EQ(form->setup().Sample, 40);
}

TEST_F(AppTest, NoAutoSaveLeavesTheFileAlone) {
    start();
    form->setup().AutoSaveSetup = false;
    form->close();
    EXPECT_FALSE(fs::exists(dir.path() / "tv3cfg.cfg"));
}

TEST_F(AppTest, OpenRrAndTextThroughTheCommand) {
    start();
    const std::string rr = dir.file("rest one.rr");
    writeRecording(rr, std::vector<int>(150, 80), 10);
    answer(file(rr, 2));  // after every recording, the .rr type
    form->TB_Open->trigger();
    RecordingWindow* g = form->activeGraph();
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->recording().beats(), 150);
    EXPECT_TRUE(g->windowTitle().endsWith(" rest one"));
    EXPECT_EQ(form->setup().OpenFilterIndex, 1);
    EXPECT_EQ(form->setup().DataDir, dir.path().string());

    const std::string txt = dir.file("t.txt");
    dir.write("t.txt",
              "t\r\nd\r\nкомментарий\r\nN\r\n"
              "--- Метка 1---\r\n"
              "bad line\r\n"
              "1         800       97        0         0         0         0         \r\n"
              "2         810       97        0         0         0         0         \r\n");
    answer(file(txt, 3));
    QString warning;
    answer(message(kMsgOk, &warning));
    form->N_FOpen->trigger();
    g = form->activeGraph();
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->recording().beats(), 2);
    EXPECT_TRUE(warning.contains("строка 6")) << warning.toStdString();
    EXPECT_TRUE(warning.contains("метка перенесена на следующий интервал (строка 7)"))
        << warning.toStdString();
    EXPECT_EQ(g->recording().at(kSerLbl, 1), 1);
    EXPECT_EQ(form->mdiArea()->subWindowList().size(), 2);
}

TEST_F(AppTest, MissingFileOpensNoWindow) {
    start();
    answer([](QDialog&) { return int(QDialog::Accepted); });  // "не найден"
    form->OpenRecording(dir.file("none.rr"), 1);
    EXPECT_TRUE(form->mdiArea()->subWindowList().isEmpty());
}

TEST_F(AppTest, SaveWithTheOverwriteQuestion) {
    start();
    const std::string src = dir.file("src.rr");
    writeRecording(src, std::vector<int>(50, 80));
    RecordingWindow* g = form->OpenRecording(src, 1);
    ASSERT_NE(g, nullptr);
    const std::string target = dir.file("my rec.rr");
    dir.write("my_rec.rr", "old");
    answer(file(target, 1));
    answer(message(kMsgCancel));  // "Отменить"
    form->TB_Save->trigger();
    EXPECT_EQ(dir.read("my_rec.rr"), "old");
    EXPECT_EQ(g->currentFileName(), src);  // refused: the window still shows its file
    answer(file(target, 1));
    answer(message(kMsgOk));  // "Переписать"
    form->TB_Save->trigger();
    EXPECT_EQ(dir.read("my_rec.rr"), dir.read("src.rr"));
    EXPECT_TRUE(g->windowTitle().endsWith(" my_rec"));
    answer(file(dir.file("as text"), 2));
    form->N_FSave->trigger();
    EXPECT_TRUE(fs::exists(dir.path() / "as_text.txt"));
    EXPECT_EQ(form->setup().SaveFilterIndex, 2);
}

TEST_F(AppTest, OptionsOkDropsTheConnectionCancelKeepsAllButColours) {
    fs::create_directories(dir.path() / "x");
    start();
    fake->present = {"/dev/ttyUSB0"};
    fake->openable = {"/dev/ttyUSB0"};
    form->IdleHandler();
    ASSERT_TRUE(form->supervisor().DeviceConnected());
    answer([](QDialog& d) {
        auto& s = dynamic_cast<OptionsDialog&>(d);
        s.findChild<QComboBox*>("deviceCombo")->setCurrentIndex(0);  // "Ормис-001"
        return int(QDialog::Accepted);
    });
    form->TB_Tools->trigger();
    EXPECT_EQ(form->setup().DeviceType, 1);
    EXPECT_EQ(RRUnit(form->setup()), 8);
    EXPECT_EQ(fake->closed.size(), 1u);  // the port was closed; the pass reconnected
    answer([](QDialog& d) {
        d.findChild<QCheckBox*>("CB_RR")->setChecked(false);
        return int(QDialog::Rejected);
    });
    form->TB_Tools->trigger();
    EXPECT_TRUE(form->setup().Traces[kSerRR].Shown);
    EXPECT_EQ(fake->closed.size(), 1u);
}

TEST_F(AppTest, StartWaitsForTheDeviceAndOneRecordingAtATime) {
    start();
    EXPECT_FALSE(form->TB_Start->isEnabled());
    fake->present = {"/dev/ttyUSB0"};
    fake->openable = {"/dev/ttyUSB0"};
    form->IdleHandler();
    EXPECT_TRUE(form->TB_Start->isEnabled());
    form->TB_Start->trigger();
    EXPECT_FALSE(form->TB_Start->isEnabled());
    EXPECT_TRUE(form->TB_Stop->isEnabled());
    EXPECT_FALSE(form->TB_Save->isEnabled());
    form->IdleHandler();
    EXPECT_FALSE(form->N_Start->isEnabled());
    form->TB_Stop->trigger();
    EXPECT_TRUE(form->TB_Start->isEnabled());
    EXPECT_TRUE(form->TB_Save->isEnabled());
}

TEST_F(AppTest, ClosingAnUnsavedRecordingAsksFirst) {
    start();
    ASSERT_NE(startRecordingOnFakePort(), nullptr);
    for (int i = 0; i < 10; ++i)
        fake->incoming.insert(fake->incoming.end(), {0, 80, 197});
    form->activeGraph()->Timer1Timer();
    ASSERT_EQ(form->activeGraph()->recording().beats(), 10);
    form->TB_Stop->trigger();
    ASSERT_FALSE(form->activeGraph()->saved());
    QMdiSubWindow* sub = form->mdiArea()->activeSubWindow();
    QString text;
    answer(message(kMsgCancel, &text));  // go back
    sub->close();
    EXPECT_EQ(form->mdiArea()->subWindowList().size(), 1);
    EXPECT_TRUE(text.contains("не сохранена"));
    answer(message(kMsgCancel));
    form->close();  // the application asks too, and stays
    EXPECT_TRUE(form->isVisible());
    answer(message(kMsgYes));  // "Не сохранять"
    form->close();
    EXPECT_FALSE(form->isVisible());
}

TEST_F(AppTest, ScaleMenuChecksOneItemPerGroup) {
    start();
    const std::string src = dir.file("src.rr");
    writeRecording(src, std::vector<int>(50, 80));
    RecordingWindow* g = form->OpenRecording(src, 1);
    g->SetZoom(2);
    g->recording().ScIB = 3;
    emit form->N_Scale->aboutToShow();
    int checked = 0;
    QStringList marks;
    for (QAction* group : form->N_Scale->actions())
        if (QMenu* sub = group->menu())
            for (QAction* a : sub->actions())
                if (a->isChecked()) {
                    ++checked;
                    marks << a->text();
                }
    EXPECT_EQ(checked, 5);
    EXPECT_TRUE(marks.contains("х2"));
    EXPECT_TRUE(marks.contains("0..500"));
    for (QAction* group : form->N_Scale->actions())  // the last group zooms out
        if (QMenu* sub = group->menu(); sub && sub->actions().last()->text() == "Вся запись")
            sub->actions().last()->trigger();
    EXPECT_EQ(g->zoom(), kZoomWhole);
}

// The heading "Среднее" follows the active window's recording state on every pass, even
// where the means themselves stay hidden (fewer beats than the sample).
TEST_F(AppTest, MeansHeadingShowsWheneverTheActiveWindowIsNotRecording) {
    start();
    struct Case {
        int beats;  // 0: a recording that runs
        bool heading, means;
    };
    const Case cases[] = {{0, false, false}, {50, true, false}, {150, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.beats);
        RecordingWindow* g = nullptr;
        if (c.beats == 0) {
            g = startRecordingOnFakePort();
        } else {
            const std::string path = dir.file(std::to_string(c.beats) + ".rr");
            writeRecording(path, std::vector<int>(c.beats, 80));
            g = form->OpenRecording(path, 1);
        }
        ASSERT_NE(g, nullptr);
        g->L_Aver->setVisible(!c.heading);
        form->IdleHandler();
        EXPECT_EQ(g->L_Aver->isVisible(), c.heading);
        EXPECT_EQ(g->L_RRaver->isVisible(), c.means);
    }
}

TEST_F(AppTest, LabelMenuItemLabelsLikeTheToolButton) {
    start();
    ASSERT_NE(startRecordingOnFakePort(), nullptr);
    form->N_Label->trigger();
    EXPECT_EQ(form->activeGraph()->recording().LabNum, 1);
    form->TB_Label->trigger();
    EXPECT_EQ(form->activeGraph()->recording().LabNum, 2);
}

}  // namespace
}  // namespace trivant::test
