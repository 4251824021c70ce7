// The artifact classification judged beat after beat on the series as corrected so far, so
// that one artifact's disturbance of its neighbours' differences flags nothing more, and the
// corrections each class calls for.
#include "beat_classes.h"

#include "beat_thresholds.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace trivant {
namespace {

constexpr int kMaxPasses = 10;
constexpr size_t kLevelBeats = 3;  // beats on either side an artifact is judged against
// A missed beat's interval is nearer two intervals than one and a half; below, it is long.
constexpr double kMissedRatio = 1.75;
// How far from the level (in th1) a displaced beat's pair of intervals, or a single interval,
// must stand, and how much less its neighbours may: the published rule alone also flags
// steep but natural changes and the jitter of coarsely sampled series.
constexpr double kPairSize = 0.7;
constexpr double kSingleSize = 1.0;
constexpr double kIsolation = 0.5;
// Nor is a beat out of place by less than this share of the level: within the normal
// variation, and of no weight in the measures.
constexpr double kMinShare = 0.1;
// A merged or split interval fits the level within th2 or this share of it (th2 alone is
// too tight in a steady series).
constexpr double kFitShare = 0.2;
// A displaced beat's pair of intervals sums to at most this share of what the larger of
// them deviates alone: premature, late.
constexpr double kCompensation = 0.8;
constexpr double kLateCompensation = 0.4;
constexpr double kLeadShare = 0.4;
// Its correction keeps the pair's sum (moves the beat) when the sum fits the neighbours'
// trend within this share; otherwise (a reset rhythm) both are interpolated.
constexpr double kKeptSumShare = 0.1;
constexpr size_t kReach = 8;  // intervals a correction looks for good neighbours over
// A premature beat's interval before a longer one: the level counts the two as one value
// when the first is under this share of the second.
constexpr double kPrematureRatio = 0.8;
// Two intervals each under this share of the next: a couplet (or an extra beat) and what
// follows, two levels together.
constexpr double kCoupletRatio = 0.6;
constexpr size_t kSalvo = 3;  // short intervals a run of premature beats is followed over
// A premature beat the thresholds miss (frequent ones inflate them): its interval at least
// this share under the level, the next one above it, the two together fitting two levels.
constexpr double kPrematureShare = 0.2;

bool Flagged(BeatClass c) {
    return c != BeatClass::Normal;
}

int CountFlagged(const std::vector<BeatClass>& classes) {
    return static_cast<int>(std::count_if(classes.begin(), classes.end(), Flagged));
}

double MedianOf(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t h = v.size() / 2;
    return v.size() % 2 ? v[h] : (v[h - 1] + v[h]) / 2;
}

// The series as the scan sees it at interval n: the corrected intervals before n (what it
// has decided so far), the raw ones from n on, the local median beyond both ends. The
// published rule proposes; a beat is flagged only when one artifact explains it against
// the level of the beats around it.
class BeatScan {
public:
    BeatScan(const std::vector<double>& rr, const BeatThresholds& t) : rr_(rr), t_(t) {}

    std::vector<BeatClass> Run() {
        classes_.assign(rr_.size(), BeatClass::Normal);
        past_.reserve(rr_.size() + 1);
        pastRaw_.reserve(rr_.size() + 1);
        for (n_ = 0; n_ < rr_.size();)
            Step();
        return classes_;
    }

private:
    double At(ptrdiff_t j) const {
        const ptrdiff_t p = static_cast<ptrdiff_t>(past_.size());
        const ptrdiff_t k = p + j;
        if (k < 0)
            return t_.median.front();
        if (k < p)
            return past_[static_cast<size_t>(k)];
        const size_t i = n_ + static_cast<size_t>(k - p);
        return i < rr_.size() ? rr_[i] : t_.median.back();
    }

    BeatFeatures Features() const {
        const double th1 = t_.th1[n_];
        auto d = [&](ptrdiff_t j) { return (At(j) - At(j - 1)) / th1; };
        const double m = rr_[n_] - t_.median[n_];
        return {d(-1), d(0), d(1), d(2), (m < 0 ? 2 * m : m) / t_.th2[n_]};
    }

    // The level before the beat skip back: the median of up to three corrected intervals, a
    // premature pair counted as one.
    double PastLevel(size_t skip) const {
        std::vector<double> v;
        for (size_t k = past_.size() - std::min(skip, past_.size());
             k > 0 && v.size() < kLevelBeats;)
            v.push_back(LevelValue(past_, &pastRaw_, k, false));
        return v.empty() ? t_.median[n_] : MedianOf(v);
    }
    // The level from interval from on: the median of up to three raw intervals, likewise.
    double FutureLevel(size_t from) const {
        std::vector<double> v;
        for (size_t i = from; i < rr_.size() && v.size() < kLevelBeats;)
            v.push_back(LevelValue(rr_, nullptr, i, true));
        return v.empty() ? t_.median[n_] : MedianOf(v);
    }
    // One value of a level at i (forward) or before i (backward), i moved past it: a short
    // interval and a clearly longer one after it (a premature beat and its compensatory
    // pause) count as their mean, and ahead, a couplet with its pause as half their sum, so
    // that a run of premature beats does not drag the level down to their own intervals.
    // Only intervals as recorded (raw, when given) pair up: corrections stand for the level.
    static double LevelValue(const std::vector<double>& v, const std::vector<bool>* raw, size_t& i,
                             bool forward) {
        const size_t a = forward ? i : i - 1;
        const size_t first = forward ? a : a - 1;
        const bool pair =
            (forward ? i + 1 < v.size() : i >= 2) && (!raw || ((*raw)[first] && (*raw)[first + 1]));
        if (forward && i + 2 < v.size() && std::max(v[i], v[i + 1]) < kCoupletRatio * v[i + 2]) {
            i += 3;
            return (v[i - 3] + v[i - 2] + v[i - 1]) / 2;
        }
        if (pair && v[first] < kPrematureRatio * v[first + 1]) {
            i = forward ? i + 2 : i - 2;
            return (v[first] + v[first + 1]) / 2;
        }
        i = forward ? i + 1 : i - 1;
        return v[a];
    }

    void Push(double v, bool raw) {
        past_.push_back(v);
        pastRaw_.push_back(raw);
    }
    void Flag(BeatClass kind, size_t at) { classes_[at] = kind; }

    void Step() {
        const double r0 = rr_[n_];
        if (!Explain(ApplyPaperRule(Features()) != PaperRule::None)) {
            Push(r0, true);
            ++n_;
        }
    }

    // What the artifacts are judged by at interval n: its thresholds, it and the next, and
    // the level of the beats around one interval or two from n on.
    struct Context {
        double th1, th2, r0, r1, ref1, ref2;
        bool hasNext;
    };

    // The artifact that explains interval n, flagged and corrected in the past; false when
    // none does. Without the published rule's proposal only a premature beat may.
    bool Explain(bool proposed) {
        Context c{};
        c.th1 = t_.th1[n_];
        c.th2 = t_.th2[n_];
        c.r0 = rr_[n_];
        c.hasNext = n_ + 1 < rr_.size();
        c.r1 = c.hasNext ? rr_[n_ + 1] : t_.median.back();
        const double before = PastLevel(0);
        c.ref1 = (before + FutureLevel(n_ + 1)) / 2;
        c.ref2 = (before + FutureLevel(n_ + 2)) / 2;
        if (!proposed)
            return TryPremature(c);
        return TryBeatCount(c) || TryPremature(c) || TryPair(c) || TrySingle(c);
    }

    bool PastRaw() const { return !pastRaw_.empty() && pastRaw_.back(); }

    // A beat missed (the interval nearer two than one and a half of the level, and fitting
    // two) or an extra one (two short intervals that together fit one, this one and the next
    // or the one before).
    // By share alone where premature beats are told apart: frequent ones raise th2 too.
    bool Fits(double v, double ref, bool byShare = false) const {
        return std::fabs(v - ref) < std::max(byShare ? 0 : t_.th2[n_], kFitShare * ref);
    }
    bool MissedAt(double r, double ref, bool byShare = false) const {
        return r > kMissedRatio * ref && Fits(r / 2, ref, byShare);
    }
    bool ExtraAt(double r, double next, double ref, bool byShare = false) const {
        return r < ref && next < ref && Fits(r + next, ref, byShare);
    }
    // The next interval starts a missed or an extra beat: this one is not its pair.
    // By share, two short ones before a pause are a salvo's.
    bool BeatCountAhead(const Context& c, bool byShare = false) const {
        const bool extra = n_ + 2 < rr_.size() && ExtraAt(c.r1, rr_[n_ + 2], c.ref2, byShare) &&
                           !(byShare && PauseAfterRun(n_ + 3, c.ref2, kMinShare));
        return extra || MissedAt(c.r1, c.ref2, byShare);
    }
    // The next interval starts a premature beat's pair: this one, long, is no late beat.
    bool PrematureAhead(const Context& c) const {
        return n_ + 2 < rr_.size() &&
               Premature(c.r0, c.r1, rr_[n_ + 2], (PastLevel(0) + FutureLevel(n_ + 3)) / 2);
    }

    // A long interval after a premature one (as recorded) is its compensatory pause, and two
    // short ones before a pause (after a few more short ones, a salvo) a run of premature
    // beats: neither a beat missed nor one too many.
    bool Compensates(const Context& c) const {
        return PastRaw() &&
               Premature(At(-2), past_.back(), c.r0, (PastLevel(1) + FutureLevel(n_ + 1)) / 2);
    }
    bool Couplet(const Context& c, double pause = kPrematureShare) const {
        return PauseAfterRun(n_ + 2, c.ref2, pause) > 0;
    }
    // The interval from from on that ends a run of short ones, when it is longer than the
    // level by pause; 0 when none does within a salvo's length.
    size_t PauseAfterRun(size_t from, double ref, double pause) const {
        size_t j = from;
        while (j < rr_.size() && j < from + kSalvo && rr_[j] < (1 - kPrematureShare) * ref)
            ++j;
        return j < rr_.size() && rr_[j] > (1 + pause) * ref ? j : 0;
    }

    bool TryBeatCount(const Context& c) {
        if (MissedAt(c.r0, c.ref1) && !Compensates(c)) {
            Flag(BeatClass::Missed, n_++);
            Push(c.r0 / 2, false);
            Push(c.r0 / 2, false);
            return true;
        }
        if (c.hasNext && ExtraAt(c.r0, c.r1, c.ref2) && !Couplet(c)) {
            Flag(BeatClass::Extra, n_);
            Push(c.r0 + c.r1, false);
            n_ += 2;
            return true;
        }
        const double p = PastRaw() ? past_.back() : 0;
        if (p > 0 && ExtraAt(p, c.r0, c.ref1)) {
            Flag(BeatClass::Extra, n_ - 1);
            past_.back() = p + c.r0;
            pastRaw_.back() = false;
            ++n_;
            return true;
        }
        return false;
    }

    // A displaced beat: the pair that ends at it (this interval and the next, or the one
    // before and this), deviating in opposite directions, each by enough. A premature beat
    // (the short interval first) needs its sum clearly less off than the larger alone (a
    // premature atrial beat resets the rhythm and compensates only in part) and its first
    // interval not much the smaller (what comes before a premature beat is no part of it);
    // a beat placed late (the long one first) is only a displacement, compensated in full.
    // The lower the score, the better; 1 is none.
    bool TryPair(const Context& c) {
        auto score = [&](double first, double second, double ref) {
            const double x = first - ref, y = second - ref;
            const double least = std::min(std::fabs(x), std::fabs(y));
            if (!(x * y < 0) || least <= std::max(kPairSize * c.th1, kMinShare * ref) ||
                std::fabs(x) < kLeadShare * std::fabs(y))
                return 1.0;
            const double share = x < 0 ? kCompensation : kLateCompensation;
            return std::fabs(x + y) / (share * std::max(std::fabs(x), std::fabs(y)));
        };
        const bool ahead = BeatCountAhead(c) || PrematureAhead(c);
        const double forward = c.hasNext && !ahead ? score(c.r0, c.r1, c.ref2) : 1;
        const double backRef = (PastLevel(1) + FutureLevel(n_ + 1)) / 2;
        const double backward = PastRaw() ? score(past_.back(), c.r0, backRef) : 1;
        if (std::min(forward, backward) >= 1)
            return false;
        if (forward <= backward) {
            PushPair(c.r0, c.r1);
        } else {
            const double mid = (past_.back() + c.r0) / 2;
            Flag(BeatClass::Ectopic, n_ - 1);
            past_.back() = mid;
            pastRaw_.back() = false;
            Push(mid, false);
            ++n_;
        }
        return true;
    }

    // A premature beat and its compensatory pause, told by the level alone: frequent premature
    // beats (a bigeminy) raise the thresholds until the pairs no longer stand out from them.
    // Premature is early at once, short of the interval before it too: the swings of a
    // sinus arrhythmia shorten the intervals beat by beat.
    static bool Early(double before, double r, double ref) {
        return r < (1 - kPrematureShare) * ref && r < (1 - kMinShare) * before;
    }
    bool Premature(double before, double first, double second, double ref) const {
        return Early(before, first, ref) && second > (1 + kMinShare) * ref &&
               Fits((first + second) / 2, ref, true);
    }
    // The pair interpolated; the first of a run of premature beats (a couplet, a salvo) on
    // its own, the last with its pause. Two short intervals that together fit one (by share:
    // th2 grows with frequent ectopy) are an extra beat's, unless a pause follows.
    bool TryPremature(const Context& c) {
        if (!c.hasNext || BeatCountAhead(c, true))
            return false;
        if (Premature(At(-1), c.r0, c.r1, c.ref2)) {
            PushPair(c.r0, c.r1);
            return true;
        }
        // Short of the level behind too: a long interval ahead (a missed beat) raises ref2.
        const double ref = std::min(c.ref2, PastLevel(0));
        const bool extra =
            std::fabs(c.r0 + c.r1 - c.ref2) < kFitShare * c.ref2 && !Couplet(c, kMinShare);
        if (!Early(At(-1), c.r0, ref) || c.r1 >= (1 - kPrematureShare) * ref || extra)
            return false;
        const bool couplet = PauseAfterRun(n_ + 2, c.ref2, kMinShare) == n_ + 2;
        Flag(BeatClass::Short, n_++);
        Push(c.ref2, false);
        if (couplet)
            PushPair(c.r1, rr_[n_ + 1]);
        return true;
    }
    void PushPair(double first, double second) {
        const double mid = (first + second) / 2;
        Flag(BeatClass::Ectopic, n_);
        Push(mid, false);
        Push(mid, false);
        n_ += 2;
    }

    // One interval too long or short, standing out from its neighbours that do not.
    bool TrySingle(const Context& c) {
        const double a = c.r0 - c.ref1;
        const double around = std::max(std::fabs(c.r1 - c.ref1), std::fabs(At(-1) - c.ref1));
        if (std::fabs(a) <= std::max(kSingleSize * c.th1, kMinShare * c.ref1) ||
            around >= kIsolation * std::fabs(a))
            return false;
        Flag(a > 0 ? BeatClass::Long : BeatClass::Short, n_++);
        Push(c.ref1, false);
        return true;
    }

    const std::vector<double>& rr_;
    const BeatThresholds& t_;
    std::vector<BeatClass> classes_;
    std::vector<double> past_;
    std::vector<bool> pastRaw_;  // past_[k] is an interval as recorded, not a correction
    size_t n_ = 0;
};

// Intervals the corrections may interpolate from: not flagged, and not the second interval
// of an ectopic or extra beat.
std::vector<bool> GoodIntervals(const std::vector<BeatClass>& classes) {
    const size_t n = classes.size();
    std::vector<bool> good(n, true);
    for (size_t i = 0; i < n; ++i) {
        if (!Flagged(classes[i]))
            continue;
        good[i] = false;
        const bool paired = classes[i] == BeatClass::Ectopic || classes[i] == BeatClass::Extra;
        if (paired && i + 1 < n && !Flagged(classes[i + 1]))
            good[i + 1] = false;
    }
    return good;
}

// Intervals first..first + count - 1 interpolated linearly between the nearest good ones on
// either side within reach; empty when there is none on either (a run of artifacts that
// long has nothing near to be corrected from).
std::vector<double> Interpolated(const std::vector<double>& rr, const std::vector<bool>& good,
                                 size_t first, size_t count) {
    std::optional<size_t> left, right;
    for (size_t j = first; j-- > 0 && j + kReach >= first;)
        if (good[j]) {
            left = j;
            break;
        }
    const size_t end = first + count;
    for (size_t j = end; j < rr.size() && j < end + kReach; ++j)
        if (good[j]) {
            right = j;
            break;
        }
    if (!left && !right)
        return {};
    std::vector<double> out;
    for (size_t i = first; i < first + count; ++i) {
        if (!left || !right) {
            out.push_back(rr[left ? *left : *right]);
            continue;
        }
        const double share = static_cast<double>(i - *left) / static_cast<double>(*right - *left);
        out.push_back(rr[*left] + (rr[*right] - rr[*left]) * share);
    }
    return out;
}

// The intervals around a displaced beat, interpolated, and when their sum fits the trend,
// scaled to keep it: the beat moved, the beats before and after it left where they are.
std::vector<double> Rebalanced(const std::vector<double>& rr, const std::vector<bool>& good,
                               size_t first) {
    std::vector<double> v = Interpolated(rr, good, first, 2);
    const double sum = rr[first] + rr[first + 1];
    if (v.size() != 2 || !(v[0] > 0 && v[1] > 0))
        return {sum / 2, sum / 2};
    const double trend = v[0] + v[1];
    if (std::fabs(sum - trend) < kKeptSumShare * trend)
        return {v[0] * sum / trend, v[1] * sum / trend};
    return v;
}

bool Usable(const std::vector<double>& values) {
    return std::all_of(values.begin(), values.end(),
                       [](double v) { return std::isfinite(v) && v > 0; });
}

}  // namespace

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
    if (rrMs.size() < 2)
        return std::vector<BeatClass>(rrMs.size(), BeatClass::Normal);
    std::vector<double> rr(rrMs.size());
    std::transform(rrMs.begin(), rrMs.end(), rr.begin(),
                   [](double v) { return std::isfinite(v) ? v : 0.0; });
    const BeatThresholds t = ComputeBeatThresholds(rr);
    return BeatScan(rr, t).Run();
}

std::vector<SeriesFix> ProposeSeriesFixes(const std::vector<double>& rrMs,
                                          const std::vector<BeatClass>& classes) {
    const size_t n = std::min(rrMs.size(), classes.size());
    const std::vector<bool> good = GoodIntervals(classes);
    std::vector<SeriesFix> fixes;
    for (size_t i = 0; i < n; ++i) {
        const BeatClass kind = classes[i];
        if (!Flagged(kind))
            continue;
        const bool paired = i + 1 < n && !Flagged(classes[i + 1]);
        SeriesFix fix{i, 1, {}, kind};
        if (kind == BeatClass::Extra && paired) {
            fix.count = 2;
            fix.values = {rrMs[i] + rrMs[i + 1]};
        } else if (kind == BeatClass::Missed) {
            fix.values = {rrMs[i] / 2, rrMs[i] / 2};
        } else if (kind == BeatClass::Ectopic && paired) {
            fix.count = 2;
            fix.values = Rebalanced(rrMs, good, i);
        } else {
            fix.values = Interpolated(rrMs, good, i, 1);
        }
        if (fix.values.empty() || !Usable(fix.values))
            continue;
        i += fix.count - 1;
        fixes.push_back(std::move(fix));
    }
    return fixes;
}

std::vector<double> ApplySeriesFixes(const std::vector<double>& rrMs,
                                     const std::vector<SeriesFix>& fixes) {
    std::vector<double> out;
    out.reserve(rrMs.size() + fixes.size());
    size_t next = 0;  // the first interval not yet copied or replaced
    for (const SeriesFix& fix : fixes) {
        if (fix.first < next || fix.count == 0 || fix.first + fix.count > rrMs.size())
            continue;  // out of order, overlapping or out of range: not this series' fix
        out.insert(out.end(), rrMs.begin() + static_cast<ptrdiff_t>(next),
                   rrMs.begin() + static_cast<ptrdiff_t>(fix.first));
        out.insert(out.end(), fix.values.begin(), fix.values.end());
        next = fix.first + fix.count;
    }
    out.insert(out.end(), rrMs.begin() + static_cast<ptrdiff_t>(next), rrMs.end());
    return out;
}

AutoCorrection CorrectAuto(const std::vector<double>& rrMs) {
    AutoCorrection a;
    a.rr = rrMs;
    a.classes = ClassifyBeats(rrMs);
    a.flagged = CountFlagged(a.classes);
    std::vector<BeatClass> classes = a.classes;
    int flagged = a.flagged;
    for (int pass = 0; pass < kMaxPasses && flagged > 0; ++pass) {
        const std::vector<SeriesFix> fixes = ProposeSeriesFixes(a.rr, classes);
        if (fixes.empty())
            break;
        a.rr = ApplySeriesFixes(a.rr, fixes);
        a.corrected += static_cast<int>(fixes.size());
        classes = ClassifyBeats(a.rr);
        const int now = CountFlagged(classes);
        if (now >= flagged)
            break;
        flagged = now;
    }
    return a;
}

}  // namespace trivant
