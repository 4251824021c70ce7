// The review's proposals: the automatic method's fixes, or the threshold's interpolation,
// turned into edits of the recording.
#include "beat_review.h"

#include "standard_parts.h"

#include <algorithm>
#include <cmath>

namespace trivant {

namespace {

constexpr int kMaxPasses = 10;

int32_t toUs(double ms) {
    return static_cast<int32_t>(std::llround(ms * 1000));
}

}  // namespace

std::vector<FlaggedBeat> FlagBeats(const Recording& rec, const ArtifactOptions& options) {
    const std::vector<double> rr = RecordingIntervalsMs(rec);
    std::vector<FlaggedBeat> out;
    if (options.automatic) {
        const std::vector<BeatClass> classes = ClassifyBeats(rr);
        for (size_t i = 0; i < classes.size(); ++i)
            if (classes[i] != BeatClass::Normal)
                out.push_back({static_cast<int>(i) + 1, classes[i]});
        return out;
    }
    const std::vector<bool> flags = standard::DetectArtifacts(rr, ArtifactThreshold(options));
    for (size_t i = 0; i < flags.size(); ++i)
        if (flags[i])
            out.push_back({static_cast<int>(i) + 1, BeatClass::Normal});
    return out;
}

std::vector<SeriesFix> ProposeRecordingFixes(const Recording& rec) {
    const std::vector<double> rr = RecordingIntervalsMs(rec);
    return ProposeSeriesFixes(rr, ClassifyBeats(rr));
}

std::optional<BeatChange> FixChange(const Recording& rec, const SeriesFix& fix) {
    const int k = static_cast<int>(fix.first) + 1;
    if (fix.count == 2 && fix.values.size() == 1)
        return DeleteBeat(rec, k);  // the extra beat ends the first of the two
    if (fix.count == 1 && fix.values.size() == 2)
        return InsertBeat(rec, k, toUs(fix.values[0]));
    if (fix.count != fix.values.size())
        return std::nullopt;
    std::vector<int32_t> us;
    for (double v : fix.values)
        us.push_back(toUs(v));
    return SetIntervals(rec, k, us);
}

std::optional<BeatChange> ProposedChange(const Recording& rec, const ArtifactOptions& options,
                                         int k) {
    if (k < 1 || k > rec.beats())
        return std::nullopt;
    const size_t i = static_cast<size_t>(k) - 1;
    if (options.automatic) {
        for (const SeriesFix& fix : ProposeRecordingFixes(rec))
            if (fix.first <= i && i < fix.first + fix.count)
                return FixChange(rec, fix);
        return std::nullopt;
    }
    const std::vector<double> rr = RecordingIntervalsMs(rec);
    const std::vector<bool> flags = standard::DetectArtifacts(rr, ArtifactThreshold(options));
    if (!flags[i])
        return std::nullopt;
    return SetInterval(rec, k, toUs(standard::CorrectArtifacts(rr, flags)[i]));
}

std::vector<BeatChange> CorrectRecording(Recording& rec, const CoreSettings& cfg) {
    std::vector<BeatChange> applied;
    size_t before = 0;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        const std::vector<double> rr = RecordingIntervalsMs(rec);
        const std::vector<BeatClass> classes = ClassifyBeats(rr);
        const size_t flagged = static_cast<size_t>(std::count_if(
            classes.begin(), classes.end(), [](BeatClass c) { return c != BeatClass::Normal; }));
        if (flagged == 0 || (pass > 0 && flagged >= before))
            break;
        before = flagged;
        const std::vector<SeriesFix> fixes = ProposeSeriesFixes(rr, classes);
        // Back to front, so the positions of the fixes still to come stay where they were.
        for (auto it = fixes.rbegin(); it != fixes.rend(); ++it)
            if (auto c = FixChange(rec, *it)) {
                PutRows(rec, c->first, static_cast<int>(c->before.size()), c->after);
                applied.push_back(std::move(*c));
            }
        rec.PrepareData(cfg);
    }
    return applied;
}

std::vector<BeatChange> CorrectRecording(Recording& rec, const CoreSettings& cfg,
                                         const ArtifactOptions& options) {
    if (options.automatic)
        return CorrectRecording(rec, cfg);
    const std::vector<double> rr = RecordingIntervalsMs(rec);
    const std::vector<bool> flags = standard::DetectArtifacts(rr, ArtifactThreshold(options));
    const std::vector<double> fixed = standard::CorrectArtifacts(rr, flags);
    std::vector<BeatChange> applied;
    for (size_t i = rr.size(); i-- > 0;)
        if (flags[i])
            if (auto c = SetInterval(rec, static_cast<int>(i) + 1, toUs(fixed[i]))) {
                PutRows(rec, c->first, 1, c->after);
                applied.push_back(std::move(*c));
            }
    rec.PrepareData(cfg);
    return applied;
}

}  // namespace trivant
