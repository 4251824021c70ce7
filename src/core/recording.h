// One recording: packed sample words, the eight unpacked series, the indices of the
// latest computed beat, value ranges, axis ranges and means. The recording window owns
// one; the file readers and the device decoder fill it.
#pragma once

#include "clock_time.h"
#include "core_settings.h"
#include "histogram.h"
#include "sample_word.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace trivant {

// The .rr and text formats and the pulse device hold kCapacity positions, so at most kMaxBeats
// beats; every per-beat array has at least kCapacity + 1 positions.
constexpr int kCapacity = 32000;
constexpr int kMaxBeats = kCapacity - 1;
// Lists, CSV files and straps may give more, up to a week at 100/min.
constexpr int kMaxRecordingBeats = 1000000;

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

// How a beat of a reviewed recording differs from the one recorded (beat_edit.h).
enum class BeatEdit : uint8_t { None = 0, Interpolated, Inserted, Moved };

// A beat taken out by review: its interval merged into the next one's, kept so it can be put
// back and saved.
struct DeletedBeat {
    int32_t us = 0;           // its interval when it was deleted
    int32_t originalUs = -1;  // as recorded, where it had changed before
    SampleWord word = 0;
    uint8_t labelSpO2 = kLabelMark;
    std::string name;
    int64_t sample = -1;
    bool operator==(const DeletedBeat& o) const {
        return us == o.us && originalUs == o.originalUs && word == o.word &&
               labelSpO2 == o.labelSpO2 && name == o.name && sample == o.sample;
    }
};

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

    // Whether beat k's interval is known to the microsecond (ExactUs), else only in 10 ms.
    bool hasExact() const { return !ExactUs.empty(); }
    // The last position every per-beat array holds (kCapacity or more).
    int capacity() const { return static_cast<int>(DataBuf.size()) - 1; }
    // Grows every per-beat array so that positions 1..positions exist, zero-filled, at most
    // kMaxRecordingBeats + 1; never shrinks.
    void Reserve(int positions);
    // Beat k's interval in microseconds: the exact one where there is one, else 10 ms steps.
    int64_t intervalUs(int k) const;
    // Beats whose exact interval is not a whole number of 10 ms: the ones a .rr or text file
    // would round.
    int RoundedIntervals() const;
    // False when no complete beat has an SpO2 above 0, beside a label or not: the source had
    // none (a list, a strap).
    bool HasSpO2() const;

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

    // Rebuilds series, ranges, scales and means from DataBuf and CurrentFileLen, the labels
    // numbered from 1.
    void PrepareData(const CoreSettings& cfg);
    // After labels were put or taken off a prepared recording (label_edit.h): the label and
    // SpO2 series, the SpO2 range and the means again. The intervals' indices and the axis
    // ranges stay; the result is the one PrepareData gives but for those ranges.
    void PrepareLabels(const CoreSettings& cfg);
    void SetScales(const CoreSettings& cfg);
    void CalcAverages(int first, int last, int sample);

    std::vector<SampleWord> DataBuf;  // [0..capacity()], position 0 unused
    int32_t CurrentFileLen = 0;       // complete beats + 1
    std::array<std::vector<uint8_t>, kSeriesCount> DataSeries;
    int32_t LabNum = 0;
    std::string Comment;  // UTF-8
    // Wall-clock time at which beat 1 began (see clock_time.h), kNoClock when not known.
    int64_t StartClockS = kNoClock;
    // The intervals as the source gave them, in microseconds, at positions 1..beats (0
    // unused); empty when the source had only 10 ms values. Series 1 and DataBuf keep the
    // 10 ms values, from which everything but the standard measures is computed.
    std::vector<int32_t> ExactUs;
    // The SpO2 of labelled beats whose source gave one beside the label (the pulse device, a
    // CSV row), at positions 1..beats (0 unused), kLabelMark where it gave none; empty when no
    // beat has one. DataBuf holds the label mark in its place, and series 2 the SpO2 before.
    std::vector<uint8_t> LabelSpO2;
    // Labelled beat k's own SpO2, or -1 when its source gave none.
    int labelSpO2(int k) const;
    // The names of named labels by beat position (see label_edit.h); a label without one,
    // and every label of a .rr or text file, has no entry.
    std::map<int, std::string> LabelNames;
    // Beat k's label name, empty when it has none.
    const std::string& labelName(int k) const;

    // Where the beats came from an ECG record: the sample of the R peak that ends interval k
    // at position k, and position 0 the first R peak; empty otherwise. EcgSource names the
    // record (as given, or relative to a CSV it was reopened from), EcgChannel its channel
    // label, EcgRate its sample rate.
    std::vector<int64_t> BeatSamples;
    std::string EcgSource;
    std::string EcgChannel;
    double EcgRate = 0;
    bool hasEcg() const { return !BeatSamples.empty(); }

    // Beat review (beat_edit.h), at positions 1..beats (0 unused), empty while nothing was
    // edited: each beat's edit, and its interval as recorded where it changed (-1 where not);
    // the deleted beats by the position of the beat that follows them.
    std::vector<BeatEdit> BeatEdits;
    std::vector<int32_t> OriginalUs;
    std::map<int, std::vector<DeletedBeat>> DeletedBeats;
    BeatEdit beatEdit(int k) const;
    int32_t originalUs(int k) const;  // -1 where unchanged

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
    // Unpack with the labels numbered from 1, and the SpO2 range of the beats.
    void unpackWithSpO2Range();
};

}  // namespace trivant
