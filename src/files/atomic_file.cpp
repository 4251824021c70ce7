// POSIX implementation of the whole-file I/O, with a plain standard-library fallback
// for Windows.
#include "atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#ifdef _WIN32
#include <fstream>
#else
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace trivant {
namespace fs = std::filesystem;

namespace {

IoStatus failure(const std::string& path, const std::string& what, const std::string& why) {
    return {false, path, what + ": " + why};
}

}  // namespace

#ifndef _WIN32

namespace {

IoStatus failure(const std::string& path, const std::string& what, int err) {
    return failure(path, what, std::string(std::strerror(err)));
}

std::string folderOf(const std::string& path) {
    const fs::path folder = fs::path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

// Creates a file that did not exist before in folder; returns its descriptor or -1 with
// err set. The name starts with a dot so that file lists don't show a leftover.
int createTemp(const std::string& folder, std::string& tmpPath, int& err) {
    static std::atomic<unsigned> counter{0};
    const auto seed = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[64];
        std::snprintf(name, sizeof name, "/.trivant-%ld-%llx-%u.tmp", static_cast<long>(getpid()),
                      seed, counter++);
        tmpPath = folder + name;
        // 0666 lets the umask decide, as for any newly created file.
        const int fd = open(tmpPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            err = fd >= 0 ? 0 : errno;
            return fd;
        }
    }
    err = EEXIST;
    return -1;
}

int writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        done += static_cast<size_t>(n);
    }
    return 0;
}

// The replaced file keeps the permissions its owner gave it.
int copyMode(int fd, const std::string& target) {
    struct stat st {};
    if (stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return 0;
    return fchmod(fd, st.st_mode & 0777) == 0 ? 0 : errno;
}

// Makes the rename itself durable; a failure here loses nothing already written.
void syncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

// Runs step when no earlier step failed, noting what failed first.
template <typename Step> void runStep(int& err, const char*& what, const char* name, Step step) {
    if (err != 0)
        return;
    err = step();
    if (err != 0)
        what = name;
}

}  // namespace

IoStatus WriteFileAtomic(const std::string& path, const std::string& bytes) {
    const std::string folder = folderOf(path);
    std::string tmp;
    int err = 0;
    const int fd = createTemp(folder, tmp, err);
    if (fd < 0)
        return failure(path, "cannot create a temporary file in " + folder, err);

    const char* what = "";
    runStep(err, what, "cannot set permissions", [&] { return copyMode(fd, path); });
    runStep(err, what, "cannot write", [&] { return writeAll(fd, bytes); });
    runStep(err, what, "cannot flush to disk", [&] { return fsync(fd) == 0 ? 0 : errno; });
    const int closeErr = close(fd) == 0 ? 0 : errno;
    runStep(err, what, "cannot close", [&] { return closeErr; });
    runStep(err, what, "cannot replace the file",
            [&] { return std::rename(tmp.c_str(), path.c_str()) == 0 ? 0 : errno; });
    if (err != 0) {
        unlink(tmp.c_str());
        return failure(path, what, err);
    }
    syncFolder(folder);
    return {true, path, {}};
}

IoStatus ReadFileBytes(const std::string& path, std::string& out, size_t maxBytes) {
    out.clear();
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return failure(path, "cannot open", errno);
    char buf[65536];
    int err = 0;
    while (out.size() < maxBytes) {
        const ssize_t n = read(fd, buf, std::min(sizeof buf, maxBytes - out.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            err = errno;
        if (n <= 0)
            break;
        out.append(buf, static_cast<size_t>(n));
    }
    close(fd);
    if (err == 0)
        return {true, path, {}};
    out.clear();
    return failure(path, "cannot read", err);
}

#else

// Windows: no fsync or permission bits here; the rename still keeps the old file until the
// new one is complete.
IoStatus WriteFileAtomic(const std::string& path, const std::string& bytes) {
    const fs::path target = fs::u8path(path);
    fs::path tmp = target;
    tmp += ".trivant-tmp";
    std::error_code ec;
    {
        std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
        f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        f.close();
        if (!f) {
            fs::remove(tmp, ec);
            return failure(path, "cannot write", "temporary file");
        }
    }
    fs::rename(tmp, target, ec);
    if (!ec)
        return {true, path, {}};
    const std::string why = ec.message();
    fs::remove(tmp, ec);
    return failure(path, "cannot replace the file", why);
}

IoStatus ReadFileBytes(const std::string& path, std::string& out, size_t maxBytes) {
    out.clear();
    std::ifstream f(fs::u8path(path), std::ios::binary);
    if (!f)
        return failure(path, "cannot open", "file not found or not readable");
    out.resize(maxBytes);
    f.read(out.data(), static_cast<std::streamsize>(maxBytes));
    out.resize(static_cast<size_t>(f.gcount()));
    if (f.bad()) {
        out.clear();
        return failure(path, "cannot read", "input error");
    }
    return {true, path, {}};
}

#endif

}  // namespace trivant
