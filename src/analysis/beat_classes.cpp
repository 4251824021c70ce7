// Placeholder until the classifier lands: nothing is flagged.
#include "beat_classes.h"

namespace trivant {

const char* BeatClassName(BeatClass c) {
    switch (c) {
    case BeatClass::Ectopic:
        return "ectopic";
    case BeatClass::Long:
        return "long";
    case BeatClass::Short:
        return "short";
    case BeatClass::Missed:
        return "missed";
    case BeatClass::Extra:
        return "extra";
    case BeatClass::Normal:
        break;
    }
    return "normal";
}

std::vector<BeatClass> ClassifyBeats(const std::vector<double>& rrMs) {
    return std::vector<BeatClass>(rrMs.size(), BeatClass::Normal);
}

std::vector<SeriesFix> ProposeSeriesFixes(const std::vector<double>&,
                                          const std::vector<BeatClass>&) {
    return {};
}

std::vector<double> ApplySeriesFixes(const std::vector<double>& rrMs,
                                     const std::vector<SeriesFix>&) {
    return rrMs;
}

AutoCorrection CorrectAuto(const std::vector<double>& rrMs) {
    AutoCorrection a;
    a.rr = rrMs;
    a.classes = ClassifyBeats(rrMs);
    return a;
}

}  // namespace trivant
