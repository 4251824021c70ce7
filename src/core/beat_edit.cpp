// Placeholder: the edits land next.
#include "beat_edit.h"

namespace trivant {

bool BeatRow::operator==(const BeatRow& o) const {
    return us == o.us && word == o.word && labelSpO2 == o.labelSpO2 && name == o.name &&
           sample == o.sample && edit == o.edit && originalUs == o.originalUs &&
           deletedBefore == o.deletedBefore;
}

BeatEdit Recording::beatEdit(int k) const {
    return k >= 1 && static_cast<size_t>(k) < BeatEdits.size() ? BeatEdits[static_cast<size_t>(k)]
                                                               : BeatEdit::None;
}

int32_t Recording::originalUs(int k) const {
    return k >= 1 && static_cast<size_t>(k) < OriginalUs.size() ? OriginalUs[static_cast<size_t>(k)]
                                                                : -1;
}

std::vector<BeatRow> TakeRows(const Recording&, int, int) {
    return {};
}
void PutRows(Recording&, int, int, std::vector<BeatRow>) {}
void Apply(Recording&, const BeatChange&) {}
void Revert(Recording&, const BeatChange&) {}
std::optional<BeatChange> DeleteBeat(const Recording&, int) {
    return {};
}
std::optional<BeatChange> InsertBeat(const Recording&, int, int32_t, int64_t) {
    return {};
}
std::optional<BeatChange> MoveBeat(const Recording&, int, int64_t) {
    return {};
}
std::optional<BeatChange> SetInterval(const Recording&, int, int32_t, BeatEdit) {
    return {};
}
std::optional<BeatChange> RevertBeat(const Recording&, int, int) {
    return {};
}
int EditedBeats(const Recording&) {
    return 0;
}

const char* BeatEditName(BeatEdit e) {
    switch (e) {
    case BeatEdit::Interpolated:
        return "interpolated";
    case BeatEdit::Inserted:
        return "inserted";
    case BeatEdit::Moved:
        return "moved";
    case BeatEdit::None:
        break;
    }
    return "";
}

bool ParseBeatEdit(const std::string& text, BeatEdit& out, bool& deleted) {
    deleted = text == "deleted";
    out = BeatEdit::None;
    if (deleted || text.empty())
        return true;
    for (BeatEdit e : {BeatEdit::Interpolated, BeatEdit::Inserted, BeatEdit::Moved})
        if (text == BeatEditName(e)) {
            out = e;
            return true;
        }
    return false;
}

}  // namespace trivant
