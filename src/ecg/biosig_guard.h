// Our own checks of an EDF, BDF or GDF file before BioSig opens it: a header that doesn't
// add up (sizes, counts, numbers) is refused here, with what is wrong.
#pragma once

#include "ecg_read.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace trivant {

struct BiosigGuard {
    std::string format;               // "EDF", "EDF+", "BDF", "GDF"
    int64_t startClockS = INT64_MIN;  // from our own reading of an EDF/BDF header
};

// A GDF 2 header's fixed and signal parts against the file's size.
bool CheckGdfHeader(std::string_view header, int64_t fileSize, std::string& error);
bool GuardBiosigFile(const std::string& path, EcgKind kind, BiosigGuard& out, std::string& error);

}  // namespace trivant
