// Beat review: beats deleted, inserted, moved and intervals replaced on a finished
// recording, each edit a change that can be applied and reverted exactly (an undo step).
// The reviewed series stays in the recording's arrays, so everything measured follows it;
// what was recorded stays beside it: each changed row's interval as recorded, and the
// deleted beats, kept in front of the beat that follows them.
#pragma once

#include "recording.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace trivant {

// One row as an edit takes it out of the recording and puts it back.
struct BeatRow {
    int32_t us = 0;       // interval; the RR byte is rounded from it
    SampleWord word = 0;  // the low byte (SpO2 or label mark) is kept, the RR byte recomputed
    uint8_t labelSpO2 = kLabelMark;
    std::string name;     // label name
    int64_t sample = -1;  // the R peak that ends it, -1 without ECG
    BeatEdit edit = BeatEdit::None;
    int32_t originalUs = -1;  // as recorded where it changed, else -1
    std::vector<DeletedBeat> deletedBefore;
    bool operator==(const BeatRow& o) const;
};

// Rows first..first + count - 1 (1-based, within 1..beats) replaced by after; before holds
// what was there, so Revert puts it back.
struct BeatChange {
    int first = 1;
    std::vector<BeatRow> before, after;
};

std::vector<BeatRow> TakeRows(const Recording& rec, int first, int count);
// Rows first..first + count - 1 replaced by rows. A recording with 10 ms intervals only gets
// exact ones first. The caller prepares the recording again (PrepareData).
void PutRows(Recording& rec, int first, int count, std::vector<BeatRow> rows);
// With every edit gone, the recording reads as one never edited (BeatEdits, OriginalUs empty).
void DropEmptyEdits(Recording& rec);
// PutRows of one change, or of several in order (Revert: backwards), then DropEmptyEdits.
void Apply(Recording& rec, const BeatChange& change);
void Revert(Recording& rec, const BeatChange& change);
void ApplyChanges(Recording& rec, const std::vector<BeatChange>& changes);
void RevertChanges(Recording& rec, const std::vector<BeatChange>& changes);

// The edits, each empty where it is not possible: no such beat, the recording grows, an
// interval would leave 5 ms..2.55 s (kMinIntervalUs..kMaxIntervalUs), or nothing changes.
// Beat k is the one that ends interval k.
//
// Delete beat k: interval k merges into interval k + 1 (the last beat has none).
std::optional<BeatChange> DeleteBeat(const Recording& rec, int k);
// Insert a beat into interval k, firstUs after its start (-1: the middle), with its R peak
// sample on an ECG recording (-1: none, or from firstUs at the record's rate).
std::optional<BeatChange> InsertBeat(const Recording& rec, int k, int32_t firstUs = -1,
                                     int64_t sample = -1);
// Move beat k (not the last) on an ECG recording to sample: interval k and k + 1 change.
std::optional<BeatChange> MoveBeat(const Recording& rec, int k, int64_t sample);
// Interval k replaced by us, its edit marked as kind (Interpolated for a correction); or
// intervals k, k + 1, ... by the values of us (a displaced beat's two).
std::optional<BeatChange> SetInterval(const Recording& rec, int k, int32_t us,
                                      BeatEdit kind = BeatEdit::Interpolated);
std::optional<BeatChange> SetIntervals(const Recording& rec, int k, const std::vector<int32_t>& us,
                                       BeatEdit kind = BeatEdit::Interpolated);
// Beat k back as recorded, from the originals it keeps (an edit after reopening a file):
// an interpolated or moved beat gets its interval back, an inserted one is taken out, and
// index-th deleted beat kept in front of k (index >= 0) is put back.
std::optional<BeatChange> RevertBeat(const Recording& rec, int k, int deletedIndex = -1);

// The rows edited (interpolated, inserted or moved) plus the deleted beats.
int EditedBeats(const Recording& rec);
// "interpolated", "inserted", "moved", "deleted"; "" for None.
const char* BeatEditName(BeatEdit e);
bool ParseBeatEdit(const std::string& text, BeatEdit& out, bool& deleted);

}  // namespace trivant
