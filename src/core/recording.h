// One recording: packed sample words, the eight unpacked series, the indices of the
// latest computed beat, value ranges, axis ranges and means. The recording window owns
// one; the file readers and the device decoder fill it.
#pragma once

#include "core_settings.h"
#include "histogram.h"
#include "sample_word.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace trivant {

constexpr int kCapacity = 32000;          // positions 1..kCapacity of every per-beat array
constexpr int kMaxBeats = kCapacity - 1;  // CurrentFileLen never exceeds kCapacity

// The eight series, in the order of SeriesNames (0-based here).
enum SeriesIndex : int {
    kSerRR = 0,  // RR in 10 ms units
    kSerSPO,     // SpO2 %
    kSerSYM,
    kSerPAR,
    kSerSDNN,  // ms
    kSerIBHi,  // bits 15..8 of IB50
    kSerIBLo,  // bits 7..0 of IB50
    kSerLbl,   // label ordinal, 0 = none
};

extern const std::array<const char*, kSeriesCount> SeriesNames;  // UTF-8

struct SeriesInfo {
    int32_t Max = 0;
    int32_t Min = 0;
    void update(int32_t v) {
        if (v >= Max)
            Max = v;
        if (v <= Min)
            Min = v;
    }
};

class Recording {
public:
    Recording();

    // Position k of series s (1-based k; position 0 always holds 0).
    uint8_t at(int s, int k) const { return DataSeries[s][k]; }
    int beats() const { return CurrentFileLen > 1 ? CurrentFileLen - 1 : 0; }
    int32_t ibAt(int k) const { return DataSeries[kSerIBHi][k] * 256 + DataSeries[kSerIBLo][k]; }

    // Marks the slot being filled as carrying a label.
    void Label();
    // Packs positions 1..CurrentFileLen into DataBuf; does nothing below 2 complete beats.
    void Pack();
    // Unpacks positions 1..CurrentFileLen - 1 from DataBuf into series 1, 2 and 8.
    void Unpack();

    void BuildHisto(int k, int sample) { buildHisto(DataSeries[kSerRR].data(), k, sample, Histo); }
    void CalcIndices(int k, const CoreSettings& cfg);
    uint8_t CalcSYM() const;
    uint8_t CalcPAR() const;
    uint8_t CalcSDNN(int k, int sample) const;
    int32_t CalcIB50(int k, const CoreSettings& cfg) const;

    // Rebuilds series, ranges, scales and means from DataBuf and CurrentFileLen.
    void PrepareData(const CoreSettings& cfg);
    void SetScales(const CoreSettings& cfg);
    void CalcAverages(int first, int last, int sample);

    std::vector<SampleWord> DataBuf;  // [0..kCapacity], position 0 unused
    int32_t CurrentFileLen = 0;       // complete beats + 1
    std::array<std::vector<uint8_t>, kSeriesCount> DataSeries;
    int32_t LabNum = 0;
    std::string Comment;  // UTF-8

    Histogram Histo;  // of the latest computed beat's window
    uint8_t SYM = 0, PAR = 0, SDNN = 0;
    int32_t IB50 = 0;

    SeriesInfo sRR, sSPO, sSYM, sPAR, sSDNN, sIB;
    int32_t ScSPO = 0, ScRR = 0, ScHRV = 4, ScIB = 5;

    int32_t averRR = 0, averSYM = 0, averPAR = 0, averSDNN = 0, averSPO = 0, averIB50 = 0;
    bool AveragesValid = false;  // the means were computed at least once

    bool RREventEnabled = false;  // true while the recording grows

private:
    // Stores the indices of h, the window of beat k, with its SYM and PAR, as the latest
    // and at position k.
    void takeIndices(const Histogram& h, uint8_t sym, uint8_t par, int k, const CoreSettings& cfg);
};

}  // namespace trivant
