// trivant-cli record: a recording from the pulse device or a strap without a screen.
#pragma once

#include "cli_options.h"
#include "record_journal.h"
#include "recorder.h"

#include <QCoreApplication>

#include <memory>
#include <ostream>
#include <string>

namespace trivant {

// The ports and the radio need an application object and its events: a new one while none
// exists, to live for the recording; nullptr when there is one.
std::unique_ptr<QCoreApplication> EnsureCoreApplication();

// The recorder's events for a terminal: the device's status in English, limits on err.
struct CliEvents : RecordingEvents {
    explicit CliEvents(std::ostream& e, int limit = kMaxBeats) : err(e), maxBeats(limit) {}
    void StatusTextChanged(const std::string& text) override;
    void LimitReached(StopReason why) override;
    std::ostream& err;
    int maxBeats;
    std::string status;
};

// Records through the application's decoder, tick and stop, then saves to out.
// Returns the exit status.
int RunRecord(const CliOptions& opt, const RecorderSettings& settings, std::ostream& err);

// The end of any recording: the journal's last beats, the stop, the save to out (the
// journal goes once saved) and what was saved. Returns the exit status.
int SaveRecorded(const std::string& out, Recording& rec, Recorder& recorder, RecordJournal& journal,
                 const CoreSettings& core, std::ostream& err);

// record --ble ADDRESS and --ble-replay LOG: a strap's intervals, exact, into OUT.
int RunStrapRecord(const CliOptions& opt, const RecorderSettings& settings, std::ostream& err);

// ble-scan: the straps in reach, one a line: address, name and signal with tabs between.
int RunBleScan(const CliOptions& opt, std::ostream& out, std::ostream& err);

}  // namespace trivant
