// Numbers as every file, log and CSV holds them: a point for the decimals whatever the
// process's locale (which the QApplication sets from the environment), and the shortest
// text that reads back as the same double.
#pragma once

#include <charconv>
#include <string>
#include <string_view>

namespace trivant {

// Numbers read from text: the whole text must be the number, in any locale.
template <typename T> bool ParseNumber(std::string_view s, T& value) {
    const char* end = s.data() + s.size();
    const auto r = std::from_chars(s.data(), end, value);
    return r.ec == std::errc() && r.ptr == end;
}

// "329.503", "0.904", "300", "1e-07", "inf", "nan": what ParseNumber reads back exactly.
std::string NumberText(double v);

}  // namespace trivant
