// Recordings for the file tests, built by hand the way a stopped recording leaves them:
// DataBuf, CurrentFileLen and series 1, 2 and 8 agree, without running the core.
#pragma once

#include "recording.h"

#include <memory>
#include <vector>

namespace trivant::test {

struct Beat {
    int rr10;  // RR in 10 ms units
    int spo;   // SpO2 %, ignored for a labelled beat, which copies the beat before
    bool label = false;
};

inline std::unique_ptr<Recording> buildRecording(const std::vector<Beat>& beats) {
    auto rec = std::make_unique<Recording>();
    int labels = 0;
    for (size_t i = 0; i < beats.size(); ++i) {
        const size_t k = i + 1;
        const Beat& b = beats[i];
        const uint8_t spo = b.label ? rec->DataSeries[kSerSPO][k - 1] : static_cast<uint8_t>(b.spo);
        rec->DataSeries[kSerRR][k] = static_cast<uint8_t>(b.rr10);
        rec->DataSeries[kSerSPO][k] = spo;
        rec->DataSeries[kSerLbl][k] = b.label ? static_cast<uint8_t>(++labels) : 0;
        rec->DataBuf[k] = packSample(static_cast<uint8_t>(b.rr10), b.label ? kLabelMark : spo);
    }
    rec->CurrentFileLen = static_cast<int32_t>(beats.size() + 1);
    return rec;
}

}  // namespace trivant::test
