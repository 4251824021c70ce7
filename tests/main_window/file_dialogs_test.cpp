// The folders the open and save dialogs start in, and the files named on the command line.
#include "app_fixture.h"

#include "codepage.h"
#include "trend_window.h"

#include <QFileInfo>
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

// Every recording first, chosen unless the settings keep one of the original's two types.
TEST_F(AppTest, OpenOffersEveryRecordingFirstAndHonoursTheStoredType) {
    start();
    const QStringList all = {"Все записи (*.rr *.txt *.csv *.hea *.edf *.bdf *.gdf)",
                             "Файл NN-интервалов (*.rr)",
                             "Текстовый файл (*.txt)",
                             "Список RR-интервалов (*.txt *.csv)",
                             "Записи ЭКГ (*.hea *.edf *.bdf *.gdf)",
                             "Все файлы (*)"};
    const std::pair<int, int> storedAndShown[] = {{0, 0}, {1, 1}, {2, 2}, {7, 0}};
    for (const auto& [stored, shown] : storedAndShown) {
        SCOPED_TRACE(stored);
        form->setup().OpenFilterIndex = stored;
        QStringList offered;  // the filters, then the one chosen
        answer([&](QDialog& d) {
            auto& f = static_cast<QFileDialog&>(d);
            offered = f.nameFilters() << f.selectedNameFilter();
            return int(QDialog::Rejected);
        });
        form->TB_Open->trigger();
        EXPECT_EQ(offered, QStringList(all) << all[shown]);
    }
    writeRecording(dir.file("a.rr"), std::vector<int>(50, 80));
    for (int filter : {1, 5, 6}) {  // every recording is kept as 0; ECG and any file keep it
        answer(file(dir.file("a.rr"), filter));
        form->TB_Open->trigger();
        EXPECT_EQ(form->setup().OpenFilterIndex, 0) << filter;
    }
    EXPECT_EQ(form->mdiArea()->subWindowList().size(), 3);
}

// The export dialog of a trend proposes the recording's name with its own suffix.
TEST_F(AppTest, ExportProposesTheRecordingsName) {
    start();
    writeRecording(dir.file("patient 7.rr"), std::vector<int>(600, 80));
    ASSERT_NE(form->OpenRecording(dir.file("patient 7.rr"), 1), nullptr);
    form->N_TrendClick();
    auto* trend = qobject_cast<TrendWindow*>(form->mdiArea()->activeSubWindow()->widget());
    ASSERT_NE(trend, nullptr);
    trend->WaitIdle();  // export waits for the rows
    QString proposed;
    answer([&proposed](QDialog& d) {
        proposed = QFileInfo(static_cast<QFileDialog&>(d).selectedFiles().value(0)).fileName();
        return int(QDialog::Rejected);
    });
    form->N_ExportClick();
    EXPECT_EQ(proposed, "patient 7.csv");
}

}  // namespace
}  // namespace trivant::test
