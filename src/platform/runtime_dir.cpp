// The runtime folder that Qt expects on Unix-like systems: mode 0700, owned by the user.
// Windows has no such folder, so there both functions do nothing.
#include "runtime_dir.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace trivant {

bool MakePrivateDir(const std::string& path) {
#ifdef _WIN32
    (void)path;
    return false;
#else
    const bool made = mkdir(path.c_str(), 0700) == 0;
    if (!made && errno != EEXIST)
        return false;
    if (made && chmod(path.c_str(), 0700) != 0)  // the umask may have taken bits away
        return false;
    // lstat: a link planted by someone else must not lead us into their folder.
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid() &&
           (st.st_mode & 07777) == 0700;
#endif
}

void EnsureRuntimeDir() {
#ifndef _WIN32
    if (const char* set = std::getenv("XDG_RUNTIME_DIR"); set && *set)
        return;
    std::error_code ec;
    const std::filesystem::path tmp = std::filesystem::temp_directory_path(ec);
    if (ec)
        return;
    const std::string dir = (tmp / ("runtime-" + std::to_string(geteuid()))).string();
    if (MakePrivateDir(dir))
        setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
#endif
}

}  // namespace trivant
