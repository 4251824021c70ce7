// The folders the open and save dialogs start in.
#include "app_fixture.h"

#include "codepage.h"

#include <QMdiArea>

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

}  // namespace
}  // namespace trivant::test
