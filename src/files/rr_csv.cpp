// Finds the RR column of a CSV export and reads its rows as ms list entries.
#include "rr_csv.h"

#include "number_text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace trivant {

namespace {

constexpr double kSecondsBelow = 10;  // see CsvMsPerUnit

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// Fields split at sep outside double quotes; quotes are dropped ("" inside quotes is one).
std::vector<std::string> splitRow(const std::string& line, char sep) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"')
            fields.back() += line[++i];
        else if (c == '"')
            quoted = !quoted;
        else if (c == sep && sep != 0 && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    for (auto& f : fields)
        f = trimmed(f);
    return fields;
}

// Lower-case letters and digits only, with any "(unit)" or "[unit]" left out.
std::string normalName(const std::string& field) {
    std::string out;
    int depth = 0;
    for (unsigned char c : field) {
        depth = std::max(0, depth + (c == '(' || c == '[') - (c == ')' || c == ']'));
        if (depth == 0 && std::isalnum(c))
            out += static_cast<char>(std::tolower(c));
    }
    return out;
}

// The name, also with a unit glued on (rr_ms, rrs, "RR intervals").
bool namesOneOf(const std::string& name, std::initializer_list<const char*> bases) {
    for (const std::string base : bases)
        if (name == base || name == base + "ms" || name == base + "s")
            return true;
    return false;
}

bool isRrName(const std::string& field) {
    return namesOneOf(normalName(field),
                      {"rr", "rri", "nn", "nni", "ibi", "rrinterval", "nninterval"});
}

bool isSpoName(const std::string& field) {
    return namesOneOf(normalName(field), {"spo2", "spo"});
}

char separatorOf(const std::string& line) {
    for (char sep : {';', ',', '\t'})
        if (splitRow(line, sep).size() > 1)
            return sep;
    return 0;
}

// The RR field of a data row, with a decimal comma made a point where commas don't separate.
std::vector<std::string> rowFields(const std::string& line, const RrCsvHeader& h) {
    auto fields = splitRow(line, h.separator);
    if (h.separator != ',')
        for (auto& f : fields)
            std::replace(f.begin(), f.end(), ',', '.');
    return fields;
}

std::string readRow(const std::string& line, const RrCsvHeader& h, double msPerUnit,
                    MsEntry& entry) {
    const auto fields = rowFields(line, h);
    if (fields.size() <= h.rrColumn || fields[h.rrColumn].empty())
        return "no RR interval";
    const size_t spo = static_cast<size_t>(h.spoColumn);
    const bool hasSpo = h.spoColumn >= 0 && spo < fields.size();
    return TakeMsFields(fields[h.rrColumn], hasSpo ? fields[spo] : std::string(), msPerUnit, entry);
}

constexpr size_t kNoLimit = std::numeric_limits<size_t>::max();

}  // namespace

bool FindRrCsvHeader(const std::string& text, RrCsvHeader& header) {
    std::string first;
    RrCsvHeader h;
    if (!FirstDataLine(text, first, h.line))
        return false;
    h.separator = separatorOf(first);
    const auto names = splitRow(first, h.separator);
    const auto rr = std::find_if(names.begin(), names.end(), isRrName);
    if (rr == names.end())
        return false;
    h.rrColumn = static_cast<size_t>(rr - names.begin());
    const auto spo = std::find_if(names.begin(), names.end(), isSpoName);
    if (spo != names.end())
        h.spoColumn = static_cast<int>(spo - names.begin());
    header = h;
    return true;
}

double CsvMsPerUnit(const std::string& text, const RrCsvHeader& header) {
    std::vector<double> values;
    std::vector<MsEntry> none;
    MsListError unused;
    ReadMsEntries(
        text, header.line,
        [&](const std::string& line, MsEntry&) {
            const auto fields = rowFields(line, header);
            double v = 0;
            if (fields.size() > header.rrColumn && ParseNumber(fields[header.rrColumn], v) &&
                std::isfinite(v))
                values.push_back(v);
            return std::string();
        },
        none, unused, kNoLimit);
    if (values.empty())
        return 1;
    const auto mid = values.begin() + static_cast<long>(values.size() / 2);
    std::nth_element(values.begin(), mid, values.end());
    return *mid < kSecondsBelow ? 1000 : 1;
}

bool ParseRrCsv(const std::string& text, std::vector<MsEntry>& out, MsListError& err,
                size_t maxEntries) {
    RrCsvHeader h;
    if (!FindRrCsvHeader(text, h)) {
        err = {0, "no header row naming an RR column"};
        return false;
    }
    const double msPerUnit = CsvMsPerUnit(text, h);
    return ReadMsEntries(
        text, h.line,
        [&](const std::string& line, MsEntry& entry) { return readRow(line, h, msPerUnit, entry); },
        out, err, maxEntries);
}

bool ParseRrList(const std::string& text, Recording& rec, MsListError& err) {
    RrCsvHeader h;
    if (!FindRrCsvHeader(text, h))
        return ParseMsList(text, rec, err);
    std::vector<MsEntry> entries;
    if (!ParseRrCsv(text, entries, err, kMaxBeats))
        return false;
    FillFromMsEntries(entries, rec);
    return true;
}

}  // namespace trivant
