// POSIX descriptors and flock(2) for the journal; on Windows the C runtime's descriptors
// without a lock (two instances there could both offer the same journal).
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

IoStatus JournalFile::create(const std::string& path) {
    close();
    const int fd =
        _wopen(fs::u8path(path).c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_APPEND | _O_BINARY,
               _S_IREAD | _S_IWRITE);
    if (fd < 0)
        return journalFailure(path, "cannot create the journal", errno);
    fd_ = fd;
    const char header[kRrHeaderBytes] = {0, 0};
    const int err = append(header, sizeof header);
    if (err != 0) {
        close();
        return journalFailure(path, "cannot create the journal", err);
    }
    return {true, path, {}};
}

IoStatus JournalFile::adopt(const std::string& path) {
    close();
    fd_ = _wopen(fs::u8path(path).c_str(), _O_WRONLY | _O_APPEND | _O_BINARY);
    return fd_ >= 0 ? IoStatus{true, path, {}}
                    : journalFailure(path, "cannot open the journal", errno);
}

int JournalFile::append(const char* bytes, size_t count) {
    return _write(fd_, bytes, static_cast<unsigned>(count)) == static_cast<int>(count) ? 0 : errno;
}

int JournalFile::sync() {
    return _commit(fd_) == 0 ? 0 : errno;
}

void JournalFile::close() {
    if (fd_ >= 0)
        _close(fd_);
    fd_ = -1;
}

JournalProbe::JournalProbe(const std::string& path) {
    fd_ = _wopen(fs::u8path(path).c_str(), _O_RDONLY | _O_BINARY);
}

JournalProbe::~JournalProbe() {
    if (fd_ >= 0)
        _close(fd_);
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
    return fd_ >= 0 && _read(fd_, header, sizeof header) >= 0 && header[0] == 0 && header[1] == 0;
}

#endif

}  // namespace trivant
