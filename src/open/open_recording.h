// Opening any recording Trivant reads, in one place for the application and the tools: a
// file format (recording_file.h) or an ECG record, whose beats are detected on the fly or
// taken from its reference annotations.
#pragma once

#include "ecg_source.h"
#include "recording.h"
#include "recording_file.h"

#include <cstdint>
#include <functional>
#include <string>

namespace trivant {

// How an ECG record becomes beats: its channel (a 0-based number or a label; empty picks the
// first ECG-like one) and, for WFDB records, an annotator whose beats to take instead of
// detecting them ("atr"; empty detects).
struct EcgChoice {
    std::string channel;
    std::string annotations;
};

struct OpenHooks {
    // Detection's progress in samples of the channel; false cancels.
    std::function<bool(int64_t done, int64_t total)> progress;
    // Which channel to detect on when the record has several and the choice names none:
    // suggested is the first ECG-like one; -1 cancels. Unset takes suggested.
    std::function<int(const EcgInfo& info, int suggested)> askChannel;
};

struct OpenedRecording {
    RecordingLoad load;  // on failure load.status.detail says why (ECG records too)
    bool ecg = false;    // an ECG record, or a CSV whose beats came from one
    bool cancelled = false;
};

// Fills rec as LoadRecordingFile does, an ECG record's beats as exact intervals with their
// samples, clock start and labels (EDF+ annotations). A CSV naming its ECG record gets
// rec.EcgSource resolved against the CSV's folder. On failure rec is left as it was.
OpenedRecording OpenAnyRecording(const std::string& path, const EcgChoice& choice,
                                 const OpenHooks& hooks, Recording& rec);

// ReadRecordingFile's counterpart: a message naming the file on failure, else empty.
std::string ReadAnyRecording(const std::string& path, const EcgChoice& choice, Recording& rec);

}  // namespace trivant
