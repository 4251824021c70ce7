// Whole-file writes that never destroy the previous file, and bounded reads.
#include "atomic_file.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace trivant {
namespace {

using test::TempDir;

mode_t modeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

mode_t currentUmask() {
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

TEST(FilesAtomic, CreatesANewFileWithTheUsualPermissions) {
    TempDir dir;
    const std::string path = dir.file("new.rr");
    const IoStatus st = WriteFileAtomic(path, std::string("\0\1\2", 3));
    ASSERT_TRUE(st.ok) << st.detail;
    EXPECT_EQ(dir.read("new.rr"), std::string("\0\1\2", 3));
    EXPECT_EQ(modeOf(path), 0666 & ~currentUmask());
    EXPECT_EQ(dir.entryCount(), 1);
}

TEST(FilesAtomic, ReplacesAFileAndKeepsItsPermissions) {
    TempDir dir;
    const std::string path = dir.write("old.txt", "old content that is longer");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(WriteFileAtomic(path, "new").ok);
    EXPECT_EQ(dir.read("old.txt"), "new");
    EXPECT_EQ(modeOf(path), 0640u);
    EXPECT_EQ(dir.entryCount(), 1);
}

TEST(FilesAtomic, WritesAnEmptyFile) {
    TempDir dir;
    dir.write("e.rr", "something");
    ASSERT_TRUE(WriteFileAtomic(dir.file("e.rr"), "").ok);
    EXPECT_EQ(dir.read("e.rr"), "");
}

TEST(FilesAtomic, FailsIntoAMissingFolder) {
    TempDir dir;
    const std::string path = dir.file("missing/rec.rr");
    const IoStatus st = WriteFileAtomic(path, "x");
    EXPECT_FALSE(st.ok);
    EXPECT_EQ(st.path, path);
    EXPECT_NE(st.detail.find("No such file"), std::string::npos) << st.detail;
    EXPECT_EQ(dir.entryCount(), 0);
}

TEST(FilesAtomic, FailsWhenTheFolderIsARegularFile) {
    TempDir dir;
    dir.write("plain", "keep");
    const IoStatus st = WriteFileAtomic(dir.file("plain") + "/rec.rr", "x");
    EXPECT_FALSE(st.ok);
    EXPECT_FALSE(st.detail.empty());
    EXPECT_EQ(dir.read("plain"), "keep");
    EXPECT_EQ(dir.entryCount(), 1);
}

TEST(FilesAtomic, FailsOverADirectoryAndLeavesNoTemporaryFile) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "rec.rr");
    const IoStatus st = WriteFileAtomic(dir.file("rec.rr"), "x");
    EXPECT_FALSE(st.ok);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "rec.rr"));
    EXPECT_EQ(dir.entryCount(), 1);
}

// Lowers the file size limit for one scope, so that a write fails half-way as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit lower = old_;
        lower.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

TEST(FilesAtomic, AFailedWriteKeepsTheOldFileAndRemovesTheTemporaryOne) {
    TempDir dir;
    const std::string path = dir.write("rec.rr", "old");
    IoStatus st;
    {
        FileSizeLimit limit(1000);
        st = WriteFileAtomic(path, std::string(5000, 'n'));
    }
    EXPECT_FALSE(st.ok);
    EXPECT_NE(st.detail.find("cannot write"), std::string::npos) << st.detail;
    EXPECT_EQ(dir.read("rec.rr"), "old");
    EXPECT_EQ(dir.entryCount(), 1);
}

TEST(FilesAtomic, ReadsAtMostTheGivenNumberOfBytes) {
    TempDir dir;
    const std::string path = dir.write("f", "0123456789");
    std::string out;
    ASSERT_TRUE(ReadFileBytes(path, out, 4).ok);
    EXPECT_EQ(out, "0123");
    ASSERT_TRUE(ReadFileBytes(path, out, 100).ok);
    EXPECT_EQ(out, "0123456789");
    ASSERT_TRUE(ReadFileBytes(path, out, 0).ok);
    EXPECT_EQ(out, "");
}

TEST(FilesAtomic, ReadingAMissingFileOrADirectoryFails) {
    TempDir dir;
    std::string out = "stale";
    const IoStatus missing = ReadFileBytes(dir.file("none"), out, 10);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.path, dir.file("none"));
    EXPECT_FALSE(missing.detail.empty());
    EXPECT_EQ(out, "");
    EXPECT_FALSE(ReadFileBytes(dir.path().string(), out, 10).ok);
}

}  // namespace
}  // namespace trivant
