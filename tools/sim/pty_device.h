// The simulator's end of a pseudo-terminal, registered where automatic port search looks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace trivant {

class PtyDevice {
public:
    PtyDevice() = default;
    ~PtyDevice();
    PtyDevice(const PtyDevice&) = delete;
    PtyDevice& operator=(const PtyDevice&) = delete;

    // Creates the pseudo-terminal in raw mode and registers it; false with a message.
    bool Open(std::string& error);
    // The path a program opens: the registered link, or the terminal itself.
    const std::string& path() const { return path_; }
    // A program has the port open.
    bool HasListener() const;
    // Writes what fits; like a serial line, bytes nobody can take are lost.
    void Write(const std::vector<uint8_t>& bytes);
    // Discards whatever the other side sent (flow-control characters, for instance).
    void Drain();
    void Close();

private:
    int master_ = -1;
    std::string path_;
    std::string link_;
};

}  // namespace trivant
