// Saving a recording where it cannot be written: the user gets the message, the file
// that was there stays as it was, no partial file is left, and the recording stays
// unsaved.
#include "app_fixture.h"
#include "recording_window.h"

#include <filesystem>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace trivant::test {
namespace {

namespace fs = std::filesystem;

// A folder the application may not write to: without write permission, or for root, whom
// permissions do not stop, a read-only bind mount of it.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(fs::path p) : path_(std::move(p)) {
        fs::create_directories(path_);
        if (geteuid() != 0) {
            ok_ = chmod(path_.c_str(), 0555) == 0;
            return;
        }
        mounted_ = mount(path_.c_str(), path_.c_str(), nullptr, MS_BIND, nullptr) == 0;
        ok_ = mounted_ && mount(nullptr, path_.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY,
                                nullptr) == 0;
    }
    ~ReadOnlyFolder() {
        if (mounted_)
            umount2(path_.c_str(), MNT_DETACH);
        chmod(path_.c_str(), 0755);
    }
    bool ok() const { return ok_; }

private:
    fs::path path_;
    bool mounted_ = false, ok_ = false;
};

TEST_F(AppTest, SavingWhereNothingCanBeWrittenKeepsTheOldFile) {
    start();
    const std::string src = dir.file("src.rr");
    writeRecording(src, std::vector<int>(50, 80));
    RecordingWindow* g = form->OpenRecording(src, 1);
    ASSERT_NE(g, nullptr);
    g->SetSaved(false);  // as after a recording
    fs::create_directories(dir.path() / "locked");
    dir.write("locked/old.rr", "old");
    ReadOnlyFolder locked(dir.path() / "locked");
    if (!locked.ok())
        GTEST_SKIP() << "this machine lets the test make no read-only folder";
    for (int filter : {1, 2}) {
        SCOPED_TRACE(filter);
        answer(file(dir.file("locked/old.rr"), filter));
        answer(message(kMsgOk));  // "Переписать"
        QString text;
        answer(message(kMsgOk, &text));
        form->TB_Save->trigger();
        EXPECT_TRUE(text.startsWith("Не удалось сохранить файл")) << text.toStdString();
        EXPECT_EQ(dir.read("locked/old.rr"), "old");
        EXPECT_EQ(
            std::distance(fs::directory_iterator(dir.path() / "locked"), fs::directory_iterator()),
            1);
        EXPECT_FALSE(g->saved());
    }
}

}  // namespace
}  // namespace trivant::test
