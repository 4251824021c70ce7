// A CSV field in double quotes, its quotes doubled, where it holds one of the characters
// that would end or split it; as it is otherwise.
#pragma once

#include <string>

namespace trivant {

inline std::string CsvQuoted(const std::string& s, const char* specials) {
    if (s.find_first_of(specials) == std::string::npos)
        return s;
    std::string out = "\"";
    for (char c : s)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

}  // namespace trivant
