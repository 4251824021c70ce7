// The operating system's serial ports as the device link sees them: list, open, read,
// close. The application uses the Qt implementation; tests use fakes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace trivant {

constexpr int kDeviceBaud = 19200;
constexpr size_t kReceiveBufferBytes = 20000;  // at most this much is taken per read

// OpenPort results that are not a handle.
constexpr int kOpenSettingsRefused = 0;
constexpr int kOpenFailed = -2;
constexpr int kOpenTimeoutsRefused = -3;

class PortLayer {
public:
    virtual ~PortLayer() = default;
    // Refills list with the ports present, in the system's order; false when the list
    // could not be read (it is then empty).
    virtual bool EnumPorts(std::vector<std::string>& list) = 0;
    // A handle greater than 0, or one of the failure codes above.
    virtual int OpenPort(const std::string& name, int baud) = 0;
    // The bytes waiting now, at most capacity; never waits. 0 for an unknown handle.
    virtual size_t ReadPort(int handle, uint8_t* buffer, size_t capacity) = 0;
    // Drops whatever waits in the receive queue.
    virtual void PurgePort(int handle) = 0;
    virtual void ClosePort(int handle) = 0;
    // Why the last OpenPort failed, for the user; empty when it did not.
    virtual std::string LastOpenError() const { return {}; }
    // The last OpenPort failed because the user may not open the port.
    virtual bool LastOpenDenied() const { return false; }
};

}  // namespace trivant
