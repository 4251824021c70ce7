// Folder and base name with either separator, as Windows and POSIX paths both reach us.
#include "path_parts.h"

#include <gtest/gtest.h>

namespace trivant {
namespace {

struct PathCase {
    std::string path;
    std::string folder;
    std::string baseName;
};

TEST(FilesPath, SplitsOnTheLastSeparatorAndTheLastDotAfterIt) {
    const PathCase cases[] = {
        {"C:\\My Data\\my_rec.rr", "C:\\My Data", "my_rec"},
        {"/a/b.c/d", "/a/b.c", "d"},
        {"rest.txt", "", "rest"},
        {"C:\\dir/sub\\a.b.c", "C:\\dir/sub", "a.b"},
        {"/x/y\\z.rr", "/x/y", "z"},
        {"dir.d\\name", "dir.d", "name"},
        {"/home/u/.hidden", "/home/u", ""},
        {"/", "", ""},
        {"", "", ""},
    };
    for (const PathCase& c : cases) {
        EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
        EXPECT_EQ(BaseNameOf(c.path), c.baseName) << c.path;
    }
}

}  // namespace
}  // namespace trivant
