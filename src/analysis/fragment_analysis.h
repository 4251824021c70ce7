// Analysis of a 5-minute fragment of a recording: the 100 Hz signal of the intervals, the
// per-second overview, the location of the fragment's beats, time-domain statistics and
// the power spectrum with its bands. Plain C++ on plain arrays; the buffers are allocated
// once and only the fragment's samples are ever computed.
#pragma once

#include "recording.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace trivant {

constexpr int kFragmentSamples = 30000;  // 300 s at 0.01 s
constexpr int kFragmentSeconds = 300;
constexpr int kSpectrumBins = 150;  // 1/300 Hz .. 0.5 Hz

// The signal of RRSource[0 .. count-1] (10 ms units) at 100 Hz: interval i (from 1) gives
// RRSource[i] samples rising linearly from RRSource[i - 1]; time 0 is the end of the first
// interval. It runs to the end of the recording: only the samples asked for are computed.
struct ResampleResult {
    bool enough = false;  // the intervals add up to at least 300 s
    int64_t total = 0;    // sum of the intervals, 10 ms units
    int64_t length = 0;   // samples: total less the first interval
    int count = 0;        // intervals the signal is made of
};

struct BandResults {
    double VLF = 0, LF = 0, HF = 0, TP = 0;  // ms^2 (after the final scaling by 1000)
    double LFnorm = 0, HFnorm = 0, LFdivHF = 0;
};

// Band powers and their ratios from Spectrum[1..150].
BandResults CountBands(const std::array<double, kSpectrumBins + 1>& spectrum);

class RealFft;

// The buffers of one analysis at a time; reused by every analysis of their owner.
class AnalysisBuffers {
public:
    AnalysisBuffers();
    ~AnalysisBuffers();
    AnalysisBuffers(const AnalysisBuffers&) = delete;
    AnalysisBuffers& operator=(const AnalysisBuffers&) = delete;

    // The signal of RRSource[0 .. count-1]; length is 0 unless it lasts 300 s.
    ResampleResult MeasureSignal(int count) const;
    // FragmentBuf[t] = sample startS * 100 + t of the signal, t = 0..30000; a sample past
    // its end repeats the last one.
    void CutFragment(int startS, const ResampleResult& signal);
    // Power spectrum of FragmentBuf[0 .. 29999]: mean removed, Blackman window, transform
    // at k/300 Hz for k = 1..150; fills Spectrum[1..150] and Bands.
    void CountSpectrum();

    std::vector<uint8_t> RRSource;                     // kCapacity or more entries, 0-based
    std::vector<double> FragmentBuf;                   // kFragmentSamples + 1
    std::array<double, kSpectrumBins + 1> Spectrum{};  // 1-based
    BandResults Bands;

private:
    std::unique_ptr<RealFft> fft_;
};

// Per-second overview of the signal: the mean of each complete run of 100 samples, each
// sample rounded first, div 100. Index 0 is unused; BufLen entries follow.
struct Overview {
    std::vector<uint8_t> RRViewBuf;  // [0 .. BufLen]
    int BufLen = 0;
};
Overview MakeOverview(const AnalysisBuffers& buf, const ResampleResult& signal);

// Beats of the fragment that starts at second fragPos: FrPos is the first beat starting at
// or after it, FrEnd the first beat at least 300 s later, or the last beat when none is.
struct FragmentBounds {
    int FrPos = 0, FrEnd = 0;
    int64_t startHundredths = 0;  // S(FrPos), the start of beat FrPos
};
FragmentBounds LocateFragment(const Recording& rec, int fragPos);

// The report's numbers, under the names the report window shows them by.
struct FragmentReport {
    int FrPos = 0, FrEnd = 0;
    std::vector<uint8_t> FrRRBuf = std::vector<uint8_t>(kCapacity + 1, 0);  // 1-based
    // The same intervals exact, in microseconds, 1-based; empty when the recording has only
    // 10 ms values. Only the standard measures read them.
    std::vector<int32_t> FrExactUs;
    std::array<int, 256> FrHistoBuf{}, FrHistoBuf50{};
    int FrHistoLeft = 0, FrHistoRight = 0, FrAMo = 0, FrModa = 0, FrDX = 0;
    int FrHistoLeft50 = 0, FrHistoRight50 = 0, FrAMo50 = 0, FrModa50 = 0, FrDX50 = 0;
    int FrSDNN = 0, FrRMSSD = 0, FrNN50 = 0, FrpNN50 = 0, FrBPM = 0, FrIB50 = 0;
    int FrHRV = 0, FrTINN = 0, FrAMo_pr = 0;
    std::vector<uint8_t> FrYBuf = std::vector<uint8_t>(kFragmentSamples + 1, 0);  // 1-based
    std::array<double, kSpectrumBins + 1> FrSpecBuf{};                            // 1-based
    int FrVLF = 0, FrLF = 0, FrHF = 0, FrTotalPower = 0, FrLFnorm = 0, FrHFnorm = 0;
    int FrLFdivHF = 0;            // hundredths
    int64_t startHundredths = 0;  // the fragment's start in the recording
    int intervals() const { return FrEnd - FrPos; }
};

void FrHisto(FragmentReport& r);
void FrHisto50(FragmentReport& r);
void CountSDNN(FragmentReport& r);
void CountRMSSD(FragmentReport& r);
void CountNN50(FragmentReport& r);
inline void CountStat(FragmentReport& r) {
    CountSDNN(r);
    CountRMSSD(r);
    CountNN50(r);
}

// "rec.rr Фрагмент 1-351 (00:00:00-00:05:00)"
extern const char* const kFragmentWord;  // "Фрагмент", translated by the application
std::string FragmentCaption(const std::string& windowCaption, const FragmentReport& r,
                            const std::string& fragmentWord = kFragmentWord);

// The nearest int; beyond the int range the nearest end of it, NaN as 0. A ratio over a
// near-zero HF power can be that large.
int SaturatedRound(double v);

// Everything of the analysis but the spectrum: locate, statistics and cut.
bool MeasureFragment(const Recording& rec, int fragPos, const ResampleResult& resampled,
                     AnalysisBuffers& buf, FragmentReport& out, std::string* error);

// The analysis after the start was chosen: locate, statistics, cut and spectrum.
// PrepareAnalysis must have run on this recording. Returns false, with a message in English,
// when the fragment does not fit (fewer than 300 overview seconds from fragPos).
bool AnalyzeFragment(const Recording& rec, int fragPos, const ResampleResult& resampled,
                     AnalysisBuffers& buf, FragmentReport& out, std::string* error);

// Fills RRSource from the recording and measures its signal.
ResampleResult PrepareAnalysis(const Recording& rec, AnalysisBuffers& buf);

}  // namespace trivant
