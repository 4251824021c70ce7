// The resonance-frequency protocol: the pacer leads a list of rates one after another, some
// minutes each, stepped by the recording's beat time rather than the wall clock.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace trivant {

constexpr double kResonanceDefaultRates[] = {6.5, 6.0, 5.5, 5.0, 4.5};  // breaths per minute
constexpr double kResonanceDefaultMinutes = 2;

struct ResonancePlan {
    std::vector<double> ratesBpm;
    double minutes = kResonanceDefaultMinutes;  // at each rate, > 0
};

struct ProtocolStep {
    size_t index = 0;  // of the rate leading now; the count of rates once done
    bool done = false;
    double leftS = 0;  // until the next step, 0 once done
};

// Where the protocol stands elapsedS of beat time after it started (before it: at step 0).
// Step i leads from i * minutes * 60 s up to the next one, as PlannedSegments lays them out.
ProtocolStep StepAt(const ResonancePlan& plan, double elapsedS);

// Why a list of rates was refused.
enum class RatesError { None, Empty, NotNumber, OutOfRange, OffGrid };

struct ParsedRates {
    std::vector<double> ratesBpm;
    RatesError error = RatesError::None;
    std::string bad;  // the item refused
};

// Rates typed as "6,5; 6; 5,5" or "6.5 6 5.5" or "6.5,6,5.5": items part at ';' or blanks,
// and at ',' too when the text has no ';' but a '.'; otherwise ',' is the decimal mark. Each
// must lie within the pacer's 3..10 on its 0.5 grid.
ParsedRates ParseRates(const std::string& text);

// The name of the label a rate change puts on the recording ("темп 6.5").
std::string RateLabelName(double rateBpm);

}  // namespace trivant
