// Any bytes as a plain list of RR intervals in milliseconds.
#include "fresh_recording.h"
#include "fuzz_target.h"
#include "ms_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    trivant::Recording& rec = FreshRecording();
    trivant::MsListError err;
    if (trivant::ParseMsList(std::string(reinterpret_cast<const char*>(data), size), rec, err))
        rec.PrepareData(trivant::CoreSettings{});
    return 0;
}
