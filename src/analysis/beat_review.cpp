// Placeholder: the review's proposals land next.
#include "beat_review.h"

namespace trivant {

std::vector<FlaggedBeat> FlagBeats(const Recording&, const ArtifactOptions&) {
    return {};
}
std::vector<SeriesFix> ProposeRecordingFixes(const Recording&) {
    return {};
}
std::optional<BeatChange> FixChange(const Recording&, const SeriesFix&) {
    return {};
}
std::optional<BeatChange> ProposedChange(const Recording&, const ArtifactOptions&, int) {
    return {};
}
std::vector<BeatChange> CorrectRecording(Recording&, const CoreSettings&) {
    return {};
}

}  // namespace trivant
