// What the live recorder of the device layer is given on each tick: plain values, so that
// the device layer needs nothing of the settings record that they are taken from.
#pragma once

#include "core_settings.h"

namespace trivant {

struct RecorderSettings {
    CoreSettings core;
    int RRUnit = 10;  // ms per RR unit of the device: 10, or 8 for the older model
    bool AutoStop = true;
};

}  // namespace trivant
