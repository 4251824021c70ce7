// record --ble and --ble-replay, and ble-scan. A replayed log is fed notification by
// notification with no waiting; the radio is polled on the same 100 ms ticks as a port.
#include "cli_commands.h"
#include "record_command.h"
#include "recording_file.h"
#include "short_date.h"
#include "strap_log.h"
#include "strap_supervisor.h"

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <csignal>
#include <memory>
#include <thread>

namespace trivant {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kTick = std::chrono::milliseconds(100);
constexpr auto kConnectTime = std::chrono::seconds(30);
constexpr int kDefaultScanSeconds = 5;

std::atomic<bool> gInterrupted{false};
void onInterrupt(int) {
    gInterrupted = true;
}

void waitTick() {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    std::this_thread::sleep_for(kTick);
    QCoreApplication::processEvents();
}

bool full(const CliOptions& opt, const Recording& rec) {
    return opt.beats && rec.beats() >= *opt.beats;
}

// Intervals one at a time, so that --beats stops exactly at its beat.
void feed(Recorder& recorder, const std::vector<int32_t>& us, bool arrived, const CliOptions& opt,
          const Recording& rec, const RecorderSettings& s) {
    if (us.empty())
        recorder.TickExact(nullptr, 0, arrived, s);
    for (size_t i = 0; i < us.size() && recorder.recording() && !full(opt, rec); ++i)
        recorder.TickExact(&us[i], 1, true, s);
}

int replay(const CliOptions& opt, const RecorderSettings& s, std::ostream& err) {
    std::string text;
    const IoStatus st = ReadFileBytes(opt.bleReplay, text, 256u << 20);
    if (!st.ok) {
        err << "trivant-cli: " << opt.bleReplay << ": " << st.detail << "\n";
        return kExitBadInput;
    }
    std::vector<StrapLogEntry> entries;
    std::vector<StrapLogProblem> problems;
    ParseStrapLog(text, entries, problems);
    auto problem = problems.begin();
    auto tellUpTo = [&](int line) {
        for (; problem != problems.end() && problem->line <= line; ++problem)
            err << "trivant-cli: " << opt.bleReplay << ":" << problem->line << ": "
                << problem->message << "\n";
    };
    auto rec = std::make_unique<Recording>();
    CliEvents events(err, kMaxRecordingBeats);
    Recorder recorder(*rec, events);
    recorder.Start(kMaxRecordingBeats);
    RecordJournal journal(opt.files[0], err, true);
    StrapReceiver receiver;  // connected: the first notification is stripped
    std::vector<int32_t> us;
    bool arrived = false;
    for (const StrapLogEntry& e : entries) {
        if (!recorder.recording() || full(opt, *rec) || (opt.seconds && e.seconds > *opt.seconds))
            break;
        tellUpTo(e.line);
        const HeartRateMeasurement m = receiver.Take(e.payload.data(), e.payload.size());
        if (!m.ok)
            err << "trivant-cli: " << opt.bleReplay << ":" << e.line << ": " << m.problem << "\n";
        receiver.Drain(us, arrived);
        feed(recorder, us, arrived, opt, *rec, s);
        journal.Take(*rec);
    }
    tellUpTo(entries.empty() ? INT32_MAX : entries.back().line);
    return SaveRecorded(opt.files[0], *rec, recorder, journal, s.core, err);
}

// The program's radio, or nullptr after saying there is none.
std::unique_ptr<StrapLink> radioLink(std::ostream& err) {
    std::unique_ptr<StrapLink> link = MakeStrapRadio();
    if (!link)
        err << "trivant-cli: this build has no Bluetooth support\n";
    return link;
}

int radio(const CliOptions& opt, const RecorderSettings& s, std::ostream& err) {
    const auto app = EnsureCoreApplication();
    const std::unique_ptr<StrapLink> made = radioLink(err);
    if (!made)
        return kExitBadInput;
    StrapLink& link = *made;
    StrapSupervisor sup(link);
    const auto connectBy = Clock::now() + kConnectTime;
    for (sup.Pass(opt.ble);
         !sup.Connected() && link.State() != StrapState::Unavailable && Clock::now() < connectBy;
         sup.Pass(opt.ble))
        waitTick();
    if (!sup.Connected()) {
        const std::string why = link.Error();
        err << "trivant-cli: cannot connect to " << opt.ble << (why.empty() ? "" : ": " + why)
            << "\n";
        return kExitBadInput;
    }
    sup.Purge();
    auto rec = std::make_unique<Recording>();
    CliEvents events(err, kMaxRecordingBeats);
    Recorder recorder(*rec, events);
    recorder.Start(kMaxRecordingBeats, LocalClockNow());
    RecordJournal journal(opt.files[0], err, true);
    gInterrupted = false;
    auto previous = std::signal(SIGINT, onInterrupt);
    const auto start = Clock::now();
    std::vector<int32_t> us;
    bool arrived = false;
    while (recorder.recording() && !gInterrupted && !full(opt, *rec) &&
           !(opt.seconds && Clock::now() - start >= std::chrono::duration<double>(*opt.seconds))) {
        waitTick();
        sup.Pass(opt.ble);  // reconnects after a drop; the recording goes on
        sup.Read(us, arrived);
        feed(recorder, us, arrived, opt, *rec, s);
        journal.Take(*rec);
    }
    std::signal(SIGINT, previous);
    return SaveRecorded(opt.files[0], *rec, recorder, journal, s.core, err);
}

}  // namespace

int RunStrapRecord(const CliOptions& opt, const RecorderSettings& settings, std::ostream& err) {
    return opt.bleReplay.empty() ? radio(opt, settings, err) : replay(opt, settings, err);
}

int RunBleScan(const CliOptions& opt, std::ostream& out, std::ostream& err) {
    const auto app = EnsureCoreApplication();
    const std::unique_ptr<StrapLink> made = radioLink(err);
    if (!made)
        return kExitBadInput;
    StrapLink& link = *made;
    if (link.State() == StrapState::Unavailable) {
        err << "trivant-cli: " << link.Error() << "\n";
        return kExitBadInput;
    }
    const int seconds = opt.seconds ? static_cast<int>(*opt.seconds + 0.5) : kDefaultScanSeconds;
    link.StartScan(std::max(1, seconds));
    const auto until = Clock::now() + std::chrono::seconds(seconds + 2);
    while (link.Scanning() && Clock::now() < until)
        waitTick();
    if (!link.Error().empty()) {
        err << "trivant-cli: " << link.Error() << "\n";
        return kExitBadInput;
    }
    for (const StrapInfo& s : link.Found())
        out << s.address << '\t' << s.name << '\t' << s.rssi << "\n";
    return kExitOk;
}

}  // namespace trivant
