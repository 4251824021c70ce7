// The system's short date format, as file captions and text files show it.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace trivant {

// Short date of a point in time, in local time, UTF-8.
std::string ShortDateText(std::time_t t);
// Short date of a file's modification time; empty when the file can't be examined.
std::string FileShortDate(const std::string& path);
// The local wall-clock time now, and at a point in time, as ClockOf keeps it.
int64_t LocalClockNow();
int64_t LocalClockOf(std::time_t t);

}  // namespace trivant
