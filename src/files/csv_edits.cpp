// Writes and reads the review's edits in Trivant's CSV.
#include "csv_edits.h"

#include "beat_edit.h"
#include "csv_quote.h"
#include "number_text.h"
#include "trivant_csv.h"

#include <cmath>
#include <utility>

namespace trivant {

namespace {

bool inSeries(const Recording& rec, int k) {
    return k >= 1 && k <= rec.beats();
}

std::string originalCell(int32_t us) {
    return us >= 0 ? MsText(us) : std::string();
}

// The SpO2 cell of a deleted beat: a labelled one's own where its source gave one, another's
// where the recording has SpO2 or the beat has some, so that its word reads back the same.
std::string deletedSpO2Cell(const DeletedBeat& d, bool spo) {
    if (sampleIsLabel(d.word))
        return d.labelSpO2 != kLabelMark ? std::to_string(d.labelSpO2) : std::string();
    return spo || sampleLow(d.word) > 0 ? std::to_string(sampleLow(d.word)) : std::string();
}

DeletedBeat deletedBeatOf(const MsEntry& e, std::string name, int64_t sample, int32_t originalUs) {
    DeletedBeat d;
    d.us = EntryUs(e);
    d.originalUs = originalUs;
    d.word = EntryWord(e);
    d.labelSpO2 = e.label && e.spo >= 0 ? static_cast<uint8_t>(e.spo) : kLabelMark;
    d.name = e.label ? std::move(name) : std::string();
    d.sample = sample;
    return d;
}

}  // namespace

std::string CsvLabelCell(bool labelled, const std::string& name) {
    if (!labelled)
        return "0";
    return name.empty() ? "1" : CsvQuoted(name, ";\"");
}

bool HasCsvEdits(const Recording& rec) {
    for (int k = 1; k <= rec.beats(); ++k)
        if (rec.beatEdit(k) != BeatEdit::None || rec.originalUs(k) >= 0)
            return true;
    for (const auto& [k, beats] : rec.DeletedBeats)
        if (inSeries(rec, k) && !beats.empty())
            return true;
    return false;
}

std::string CsvEditCells(const Recording& rec, int k) {
    return std::string(";") + BeatEditName(rec.beatEdit(k)) + ";" + originalCell(rec.originalUs(k));
}

std::string CsvDeletedRows(const Recording& rec, int k, bool samples, bool spo) {
    const auto it = rec.DeletedBeats.find(k);
    if (it == rec.DeletedBeats.end() || !inSeries(rec, k))
        return {};
    std::string out;
    for (const DeletedBeat& d : it->second) {
        out += MsText(d.us) + ";" + deletedSpO2Cell(d, spo) + ";" +
               CsvLabelCell(sampleIsLabel(d.word), d.name);
        if (samples)
            out += ";" + (d.sample >= 0 ? std::to_string(d.sample) : std::string());
        out += std::string(";deleted;") + originalCell(d.originalUs) + "\n";
    }
    return out;
}

std::string TakeCsvEditFields(const std::string& editText, const std::string& originalText,
                              CsvRowEdit& out) {
    out = {};
    if (!ParseBeatEdit(editText, out.edit, out.deleted))
        return "unknown edit '" + editText + "' (interpolated, inserted, moved or deleted)";
    if (originalText.empty())
        return {};
    double ms = 0;
    if (!ParseNumber(originalText, ms) || !std::isfinite(ms) || RoundMsTo10(ms) < 0)
        return "original interval out of range 0..2550 ms: " + originalText;
    out.originalUs = static_cast<int32_t>(std::llround(ms * 1000));
    return {};
}

std::string TakeCsvDeletedRows(CsvRows& rows, Recording& rec) {
    rec.BeatEdits.clear();
    rec.OriginalUs.clear();
    rec.DeletedBeats.clear();
    if (rows.edits.size() != rows.entries.size())
        return {};  // no edit columns: every row is a beat as recorded
    CsvRows live;
    std::vector<DeletedBeat> before;  // in front of the next live row
    bool edited = false;
    for (size_t i = 0; i < rows.entries.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        const auto name = rows.names.find(row);
        std::string label = name == rows.names.end() ? std::string() : std::move(name->second);
        const int64_t sample = i < rows.samples.size() ? rows.samples[i] : -1;
        const CsvRowEdit& e = rows.edits[i];
        if (e.deleted) {
            before.push_back(
                deletedBeatOf(rows.entries[i], std::move(label), sample, e.originalUs));
            continue;
        }
        live.entries.push_back(rows.entries[i]);
        const int k = static_cast<int>(live.entries.size());
        if (!label.empty())
            live.names[k] = std::move(label);
        if (i < rows.samples.size())
            live.samples.push_back(sample);
        live.edits.push_back(e);
        edited = edited || e.edit != BeatEdit::None || e.originalUs >= 0 || !before.empty();
        if (!before.empty())
            rec.DeletedBeats[k] = std::exchange(before, {});
    }
    if (!before.empty())
        return "a deleted beat ends the table: it is kept in front of the beat that follows it";
    if (live.entries.size() > static_cast<size_t>(kMaxRecordingBeats))
        return "more than " + std::to_string(kMaxRecordingBeats) + " beats";
    if (edited) {
        rec.BeatEdits.assign(live.edits.size() + 1, BeatEdit::None);
        rec.OriginalUs.assign(live.edits.size() + 1, -1);
        for (size_t i = 0; i < live.edits.size(); ++i) {
            rec.BeatEdits[i + 1] = live.edits[i].edit;
            rec.OriginalUs[i + 1] = live.edits[i].originalUs;
        }
    }
    rows = std::move(live);
    return {};
}

void CheckDeletedSamples(Recording& rec) {
    for (auto& [k, beats] : rec.DeletedBeats) {
        // Beat 1's start, position 0, is found by the opener later: no bound below it yet.
        int64_t low = rec.hasEcg() && k >= 2 ? rec.BeatSamples[static_cast<size_t>(k) - 1] : -1;
        for (DeletedBeat& d : beats) {
            const bool between = rec.hasEcg() && d.sample > low &&
                                 d.sample < rec.BeatSamples[static_cast<size_t>(k)];
            d.sample = between ? d.sample : -1;
            low = between ? d.sample : low;
        }
    }
}

}  // namespace trivant
