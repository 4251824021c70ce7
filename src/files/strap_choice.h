// Which device the user records from when it is a Bluetooth strap, kept per user in a file
// of its own beside the recent files: the 344-byte settings record knows only the serial
// devices and stays as it is.
#pragma once

#include "atomic_file.h"

#include <string>

namespace trivant {

struct StrapChoice {
    bool strap = false;   // record from the strap below, not the serial device
    std::string address;  // "C0:FF:EE:12:34:56"
    std::string name;     // as the strap advertised it, for the hint

    bool operator==(const StrapChoice& o) const {
        return strap == o.strap && address == o.address && name == o.name;
    }
};

// The file: "strap", the address and the name on one line with tabs between, or "serial".
// A missing or unreadable file is the serial device.
StrapChoice LoadStrapChoice(const std::string& path);
IoStatus SaveStrapChoice(const std::string& path, const StrapChoice& choice);

}  // namespace trivant
