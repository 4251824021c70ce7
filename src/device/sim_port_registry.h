// Where the simulated pulse device announces its pseudo-terminal, so that automatic port
// search finds it like a USB adapter. One symbolic link per running simulator.
#pragma once

#include <string>
#include <vector>

namespace trivant {

// TRIVANT_PORT_DIR when set (tests keep their simulators apart with it), else a
// per-user folder: $XDG_RUNTIME_DIR/trivant-ports or /tmp/trivant-ports-UID.
std::string SimPortDir();

// Links ptyPath as this process's port; returns the link's path, or empty on failure.
std::string RegisterSimPort(const std::string& ptyPath);
void UnregisterSimPort(const std::string& linkPath);

// The registered ports whose simulator still runs, sorted; stale links are removed.
std::vector<std::string> RegisteredSimPorts();

}  // namespace trivant
