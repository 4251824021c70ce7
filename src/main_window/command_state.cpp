// The enabling table of the main window's commands.
#include "command_state.h"

namespace trivant {

namespace {

// Per item, one letter per kind of active child (none, recording, idle graph, other):
// E enabled, D disabled, - as it was.
constexpr std::array<const char*, kCommandItems> kTable{
    "DEEE",  // "Окно"
    "DEED",  // "Масштаб"
    "--E-",  // open (tool button)
    "--E-",  // open (menu)
    "DDED",  // save
    "DED-",  // stop
    "DED-",  // label
    "EDE-",  // options
    "DDE-",  // print
    "-DE-",  // printer set-up (tool button)
    "DDED",  // comment
    "DDED",  // fragment analysis
};

}  // namespace

CommandStates InitialCommandStates() {
    CommandStates s;
    s.fill(true);
    s[kStop] = s[kLabel] = false;
    return s;
}

CommandStates NextCommandStates(ActiveChild active, const CommandStates& previous) {
    const int column = static_cast<int>(active);
    CommandStates next = previous;
    for (int i = 0; i < kCommandItems; ++i) {
        const char rule = kTable[i][column];
        if (rule != '-')
            next[i] = rule == 'E';
    }
    return next;
}

}  // namespace trivant
