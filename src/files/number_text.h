// Numbers read from text: the whole text must be the number, in any locale.
#pragma once

#include <charconv>
#include <string_view>

namespace trivant {

template <typename T> bool ParseNumber(std::string_view s, T& value) {
    const char* end = s.data() + s.size();
    const auto r = std::from_chars(s.data(), end, value);
    return r.ec == std::errc() && r.ptr == end;
}

}  // namespace trivant
