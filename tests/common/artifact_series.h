// A smooth RR series (10 ms units, as the .rr format and the window's series keep them) with
// artifacts whose kinds leave no doubt: one missed beat (two intervals as one), one extra
// (an interval split), one ectopic pair (premature, then the compensatory pause).
#pragma once

#include "beat_classes.h"
#include "recording.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace trivant::test {

struct InjectedArtifact {
    int beat;  // 1-based interval position in the series with the artifacts
    BeatClass kind;
};

struct ArtifactSeries {
    std::vector<int> clean, rr;
    std::vector<InjectedArtifact> injected;  // ascending
};

inline ArtifactSeries MakeArtifactSeries(int n = 300) {
    ArtifactSeries s;
    for (int i = 0; i < n; ++i)
        s.clean.push_back(80 + static_cast<int>(std::lround(3 * std::sin(i * 6.2831853 / 25))));
    s.rr = s.clean;
    // Back to front, so the earlier positions stay as they are.
    const int ectopic = 2 * n / 3, extra = n / 2, missed = n / 4;
    s.rr[ectopic] = s.clean[ectopic] * 3 / 4;
    s.rr[ectopic + 1] = s.clean[ectopic + 1] + s.clean[ectopic] - s.rr[ectopic];
    s.rr.insert(s.rr.begin() + extra + 1, s.clean[extra] - 30);
    s.rr[extra] = 30;
    s.rr[missed] += s.rr[missed + 1];
    s.rr.erase(s.rr.begin() + missed + 1);
    s.injected = {{missed + 1, BeatClass::Missed},
                  {extra, BeatClass::Extra},  // one earlier: the missed beat took one out
                  {ectopic + 1, BeatClass::Ectopic}};
    return s;
}

// The series as the window keeps it, to compare before and after an edit or its undo.
inline std::vector<int64_t> intervals(const Recording& rec) {
    std::vector<int64_t> us;
    for (int k = 1; k <= rec.beats(); ++k)
        us.push_back(rec.intervalUs(k));
    return us;
}

}  // namespace trivant::test
