// The main window on the desktop: files dropped onto it, and the separate settings and
// recordings folders of a start from the applications menu.
#include "app_fixture.h"

#include "recent_files.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

namespace trivant::test {
namespace {

// A drag from a file manager entering target and dropped there; true when it was taken.
bool dropOn(QWidget* target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    QCoreApplication::processEvents();  // the files open after the drop has ended
    return drop.isAccepted();
}

QUrl local(const std::string& path) {
    return QUrl::fromLocalFile(QString::fromStdString(path));
}

TEST_F(AppTest, FilesDroppedOnTheFrameOrAWindowOpenAsTheOpenCommandOpensThem) {
    start();
    writeRecording(dir.file("a.rr"), std::vector<int>(150, 80));
    writeRecording(dir.file("b.rr"), std::vector<int>(90, 80));
    QString missing;
    answer([&missing](QDialog& d) {
        missing = dynamic_cast<QMessageBox&>(d).text();
        return int(QDialog::Accepted);
    });
    // Over the empty frame: both files, and the message of the missing one.
    EXPECT_TRUE(
        dropOn(form->mdiArea()->viewport(), {local(dir.file("a.rr")), local(dir.file("none.rr"))}));
    EXPECT_EQ(missing, QString::fromStdString("Файл " + dir.file("none.rr") + " не найден"));
    ASSERT_EQ(form->mdiArea()->subWindowList().size(), 1);
    // Over a recording's window: one more.
    EXPECT_TRUE(dropOn(form->activeGraph(), {local(dir.file("b.rr"))}));
    ASSERT_EQ(form->mdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(form->activeGraph()->recording().beats(), 90);
    // Nothing but files on this machine.
    EXPECT_FALSE(dropOn(form->mdiArea()->viewport(), {QUrl("https://example.org/a.rr")}));
    EXPECT_EQ(form->mdiArea()->subWindowList().size(), 2);
}

TEST_F(AppTest, SeparateFoldersKeepTheSettingsAndStartTheDialogsApart) {
    const AppFolders folders{dir.file("config/trivant"), dir.file("Documents/Trivant")};
    ASSERT_TRUE(MakeFolders(folders.config));
    form = std::make_unique<MainWindow>(std::make_unique<FakePortLayer>(),
                                        std::make_unique<ScriptedRunner>(), folders,
                                        std::make_unique<RecentFiles>());
    form->show();
    EXPECT_TRUE(std::filesystem::is_directory(folders.data));
    EXPECT_EQ(form->setup().DataDir, folders.data);
    EXPECT_EQ(form->configDir(), folders.config);
    form->close();
    EXPECT_TRUE(std::filesystem::exists(dir.file("config/trivant/tv3cfg.cfg")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("config/trivant/Data")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("tv3cfg.cfg")));
}

}  // namespace
}  // namespace trivant::test
