// The ECG strip's block of samples.
#include "ecg_strip_feed.h"

#include <algorithm>

namespace trivant {

namespace {
// A block holds this many windows: the one shown and one on either side of it.
constexpr int64_t kBlockWindows = 3;
}  // namespace

EcgStripFeed::EcgStripFeed(std::shared_ptr<EcgSource> source, int channel)
    : source_(std::move(source)), channel_(channel) {}

double EcgStripFeed::rate() const {
    return source_->info().channels[channel_].rate;
}

int64_t EcgStripFeed::samples() const {
    return source_->info().channels[channel_].samples;
}

const std::string& EcgStripFeed::label() const {
    return source_->info().channels[channel_].label;
}

const float* EcgStripFeed::window(int64_t first, int64_t count, int64_t& n) {
    first = std::max<int64_t>(0, first);
    const int64_t end = std::min(first + std::max<int64_t>(0, count), samples());
    n = std::max<int64_t>(0, end - first);
    if (n == 0)
        return nullptr;
    const int64_t blockEnd = blockFirst_ + static_cast<int64_t>(block_.size());
    if (first < blockFirst_ || end > blockEnd) {
        blockFirst_ = std::max<int64_t>(0, first - count);
        if (!source_->Read(channel_, blockFirst_, kBlockWindows * count, block_, error_))
            block_.clear();
        if (first + n > blockFirst_ + static_cast<int64_t>(block_.size())) {
            n = 0;
            return nullptr;
        }
    }
    return block_.data() + (first - blockFirst_);
}

}  // namespace trivant
