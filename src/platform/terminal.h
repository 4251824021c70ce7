// Whether the process's own streams reach a person, for output meant only for one.
#pragma once

namespace trivant {

// True when the standard error stream is a terminal (a console on Windows).
bool StderrIsTerminal();
// True when the standard output stream is one.
bool StdoutIsTerminal();

}  // namespace trivant
