// EDF+ time-stamped annotation lists, as a pure function of one record's annotation bytes.
#include "edf_record.h"

#include "number_text.h"

#include <cmath>
#include <limits>

namespace trivant {
namespace {

// "+12.5" or "-0.25": EDF+ always writes the sign.
bool ParseOnset(std::string_view s, double& v) {
    if (s.size() < 2 || (s[0] != '+' && s[0] != '-'))
        return false;
    if (!ParseNumber(s.substr(1), v) || !std::isfinite(v))
        return false;
    v = s[0] == '-' ? -v : v;
    return true;
}

// One TAL without its closing zero; false when its onset can't be read.
bool ParseTal(std::string_view tal, double& onsetS, std::vector<std::string_view>& texts) {
    texts.clear();
    const size_t end = tal.find('\x14');
    if (end == std::string_view::npos)
        return false;
    const std::string_view stamp = tal.substr(0, end);
    if (!ParseOnset(stamp.substr(0, stamp.find('\x15')), onsetS))
        return false;
    std::string_view rest = tal.substr(end + 1);
    while (!rest.empty()) {
        const size_t next = rest.find('\x14');
        texts.push_back(rest.substr(0, next));
        rest = next == std::string_view::npos ? std::string_view() : rest.substr(next + 1);
    }
    return true;
}

}  // namespace

void ParseEdfTals(std::string_view bytes, double& recordOnsetS, std::vector<EdfNote>& out) {
    recordOnsetS = std::numeric_limits<double>::quiet_NaN();
    std::vector<std::string_view> texts;
    bool first = true;
    while (!bytes.empty()) {
        const size_t zero = bytes.find('\0');
        const std::string_view tal = bytes.substr(0, zero);
        bytes = zero == std::string_view::npos ? std::string_view() : bytes.substr(zero + 1);
        double onsetS = 0;
        if (tal.empty() || !ParseTal(tal, onsetS, texts))
            continue;
        if (first)
            recordOnsetS = onsetS;
        first = false;
        for (const std::string_view text : texts)
            if (!text.empty())
                out.push_back({onsetS, std::string(text)});
    }
}

}  // namespace trivant
