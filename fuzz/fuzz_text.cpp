// Any bytes as a text recording, then the preparation a loaded file gets.
#include "fresh_recording.h"
#include "fuzz_target.h"
#include "text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    trivant::Recording& rec = FreshRecording();
    trivant::ParseTextFile(std::string(reinterpret_cast<const char*>(data), size), rec);
    rec.PrepareData(trivant::CoreSettings{});
    trivant::FormatTextFile(rec, "fuzz", "01.01.2026");
    return 0;
}
