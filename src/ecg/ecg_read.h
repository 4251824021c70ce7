// Opening ECG records: WFDB records (a .hea header with its signal files) and EDF, EDF+,
// BDF and GDF files, told by their content.
#pragma once

#include "ecg_source.h"

#include <memory>
#include <string>
#include <string_view>

namespace trivant {

enum class EcgKind { None, Wfdb, Edf, Bdf, Gdf };

// What head, a file's first bytes, holds: a WFDB header's record line, or an EDF/BDF/GDF
// signature. path's extension only breaks ties, as other formats are told.
EcgKind DetectEcgRecord(std::string_view head, const std::string& path);

struct EcgOpen {
    std::unique_ptr<EcgSource> source;  // null on failure
    std::string error;                  // why, naming the file at fault (a signal file too)
};

// Opens the record whose header (or whole file) is path, checking what it says against the
// files (a signal file missing or shorter than the header says, an unknown storage format, a
// rate out of 100..2000 Hz... fail it here, not while reading).
EcgOpen OpenEcgRecord(const std::string& path);

// The annotations of a WFDB record's annotator ext ("atr", "qrs", ...), beside its header
// path. False with a message naming the file when it is missing or can't be read.
bool ReadWfdbAnnotations(const std::string& headerPath, const std::string& ext,
                         std::vector<EcgAnnotation>& out, std::string& error);

// The channel choice names: a 0-based number or a label (any letter case); empty picks the
// first ECG-like label (MLII, II, ECG, V1..V6, I, III, aVR, ...). -1 with a message when
// none fits.
int EcgChannelIndex(const EcgInfo& info, const std::string& choice, std::string& error);

}  // namespace trivant
