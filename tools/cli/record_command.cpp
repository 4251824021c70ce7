// Drives the recorder on 100 ms ticks from a serial port until a limit, --beats,
// --seconds or Ctrl+C ends the recording, then saves it. The beats also go to the journal
// OUT.part as they complete, which the save removes.
#include "record_command.h"

#include "cli_commands.h"
#include "connection_supervisor.h"
#include "qt_port_layer.h"
#include "record_journal.h"
#include "recording_io.h"
#include "short_date.h"
#include "time_text.h"

#include <QCoreApplication>

#include <array>
#include <atomic>
#include <chrono>
#include <csignal>
#include <memory>
#include <thread>

namespace trivant {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kTick = std::chrono::milliseconds(100);
constexpr auto kSearchTime = std::chrono::seconds(5);

const char* const kDialoutAdvice =
    "trivant-cli: to use serial ports, add your user to the dialout group\n"
    "  (sudo usermod -aG dialout $USER) and log in again.\n";

std::atomic<bool> gInterrupted{false};
void onInterrupt(int) {
    gInterrupted = true;
}

// The port to record from: the one named, or the one automatic search keeps.
int connect(const CliOptions& opt, ConnectionSupervisor& sup, std::ostream& err) {
    if (!opt.port.empty()) {
        const int handle = sup.ports().OpenPort(opt.port, kDeviceBaud);
        if (handle <= 0) {
            const std::string why = sup.ports().LastOpenError();
            err << "trivant-cli: cannot open " << opt.port << (why.empty() ? "" : ": " + why)
                << "\n";
            if (sup.ports().LastOpenDenied())
                err << kDialoutAdvice;
        }
        return handle;
    }
    const auto until = Clock::now() + kSearchTime;
    for (sup.Pass(0); !sup.DeviceConnected() && Clock::now() < until; sup.Pass(0))
        std::this_thread::sleep_for(kTick * 2);
    if (!sup.DeviceConnected()) {
        err << "trivant-cli: no serial port with a device found\n";
        if (!sup.DeniedPort().empty())
            err << "trivant-cli: " << sup.DeniedPort() << ": permission denied\n" << kDialoutAdvice;
    }
    return sup.DeviceConnected() ? sup.PortHandle() : 0;
}

bool limitReached(const CliOptions& opt, const Recording& rec, Clock::time_point start) {
    if (opt.beats && rec.beats() >= *opt.beats)
        return true;
    return opt.seconds && Clock::now() - start >= std::chrono::duration<double>(*opt.seconds);
}

void progress(std::ostream& err, const Recording& rec, Clock::time_point start,
              const CliEvents& ev) {
    const auto s = std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - start);
    err << "beats " << rec.beats() << "  time " << TimeText(s.count())
        << (ev.status.empty() ? "" : "  status: " + ev.status) << std::endl;
}

}  // namespace

std::unique_ptr<QCoreApplication> EnsureCoreApplication() {
    static int argc = 1;
    static char name[] = "trivant-cli";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance())
        return nullptr;
    return std::make_unique<QCoreApplication>(argc, argv);
}

void CliEvents::StatusTextChanged(const std::string& text) {
    static const std::array<const char*, kStatusCodes> kEnglishStatus{
        "", "no sensor", "no patient", "no pulse", "limit", "sensor failure"};
    for (int code = 0; code < kStatusCodes; ++code)
        if (text == kStatusTexts[code])
            status = kEnglishStatus[code];
}

void CliEvents::LimitReached(StopReason why) {
    const std::string text[] = {"the recording is full (" + std::to_string(maxBeats) + " beats)",
                                "the five-minute recording is complete",
                                "no data from the device for 100 s"};
    err << "trivant-cli: stopped: " << text[static_cast<int>(why)] << "\n";
}

int SaveRecorded(const std::string& out, Recording& rec, Recorder& recorder, RecordJournal& journal,
                 const CoreSettings& core, std::ostream& err) {
    journal.Take(rec);
    journal.Finish();
    recorder.Stop(core);
    const std::string msg = SaveRecording(out, rec);
    if (!msg.empty()) {
        err << "trivant-cli: " << msg << "\n";
        if (journal.intact())
            err << "trivant-cli: the beats stay in " << journal.path()
                << "; trivant-cli recover turns it into a file\n";
        return kExitBadInput;
    }
    journal.Saved();
    err << "trivant-cli: " << rec.beats() << " beats saved to " << out << "\n";
    const std::string rounded = RoundingNote(out, rec);
    if (!rounded.empty())
        err << "trivant-cli: " << rounded << "\n";
    return kExitOk;
}

int RunRecord(const CliOptions& opt, const RecorderSettings& settings, std::ostream& err) {
    const auto app = EnsureCoreApplication();

    QtPortLayer ports;
    ConnectionSupervisor sup(ports);
    const int handle = connect(opt, sup, err);
    if (handle <= 0)
        return kExitBadInput;
    ports.PurgePort(handle);  // what waited before the start is not part of this recording

    auto rec = std::make_unique<Recording>();
    CliEvents events(err);
    Recorder recorder(*rec, events);
    recorder.Start(kMaxBeats, LocalClockNow());
    RecordJournal journal(opt.files[0], err);
    gInterrupted = false;
    auto previous = std::signal(SIGINT, onInterrupt);
#ifdef SIGXFSZ
    // Past a file size limit the journal's write fails (EFBIG) instead of ending the recording.
    auto previousSize = std::signal(SIGXFSZ, SIG_IGN);
#endif
    std::vector<uint8_t> buf(kReceiveBufferBytes);
    const auto start = Clock::now();
    auto nextTick = start, nextReport = start + std::chrono::seconds(1);
    while (recorder.recording() && !gInterrupted && !limitReached(opt, *rec, start)) {
        std::this_thread::sleep_until(nextTick += kTick);
        const size_t n = ports.ReadPort(handle, buf.data(), buf.size());
        if (n == 0)
            recorder.Tick(nullptr, 0, settings);
        // Byte by byte, so that --beats stops exactly at its beat.
        for (size_t i = 0; i < n && recorder.recording() && !limitReached(opt, *rec, start); ++i)
            recorder.Tick(&buf[i], 1, settings);
        journal.Take(*rec);
        if (Clock::now() >= nextReport) {
            progress(err, *rec, start, events);
            nextReport += std::chrono::seconds(1);
        }
    }
    std::signal(SIGINT, previous);
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, previousSize);
#endif
    return SaveRecorded(opt.files[0], *rec, recorder, journal, settings.core, err);
}

}  // namespace trivant
