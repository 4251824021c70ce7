// Any bytes as a file of unknown kind: its format told by content, then read as a CSV export
// or plain RR list the way import-ms and the open command read it. What was read must come
// back from Trivant's CSV unchanged: the same words, exact intervals and comment, the same
// edits and deleted beats, the same CSV.
#include "fresh_recording.h"
#include "fuzz_target.h"
#include "recording_format.h"
#include "rr_csv.h"
#include "rr_file.h"
#include "trivant_csv.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    trivant::DetectRecordingFormat(bytes, "input.csv");
    trivant::Recording& rec = FreshRecording();
    trivant::MsListError err;
    if (!trivant::ParseRrList(bytes, rec, err))
        return 0;
    rec.PrepareData(trivant::CoreSettings{});
    const std::string csv = trivant::FormatTrivantCsv(rec);
    const std::string words = trivant::EncodeRr(rec);
    const std::vector<int32_t> exact = rec.ExactUs;
    const std::vector<trivant::BeatEdit> edits = rec.BeatEdits;
    const std::vector<int32_t> originals = rec.OriginalUs;
    const auto deleted = rec.DeletedBeats;
    trivant::Recording& back = FreshRecording();
    if (!trivant::ParseRrList(csv, back, err))
        std::abort();
    back.PrepareData(trivant::CoreSettings{});
    if (trivant::EncodeRr(back) != words || back.ExactUs != exact || back.BeatEdits != edits ||
        back.OriginalUs != originals || back.DeletedBeats != deleted ||
        trivant::FormatTrivantCsv(back) != csv)
        std::abort();
    return 0;
}
