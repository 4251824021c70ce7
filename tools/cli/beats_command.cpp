// The beats of an ECG record as CSV rows.
#include "beats_command.h"

#include <charconv>

namespace trivant {

std::string BeatsText(const std::string& path, const Recording& rec, std::ostream& out) {
    if (!rec.hasEcg())
        return path + ": not an ECG record, nor Trivant's CSV made from one";
    if (rec.EcgRate <= 0 || rec.BeatSamples[0] < 0)
        return path + ": its ECG record " + rec.EcgSource + " can't be opened";
    std::string text = "sample,time_s\n";
    char buf[32];
    for (const int64_t s : rec.BeatSamples) {
        const double t = static_cast<double>(s) / rec.EcgRate;
        text += std::to_string(s) + ",";
        text.append(buf, std::to_chars(buf, buf + sizeof buf, t, std::chars_format::fixed, 6).ptr);
        text += "\n";
    }
    out << text;
    return {};
}

}  // namespace trivant
