// POSIX pseudo-terminal: raw mode so the line discipline passes every byte unchanged.
#include "pty_device.h"

#include "sim_port_registry.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace trivant {

PtyDevice::~PtyDevice() {
    Close();
}

bool PtyDevice::Open(std::string& error) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    const std::string pts = ptsname(master_);
    // Raw mode on the terminal side, set once; it holds while this end stays open.
    const int slave = open(pts.c_str(), O_RDWR | O_NOCTTY);
    termios tio{};
    if (slave < 0 || tcgetattr(slave, &tio) != 0) {
        error = "cannot configure " + pts + ": " + std::strerror(errno);
        if (slave >= 0)
            close(slave);
        return false;
    }
    cfmakeraw(&tio);
    tcsetattr(slave, TCSANOW, &tio);
    close(slave);  // from now on a hang-up tells that nobody listens
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    link_ = RegisterSimPort(pts);
    path_ = link_.empty() ? pts : link_;
    return true;
}

bool PtyDevice::HasListener() const {
    pollfd p{master_, POLLIN, 0};
    if (poll(&p, 1, 0) < 0)
        return false;
    return (p.revents & POLLHUP) == 0;
}

void PtyDevice::Write(const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += static_cast<size_t>(n);
    }
}

void PtyDevice::Drain() {
    uint8_t buf[256];
    while (read(master_, buf, sizeof buf) > 0) {
    }
}

void PtyDevice::Close() {
    UnregisterSimPort(link_);
    link_.clear();
    if (master_ >= 0)
        close(master_);
    master_ = -1;
}

}  // namespace trivant
