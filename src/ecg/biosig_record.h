// EDF, EDF+, BDF and GDF files read through BioSig, behind our own checks of their headers.
#pragma once

#include "ecg_read.h"

#include <string>

namespace trivant {

EcgOpen OpenBiosigRecord(const std::string& path, EcgKind kind);

}  // namespace trivant
