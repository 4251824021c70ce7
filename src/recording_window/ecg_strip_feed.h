// The samples the ECG strip shows, read from the record block by block: one block around the
// strip's window is kept, so scrolling reads again only when the strip leaves it and a day's
// record never sits in memory whole.
#pragma once

#include "ecg_source.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace trivant {

class EcgStripFeed {
public:
    EcgStripFeed(std::shared_ptr<EcgSource> source, int channel);

    double rate() const;
    int64_t samples() const;
    const std::string& label() const;
    // Samples first .. first + count - 1 in mV (fewer at the record's end); null with n 0
    // when the record can't be read there (error() says why).
    const float* window(int64_t first, int64_t count, int64_t& n);
    const std::string& error() const { return error_; }

private:
    std::shared_ptr<EcgSource> source_;
    int channel_ = 0;
    int64_t blockFirst_ = 0;
    std::vector<float> block_;
    std::string error_;
};

}  // namespace trivant
