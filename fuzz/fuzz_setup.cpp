// Any bytes as the settings file: decoding, mending and the settings the core reads.
#include "fuzz_target.h"
#include "setup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    trivant::Setup setup;
    if (trivant::DecodeSetup(data, size, setup)) {
        trivant::EncodeSetup(setup);
        trivant::ToCoreSettings(setup);
        trivant::RRUnit(setup);
    }
    return 0;
}
