// Any bytes as a file of unknown kind: its format told by content, then read as a CSV export
// or plain RR list the way import-ms and the open command read it.
#include "fresh_recording.h"
#include "fuzz_target.h"
#include "recording_format.h"
#include "rr_csv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    trivant::DetectRecordingFormat(bytes, "input.csv");
    trivant::Recording& rec = FreshRecording();
    trivant::MsListError err;
    if (trivant::ParseRrList(bytes, rec, err))
        rec.PrepareData(trivant::CoreSettings{});
    return 0;
}
