// A WFDB .hea header taken apart, as a pure function of its text: the record line and one
// line per signal. What the signal files hold is checked when the record is opened.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trivant {

struct WfdbSignal {
    std::string file;        // the signal file's name, beside the header
    int format = 0;          // storage format: 212, 16, 80, 61, 24, 32 are read
    int framesPer = 1;       // samples per frame ("x2"); only 1 is read
    int skew = 0;            // frames this signal lags the others by
    int64_t byteOffset = 0;  // bytes before the first sample in its file
    double gain = 200;       // ADC units per unit
    int baseline = 0;        // ADC value of 0 units (the adczero unless given with the gain)
    std::string units = "mV";
    int adcZero = 0;
    std::string label;  // the description: "MLII", "V1", ...
};

struct WfdbHeader {
    std::string name;
    double rate = 250;     // frames per second (WFDB's default when the header gives none)
    int64_t samples = -1;  // frames in the record; -1 when the header doesn't say
    int64_t startClockS = INT64_MIN;  // core's kNoClock unless both time and date are given
    int signalCount = 0;              // as the record line says
    std::vector<WfdbSignal> signals;
};

// The record line "name[/segments] nsig [rate[/counter][(base)] [samples [time [date]]]]".
// False with what is wrong; a multi-segment record is refused here.
bool ParseWfdbRecordLine(std::string_view line, WfdbHeader& out, std::string& error);
// A signal line "file format[xspf][:skew][+offset] [gain[(baseline)][/units] [adcres
// [adczero [initval [checksum [blocksize [description]]]]]]]".
bool ParseWfdbSignalLine(std::string_view line, WfdbSignal& out, std::string& error);
// The whole header; error names the 1-based line at fault ("line 2: ...").
bool ParseWfdbHeader(std::string_view text, WfdbHeader& out, std::string& error);

// Lines of text split at LF, a CR before it dropped; false at the end.
bool NextTextLine(std::string_view& text, std::string_view& line);
// A line that holds nothing for WFDB: empty, blank or a '#' comment.
bool IsWfdbCommentLine(std::string_view line);

}  // namespace trivant
