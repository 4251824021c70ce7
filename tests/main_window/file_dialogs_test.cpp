// The folders the open and save dialogs start in, and the files named on the command line.
#include "app_fixture.h"

#include "codepage.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>

#include <filesystem>

namespace trivant::test {
namespace {

namespace fs = std::filesystem;

// Each dialog starts where it was used last, whole; only the settings' copy is cut.
TEST_F(AppTest, OpenAndSaveDialogsKeepTheirOwnFolders) {
    start();
    const fs::path data = dir.path() / "Data";
    const fs::path deep = dir.path() / std::string(90, 'o');  // past 80 characters in all
    const fs::path other = dir.path() / "other";
    fs::create_directories(deep);
    fs::create_directories(other);
    writeRecording((deep / "a.rr").string(), std::vector<int>(50, 80));
    struct Step {
        bool open;
        fs::path file, startsIn;
    };
    const Step steps[] = {{true, deep / "a.rr", data},
                          {false, other / "b.rr", data},
                          {true, deep / "a.rr", deep},
                          {false, other / "c.rr", other}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.file.string());
        QString startedIn;
        answer([&startedIn, path = s.file.string()](QDialog& d) {
            startedIn = dynamic_cast<QFileDialog&>(d).directory().absolutePath();
            return file(path, 1)(d);
        });
        (s.open ? form->TB_Open : form->TB_Save)->trigger();
        EXPECT_EQ(startedIn.toStdString(), s.startsIn.string());
        EXPECT_EQ(form->setup().DataDir, CutToChars(s.file.parent_path().string(), 80));
    }
}

// Every file in its own window with the open command's checks; the extension gives the type.
TEST_F(AppTest, FilesFromTheCommandLineOpenLikeTheOpenCommand) {
    start();
    writeRecording(dir.file("a.rr"), std::vector<int>(150, 80));
    dir.write("t.txt",
              "t\r\nd\r\nnote\r\nN\r\n"
              "1         800       97        0         0         0         0         \r\n");
    QString missing;
    answer([&missing](QDialog& d) {
        missing = dynamic_cast<QMessageBox&>(d).text();
        return int(QDialog::Accepted);
    });
    form->OpenFiles({QString::fromStdString(dir.file("a.rr")),
                     QString::fromStdString(dir.file("none.rr")),
                     QString::fromStdString(dir.file("t.txt"))});
    EXPECT_EQ(missing, QString::fromStdString("Файл " + dir.file("none.rr") + " не найден"));
    const auto windows = form->mdiArea()->subWindowList();
    ASSERT_EQ(windows.size(), 2);
    const std::pair<const char*, int> want[] = {{" a", 150}, {" t", 1}};
    for (int i = 0; i < 2; ++i) {
        auto* g = qobject_cast<RecordingWindow*>(windows[i]->widget());
        ASSERT_NE(g, nullptr);
        EXPECT_TRUE(g->windowTitle().endsWith(want[i].first)) << g->windowTitle().toStdString();
        EXPECT_EQ(g->recording().beats(), want[i].second);
    }
    EXPECT_EQ(form->activeGraph()->recording().Comment, "note");  // read as text
    EXPECT_EQ(form->setup().OpenFilterIndex, 2);
    EXPECT_TRUE(form->TB_Save->isEnabled());
}

}  // namespace
}  // namespace trivant::test
