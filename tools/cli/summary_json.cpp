// Writes the summary by hand: a flat object needs no JSON library.
#include "summary_json.h"

#include <cstdio>
#include <sstream>

namespace trivant {

namespace {

std::string range(const SeriesInfo& s) {
    return "[" + std::to_string(s.Max) + ", " + std::to_string(s.Min) + "]";
}

int labelCount(const Recording& rec) {
    int n = 0;
    for (int k = 1; k <= rec.beats(); ++k)
        n += rec.at(kSerLbl, k) != 0;
    return n;
}

}  // namespace

std::string JsonString(const std::string& utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string SummaryJson(const Recording& rec) {
    std::ostringstream o;
    auto mean = [&](int32_t v) { return rec.AveragesValid ? std::to_string(v) : "null"; };
    o << "{\"CurrentFileLen\": " << rec.CurrentFileLen << ", \"beats\": " << rec.beats()
      << ", \"labels\": " << labelCount(rec) << ", \"comment\": " << JsonString(rec.Comment)
      << ", \"ScSPO\": " << rec.ScSPO << ", \"ScRR\": " << rec.ScRR << ", \"ScHRV\": " << rec.ScHRV
      << ", \"ScIB\": " << rec.ScIB << ", \"sRR\": " << range(rec.sRR)
      << ", \"sSPO\": " << range(rec.sSPO) << ", \"sSYM\": " << range(rec.sSYM)
      << ", \"sPAR\": " << range(rec.sPAR) << ", \"sSDNN\": " << range(rec.sSDNN)
      << ", \"sIB\": " << range(rec.sIB) << ", \"averRR\": " << mean(rec.averRR)
      << ", \"averSPO\": " << mean(rec.averSPO) << ", \"averSYM\": " << mean(rec.averSYM)
      << ", \"averPAR\": " << mean(rec.averPAR) << ", \"averSDNN\": " << mean(rec.averSDNN)
      << ", \"averIB50\": " << mean(rec.averIB50) << "}";
    return o.str();
}

}  // namespace trivant
