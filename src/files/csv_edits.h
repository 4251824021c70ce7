// The review's edits in Trivant's CSV: two more columns, edit and original_ms, and each
// deleted beat kept as a row marked deleted in front of the beat that follows it, so that
// reopening shows every edit and what was recorded.
#pragma once

#include "ms_list.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace trivant {

// The columns after label (and sample) of a reviewed recording's CSV.
constexpr const char* kCsvEditColumns = ";edit;original_ms";

// What the two columns of a row say.
struct CsvRowEdit {
    bool deleted = false;
    BeatEdit edit = BeatEdit::None;
    int32_t originalUs = -1;
};

// The label cell of a row: 0, 1 for an unnamed label, or the name, quoted where it holds the
// separator or a quote (names hold no line ends: LabelNameText).
std::string CsvLabelCell(bool labelled, const std::string& name);

// Whether the CSV of rec has the edit columns: a beat edited, an interval changed (one that
// a deleted or inserted beat next to it merged into or split, its edit empty), or a beat
// deleted, at positions 1..beats. A recording whose edits were all undone writes as it did
// before any.
bool HasCsvEdits(const Recording& rec);

// ";EDIT;ORIGINAL" of beat k, each empty where it has none.
std::string CsvEditCells(const Recording& rec, int k);

// The rows of the deleted beats in front of beat k, each ending in a line end; samples tells
// whether the rows have the sample column, spo whether the recording has SpO2.
std::string CsvDeletedRows(const Recording& rec, int k, bool samples, bool spo);

// The edit and original_ms fields of a row; why they can't be taken, or empty.
std::string TakeCsvEditFields(const std::string& editText, const std::string& originalText,
                              CsvRowEdit& out);

// The rows as read, one entry each with the label names by row (1-based), the samples by row
// (empty without the column) and the edits by row.
struct CsvRows {
    std::vector<MsEntry> entries;
    std::map<int, std::string> names;
    std::vector<int64_t> samples;
    std::vector<CsvRowEdit> edits;  // empty without the edit columns
};

// Takes the deleted rows out of rows into rec.DeletedBeats and fills rec.BeatEdits and
// rec.OriginalUs (left empty where nothing is edited), leaving in rows the live beats, by
// their own positions. Returns why it can't (a deleted row with no beat after it), or empty.
std::string TakeCsvDeletedRows(CsvRows& rows, Recording& rec);

// After the ECG link was taken: a deleted beat keeps its sample only while the recording has
// ECG beats and the sample lies between those of the live beats around it.
void CheckDeletedSamples(Recording& rec);

}  // namespace trivant
