// Which main-window commands are usable, by the kind of the active child window. Some
// commands keep the state of the previous pass in some cases, so the table takes it.
#pragma once

#include <array>

namespace trivant {

enum class ActiveChild { None, GraphRecording, GraphIdle, Other };

enum CommandItem {
    kWindowMenu,
    kScaleMenu,
    kToolOpen,
    kMenuOpen,
    kSave,
    kStop,
    kLabel,
    kTools,
    kPrint,
    kToolPrintSetup,
    kComment,
    kSpec,
    kCommandItems
};

using CommandStates = std::array<bool, kCommandItems>;

// The states at start: everything usable but stop and label.
CommandStates InitialCommandStates();

// One pass of the enabling rules; items the rules leave alone keep their previous state.
CommandStates NextCommandStates(ActiveChild active, const CommandStates& previous);

// Start is usable while the device is connected and no window records: two windows
// draining one port would each get part of the frames.
inline bool StartEnabled(bool deviceConnected, bool anyRecording) {
    return deviceConnected && !anyRecording;
}

}  // namespace trivant
