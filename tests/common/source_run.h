// Checks a recording made from trivant-sim against the RR list the simulator played.
#pragma once

#include "ms_list.h"
#include "recording.h"
#include "rr_file.h"

#include <string>
#include <vector>

namespace trivant::test {

// The real recording trivant-sim plays in the end-to-end tests.
inline const std::string kSimSource =
    std::string(TRIVANT_TEST_DATA) + "/rr/rhenanbartels_hrv-08012805.txt";

// The intervals of an RR list in milliseconds, one per line.
inline std::vector<MsEntry> ReadSource(const std::string& path) {
    std::string text;
    std::vector<MsEntry> beats;
    MsListError err;
    if (!ReadFileBytes(path, text, 1 << 22).ok || !ParseMsLines(text, beats, err, 1 << 20))
        beats.clear();
    return beats;
}

// The recording is beats o+1, o+2, ... of the endlessly looped source, for some o: no beat
// lost or made up in between.
inline bool IsRunOfTheSource(const Recording& rec, const std::vector<MsEntry>& source) {
    const size_t n = source.size();
    for (size_t o = 0; o < n; ++o) {
        int k = 1;
        while (k <= rec.beats() && rec.at(kSerRR, k) == RoundMsTo10(source[(o + k - 1) % n].ms))
            ++k;
        if (k > rec.beats())
            return true;
    }
    return false;
}

}  // namespace trivant::test
