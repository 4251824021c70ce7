// Writer of Trivant's CSV recording.
#include "trivant_csv.h"

#include "csv_edits.h"
#include "csv_start.h"
#include "rr_csv.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace trivant {

std::string MsText(int64_t us) {
    std::string text = std::to_string(us / 1000);
    const int64_t frac = us % 1000;
    if (frac == 0)
        return text;
    std::string digits = std::to_string(1000 + frac).substr(1);  // three digits, leading zeros
    digits.erase(digits.find_last_not_of('0') + 1);
    return text + "." + digits;
}

namespace {

std::string SlotText(SampleWord w) {
    const bool label = sampleIsLabel(w);
    return std::to_string(sampleRR(w) * 10) + ";" +
           (label ? std::string() : std::to_string(sampleLow(w))) + (label ? ";1\n" : ";0\n");
}

std::string labelCell(const Recording& rec, int k) {
    return CsvLabelCell(rec.at(kSerLbl, k) != 0, rec.labelName(k));
}

// The beats' samples go with them only when there is one for each, as the readers make them.
bool writesSamples(const Recording& rec) {
    return rec.hasEcg() && rec.BeatSamples.size() == static_cast<size_t>(rec.beats()) + 1;
}

// Line ends would end the line early; the readers trim blanks at the ends.
std::string oneLine(std::string s) {
    std::replace(s.begin(), s.end(), '\r', ' ');
    std::replace(s.begin(), s.end(), '\n', ' ');
    return s;
}

}  // namespace

std::string SourceFromCsv(const std::string& csvPath, const std::string& recordPath) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path record = fs::absolute(fs::u8path(recordPath), ec);
    if (ec)
        return recordPath;
    const fs::path folder = fs::absolute(fs::u8path(csvPath), ec).parent_path();
    const fs::path relative = record.lexically_proximate(folder);
    // Folders that share nothing but the root (or the drive) are better named whole.
    auto top = [](const fs::path& p) {
        const fs::path rel = p.relative_path();
        return rel.empty() ? fs::path() : *rel.begin();
    };
    const bool apart = top(record) != top(folder) || record.root_path() != folder.root_path();
    return (ec || relative.empty() || apart ? record : relative).generic_u8string();
}

std::string FormatTrivantCsv(const Recording& rec, const std::string& source) {
    std::string out;
    if (!rec.Comment.empty())
        out += kCsvCommentPrefix + oneLine(rec.Comment) + "\n";
    out += CsvStartLine(rec);
    const bool samples = writesSamples(rec);
    if (samples) {
        out += kCsvSourcePrefix + oneLine(source.empty() ? rec.EcgSource : source) + "\n";
        out += kCsvChannelPrefix + oneLine(rec.EcgChannel) + "\n";
    }
    // Without edits the file is the one written before the review existed.
    const bool edits = HasCsvEdits(rec);
    out += std::string(samples ? kTrivantEcgCsvHeader : kTrivantCsvHeader) +
           (edits ? kCsvEditColumns : "") + "\n";
    const bool spo = rec.HasSpO2();
    const int last = std::min(rec.beats(), rec.capacity() - 1);
    for (int k = 1; k <= last; ++k) {
        if (edits)
            out += CsvDeletedRows(rec, k, samples, spo);
        const bool label = rec.at(kSerLbl, k) != 0;
        // A labelled beat's series 2 is the SpO2 before it: only its own is written.
        const int own = label ? rec.labelSpO2(k) : rec.at(kSerSPO, k);
        out += MsText(rec.intervalUs(k)) + ";" + (spo && own >= 0 ? std::to_string(own) : "") +
               ";" + labelCell(rec, k) +
               (samples ? ";" + std::to_string(rec.BeatSamples[static_cast<size_t>(k)]) : "") +
               (edits ? CsvEditCells(rec, k) : "") + "\n";
    }
    // The slot after the last beat, as a .rr file keeps it (a pending label, a partial
    // interval), so that .rr -> CSV -> .rr gives the same bytes.
    if (rec.CurrentFileLen >= 1 && rec.CurrentFileLen <= rec.capacity() &&
        rec.DataBuf[static_cast<size_t>(rec.CurrentFileLen)] != 0)
        out += kCsvSlotPrefix + SlotText(rec.DataBuf[static_cast<size_t>(rec.CurrentFileLen)]);
    return out;
}

IoStatus SaveTrivantCsv(const std::string& path, const Recording& rec) {
    return WriteFileAtomic(
        path,
        FormatTrivantCsv(rec, rec.hasEcg() ? SourceFromCsv(path, rec.EcgSource) : std::string()));
}

}  // namespace trivant
