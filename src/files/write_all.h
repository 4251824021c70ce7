// One POSIX write that survives short writes and signals, for the files that must be whole.
#pragma once

#ifndef _WIN32

#include <cerrno>
#include <cstddef>
#include <unistd.h>

namespace trivant {

// Returns 0, or the errno of the failure (bytes may then be partly written).
inline int WriteAll(int fd, const char* bytes, size_t count) {
    size_t done = 0;
    while (done < count) {
        const ssize_t n = write(fd, bytes + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        done += static_cast<size_t>(n);
    }
    return 0;
}

}  // namespace trivant

#endif
