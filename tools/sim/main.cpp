// trivant-sim: a simulated pulse device on a pseudo-terminal, for trying Trivant out
// without hardware, for the demo and for tests.
#include "beat_source.h"
#include "pty_device.h"
#include "runtime_dir.h"
#include "sim_options.h"
#include "sim_runner.h"
#include "version.h"

#include <atomic>
#include <csignal>
#include <iostream>

namespace {

std::atomic<bool> gStop{false};

void onSignal(int) {
    gStop = true;
}

std::unique_ptr<trivant::BeatSource> makeSource(const trivant::SimOptions& opt,
                                                std::string& error) {
    if (!opt.msFile.empty())
        return trivant::LoadMsSource(opt.msFile, error);
    if (!opt.recordingFile.empty())
        return trivant::LoadRecordingSource(opt.recordingFile, error);
    return std::make_unique<trivant::GeneratorSource>(opt.seed);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    // For the build, which installs the script; not an option of the tool's users.
    if (args == std::vector<std::string>{"--bash-completion"}) {
        std::cout << trivant::BashCompletion(trivant::SimCompletion());
        return 0;
    }
    // Before anything looks for its registrations' folder, as Trivant and trivant-cli do.
    trivant::EnsureRuntimeDir();
    trivant::SimOptions opt;
    const std::string bad = trivant::ParseSimOptions(args, opt);
    if (opt.help) {
        std::cout << trivant::SimUsage();
        return 0;
    }
    if (opt.version) {
        std::cout << "trivant-sim " << trivant::kVersion << "\n";
        return 0;
    }
    if (!bad.empty()) {
        std::cerr << "trivant-sim: " << bad << "\n\n" << trivant::SimUsage();
        return 2;
    }
    std::string error;
    auto source = makeSource(opt, error);
    if (!source) {
        std::cerr << "trivant-sim: " << error << "\n";
        return 1;
    }
    trivant::PtyDevice port;
    if (!port.Open(error)) {
        std::cerr << "trivant-sim: " << error << "\n";
        return 1;
    }
    for (int sig : {SIGINT, SIGTERM, SIGHUP})
        std::signal(sig, onSignal);
    std::signal(SIGPIPE, SIG_IGN);
    std::cout << port.path() << std::endl;  // the first line: where to connect
    trivant::RunSimulator(port, *source, opt, gStop);
    port.Close();  // removes the registration
    return 0;
}
