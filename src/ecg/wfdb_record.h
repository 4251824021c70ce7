// PhysioNet WFDB records read by our own code: a .hea header and its signal files (storage
// formats 212, 16, 80, 61, 24, 32), LF or CRLF, a baseline inside the gain field
// ("200(1024)") honoured.
#pragma once

#include "ecg_read.h"

#include <string>

namespace trivant {

EcgOpen OpenWfdbRecord(const std::string& headerPath);

}  // namespace trivant
