// EDF, EDF+ (continuous) and BDF files read by our own code: the header checked against
// the file, samples read a bounded block of data records at a time, EDF+ annotations taken
// from their "EDF Annotations" signal.
#pragma once

#include "ecg_read.h"

#include <string>
#include <string_view>
#include <vector>

namespace trivant {

EcgOpen OpenEdfRecord(const std::string& path);

// The annotations in one data record's annotation signal bytes (its TALs,
// "+onset[\x15duration]\x14text\x14...\x00"). recordOnsetS is the onset of the record's first
// TAL, its time-keeping one (NaN when it has none); texts are appended with onsetS in
// seconds from the file's start. Malformed TALs are skipped.
struct EdfNote {
    double onsetS = 0;
    std::string text;
};
void ParseEdfTals(std::string_view bytes, double& recordOnsetS, std::vector<EdfNote>& out);

}  // namespace trivant
