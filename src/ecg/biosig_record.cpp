// EDF, EDF+, BDF and GDF through BioSig.
#include "biosig_record.h"

namespace trivant {

EcgOpen OpenBiosigRecord(const std::string& path, EcgKind) {
    EcgOpen result;
    result.error = path + ": EDF, BDF and GDF are not read yet";
    return result;
}

}  // namespace trivant
