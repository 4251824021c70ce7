// An ECG record opened for reading: its channels, its start and annotations, and the samples
// of a channel in mV, read in blocks so that a day's record never sits in memory whole.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace trivant {

struct EcgChannel {
    std::string label;    // "MLII", "V1", "ECG", ... as the record names it
    std::string unit;     // as the record names it; samples are read in mV all the same
    double rate = 0;      // samples per second
    int64_t samples = 0;  // samples of this channel in the record
};

struct EcgAnnotation {
    int64_t sample = 0;  // on the clock of EcgInfo::rate
    std::string code;    // WFDB mnemonic ("N", "V", "+", "~", ...); empty for EDF+ texts
    std::string text;    // a WFDB aux text or an EDF+ annotation
    bool beat = false;   // a WFDB beat code (N L R B A a J S V r F e j n E / f Q ?)
};

struct EcgInfo {
    std::string format;  // "WFDB", "EDF", "EDF+", "BDF", "GDF"
    std::vector<EcgChannel> channels;
    double rate = 0;                         // the record's base rate: the clock of its annotations
    int64_t startClockS = INT64_MIN;         // wall-clock start (core's kNoClock when not known)
    std::vector<EcgAnnotation> annotations;  // the record's own (EDF+ texts); WFDB annotator
                                             // files are read apart (ecg_read.h)
};

// What of a Read of count samples from first lies in channel ch: count cut at the record's
// end, 0 when nothing does. False, with error, when there is no channel ch.
inline bool ClampEcgRead(const EcgInfo& info, int ch, int64_t first, int64_t& count,
                         std::string& error) {
    if (ch < 0 || static_cast<size_t>(ch) >= info.channels.size()) {
        error = "no channel " + std::to_string(ch);
        return false;
    }
    const int64_t total = info.channels[static_cast<size_t>(ch)].samples;
    count = first < 0 || count <= 0 || first >= total ? 0 : std::min(count, total - first);
    return true;
}

class EcgSource {
public:
    virtual ~EcgSource() = default;
    virtual const EcgInfo& info() const = 0;
    // Up to count samples of channel ch from sample first on, in mV, into out (resized to
    // what there was: fewer at the record's end, none past it). False with a message (no
    // path) when the file can't be read.
    virtual bool Read(int ch, int64_t first, int64_t count, std::vector<float>& out,
                      std::string& error) = 0;
};

}  // namespace trivant
