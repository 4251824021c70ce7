// Opening any ECG record: told by its first bytes, then read by the reader of its kind: WFDB,
// EDF, EDF+ and BDF by our own code, GDF through BioSig.
#include "biosig_record.h"
#include "ecg_file.h"
#include "edf_record.h"
#include "wfdb_record.h"

#include <algorithm>

namespace trivant {

EcgOpen OpenEcgRecord(const std::string& path) {
    constexpr size_t kHeadBytes = 4096;
    EcgOpen result;
    EcgFile file;
    if (!file.Open(path)) {
        result.error = "cannot open " + path;
        return result;
    }
    std::string head(static_cast<size_t>(std::min<int64_t>(file.size(), kHeadBytes)), '\0');
    if (!file.ReadAt(0, head.data(), head.size())) {
        result.error = "cannot read " + path;
        return result;
    }
    const EcgKind kind = DetectEcgRecord(head, path);
    if (kind == EcgKind::Wfdb)
        return OpenWfdbRecord(path);
    if (kind == EcgKind::None) {
        result.error = path + ": not an ECG record (WFDB header, EDF, BDF or GDF)";
        return result;
    }
    if (kind == EcgKind::Edf || kind == EcgKind::Bdf)
        return OpenEdfRecord(path);
    return OpenBiosigRecord(path, kind);
}

}  // namespace trivant
