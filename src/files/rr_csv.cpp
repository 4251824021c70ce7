// Finds the RR column of a CSV export and reads its rows as ms list entries.
#include "rr_csv.h"

#include "csv_start.h"
#include "label_edit.h"
#include "number_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace trivant {

namespace {

constexpr double kSecondsBelow = 10;  // see CsvMsPerUnit

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
        f = CsvTrimmed(f);
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

bool isLabelName(const std::string& field) {
    const std::string name = normalName(field);
    return name == "label" || name == "lbl";
}

// The label field of a row: empty or 0 for none, 1 for a labelled beat, anything else the
// name of a labelled beat.
void takeLabel(const std::string& text, MsEntry& entry, std::string& name) {
    entry.label = !text.empty() && text != "0";
    name = LabelNameText(text);
}

int columnOf(const std::vector<std::string>& names, bool (*is)(const std::string&)) {
    const auto it = std::find_if(names.begin(), names.end(), is);
    return it == names.end() ? -1 : static_cast<int>(it - names.begin());
}

// The field at column, empty where the row is shorter or there is no such column.
std::string fieldAt(const std::vector<std::string>& fields, int column) {
    return column >= 0 && static_cast<size_t>(column) < fields.size()
               ? fields[static_cast<size_t>(column)]
               : std::string();
}

char separatorOf(const std::string& line) {
    for (char sep : {';', ',', '\t'})
        if (splitRow(line, sep).size() > 1)
            return sep;
    return 0;
}

// One row's fields into entry, and the name of its label into name (empty for none).
std::string readRow(const std::vector<std::string>& fields, const RrCsvHeader& h, double msPerUnit,
                    MsEntry& entry, std::string& name) {
    if (fields.size() <= h.rrColumn || fields[h.rrColumn].empty())
        return "no RR interval";
    const std::string msg =
        TakeMsFields(fields[h.rrColumn], fieldAt(fields, h.spoColumn), msPerUnit, entry);
    if (msg.empty())
        takeLabel(fieldAt(fields, h.labelColumn), entry, name);
    return msg;
}

constexpr size_t kNoLimit = std::numeric_limits<size_t>::max();

int64_t sampleOf(const std::string& field) {
    int64_t v = -1;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), v);
    return ec == std::errc() && end == field.data() + field.size() && v >= 0 ? v : -1;
}

// The ECG record of Trivant's CSV: kept only when every beat has its sample, ascending, so
// that a hand-edited table shows its intervals and no ECG out of step with them.
void takeEcgLink(const std::string& text, std::vector<int64_t> samples, Recording& rec) {
    rec.BeatSamples.clear();
    rec.EcgSource.clear();
    rec.EcgChannel.clear();
    rec.EcgRate = 0;
    const std::string source = CsvHeadLine(text, kCsvSourcePrefix);
    if (source.empty() || samples.empty() || samples.size() != static_cast<size_t>(rec.beats()))
        return;
    for (size_t i = 0; i < samples.size(); ++i)
        if (samples[i] < 0 || (i > 0 && samples[i] <= samples[i - 1]))
            return;
    // Position 0, the first R peak, is found by the opener from the record's rate.
    samples.insert(samples.begin(), -1);
    rec.BeatSamples = std::move(samples);
    rec.EcgSource = source;
    rec.EcgChannel = CsvHeadLine(text, kCsvChannelPrefix);
}

// The slot line of Trivant's CSV, the last line, into the word after the last beat.
bool readSlot(const std::string& text, const RrCsvHeader& h, Recording& rec, MsListError& err) {
    size_t end = text.find_last_not_of("\r\n");
    end = end == std::string::npos ? 0 : end + 1;
    const size_t from = text.rfind('\n', end == 0 ? 0 : end - 1);
    const size_t at = from == std::string::npos ? 0 : from + 1;
    const size_t prefix = std::char_traits<char>::length(kCsvSlotPrefix);
    if (text.compare(at, prefix, kCsvSlotPrefix) != 0)
        return true;
    MsEntry entry;
    std::string name;  // the slot's label is a pending one: it has none
    const std::string msg =
        readRow(CsvRowFields(text.substr(at + prefix, end - at - prefix), h), h, 1, entry, name);
    if (!msg.empty()) {
        err = {
            static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(at), '\n')) +
                1,
            msg};
        return false;
    }
    rec.DataBuf[static_cast<size_t>(rec.CurrentFileLen)] = EntryWord(entry);
    return true;
}

}  // namespace

std::string CsvTrimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string> CsvRowFields(const std::string& line, const RrCsvHeader& h) {
    auto fields = splitRow(line, h.separator);
    if (h.separator != ',')
        for (size_t i = 0; i < fields.size(); ++i)
            if (static_cast<int>(i) != h.labelColumn)  // a label's name keeps its commas
                std::replace(fields[i].begin(), fields[i].end(), ',', '.');
    return fields;
}

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
    h.spoColumn = columnOf(names, isSpoName);
    h.labelColumn = columnOf(names, isLabelName);
    std::string trimmed = CsvTrimmed(first);
    const size_t columns = std::char_traits<char>::length(kCsvEditColumns);
    const bool edits = trimmed.size() > columns &&
                       trimmed.compare(trimmed.size() - columns, columns, kCsvEditColumns) == 0;
    if (edits)
        trimmed.resize(trimmed.size() - columns);
    h.trivant = trimmed == kTrivantCsvHeader || trimmed == kTrivantEcgCsvHeader;
    if (h.trivant && trimmed == kTrivantEcgCsvHeader)
        h.sampleColumn = 3;
    if (h.trivant && edits)
        h.editColumn = h.sampleColumn >= 0 ? 4 : 3;
    header = h;
    return true;
}

double CsvMsPerUnit(const std::string& text, const RrCsvHeader& header) {
    if (header.trivant)
        return 1;
    std::vector<double> values;
    std::vector<MsEntry> none;
    MsListError unused;
    ReadMsEntries(
        text, header.line,
        [&](const std::string& line, MsEntry&) {
            const auto fields = CsvRowFields(line, header);
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
                size_t maxEntries, std::map<int, std::string>* names, std::vector<int64_t>* samples,
                std::vector<CsvRowEdit>* edits) {
    RrCsvHeader h;
    if (!FindRrCsvHeader(text, h)) {
        err = {0, "no header row naming an RR column"};
        return false;
    }
    const double msPerUnit = CsvMsPerUnit(text, h);
    std::string name;
    auto read = [&](const std::string& line, MsEntry& entry) {
        const auto fields = CsvRowFields(line, h);
        std::string msg = readRow(fields, h, msPerUnit, entry, name);
        CsvRowEdit edit;
        if (msg.empty() && edits && h.editColumn >= 0)
            msg = TakeCsvEditFields(fieldAt(fields, h.editColumn),
                                    fieldAt(fields, h.editColumn + 1), edit);
        if (!msg.empty())
            return msg;
        if (!name.empty() && names)
            (*names)[static_cast<int>(out.size()) + 1] = name;  // out gets entry next
        if (samples && h.sampleColumn >= 0)
            samples->push_back(sampleOf(fieldAt(fields, h.sampleColumn)));
        if (edits && h.editColumn >= 0)
            edits->push_back(edit);
        return msg;
    };
    return ReadMsEntries(text, h.line, read, out, err, maxEntries);
}

std::string CsvComment(const std::string& text) {
    const size_t from = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    const size_t prefix = std::char_traits<char>::length(kCsvCommentPrefix);
    if (text.compare(from, prefix, kCsvCommentPrefix) != 0)
        return {};
    const size_t eol = text.find('\n', from);
    std::string comment =
        text.substr(from + prefix, eol == std::string::npos ? eol : eol - from - prefix);
    if (!comment.empty() && comment.back() == '\r')
        comment.pop_back();
    return comment;
}

bool ParseRrList(const std::string& text, Recording& rec, MsListError& err) {
    RrCsvHeader h;
    CsvRows rows;
    const bool csv = FindRrCsvHeader(text, h);
    // Deleted rows are no beats: the live ones are counted after they are taken out.
    const size_t limit = static_cast<size_t>(kMaxRecordingBeats) * (h.editColumn >= 0 ? 2 : 1);
    if (!(csv ? ParseRrCsv(text, rows.entries, err, limit, &rows.names, &rows.samples, &rows.edits)
              : ParseMsLines(text, rows.entries, err, kMaxRecordingBeats)))
        return false;
    if (const std::string msg = TakeCsvDeletedRows(rows, rec); !msg.empty()) {
        err = {0, msg};
        return false;
    }
    const std::vector<MsEntry>& entries = rows.entries;
    FillFromMsEntries(entries, rec);
    rec.LabelNames = std::move(rows.names);
    rec.Comment = CsvComment(text);
    rec.StartClockS = ListStartClock(text, csv ? &h : nullptr, entries.empty() ? 0 : entries[0].ms);
    takeEcgLink(text, std::move(rows.samples), rec);
    CheckDeletedSamples(rec);
    if (csv && h.trivant)
        return readSlot(text, h, rec, err);
    return true;
}

}  // namespace trivant
