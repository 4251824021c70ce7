// Finds the R peaks of an ECG channel, block by block, so that a day's record needs no more
// memory than its beats.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace trivant {

class QrsDetector {
public:
    // rate: samples per second, 100..2000.
    explicit QrsDetector(double rate);
    ~QrsDetector();
    QrsDetector(const QrsDetector&) = delete;
    QrsDetector& operator=(const QrsDetector&) = delete;

    // The next n samples, in mV.
    void Feed(const float* mV, size_t n);
    // No more samples: decides the beats still pending.
    void Finish();
    // The R peaks found so far, as sample numbers from the first sample fed, ascending.
    const std::vector<int64_t>& beats() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// One channel held whole.
std::vector<int64_t> DetectBeats(const float* mV, size_t n, double rate);

}  // namespace trivant
