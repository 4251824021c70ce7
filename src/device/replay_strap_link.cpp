#include "replay_strap_link.h"

#include <cmath>

namespace trivant {

ReplayStrapLink::ReplayStrapLink(std::vector<StrapLogEntry> entries, std::string name, double speed,
                                 bool loop, Clock clock)
    : entries_(std::move(entries)), name_(std::move(name)), speed_(speed), loop_(loop),
      clock_(std::move(clock)) {}

double ReplayStrapLink::SteadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::vector<StrapInfo> ReplayStrapLink::Found() const {
    return {{kAddress, name_, 0}};
}

void ReplayStrapLink::Connect(const std::string& address) {
    if (address != kAddress)
        return;
    connected_ = true;
    start_ = clock_();
    next_ = 0;
}

StrapState ReplayStrapLink::State() const {
    return connected_ ? StrapState::Connected : StrapState::Idle;
}

void ReplayStrapLink::TakeNotifications(std::vector<std::vector<uint8_t>>& out) {
    if (!connected_ || entries_.empty())
        return;
    // Seconds of the log since start_.
    double logNow = speed_ > 0 ? (clock_() - start_) * speed_ : HUGE_VAL;
    for (;;) {
        if (next_ >= entries_.size()) {
            if (!loop_)
                return;
            next_ = 0;
            if (speed_ <= 0)
                return;  // all at once: one round a call
            // The next round starts a second after the last payload.
            const double round = entries_.back().seconds + 1;
            if (logNow < round) {
                next_ = entries_.size();
                return;
            }
            start_ += round / speed_;
            logNow -= round;
        }
        if (entries_[next_].seconds > logNow)
            return;
        out.push_back(entries_[next_++].payload);
    }
}

}  // namespace trivant
