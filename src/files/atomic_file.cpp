// The whole-file I/O on POSIX descriptors, and on Windows through the Win32 API: the same
// steps (a temporary file, flushed, then put in the target's place) on both.
#include "atomic_file.h"

#include "write_all.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#ifdef _WIN32
#include <atomic>
#include <fstream>
#include <system_error>
#ifndef NOMINMAX
#define NOMINMAX  // keeps std::min usable
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
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

constexpr size_t kBlockBytes = 65536;

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

// The replaced file keeps the permissions its owner gave it.
int copyMode(int fd, const std::string& target) {
    struct stat st {};
    if (stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return 0;
    return fchmod(fd, st.st_mode & 0777) == 0 ? 0 : errno;
}

// The file a write to path must replace: symbolic links are followed, relative ones from
// their own folder, so that a link keeps pointing at the new content. The result need not
// exist: a dangling link names the file to create.
int resolveLinks(const std::string& path, std::string& target) {
    constexpr int kMaxHops = 40;  // the kernel's own limit
    target = path;
    for (int hop = 0;; ++hop) {
        struct stat st {};
        if (lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return 0;  // a missing target is created; other errors surface when writing
        if (hop == kMaxHops)
            return ELOOP;
        std::error_code ec;
        const fs::path next = fs::read_symlink(target, ec);
        if (ec)
            return ec.value();
        target =
            next.is_absolute() ? next.string() : (fs::path(target).parent_path() / next).string();
    }
}

// A regular file with several names (hard links); a rename would split them.
bool hasOtherNames(const std::string& target) {
    struct stat st {};
    return stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink > 1;
}

// Overwrites target in place with the bytes already safe in the temporary file. Space is
// reserved first, so that a full disk fails before the old content is touched; touched
// tells whether the old content may be damaged.
int writeInPlace(const std::string& target, const std::string& bytes, bool& touched) {
    touched = false;
    const int fd = open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const auto size = static_cast<off_t>(bytes.size());
    int err = size > 0 ? posix_fallocate(fd, 0, size) : 0;
    touched = err == 0;
    if (err == 0)
        err = WriteAll(fd, bytes.data(), bytes.size());
    if (err == 0 && ftruncate(fd, size) != 0)
        err = errno;
    if (err == 0 && fsync(fd) != 0)
        err = errno;
    if (close(fd) != 0 && err == 0)
        err = errno;
    return err;
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

// Puts the complete temporary file tmp in the place of target. A file with other names is
// written in place so that every name keeps showing the same file; should that fail half
// way, the temporary file is kept, as the one complete copy of the new content.
IoStatus replaceTarget(const std::string& path, const std::string& target, const std::string& tmp,
                       const std::string& bytes) {
    int err = 0;
    bool touched = false;
    if (!hasOtherNames(target)) {
        if (std::rename(tmp.c_str(), target.c_str()) != 0)
            err = errno;
    } else if ((err = writeInPlace(target, bytes, touched)) == 0) {
        unlink(tmp.c_str());
    }
    if (err == 0)
        return {true, path, {}};
    if (touched)
        return failure(
            path, "cannot write the file in place (the new content is kept in " + tmp + ")", err);
    unlink(tmp.c_str());
    return failure(path, "cannot replace the file", err);
}

}  // namespace

IoStatus WriteFileAtomic(const std::string& path, const std::string& bytes) {
    std::string target;
    int err = resolveLinks(path, target);
    if (err != 0)
        return failure(path, "cannot follow the link", err);
    const std::string folder = folderOf(target);
    std::string tmp;
    const int fd = createTemp(folder, tmp, err);
    if (fd < 0)
        return failure(path, "cannot create a temporary file in " + folder, err);

    const char* what = "";
    runStep(err, what, "cannot set permissions", [&] { return copyMode(fd, target); });
    runStep(err, what, "cannot write", [&] { return WriteAll(fd, bytes.data(), bytes.size()); });
    runStep(err, what, "cannot flush to disk", [&] { return fsync(fd) == 0 ? 0 : errno; });
    const int closeErr = close(fd) == 0 ? 0 : errno;
    runStep(err, what, "cannot close", [&] { return closeErr; });
    if (err != 0) {
        unlink(tmp.c_str());
        return failure(path, what, err);
    }
    IoStatus result = replaceTarget(path, target, tmp, bytes);
    if (result.ok)
        syncFolder(folder);
    return result;
}

IoStatus ReadFileBlocks(const std::string& path,
                        const std::function<bool(std::string_view)>& take) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return failure(path, "cannot open", errno);
    std::vector<char> buf(kBlockBytes);
    int err = 0;
    for (;;) {
        const ssize_t n = read(fd, buf.data(), buf.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            err = errno;
        if (n <= 0 || !take(std::string_view(buf.data(), static_cast<size_t>(n))))
            break;
    }
    close(fd);
    return err == 0 ? IoStatus{true, path, {}} : failure(path, "cannot read", err);
}

#else

namespace {

// The C library's words for the common failures, as the POSIX code reports them.
std::string why(DWORD err) {
    switch (err) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return std::strerror(ENOENT);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return std::strerror(EACCES);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return std::strerror(ENOSPC);
    default:
        return std::system_category().message(static_cast<int>(err));
    }
}

IoStatus failure(const std::string& path, const std::string& what, DWORD err) {
    return failure(path, what, why(err));
}

// A new file in folder that did not exist before; the name starts with a dot so that file
// lists don't show a leftover.
HANDLE createTemp(const fs::path& folder, fs::path& tmp, DWORD& err) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        tmp = folder / (".trivant-" + std::to_string(GetCurrentProcessId()) + "-" +
                        std::to_string(counter++) + ".tmp");
        const HANDLE h = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        err = h == INVALID_HANDLE_VALUE ? GetLastError() : 0;
        if (err != ERROR_FILE_EXISTS)
            return h;
    }
    return INVALID_HANDLE_VALUE;
}

// Writes bytes and flushes them to disk; 0 or the error.
DWORD writeAndFlush(HANDLE h, const std::string& bytes) {
    for (size_t done = 0; done < bytes.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(h, bytes.data() + done, chunk, &written, nullptr))
            return GetLastError();
        done += written;
    }
    return FlushFileBuffers(h) ? 0 : GetLastError();
}

}  // namespace

// The target keeps its attributes (ReplaceFileW); a new one is moved into place through the
// disk's cache. A failure leaves the old file as it was.
IoStatus WriteFileAtomic(const std::string& path, const std::string& bytes) {
    const fs::path target = fs::u8path(path);
    std::error_code ec;
    if (fs::is_directory(target, ec))
        return failure(path, "cannot replace the file", std::strerror(EISDIR));
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    fs::path tmp;
    DWORD err = 0;
    const HANDLE h = createTemp(folder, tmp, err);
    if (h == INVALID_HANDLE_VALUE)
        return failure(path, "cannot create a temporary file in " + folder.u8string(), err);
    err = writeAndFlush(h, bytes);
    if (!CloseHandle(h) && err == 0)
        err = GetLastError();
    if (err != 0) {
        DeleteFileW(tmp.c_str());
        return failure(path, "cannot write", err);
    }
    const bool replaced =
        fs::exists(target, ec)
            ? ReplaceFileW(target.c_str(), tmp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                           nullptr, nullptr) != 0
            : MoveFileExW(tmp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
    if (replaced)
        return {true, path, {}};
    err = GetLastError();
    return failure(
        path, "cannot replace the file (the new content is kept in " + tmp.u8string() + ")", err);
}

IoStatus ReadFileBlocks(const std::string& path,
                        const std::function<bool(std::string_view)>& take) {
    std::ifstream f(fs::u8path(path), std::ios::binary);
    if (!f)
        return failure(path, "cannot open", "file not found or not readable");
    std::vector<char> buf(kBlockBytes);
    while (f) {
        f.read(buf.data(), static_cast<std::streamsize>(buf.size()));
        const auto n = static_cast<size_t>(f.gcount());
        if (n == 0 || !take(std::string_view(buf.data(), n)))
            break;
    }
    if (f.bad())
        return failure(path, "cannot read", "input error");
    return {true, path, {}};
}

#endif

// Grows block by block up to maxBytes: a limit is not an allocation.
IoStatus ReadFileBytes(const std::string& path, std::string& out, size_t maxBytes) {
    out.clear();
    const IoStatus st = ReadFileBlocks(path, [&](std::string_view block) {
        out.append(block.substr(0, maxBytes - out.size()));
        return out.size() < maxBytes;
    });
    if (!st.ok)
        out.clear();
    return st;
}

}  // namespace trivant
