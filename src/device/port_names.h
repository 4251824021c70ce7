// Which serial ports automatic search offers, and how port names become openable names.
// Pure string functions, so both the Windows and the Linux rules are testable anywhere.
#pragma once

#include <array>
#include <string>

namespace trivant {

// Port choice of the settings: 0 automatic search, 1..9 a fixed port.
constexpr int kFixedPortCount = 10;
extern const std::array<const char*, kFixedPortCount> FixedPortNames;  // "USB", "Com1".."Com9"

// Windows: a value name of HKLM\HARDWARE\DEVICEMAP\SERIALCOMM. Virtual COM ports (USB
// adapters) are taken, the first on-board port \Device\Serial0 never, other on-board ones are.
bool TakeRegistryValueName(const std::string& valueName);

// Linux: a device name under /dev. USB adapters (ttyUSB*, ttyACM*) and on-board ports
// (ttyS*) are taken, except ttyS0, the counterpart of \Device\Serial0.
bool TakeLinuxPortName(const std::string& deviceName);

// Ports numbered above 9 need the "//./" prefix on Windows (COM12 -> //./COM12).
void NormalizePortName(std::string& name);

// The device a fixed port name opens: "Com1" is /dev/ttyS0 on Linux and COM1 on Windows.
// Other names are returned as they are.
std::string PortDevicePath(const std::string& name);

}  // namespace trivant
