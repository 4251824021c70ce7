// The terminal check differs by system: isatty on Unix-like systems, _isatty on Windows.
#include "terminal.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace trivant {

namespace {

bool isTerminal(int fd) {
#ifdef _WIN32
    return _isatty(fd) != 0;
#else
    return isatty(fd) != 0;
#endif
}

}  // namespace

bool StderrIsTerminal() {
    return isTerminal(2);
}

bool StdoutIsTerminal() {
    return isTerminal(1);
}

}  // namespace trivant
