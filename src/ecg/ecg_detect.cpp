// Telling an ECG record by its first bytes: EDF, BDF and GDF by their signatures, a WFDB
// header by a record line followed by a signal line, so that RR lists, CSV and text files
// of numbers are never taken for one.
#include "ecg_read.h"

#include "number_text.h"
#include "wfdb_header.h"

#include <algorithm>
#include <cctype>

namespace trivant {
namespace {

constexpr size_t kEdfFixedHeader = 256;

bool EndsWithNoCase(const std::string& s, const char* suffix) {
    const size_t n = std::char_traits<char>::length(suffix);
    if (s.size() < n)
        return false;
    return std::equal(s.end() - n, s.end(), suffix, [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

// The fixed 256 bytes: printable ASCII, and a header size of 256 per signal plus one.
bool PlausibleEdfHeader(std::string_view head) {
    if (head.size() < kEdfFixedHeader)
        return false;
    for (size_t i = 8; i < kEdfFixedHeader; ++i)
        if (head[i] < 32 || head[i] > 126)
            return false;
    long long headerBytes = 0, signals = 0;
    return ParseNumber(Trimmed(head.substr(184, 8)), headerBytes) &&
           ParseNumber(Trimmed(head.substr(252, 4)), signals) && signals >= 1 &&
           headerBytes == 256 * (signals + 1);
}

// The formats WFDB defines, read here or not: a header naming one is a WFDB header.
bool WfdbFormatDefined(int format) {
    static const int kFormats[] = {0, 8, 16, 24, 32, 61, 80, 160, 212, 310, 311, 508, 516, 524};
    return std::find(std::begin(kFormats), std::end(kFormats), format) != std::end(kFormats);
}

bool LooksLikeWfdb(std::string_view head, bool heaName) {
    std::string_view line;
    bool haveRecord = false;
    WfdbHeader h;
    std::string error;
    while (NextTextLine(head, line)) {
        if (IsWfdbCommentLine(line))
            continue;
        if (!haveRecord) {
            // A .hea named file needs its record line only, so that opening it can say
            // what is wrong with the rest (a multi-segment record too).
            haveRecord = ParseWfdbRecordLine(line, h, error);
            if (!haveRecord || heaName)
                return heaName && (haveRecord || error.find("multi-segment") == 0);
            continue;
        }
        // A signal file's name is a name, not a number: "101.dat", never "810".
        WfdbSignal s;
        return ParseWfdbSignalLine(line, s, error) && WfdbFormatDefined(s.format) &&
               std::any_of(s.file.begin(), s.file.end(),
                           [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
    }
    return false;
}

}  // namespace

EcgKind DetectEcgRecord(std::string_view head, const std::string& path) {
    if (head.size() >= 8 && head.substr(0, 8) == std::string_view("\xff"
                                                                  "BIOSEMI",
                                                                  8))
        return EcgKind::Bdf;
    if (head.size() >= 5 && head.substr(0, 4) == "GDF " &&
        std::isdigit(static_cast<unsigned char>(head[4])))
        return EcgKind::Gdf;
    if (head.substr(0, 8) == "0       " && PlausibleEdfHeader(head))
        return EcgKind::Edf;
    return LooksLikeWfdb(head, EndsWithNoCase(path, ".hea")) ? EcgKind::Wfdb : EcgKind::None;
}

}  // namespace trivant
