// A port layer whose ports, openability and incoming bytes the test controls.
#pragma once

#include "port_layer.h"

#include <algorithm>
#include <map>
#include <set>

namespace trivant::test {

class FakePortLayer : public PortLayer {
public:
    bool EnumPorts(std::vector<std::string>& list) override {
        ++enumerations;
        list = listable ? present : std::vector<std::string>{};
        return listable;
    }
    int OpenPort(const std::string& name, int baud) override {
        opened.push_back(name);
        lastBaud = baud;
        denied = forbidden.count(name) > 0;
        if (!openable.count(name))
            return kOpenFailed;
        open[nextHandle] = name;
        return nextHandle++;
    }
    size_t ReadPort(int handle, uint8_t* buffer, size_t capacity) override {
        if (!open.count(handle))
            return 0;
        const size_t n = std::min(capacity, incoming.size());
        std::copy(incoming.begin(), incoming.begin() + static_cast<long>(n), buffer);
        incoming.erase(incoming.begin(), incoming.begin() + static_cast<long>(n));
        return n;
    }
    bool LastOpenDenied() const override { return denied; }
    void PurgePort(int handle) override {
        if (open.count(handle))
            incoming.clear();
    }
    void ClosePort(int handle) override {
        closed.push_back(handle);
        open.erase(handle);
    }

    std::vector<std::string> present;
    std::set<std::string> openable;
    std::set<std::string> forbidden;  // present, but the user may not open them
    bool denied = false;
    bool listable = true;
    std::vector<uint8_t> incoming;

    std::map<int, std::string> open;  // handle -> name
    std::vector<std::string> opened;  // every attempt, in order
    std::vector<int> closed;
    int enumerations = 0;
    int lastBaud = 0;
    int nextHandle = 1;
};

}  // namespace trivant::test
