// The recent files: their order and limit, their file, and the File menu's list over them.
#include "recent_files.h"

#include "app_fixture.h"

#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>

namespace trivant::test {
namespace {

QStringList numbered(const QStringList& paths) {
    QStringList out;
    for (int i = 0; i < paths.size(); ++i)
        out.push_back(QString("&%1 %2").arg(i + 1).arg(paths[i]));
    return out;
}

TEST(RecentFiles, MostRecentFirstWithoutRepeatsAndAtMostEight) {
    struct Case {
        QStringList added;
        QStringList kept;
    };
    const Case cases[] = {
        {{"/a"}, {"/a"}},
        {{"/a", "/b", "/a"}, {"/a", "/b"}},
        {{"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8", "/9"},
         {"/9", "/8", "/7", "/6", "/5", "/4", "/3", "/2"}},
        {{"/a", "", "/b\n/c"}, {"/a"}},
    };
    for (const Case& c : cases) {
        RecentFiles recent;
        for (const QString& p : c.added)
            recent.Add(p);
        EXPECT_EQ(recent.paths(), c.kept) << c.added.join(' ').toStdString();
    }
}

TEST(RecentFiles, TheFileKeepsTheListAcrossStarts) {
    TempDir dir;
    const std::string file = dir.file("config/trivant/recent-files");
    {
        RecentFiles recent(file);
        for (const char* p : {"/a.rr", "/папка/б.rr", "/c.txt"})
            recent.Add(p);
        recent.Remove("/a.rr");
    }
    EXPECT_EQ(dir.read("config/trivant/recent-files"), "/c.txt\n/папка/б.rr\n");
    EXPECT_EQ(RecentFiles(file).paths(), QStringList({"/c.txt", "/папка/б.rr"}));
}

class RecentMenuTest : public AppTest {
protected:
    void startWithList() {
        form = std::make_unique<MainWindow>(
            std::make_unique<FakePortLayer>(), std::make_unique<ScriptedRunner>(),
            StartDirFolders(dir.path().string()), std::make_unique<RecentFiles>(listFile));
        runner = static_cast<ScriptedRunner*>(&form->runner());
    }
    QStringList items() const {
        QStringList texts;
        for (QAction* a : form->N_Recent->actions())
            texts.push_back(a->text());
        return texts;
    }
    QString path(const char* name) const { return QString::fromStdString(dir.file(name)); }

    std::string listFile = dir.file("config/recent-files");
};

TEST_F(RecentMenuTest, OpenedAndSavedFilesListedAndKeptForTheNextStart) {
    startWithList();
    EXPECT_FALSE(form->N_Recent->isEnabled());
    for (const char* name : {"a.rr", "b.rr", "c.rr"})
        writeRecording(dir.file(name), std::vector<int>(60, 80));
    form->OpenFiles({path("a.rr"), path("b.rr"), path("c.rr"), path("a.rr")});
    answer(file(dir.file("saved.rr"), 1));
    form->TB_Save->trigger();
    const QStringList want = numbered({path("saved.rr"), path("a.rr"), path("c.rr"), path("b.rr")});
    EXPECT_EQ(items(), want);
    EXPECT_TRUE(form->N_Recent->isEnabled());
    form->setup().AutoSaveSetup = false;
    form->mdiArea()->closeAllSubWindows();
    form.reset();
    startWithList();
    EXPECT_EQ(items(), want);
}

TEST_F(RecentMenuTest, AnItemOpensItsFileAndAMissingOneIsToldAndDropped) {
    writeRecording(dir.file("a.rr"), std::vector<int>(60, 80));
    {
        RecentFiles before(listFile);
        before.Add(path("gone.rr"));
        before.Add(path("a.rr"));
    }
    startWithList();
    form->N_Recent->actions()[0]->trigger();
    ASSERT_NE(form->activeGraph(), nullptr);
    EXPECT_EQ(form->activeGraph()->recording().beats(), 60);
    QString told;
    answer([&told](QDialog& d) {
        told = dynamic_cast<QMessageBox&>(d).text();
        return int(QDialog::Accepted);
    });
    form->N_Recent->actions()[1]->trigger();
    EXPECT_EQ(told, "Файл " + path("gone.rr") + " не найден");
    EXPECT_EQ(items(), numbered({path("a.rr")}));
    EXPECT_EQ(RecentFiles(listFile).paths(), QStringList{path("a.rr")});
    form->setup().AutoSaveSetup = false;
}

}  // namespace
}  // namespace trivant::test
