// Port name rules for discovery and opening.
#include "port_names.h"

#include <cctype>

namespace trivant {

const std::array<const char*, kFixedPortCount> FixedPortNames{
    "USB", "Com1", "Com2", "Com3", "Com4", "Com5", "Com6", "Com7", "Com8", "Com9"};

namespace {

bool contains(const std::string& s, const char* part) {
    return s.find(part) != std::string::npos;
}

bool startsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

// The number a text begins with, or -1.
long leadingNumber(const std::string& s, size_t from) {
    long n = -1;
    for (size_t i = from; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i) {
        n = (n < 0 ? 0 : n) * 10 + (s[i] - '0');
        if (n > 1000000)
            break;
    }
    return n;
}

}  // namespace

bool TakeRegistryValueName(const std::string& valueName) {
    if (contains(valueName, "\\Device\\VCP"))
        return true;
    if (!contains(valueName, "\\Device\\Serial"))
        return false;
    return !contains(valueName, "\\Device\\Serial0");
}

bool TakeLinuxPortName(const std::string& deviceName) {
    if (startsWith(deviceName, "ttyUSB") || startsWith(deviceName, "ttyACM"))
        return true;
    return startsWith(deviceName, "ttyS") && deviceName != "ttyS0";
}

void NormalizePortName(std::string& name) {
    if (leadingNumber(name, 3) > 9)
        name = "//./" + name;
}

std::string PortDevicePath(const std::string& name) {
    for (int k = 1; k < kFixedPortCount; ++k) {
        if (name != FixedPortNames[k])
            continue;
#ifdef _WIN32
        return "COM" + std::to_string(k);
#else
        return "/dev/ttyS" + std::to_string(k - 1);
#endif
    }
    return name;
}

}  // namespace trivant
