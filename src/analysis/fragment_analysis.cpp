// Resampling, the per-second overview, the fragment's beats, and the whole analysis.
#include "fragment_analysis.h"

#include "time_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace trivant {

void InitSpectrumTables(std::vector<double>& cosT, std::vector<double>& sinT,
                        std::vector<double>& window);

AnalysisBuffers::AnalysisBuffers() : RRSource(kCapacity, 0), ResampleBuf(kResampleCapacity, 0) {
    InitSpectrumTables(cosTable_, sinTable_, window_);
}

ResampleResult AnalysisBuffers::ResampleRR(int first, int count) {
    ResampleResult r;
    count = std::min(count, static_cast<int>(RRSource.size()));
    first = std::max(first, 0);
    for (int i = first; i < count; ++i)
        r.total += RRSource[i];
    if (r.total < kFragmentSamples)
        return r;
    r.enough = true;
    int64_t p = 0;
    for (int i = first + 1; i < count; ++i) {
        const int c = RRSource[i];  // the interval lasts c steps of 0.01 s
        if (c == 0)
            continue;
        const double prev = RRSource[i - 1];
        const double step = (RRSource[i] - prev) / c;
        // The buffer holds the first 30 000 s; what lies beyond is left out.
        const int64_t n = std::min<int64_t>(c, kResampleCapacity - p);
        for (int64_t j = 0; j < n; ++j)
            ResampleBuf[p + j] = j * step + prev;
        p += n;
        if (p >= kResampleCapacity)
            break;
    }
    r.length = p;
    return r;
}

void AnalysisBuffers::CutFragment(int startS, int64_t length) {
    const int64_t from = int64_t(startS) * 100;
    const double last = length > 0 ? ResampleBuf[length - 1] : 0;
    for (int64_t t = 0; t <= kFragmentSamples; ++t)
        ResampleBuf[t] = from + t < length ? ResampleBuf[from + t] : last;
}

Overview MakeOverview(const double* samples, int64_t length) {
    Overview o;
    o.BufLen = static_cast<int>(std::min<int64_t>(length / 100, kMaxOverviewSeconds));
    o.RRViewBuf.assign(o.BufLen + 1, 0);
    for (int s = 1; s <= o.BufLen; ++s) {
        int64_t sum = 0;
        for (int64_t i = 100 * int64_t(s - 1); i < 100 * int64_t(s); ++i)
            sum += static_cast<int64_t>(std::nearbyint(samples[i]));
        o.RRViewBuf[s] = static_cast<uint8_t>(std::clamp<int64_t>(sum / 100, 0, 255));
    }
    return o;
}

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

std::string FragmentCaption(const std::string& windowCaption, const FragmentReport& r) {
    return windowCaption + " Фрагмент " + std::to_string(r.FrPos) + "-" + std::to_string(r.FrEnd) +
           " (" + TimeTextHundredths(r.startHundredths) + "-" +
           TimeTextHundredths(r.startHundredths + kFragmentSamples) + ")";
}

ResampleResult PrepareAnalysis(const Recording& rec, AnalysisBuffers& buf) {
    std::fill(buf.RRSource.begin(), buf.RRSource.end(), uint8_t{0});
    for (int k = 1; k <= rec.beats(); ++k)
        buf.RRSource[k - 1] = rec.at(kSerRR, k);
    return buf.ResampleRR(0, rec.CurrentFileLen);
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
    const int bufLen =
        static_cast<int>(std::min<int64_t>(resampled.length / 100, kMaxOverviewSeconds));
    if (!resampled.enough || fragPos < 0 || bufLen < fragPos + kFragmentSeconds) {
        if (error)
            *error = resampled.enough ? "the fragment from second " + std::to_string(fragPos) +
                                            " runs past the recording (" + std::to_string(bufLen) +
                                            " s can be analysed)"
                                      : "fewer than 300 s of intervals";
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
    FrHisto(out);
    FrHisto50(out);
    CountStat(out);
    buf.CutFragment(fragPos, resampled.length);
    for (int t = 1; t <= kFragmentSamples; ++t)
        out.FrYBuf[t] =
            static_cast<uint8_t>(std::clamp(std::nearbyint(buf.ResampleBuf[t]), 0.0, 255.0));
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
