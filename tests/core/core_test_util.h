// Builds recordings for the core tests from RR lists.
#pragma once

#include "recording.h"

#include <memory>
#include <vector>

namespace trivant::test {

// A packed recording of the given beats (RR in 10 ms units, SpO2 %), ready for preparation.
inline std::unique_ptr<Recording> packed(const std::vector<int>& rr, int spo = 97) {
    auto rec = std::make_unique<Recording>();
    for (size_t i = 0; i < rr.size(); ++i)
        rec->DataBuf[i + 1] = packSample(static_cast<uint8_t>(rr[i]), static_cast<uint8_t>(spo));
    rec->CurrentFileLen = static_cast<int>(rr.size()) + 1;
    return rec;
}

// Series 1 filled with the given RR values from beat 1 on.
inline std::unique_ptr<Recording> withRR(const std::vector<int>& rr) {
    auto rec = std::make_unique<Recording>();
    for (size_t i = 0; i < rr.size(); ++i)
        rec->DataSeries[kSerRR][i + 1] = static_cast<uint8_t>(rr[i]);
    return rec;
}

inline CoreSettings settings(int sample, bool compensation = false) {
    CoreSettings c;
    c.Sample = sample;
    c.IbCompensation = compensation;
    return c;
}

}  // namespace trivant::test
