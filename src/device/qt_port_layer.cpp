// QSerialPort keeps the platform's serial API out of the device link. Ports are configured
// for the pulse device: 8 data bits, no parity, 2 stop bits, DTR off, RTS on (handshake on
// Windows), and XON/XOFF on the input side only (received 0x11/0x13 are data and must not
// be eaten). QSerialPort has no setting for the last two, so they go to the native handle.
#include "qt_port_layer.h"

#include "port_names.h"
#include "sim_port_registry.h"

#include <QSerialPort>
#include <QSerialPortInfo>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <termios.h>
#include <unistd.h>
#endif
#ifdef __linux__
#include <algorithm>
#include <filesystem>
#include <fstream>
#endif

namespace trivant {

namespace {

bool configure(QSerialPort& port, int baud) {
    return port.setBaudRate(baud) && port.setDataBits(QSerialPort::Data8) &&
           port.setParity(QSerialPort::NoParity) && port.setStopBits(QSerialPort::TwoStop) &&
           port.setFlowControl(QSerialPort::NoFlowControl);
}

// The device ignores the modem lines; a pseudo-terminal has none, so failures don't count.
void setLines(QSerialPort& port) {
    port.setDataTerminalReady(false);
    port.setRequestToSend(true);
    port.clearError();
}

bool inputFlowControl(QSerialPort& port) {
#ifdef _WIN32
    // Set after QSerialPort's own settings, which it would write back over these.
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(port.handle(), &dcb))
        return false;
    dcb.fInX = TRUE;
    dcb.fOutX = FALSE;
    dcb.fTXContinueOnXoff = FALSE;
    dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
    dcb.XonLim = 100;
    dcb.XoffLim = 300;
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    return SetCommState(port.handle(), &dcb) != 0;
#else
    termios tio{};
    const int fd = static_cast<int>(port.handle());
    if (tcgetattr(fd, &tio) != 0)
        return false;
    tio.c_iflag |= IXOFF;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXANY);
    return tcsetattr(fd, TCSANOW, &tio) == 0;
#endif
}

#ifdef _WIN32
// Value names and data of HKLM\HARDWARE\DEVICEMAP\SERIALCOMM, in the registry's order.
bool registryPorts(std::vector<std::string>& list) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return false;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256], data[256];
        DWORD nameLen = 256, dataBytes = sizeof data, type = 0;
        if (RegEnumValueW(key, i, name, &nameLen, nullptr, &type, reinterpret_cast<BYTE*>(data),
                          &dataBytes) != ERROR_SUCCESS)
            break;
        if (type != REG_SZ)
            continue;
        data[std::min<DWORD>(dataBytes / sizeof(wchar_t), 255)] = 0;
        if (!TakeRegistryValueName(QString::fromWCharArray(name, nameLen).toStdString()))
            continue;
        std::string port = QString::fromWCharArray(data).toStdString();
        NormalizePortName(port);
        list.push_back(port);
    }
    RegCloseKey(key);
    return true;
}
#endif

#ifdef __linux__
// The kernel's tty list is far cheaper to read than QSerialPortInfo's full scan, which
// matters because supervision enumerates on every pass. On-board ports that the kernel
// reserves without hardware have the UART type 0.
bool linuxPorts(std::vector<std::string>& list) {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/sys/class/tty", ec)) {
        const std::string name = entry.path().filename().string();
        if (!TakeLinuxPortName(name))
            continue;
        if (name.rfind("ttyS", 0) == 0) {
            int type = 0;
            std::ifstream(entry.path() / "type") >> type;
            if (type == 0)
                continue;
        }
        list.push_back("/dev/" + name);
    }
    std::sort(list.begin(), list.end());
    return !ec;
}
#endif

// Qt reports a port held by another program and one the user may not open alike; only
// the second is fixed by a group membership, so the file's own access decides.
bool accessDenied(const QSerialPort& port) {
    if (port.error() != QSerialPort::PermissionError)
        return false;
#ifdef _WIN32
    return true;
#else
    return access(port.portName().startsWith('/')
                      ? port.portName().toLocal8Bit().constData()
                      : ("/dev/" + port.portName()).toLocal8Bit().constData(),
                  R_OK | W_OK) != 0 &&
           errno == EACCES;
#endif
}

QString openableName(const std::string& name) {
    std::string path = PortDevicePath(name);
    if (path.rfind("//./", 0) == 0)
        path = path.substr(4);  // QSerialPort adds its own prefix
    return QString::fromStdString(path);
}

}  // namespace

QtPortLayer::QtPortLayer() = default;
QtPortLayer::~QtPortLayer() = default;

bool QtPortLayer::EnumPorts(std::vector<std::string>& list) {
    list.clear();
#if defined(_WIN32)
    const bool ok = registryPorts(list);
#elif defined(__linux__)
    const bool ok = linuxPorts(list);
#else
    const bool ok = true;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if (!TakeLinuxPortName(info.portName().toStdString()))
            continue;
        std::string name = info.systemLocation().toStdString();
        NormalizePortName(name);
        list.push_back(name);
    }
#endif
    for (const std::string& sim : RegisteredSimPorts())
        list.push_back(sim);
    return ok;
}

int QtPortLayer::OpenPort(const std::string& name, int baud) {
    lastOpenError_.clear();
    lastOpenDenied_ = false;
    auto port = std::make_unique<QSerialPort>(openableName(name));
    if (!port->open(QIODevice::ReadWrite)) {
        lastOpenDenied_ = accessDenied(*port);
        lastOpenError_ = lastOpenDenied_ ? "permission denied" : port->errorString().toStdString();
        return kOpenFailed;
    }
    if (!configure(*port, baud))
        return kOpenSettingsRefused;  // closed with the object
    setLines(*port);
    if (!inputFlowControl(*port))
        return kOpenTimeoutsRefused;
    const int handle = nextHandle_++;
    ports_[handle] = std::move(port);
    return handle;
}

size_t QtPortLayer::ReadPort(int handle, uint8_t* buffer, size_t capacity) {
    const auto it = ports_.find(handle);
    if (it == ports_.end())
        return 0;
    QSerialPort& port = *it->second;
    port.waitForReadyRead(0);  // takes what the system holds; without an event loop too
    port.clearError();
    const qint64 n = port.read(reinterpret_cast<char*>(buffer), static_cast<qint64>(capacity));
    return n > 0 ? static_cast<size_t>(n) : 0;
}

void QtPortLayer::PurgePort(int handle) {
    const auto it = ports_.find(handle);
    if (it == ports_.end())
        return;
    it->second->waitForReadyRead(0);
    it->second->clear(QSerialPort::Input);
    it->second->readAll();
    it->second->clearError();
}

void QtPortLayer::ClosePort(int handle) {
    ports_.erase(handle);
}

}  // namespace trivant
