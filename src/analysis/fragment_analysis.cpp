// The fragment's beats, its caption, and the whole analysis.
#include "fragment_analysis.h"

#include "round_even.h"
#include "time_text.h"
#include "tr_noop.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace trivant {

FragmentBounds LocateFragment(const Recording& rec, int fragPos) {
    FragmentBounds b;
    const int n = rec.beats();
    if (n < 1)
        return b;
    int64_t start = 0;  // S(k), the start of beat k
    int k = 1;
    while (k < n && start < 100 * int64_t(fragPos))
        start += rec.at(kSerRR, k++);
    b.FrPos = k;
    b.startHundredths = start;
    // The end: the first beat at least 300 s later, or the last beat; never past it.
    int m = k;
    int64_t s = start;
    while (m < n && (m == k || s - start < kFragmentSamples))
        s += rec.at(kSerRR, m++);
    b.FrEnd = m;
    return b;
}

const char* const kFragmentWord = QT_TRANSLATE_NOOP("Messages", "Фрагмент");

std::string FragmentCaption(const std::string& windowCaption, const FragmentReport& r,
                            const std::string& fragmentWord) {
    return windowCaption + " " + fragmentWord + " " + std::to_string(r.FrPos) + "-" +
           std::to_string(r.FrEnd) + " (" + TimeTextHundredths(r.startHundredths) + "-" +
           TimeTextHundredths(r.startHundredths + kFragmentSamples) + ")";
}

ResampleResult PrepareAnalysis(const Recording& rec, AnalysisBuffers& buf) {
    std::fill(buf.RRSource.begin(), buf.RRSource.end(), uint8_t{0});
    buf.RRSource.resize(std::max<size_t>(buf.RRSource.size(), static_cast<size_t>(rec.beats())), 0);
    for (int k = 1; k <= rec.beats(); ++k)
        buf.RRSource[k - 1] = rec.at(kSerRR, k);
    return buf.MeasureSignal(rec.CurrentFileLen);
}

int SaturatedRound(double v) {
    if (std::isnan(v))
        return 0;
    const double lim = std::numeric_limits<int>::max();
    return static_cast<int>(std::nearbyint(std::clamp(v, -lim, lim)));
}

namespace {

void copySpectrum(const AnalysisBuffers& buf, FragmentReport& out) {
    out.FrSpecBuf = buf.Spectrum;
    const BandResults& b = buf.Bands;
    const auto r = SaturatedRound;
    out.FrVLF = r(b.VLF);
    out.FrLF = r(b.LF);
    out.FrHF = r(b.HF);
    out.FrTotalPower = r(b.TP);
    out.FrLFnorm = r(b.LFnorm);
    out.FrHFnorm = r(b.HFnorm);
    out.FrLFdivHF = r(100 * b.LFdivHF);
}

}  // namespace

bool MeasureFragment(const Recording& rec, int fragPos, const ResampleResult& resampled,
                     AnalysisBuffers& buf, FragmentReport& out, std::string* error) {
    const int bufLen = static_cast<int>(resampled.length / 100);
    if (!resampled.enough || fragPos < 0 || bufLen < fragPos + kFragmentSeconds) {
        if (error)
            *error = resampled.enough
                         ? "the fragment from second " + std::to_string(fragPos) +
                               " runs past the recording (" + std::to_string(bufLen) +
                               " s can be analysed; the latest start is " +
                               std::to_string(std::max(0, bufLen - kFragmentSeconds)) + ")"
                         : "the recording holds " + std::to_string(resampled.total / 100) +
                               " s of intervals; the analysis needs at least " +
                               std::to_string(kFragmentSeconds);
        return false;
    }
    out = FragmentReport();
    const FragmentBounds b = LocateFragment(rec, fragPos);
    out.FrPos = b.FrPos;
    out.FrEnd = b.FrEnd;
    out.startHundredths = b.startHundredths;
    // The copied intervals are one later than those that located the fragment, matching the
    // resampled signal, whose time 0 is the end of the first interval.
    for (int k = 1; k <= out.intervals(); ++k)
        out.FrRRBuf[k] = rec.at(kSerRR, out.FrPos + k);
    if (rec.hasExact()) {
        out.FrExactUs.assign(static_cast<size_t>(out.intervals()) + 1, 0);
        for (int k = 1; k <= out.intervals(); ++k)
            out.FrExactUs[static_cast<size_t>(k)] =
                static_cast<int32_t>(rec.intervalUs(out.FrPos + k));
    }
    FrHisto(out);
    FrHisto50(out);
    CountStat(out);
    buf.CutFragment(fragPos, resampled);
    for (int t = 1; t <= kFragmentSamples; ++t)
        out.FrYBuf[t] =
            static_cast<uint8_t>(std::min(std::max(RoundHalfEven(buf.FragmentBuf[t]), 0.0), 255.0));
    return true;
}

bool AnalyzeFragment(const Recording& rec, int fragPos, const ResampleResult& resampled,
                     AnalysisBuffers& buf, FragmentReport& out, std::string* error) {
    if (!MeasureFragment(rec, fragPos, resampled, buf, out, error))
        return false;
    buf.CountSpectrum();
    copySpectrum(buf, out);
    return true;
}

}  // namespace trivant
