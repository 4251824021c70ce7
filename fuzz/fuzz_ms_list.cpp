// Any bytes as a plain list of RR intervals in milliseconds.
#include "fuzz_target.h"
#include "ms_list.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto rec = std::make_unique<trivant::Recording>();
    trivant::MsListError err;
    if (trivant::ParseMsList(std::string(reinterpret_cast<const char*>(data), size), *rec, err))
        rec->PrepareData(trivant::CoreSettings{});
    return 0;
}
