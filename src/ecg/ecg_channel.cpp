// Which channel of a record the beats are found on: named by number or label, or the first
// whose label names an ECG lead.
#include "ecg_read.h"

#include "number_text.h"

#include <cctype>
#include <initializer_list>

namespace trivant {
namespace {

std::string Folded(const std::string& s) {
    std::string out;
    for (const char c : s)
        if (c != ' ' && c != '-' && c != '_')
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool StartsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

bool OneOf(const std::string& s, std::initializer_list<const char*> names) {
    for (const char* name : names)
        if (s == name)
            return true;
    return false;
}

// A lead name, folded: the limb leads, the augmented ones, V1..V6 and D1..D3.
bool IsLeadName(const std::string& s) {
    return OneOf(s, {"i", "ii", "iii", "avr", "avl", "avf", "v1", "v2", "v3", "v4", "v5", "v6",
                     "d1", "d2", "d3"});
}

// ECG-like: "ECG...", "EKG...", a lead name ("II", "V5", "aVF"), or a lead with a prefix
// ("Lead II", "MLII", "ML5", "CM5", "CC5"), a bare number allowed after a prefix only;
// spaces, '-', '_' and the letter case ignored.
bool IsEcgLikeLabel(const std::string& label) {
    const std::string s = Folded(label);
    if (StartsWith(s, "ecg") || StartsWith(s, "ekg") || IsLeadName(s))
        return true;
    for (const std::string prefix : {"lead", "ml", "cm", "cc"}) {
        if (!StartsWith(s, prefix.c_str()))
            continue;
        const std::string lead = s.substr(prefix.size());
        if (IsLeadName(lead) || OneOf(lead, {"1", "2", "3", "4", "5", "6"}))
            return true;
    }
    return false;
}

}  // namespace

int EcgChannelIndex(const EcgInfo& info, const std::string& choice, std::string& error) {
    const int n = static_cast<int>(info.channels.size());
    int index = -1;
    if (!choice.empty() && ParseNumber(choice, index)) {
        if (index >= 0 && index < n)
            return index;
        error = "no channel " + choice + " (channels 0.." + std::to_string(n - 1) + ")";
        return -1;
    }
    const std::string want = Folded(choice);
    std::string labels;
    for (int i = 0; i < n; ++i) {
        const std::string& label = info.channels[i].label;
        if (choice.empty() ? IsEcgLikeLabel(label) : Folded(label) == want)
            return i;
        labels += (i ? ", " : "") + (label.empty() ? "(unnamed)" : label);
    }
    error = (choice.empty() ? "no label names an ECG lead" : "no channel labelled " + choice) +
            " (channels: " + labels + ")";
    return -1;
}

}  // namespace trivant
