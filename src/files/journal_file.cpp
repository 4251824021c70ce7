// POSIX descriptors and flock(2) for the journal; on Windows the C runtime's descriptors
// over handles that LockFileEx locks, and that let the journal be removed while open.
#include "journal_file.h"

#include "rr_file.h"
#include "write_all.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace trivant {
namespace fs = std::filesystem;

IoStatus journalFailure(const std::string& path, const std::string& what, int err) {
    return {false, path, what + ": " + std::strerror(err)};
}

#ifndef _WIN32

namespace {

// A fresh journal must reach the disk as a file before its first beat does.
void syncFolderOf(const std::string& path) {
    const fs::path folder = fs::path(path).parent_path();
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    ::close(fd);
}

}  // namespace

IoStatus JournalFile::create(const std::string& path) {
    close();
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0)
        return journalFailure(path, "cannot create the journal", errno);
    struct stat st {};
    const char* refusal = nullptr;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0)
        refusal = "another recording writes this journal";
    else if (fstat(fd, &st) == 0 && st.st_size >= static_cast<off_t>(kRrHeaderBytes + 2))
        refusal = "the journal holds an unsaved recording: recover or remove it first";
    if (refusal) {
        ::close(fd);
        return {false, path, refusal};
    }
    fd_ = fd;
    const char header[kRrHeaderBytes] = {0, 0};
    int err = ftruncate(fd, 0) == 0 ? 0 : errno;
    if (err == 0)
        err = append(header, sizeof header);
    if (err == 0)
        err = sync();
    if (err != 0) {
        close();
        return journalFailure(path, "cannot create the journal", err);
    }
    syncFolderOf(path);
    return {true, path, {}};
}

IoStatus JournalFile::adopt(const std::string& path) {
    close();
    const int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0)
        return journalFailure(path, "cannot open the journal", errno);
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return {false, path, "another recording writes this journal"};
    }
    fd_ = fd;
    return {true, path, {}};
}

int JournalFile::append(const char* bytes, size_t count) {
    return WriteAll(fd_, bytes, count);
}

int JournalFile::sync() {
    return fdatasync(fd_) == 0 ? 0 : errno;
}

void JournalFile::close() {
    if (fd_ >= 0)
        ::close(fd_);  // releases the lock
    fd_ = -1;
}

JournalProbe::JournalProbe(const std::string& path) {
    fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ >= 0 && flock(fd_, LOCK_SH | LOCK_NB) != 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

JournalProbe::~JournalProbe() {
    if (fd_ >= 0)
        ::close(fd_);
}

int64_t JournalProbe::size() const {
    struct stat st {};
    return fd_ >= 0 && fstat(fd_, &st) == 0 ? static_cast<int64_t>(st.st_size) : -1;
}

int64_t JournalProbe::modifiedTime() const {
    struct stat st {};
    return fd_ >= 0 && fstat(fd_, &st) == 0 ? static_cast<int64_t>(st.st_mtime) : 0;
}

bool JournalProbe::zeroHeader() const {
    char header[kRrHeaderBytes] = {0, 0};
    return fd_ >= 0 && pread(fd_, header, sizeof header, 0) >= 0 && header[0] == 0 &&
           header[1] == 0;
}

#else

namespace {

// Windows locks are mandatory, so the lock covers one byte far past any journal's data:
// readers are not kept out, other lockers are.
constexpr DWORD kLockOffsetHigh = 0x40000000;

HANDLE handleOf(int fd) {
    return reinterpret_cast<HANDLE>(_get_osfhandle(fd));
}

bool lockFd(int fd, bool exclusive) {
    OVERLAPPED at{};
    at.OffsetHigh = kLockOffsetHigh;
    const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
    return LockFileEx(handleOf(fd), flags, 0, 1, 0, &at) != 0;
}

// Closes fd, unlocking first: the system may release a closed file's locks only later.
void closeLocked(int fd) {
    OVERLAPPED at{};
    at.OffsetHigh = kLockOffsetHigh;
    UnlockFileEx(handleOf(fd), 0, 1, 0, &at);
    _close(fd);
}

// A descriptor of path that lets others read, write and remove it, as on POSIX; -1 with
// errno set on failure.
int openShared(const std::string& path, DWORD access, DWORD disposition, int flags) {
    const HANDLE h = CreateFileW(fs::u8path(path).c_str(), access,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD err = GetLastError();
        errno = err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND ? ENOENT : EACCES;
        return -1;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), flags | _O_BINARY);
    if (fd < 0)
        CloseHandle(h);
    return fd;
}

// The descriptor of path opened for appending and locked, or a refusal.
IoStatus openLocked(const std::string& path, DWORD disposition, int& fd) {
    fd = openShared(path, GENERIC_WRITE, disposition, _O_WRONLY | _O_APPEND);
    if (fd < 0)
        return journalFailure(path, "cannot open the journal", errno);
    if (lockFd(fd, true))
        return {true, path, {}};
    _close(fd);
    fd = -1;
    return {false, path, "another recording writes this journal"};
}

}  // namespace

IoStatus JournalFile::create(const std::string& path) {
    close();
    int fd = -1;
    IoStatus st = openLocked(path, OPEN_ALWAYS, fd);
    if (!st.ok)
        return st;
    struct _stat64 info {};
    if (_fstat64(fd, &info) == 0 && info.st_size >= static_cast<int64_t>(kRrHeaderBytes + 2)) {
        closeLocked(fd);
        return {false, path, "the journal holds an unsaved recording: recover or remove it first"};
    }
    fd_ = fd;
    const char header[kRrHeaderBytes] = {0, 0};
    int err = _chsize_s(fd, 0);
    if (err == 0)
        err = append(header, sizeof header);
    if (err == 0)
        err = sync();
    if (err != 0) {
        close();
        return journalFailure(path, "cannot create the journal", err);
    }
    return st;
}

IoStatus JournalFile::adopt(const std::string& path) {
    close();
    int fd = -1;
    IoStatus st = openLocked(path, OPEN_EXISTING, fd);
    fd_ = fd;
    return st;
}

int JournalFile::append(const char* bytes, size_t count) {
    size_t done = 0;
    while (done < count) {
        const int n = _write(fd_, bytes + done, static_cast<unsigned>(count - done));
        if (n <= 0)
            return n < 0 ? errno : EIO;
        done += static_cast<size_t>(n);
    }
    return 0;
}

int JournalFile::sync() {
    return FlushFileBuffers(handleOf(fd_)) ? 0 : EIO;
}

void JournalFile::close() {
    if (fd_ >= 0)
        closeLocked(fd_);
    fd_ = -1;
}

JournalProbe::JournalProbe(const std::string& path) {
    fd_ = openShared(path, GENERIC_READ, OPEN_EXISTING, _O_RDONLY);
    if (fd_ >= 0 && !lockFd(fd_, false)) {
        _close(fd_);
        fd_ = -1;
    }
}

JournalProbe::~JournalProbe() {
    if (fd_ >= 0)
        closeLocked(fd_);
}

int64_t JournalProbe::size() const {
    struct _stat64 st {};
    return fd_ >= 0 && _fstat64(fd_, &st) == 0 ? static_cast<int64_t>(st.st_size) : -1;
}

int64_t JournalProbe::modifiedTime() const {
    struct _stat64 st {};
    return fd_ >= 0 && _fstat64(fd_, &st) == 0 ? static_cast<int64_t>(st.st_mtime) : 0;
}

bool JournalProbe::zeroHeader() const {
    char header[kRrHeaderBytes] = {0, 0};
    return fd_ >= 0 && _lseeki64(fd_, 0, SEEK_SET) == 0 && _read(fd_, header, sizeof header) >= 0 &&
           header[0] == 0 && header[1] == 0;
}

#endif

}  // namespace trivant
