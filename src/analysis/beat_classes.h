// Automatic artifact classification and correction after Lipponen & Tarvainen (2019): the
// successive differences against a time-varying threshold, the difference from the local
// median, and the subspaces that tell ectopic, long, short, missed and extra beats apart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace trivant {

enum class BeatClass : uint8_t { Normal, Ectopic, Long, Short, Missed, Extra };

// "ectopic", "long", "short", "missed", "extra"; "normal" for Normal.
const char* BeatClassName(BeatClass c);

// One pass over r_1..r_N (ms): the class of every interval, index i for r_(i+1). An extra
// beat is the interval that ends at it (merged with the next), a missed one the long interval
// it lies in.
std::vector<BeatClass> ClassifyBeats(const std::vector<double>& rrMs);

// One correction: the intervals first..first + count - 1 replaced by values. Extra: two
// intervals become their sum; missed: one becomes two halves; ectopic: the displaced beat's
// two intervals interpolated; long and short: one interpolated between its neighbours.
struct SeriesFix {
    size_t first = 0;
    size_t count = 1;
    std::vector<double> values;
    BeatClass kind = BeatClass::Normal;
};

// The corrections of one pass's classes, ascending and not overlapping.
std::vector<SeriesFix> ProposeSeriesFixes(const std::vector<double>& rrMs,
                                          const std::vector<BeatClass>& classes);
// rr with fixes (as ProposeSeriesFixes gives them) applied.
std::vector<double> ApplySeriesFixes(const std::vector<double>& rrMs,
                                     const std::vector<SeriesFix>& fixes);

struct AutoCorrection {
    std::vector<double> rr;          // corrected
    std::vector<BeatClass> classes;  // of the input's intervals, first pass
    int flagged = 0;                 // of the input, first pass
    int corrected = 0;               // fixes applied over every pass
};
// Classifies and corrects, again and again while the count of flagged beats falls.
AutoCorrection CorrectAuto(const std::vector<double>& rrMs);

}  // namespace trivant
