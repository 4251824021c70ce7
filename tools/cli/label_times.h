// The times trivant-cli label puts labels at: seconds from the start or a clock time, each
// with an optional name, as --at gives them ("600", "22:00:00=Night").
#pragma once

#include <string>
#include <vector>

namespace trivant {

struct LabelTime {
    std::string text;      // the time as given, for messages
    double seconds = -1;   // from the start, or -1 for a clock time
    int secondOfDay = -1;  // the clock time's second of the day
    std::string name;      // empty for an unnamed label
};

// "T[=NAME],T[=NAME]..." appended to out; T is seconds (>= 0) or hh:mm[:ss]. Returns an
// empty string, or what is wrong.
std::string ParseLabelTimes(const std::string& value, std::vector<LabelTime>& out);

}  // namespace trivant
