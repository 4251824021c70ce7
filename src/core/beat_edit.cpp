// Edits of a finished recording as row replacements: each change keeps the rows before
// and after, so applying and reverting are exact inverses.
#include "beat_edit.h"

#include <algorithm>
#include <cmath>

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

namespace {

bool editable(const Recording& rec) {
    return !rec.RREventEnabled && rec.beats() >= 1 && rec.beats() < rec.capacity();
}

bool isBeat(const Recording& rec, int k) {
    return editable(rec) && k >= 1 && k <= rec.beats();
}

// Whether one more beat fits.
bool roomForOne(const Recording& rec) {
    return rec.beats() < kMaxRecordingBeats;
}

bool inRange(int64_t us) {
    return us >= kMinIntervalUs && us <= kMaxIntervalUs;
}

template <class T> const T& atOr(const std::vector<T>& v, int k, const T& none) {
    return k >= 0 && static_cast<size_t>(k) < v.size() ? v[static_cast<size_t>(k)] : none;
}

BeatRow rowAt(const Recording& rec, int k) {
    BeatRow r;
    r.us = static_cast<int32_t>(rec.intervalUs(k));
    r.word = rec.DataBuf[static_cast<size_t>(k)];
    r.labelSpO2 = atOr(rec.LabelSpO2, k, kLabelMark);
    r.name = rec.labelName(k);
    r.sample = atOr(rec.BeatSamples, k, int64_t{-1});
    r.edit = rec.beatEdit(k);
    r.originalUs = rec.originalUs(k);
    const auto it = rec.DeletedBeats.find(k);
    if (it != rec.DeletedBeats.end())
        r.deletedBefore = it->second;
    return r;
}

// Positions first..first + count - 1 of v (sized beats + 1) replaced by values.
template <class T>
void splice(std::vector<T>& v, int first, int count, const std::vector<T>& values) {
    const auto at = v.begin() + first;
    if (static_cast<size_t>(count) == values.size()) {
        std::copy(values.begin(), values.end(), at);  // most fixes: no row moves
        return;
    }
    v.erase(at, at + count);
    v.insert(v.begin() + first, values.begin(), values.end());
}

// Keys past the replaced rows move by shift; keys within them go.
template <class V> void spliceKeys(std::map<int, V>& m, int first, int count, int shift) {
    std::map<int, V> out;
    for (auto& [k, v] : m)
        if (k < first)
            out.emplace(k, std::move(v));
        else if (k >= first + count)
            out.emplace(k + shift, std::move(v));
    m = std::move(out);
}

// The row's interval as recorded: its original where it changed.
int32_t recordedUs(const BeatRow& r) {
    return r.originalUs >= 0 ? r.originalUs : r.us;
}

// r's interval becomes us, keeping the one recorded; back at it, the row is as recorded.
void setUs(BeatRow& r, int64_t us) {
    const int32_t recorded = recordedUs(r);
    r.us = static_cast<int32_t>(us);
    r.originalUs = r.us == recorded && r.edit != BeatEdit::Inserted ? -1 : recorded;
    if (r.edit == BeatEdit::Inserted)
        r.originalUs = -1;
    if (r.originalUs < 0 && r.edit != BeatEdit::Inserted)
        r.edit = BeatEdit::None;
}

DeletedBeat deletedFrom(const BeatRow& r) {
    return {r.us, r.originalUs, r.word, r.labelSpO2, r.name, r.sample};
}

BeatRow rowFrom(const DeletedBeat& d) {
    BeatRow r;
    r.us = d.us;
    r.originalUs = d.originalUs;
    r.word = d.word;
    r.labelSpO2 = d.labelSpO2;
    r.name = d.name;
    r.sample = d.sample;
    return r;
}

std::optional<BeatChange> change(const Recording& rec, int first, int count,
                                 std::vector<BeatRow> after) {
    BeatChange c;
    c.first = first;
    c.before = TakeRows(rec, first, count);
    c.after = std::move(after);
    if (c.before == c.after)
        return std::nullopt;
    return c;
}

bool labelled(const BeatRow& r) {
    return sampleIsLabel(r.word);
}

// The SpO2 a beat shows, for a beat made beside it.
uint8_t spo2Of(const BeatRow& r) {
    if (!labelled(r))
        return sampleLow(r.word);
    return r.labelSpO2 == kLabelMark ? 0 : r.labelSpO2;
}

int64_t samplesOf(const Recording& rec, int64_t us) {
    return static_cast<int64_t>(std::llround(static_cast<double>(us) * rec.EcgRate / 1e6));
}

}  // namespace

std::vector<BeatRow> TakeRows(const Recording& rec, int first, int count) {
    std::vector<BeatRow> rows;
    const int last = std::min(first + count - 1, rec.beats());
    for (int k = std::max(first, 1); k <= last; ++k)
        rows.push_back(rowAt(rec, k));
    return rows;
}

void PutRows(Recording& rec, int first, int count, std::vector<BeatRow> rows) {
    const int n = rec.beats();
    first = std::clamp(first, 1, n + 1);
    count = std::clamp(count, 0, n + 1 - first);
    const int added = static_cast<int>(rows.size());
    const int newN = n - count + added;
    rec.Reserve(newN + 2);
    if (newN + 1 > rec.capacity())
        return;
    if (rec.ExactUs.empty()) {
        rec.ExactUs.assign(static_cast<size_t>(n) + 1, 0);
        for (int k = 1; k <= n; ++k)
            rec.ExactUs[static_cast<size_t>(k)] =
                sampleRR(rec.DataBuf[static_cast<size_t>(k)]) * 10000;
    }
    rec.ExactUs.resize(static_cast<size_t>(n) + 1, 0);
    const bool spo = !rec.LabelSpO2.empty() ||
                     std::any_of(rows.begin(), rows.end(),
                                 [](const BeatRow& r) { return r.labelSpO2 != kLabelMark; });
    if (spo)
        rec.LabelSpO2.resize(static_cast<size_t>(n) + 1, kLabelMark);
    if (rec.BeatEdits.empty()) {
        rec.BeatEdits.assign(static_cast<size_t>(n) + 1, BeatEdit::None);
        rec.OriginalUs.assign(static_cast<size_t>(n) + 1, -1);
    }
    rec.BeatEdits.resize(static_cast<size_t>(n) + 1, BeatEdit::None);
    rec.OriginalUs.resize(static_cast<size_t>(n) + 1, -1);
    const bool ecg = rec.hasEcg();
    if (ecg)
        rec.BeatSamples.resize(static_cast<size_t>(n) + 1, rec.BeatSamples.back());

    std::vector<SampleWord> words;
    std::vector<int32_t> us, original;
    std::vector<uint8_t> spos;
    std::vector<int64_t> samples;
    std::vector<BeatEdit> edits;
    for (const BeatRow& r : rows) {
        const int rr = RoundUsTo10Ms(r.us);
        words.push_back(packSample(static_cast<uint8_t>(rr < 0 ? 255 : rr), sampleLow(r.word)));
        us.push_back(r.us);
        original.push_back(r.originalUs);
        spos.push_back(r.labelSpO2);
        samples.push_back(r.sample);
        edits.push_back(r.edit);
    }
    // DataBuf is sized by capacity: the rows after the replaced ones move as one block.
    const auto at = rec.DataBuf.begin() + first;
    if (added > count)
        std::copy_backward(at + count, rec.DataBuf.begin() + n + 1, rec.DataBuf.begin() + newN + 1);
    else if (added < count)
        std::copy(at + count, rec.DataBuf.begin() + n + 1, at + added);
    std::copy(words.begin(), words.end(), at);
    std::fill(rec.DataBuf.begin() + newN + 1, rec.DataBuf.begin() + std::max(n, newN) + 2, 0);
    splice(rec.ExactUs, first, count, us);
    splice(rec.OriginalUs, first, count, original);
    splice(rec.BeatEdits, first, count, edits);
    if (spo)
        splice(rec.LabelSpO2, first, count, spos);
    if (ecg)
        splice(rec.BeatSamples, first, count, samples);

    const int shift = added - count;
    spliceKeys(rec.LabelNames, first, count, shift);
    spliceKeys(rec.DeletedBeats, first, count, shift);
    for (int i = 0; i < added; ++i) {
        BeatRow& r = rows[static_cast<size_t>(i)];
        if (!r.name.empty())
            rec.LabelNames[first + i] = r.name;
        if (!r.deletedBefore.empty())
            rec.DeletedBeats[first + i] = std::move(r.deletedBefore);
    }
    rec.CurrentFileLen = newN + 1;
}

void DropEmptyEdits(Recording& rec) {
    const bool none =
        rec.DeletedBeats.empty() &&
        std::all_of(rec.BeatEdits.begin(), rec.BeatEdits.end(),
                    [](BeatEdit e) { return e == BeatEdit::None; }) &&
        std::all_of(rec.OriginalUs.begin(), rec.OriginalUs.end(), [](int32_t v) { return v < 0; });
    if (none) {
        rec.BeatEdits.clear();
        rec.OriginalUs.clear();
    }
}

void Apply(Recording& rec, const BeatChange& c) {
    ApplyChanges(rec, {c});
}

void Revert(Recording& rec, const BeatChange& c) {
    RevertChanges(rec, {c});
}

void ApplyChanges(Recording& rec, const std::vector<BeatChange>& changes) {
    for (const BeatChange& c : changes)
        PutRows(rec, c.first, static_cast<int>(c.before.size()), c.after);
    DropEmptyEdits(rec);
}

void RevertChanges(Recording& rec, const std::vector<BeatChange>& changes) {
    for (auto it = changes.rbegin(); it != changes.rend(); ++it)
        PutRows(rec, it->first, static_cast<int>(it->after.size()), it->before);
    DropEmptyEdits(rec);
}

std::optional<BeatChange> DeleteBeat(const Recording& rec, int k) {
    if (!isBeat(rec, k) || k >= rec.beats())
        return std::nullopt;
    const BeatRow gone = rowAt(rec, k);
    BeatRow next = rowAt(rec, k + 1);
    const int64_t merged = int64_t{gone.us} + next.us;
    if (!inRange(merged))
        return std::nullopt;
    std::vector<DeletedBeat> kept = gone.deletedBefore;
    DeletedBeat d = deletedFrom(gone);
    if (labelled(gone) && !labelled(next)) {
        // The label stays in the series, on the beat that now ends the interval.
        const uint8_t own = sampleLow(next.word);
        next.word = packSample(sampleRR(next.word), kLabelMark);
        next.labelSpO2 = own != 0 ? own : kLabelMark;
        next.name = gone.name;
        d.word = packSample(sampleRR(gone.word), spo2Of(gone));
        d.labelSpO2 = kLabelMark;
        d.name.clear();
    }
    // A beat the review put in leaves nothing behind; a recorded one is kept.
    if (gone.edit != BeatEdit::Inserted)
        kept.push_back(d);
    kept.insert(kept.end(), next.deletedBefore.begin(), next.deletedBefore.end());
    next.deletedBefore = std::move(kept);
    setUs(next, merged);
    return change(rec, k, 2, {next});
}

std::optional<BeatChange> InsertBeat(const Recording& rec, int k, int32_t firstUs, int64_t sample) {
    if (!isBeat(rec, k) || !roomForOne(rec))
        return std::nullopt;
    BeatRow whole = rowAt(rec, k);
    const int64_t a = firstUs < 0 ? whole.us / 2 : firstUs;
    const int64_t b = whole.us - a;
    if (!inRange(a) || !inRange(b))
        return std::nullopt;
    BeatRow in;
    in.us = static_cast<int32_t>(a);
    in.word = packSample(0, spo2Of(whole));
    in.edit = BeatEdit::Inserted;
    if (rec.hasEcg()) {
        const int64_t start = rec.BeatSamples[static_cast<size_t>(k - 1)];
        in.sample = sample >= 0 ? sample : start + samplesOf(rec, a);
        if (in.sample <= start || in.sample >= whole.sample)
            return std::nullopt;
    }
    // The deleted beats before the new one go with it, by where they lay in the interval.
    int64_t offset = 0;
    std::vector<DeletedBeat> later;
    for (const DeletedBeat& d : whole.deletedBefore) {
        offset += d.us;
        (offset < a ? in.deletedBefore : later).push_back(d);
    }
    whole.deletedBefore = std::move(later);
    setUs(whole, b);
    return change(rec, k, 1, {in, whole});
}

std::optional<BeatChange> MoveBeat(const Recording& rec, int k, int64_t sample) {
    if (!isBeat(rec, k) || k >= rec.beats() || !rec.hasEcg() || !(rec.EcgRate > 0))
        return std::nullopt;
    const auto& s = rec.BeatSamples;
    if (s.size() <= static_cast<size_t>(k) + 1 || sample <= s[static_cast<size_t>(k) - 1] ||
        sample >= s[static_cast<size_t>(k) + 1])
        return std::nullopt;
    BeatRow beat = rowAt(rec, k);
    BeatRow next = rowAt(rec, k + 1);
    const int64_t delta = static_cast<int64_t>(
        std::llround(static_cast<double>(sample - beat.sample) * 1e6 / rec.EcgRate));
    if (!inRange(beat.us + delta) || !inRange(next.us - delta))
        return std::nullopt;
    beat.sample = sample;
    if (beat.edit != BeatEdit::Inserted)
        beat.edit = BeatEdit::Moved;
    setUs(beat, beat.us + delta);  // moved back where it was, it is as recorded again
    setUs(next, next.us - delta);
    return change(rec, k, 2, {beat, next});
}

std::optional<BeatChange> SetInterval(const Recording& rec, int k, int32_t us, BeatEdit kind) {
    return SetIntervals(rec, k, {us}, kind);
}

std::optional<BeatChange> SetIntervals(const Recording& rec, int k, const std::vector<int32_t>& us,
                                       BeatEdit kind) {
    const int count = static_cast<int>(us.size());
    if (count == 0 || !isBeat(rec, k) || !isBeat(rec, k + count - 1) ||
        !std::all_of(us.begin(), us.end(), inRange))
        return std::nullopt;
    std::vector<BeatRow> rows = TakeRows(rec, k, count);
    for (int i = 0; i < count; ++i) {
        BeatRow& r = rows[static_cast<size_t>(i)];
        const int32_t v = us[static_cast<size_t>(i)];
        if (r.us == v)
            continue;  // a neighbour that needed no change keeps its edit
        if (r.edit != BeatEdit::Inserted)
            r.edit = kind;
        setUs(r, v);
    }
    return change(rec, k, count, std::move(rows));
}

std::optional<BeatChange> RevertBeat(const Recording& rec, int k, int deletedIndex) {
    if (!isBeat(rec, k))
        return std::nullopt;
    BeatRow r = rowAt(rec, k);
    if (deletedIndex >= 0) {
        if (static_cast<size_t>(deletedIndex) >= r.deletedBefore.size() || !roomForOne(rec))
            return std::nullopt;
        // The beat comes back where it lay: after the deleted ones before it, which it now ends.
        const auto at = r.deletedBefore.begin() + deletedIndex;
        BeatRow back = rowFrom(*at);
        int64_t us = 0;
        for (auto it = r.deletedBefore.begin(); it <= at; ++it)
            us += it->us;
        // On the strip its R peak tells where it lay, whatever moved around it since.
        const int64_t start = atOr(rec.BeatSamples, k - 1, int64_t{-1});
        if (rec.EcgRate > 0 && at->sample >= 0 && start >= 0)
            us = static_cast<int64_t>(
                std::llround(static_cast<double>(at->sample - start) * 1e6 / rec.EcgRate));
        back.deletedBefore.assign(r.deletedBefore.begin(), at);
        back.originalUs = -1;
        const int32_t recorded = at->originalUs >= 0 ? at->originalUs : at->us;
        back.us = recorded;
        setUs(back, us);
        r.deletedBefore.erase(r.deletedBefore.begin(), at + 1);
        if (!inRange(us) || !inRange(r.us - us))
            return std::nullopt;
        setUs(r, r.us - us);
        return change(rec, k, 1, {back, r});
    }
    switch (r.edit) {
    case BeatEdit::Interpolated:
        setUs(r, recordedUs(r));
        return change(rec, k, 1, {r});
    case BeatEdit::Inserted: {
        if (k >= rec.beats())
            return std::nullopt;
        BeatRow next = rowAt(rec, k + 1);
        const int64_t merged = int64_t{r.us} + next.us;
        if (!inRange(merged))
            return std::nullopt;
        r.deletedBefore.insert(r.deletedBefore.end(), next.deletedBefore.begin(),
                               next.deletedBefore.end());
        next.deletedBefore = std::move(r.deletedBefore);
        setUs(next, merged);
        return change(rec, k, 2, {next});
    }
    case BeatEdit::Moved: {
        if (k >= rec.beats())
            return std::nullopt;
        BeatRow next = rowAt(rec, k + 1);
        const int64_t delta = int64_t{r.us} - recordedUs(r);
        if (!inRange(next.us + delta))
            return std::nullopt;
        if (rec.hasEcg() && r.sample >= 0)
            r.sample -= samplesOf(rec, delta);
        r.edit = BeatEdit::None;
        setUs(r, recordedUs(r));
        setUs(next, next.us + delta);
        return change(rec, k, 2, {r, next});
    }
    case BeatEdit::None:
        break;
    }
    return std::nullopt;
}

int EditedBeats(const Recording& rec) {
    int n = 0;
    for (int k = 1; k <= rec.beats(); ++k)
        n += rec.beatEdit(k) != BeatEdit::None;
    for (const auto& [k, v] : rec.DeletedBeats)
        n += static_cast<int>(v.size());
    return n;
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
