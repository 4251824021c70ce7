// The file under a journal: an append-only descriptor that holds an exclusive lock for the
// writer's life, and a probe that tells whether some writer still holds a journal.
#pragma once

#include "atomic_file.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace trivant {

IoStatus journalFailure(const std::string& path, const std::string& what, int err);

class JournalFile {
public:
    JournalFile() = default;
    ~JournalFile() { close(); }
    JournalFile(const JournalFile&) = delete;
    JournalFile& operator=(const JournalFile&) = delete;

    // Creates path with the .rr header, locked. A file another writer holds, or one that
    // already holds a whole word (a recording nobody recovered yet), is left alone.
    IoStatus create(const std::string& path);
    // Opens an existing journal for appending, locked, leaving its content as it is.
    IoStatus adopt(const std::string& path);
    bool isOpen() const { return fd_ >= 0; }
    // Returns 0 or the errno of the failure; bytes may be partly written on failure.
    int append(const char* bytes, size_t count);
    int sync();  // the written data to disk (fdatasync)
    void close();

private:
    int fd_ = -1;
};

// Opens path for reading with a shared lock, which only succeeds when no writer holds it.
class JournalProbe {
public:
    explicit JournalProbe(const std::string& path);
    ~JournalProbe();
    JournalProbe(const JournalProbe&) = delete;
    JournalProbe& operator=(const JournalProbe&) = delete;

    bool free() const { return fd_ >= 0; }
    int64_t size() const;          // bytes, -1 when not free
    int64_t modifiedTime() const;  // seconds since the epoch, 0 when not free
    bool zeroHeader() const;       // the bytes of the header that exist are zero

private:
    int fd_ = -1;
};

}  // namespace trivant
