// Any bytes as a .rr file, then the preparation a loaded file gets.
#include "fresh_recording.h"
#include "fuzz_target.h"
#include "rr_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    trivant::Recording& rec = FreshRecording();
    trivant::DecodeRr(std::string(reinterpret_cast<const char*>(data), size), rec);
    rec.PrepareData(trivant::CoreSettings{});
    const std::string again = trivant::EncodeRr(rec);
    return again.size() > 64002 ? 1 : 0;
}
