// A strap's notification log, as the replay link plays it: one notification a line,
// "SECONDS HEX" (seconds since the start, then the payload in hex digits, spaces between
// bytes allowed); blank lines and # comments are skipped.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace trivant {

struct StrapLogEntry {
    double seconds = 0;
    int line = 0;  // 1-based
    std::vector<uint8_t> payload;
};

struct StrapLogProblem {
    int line = 0;
    std::string message;  // English
};

// Every well-formed line into entries, in file order; each malformed one into problems.
void ParseStrapLog(const std::string& text, std::vector<StrapLogEntry>& entries,
                   std::vector<StrapLogProblem>& problems);

}  // namespace trivant
