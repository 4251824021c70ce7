// Discovery filters for both platforms and the opening names of ports.
#include "port_names.h"

#include <gtest/gtest.h>

namespace trivant {
namespace {

TEST(PortNames, RegistryValueNames) {
    const std::pair<const char*, bool> cases[] = {
        {"\\Device\\VCP0", true},
        {"\\Device\\Serial0", false},
        {"\\Device\\Serial1", true},
        {"\\Device\\Serial10", true},
        {"\\Device\\ProlificSerial0", false},
        {"\\Device\\USBSER000", false},
        {"\\device\\vcp0", false},
        {"", false},
    };
    for (const auto& [name, want] : cases)
        EXPECT_EQ(TakeRegistryValueName(name), want) << name;
}

TEST(PortNames, LinuxDeviceNames) {
    const std::pair<const char*, bool> cases[] = {
        {"ttyUSB0", true}, {"ttyACM3", true}, {"ttyS1", true},    {"ttyS0", false},
        {"ttyS10", true},  {"tty0", false},   {"ttyAMA0", false}, {"pts/3", false},
    };
    for (const auto& [name, want] : cases)
        EXPECT_EQ(TakeLinuxPortName(name), want) << name;
}

TEST(PortNames, NormalizeAddsThePrefixAbove9) {
    const std::pair<const char*, const char*> cases[] = {
        {"COM9", "COM9"},
        {"COM10", "//./COM10"},
        {"COM1", "COM1"},
        {"COM123", "//./COM123"},
        {"/dev/ttyUSB12", "/dev/ttyUSB12"},
        {"CO", "CO"},
        {"", ""},
    };
    for (const auto& [in, want] : cases) {
        std::string name = in;
        NormalizePortName(name);
        EXPECT_EQ(name, want) << in;
    }
}

TEST(PortNames, FixedPortsMapToDevices) {
    EXPECT_STREQ(FixedPortNames[0], "USB");
    EXPECT_STREQ(FixedPortNames[9], "Com9");
#ifdef _WIN32
    EXPECT_EQ(PortDevicePath("Com1"), "COM1");
#else
    EXPECT_EQ(PortDevicePath("Com1"), "/dev/ttyS0");
    EXPECT_EQ(PortDevicePath("Com9"), "/dev/ttyS8");
#endif
    EXPECT_EQ(PortDevicePath("/dev/ttyUSB0"), "/dev/ttyUSB0");
}

}  // namespace
}  // namespace trivant
