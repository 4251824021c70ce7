// Symbolic links in a per-user folder, named after the simulator's process id.
#include "sim_port_registry.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <csignal>
#include <unistd.h>
#endif

namespace trivant {

namespace fs = std::filesystem;

namespace {

constexpr const char* kLinkPrefix = "trivant-sim-";

#ifndef _WIN32
// The link's owner still runs and is a simulator: a recycled process id must not lead
// us to open somebody's terminal.
bool ownerAlive(const std::string& linkName) {
    const long pid =
        std::strtol(linkName.c_str() + std::char_traits<char>::length(kLinkPrefix), nullptr, 10);
    if (pid <= 0 || (kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM))
        return false;
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    if (!comm || !std::getline(comm, name))
        return true;  // no /proc: trust the pid
    return name.rfind("trivant-sim", 0) == 0;
}
#endif

}  // namespace

std::string SimPortDir() {
    if (const char* dir = std::getenv("TRIVANT_PORT_DIR"); dir && *dir)
        return dir;
    if (const char* run = std::getenv("XDG_RUNTIME_DIR"); run && *run)
        return (fs::path(run) / "trivant-ports").string();
#ifdef _WIN32
    return (fs::temp_directory_path() / "trivant-ports").string();
#else
    return (fs::temp_directory_path() / ("trivant-ports-" + std::to_string(getuid()))).string();
#endif
}

std::string RegisterSimPort(const std::string& ptyPath) {
#ifdef _WIN32
    (void)ptyPath;
    return {};
#else
    std::error_code ec;
    const fs::path dir = SimPortDir();
    fs::create_directories(dir, ec);
    const fs::path link = dir / (kLinkPrefix + std::to_string(getpid()));
    fs::remove(link, ec);
    fs::create_symlink(ptyPath, link, ec);
    return ec ? std::string() : link.string();
#endif
}

void UnregisterSimPort(const std::string& linkPath) {
    std::error_code ec;
    if (!linkPath.empty())
        fs::remove(linkPath, ec);
}

std::vector<std::string> RegisteredSimPorts() {
    std::vector<std::string> ports;
#ifndef _WIN32
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(SimPortDir(), ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(kLinkPrefix, 0) != 0)
            continue;
        if (!ownerAlive(name)) {
            fs::remove(entry.path(), ec);
            continue;
        }
        if (fs::exists(entry.path(), ec))
            ports.push_back(entry.path().string());
    }
    std::sort(ports.begin(), ports.end());
#endif
    return ports;
}

}  // namespace trivant
