#include "strap_receiver.h"

namespace trivant {

HeartRateMeasurement StrapReceiver::Take(const uint8_t* payload, size_t size) {
    const HeartRateMeasurement m = DecodeHeartRate(payload, size);
    ++notifications_;
    arrived_ = true;
    if (!m.ok) {
        ++malformed_;
        return m;
    }
    heartRate_ = m.heartRate;
    contact_ = m.contact;
    dropped_ += m.dropped;
    if (fresh_) {
        fresh_ = false;
        dropped_ += static_cast<int>(m.rrCount);
        return m;
    }
    pending_.insert(pending_.end(), m.rrUs.begin(), m.rrUs.begin() + m.rrCount);
    return m;
}

void StrapReceiver::Drain(std::vector<int32_t>& us, bool& arrived) {
    us.swap(pending_);
    pending_.clear();
    arrived = arrived_;
    arrived_ = false;
}

}  // namespace trivant
