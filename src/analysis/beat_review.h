// The recording's flagged beats as the review lists them, and their corrections as
// changes of the recording (beat_edit.h), one undo step each.
#pragma once

#include "beat_classes.h"
#include "beat_edit.h"
#include "standard_measures.h"

#include <optional>
#include <vector>

namespace trivant {

struct FlaggedBeat {
    int beat = 0;                        // the interval's position, 1..beats
    BeatClass kind = BeatClass::Normal;  // Normal: flagged by the threshold method
};

// The beats options flag in the recording's intervals (RecordingIntervalsMs): the automatic
// method's classes, else the threshold's (ArtifactThreshold).
std::vector<FlaggedBeat> FlagBeats(const Recording& rec, const ArtifactOptions& options);

// One pass of the automatic method's corrections over the recording's intervals.
std::vector<SeriesFix> ProposeRecordingFixes(const Recording& rec);
// The change that makes fix; empty where the recording can't take it (beat_edit.h).
std::optional<BeatChange> FixChange(const Recording& rec, const SeriesFix& fix);
// The correction the review proposes for flagged beat k: the automatic method's fix at k,
// or for a threshold flag the interval interpolated between its good neighbours.
std::optional<BeatChange> ProposedChange(const Recording& rec, const ArtifactOptions& options,
                                         int k);

// Corrects the recording as CorrectAuto corrects a series, pass after pass while the count
// falls, preparing it again after each; the changes in the order they were applied, so
// reverting them backwards gives the recording back ("Исправить все" is one step).
std::vector<BeatChange> CorrectRecording(Recording& rec, const CoreSettings& cfg);
// The same for options: the automatic method as above, or each interval the threshold flags
// interpolated between its good neighbours, as the standard measures correct them.
std::vector<BeatChange> CorrectRecording(Recording& rec, const CoreSettings& cfg,
                                         const ArtifactOptions& options);

}  // namespace trivant
