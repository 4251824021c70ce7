// The application against trivant-sim over a pseudo-terminal: the simulator registers its
// port in a temporary folder, and the main window finds and opens it by itself.
#pragma once

#include "child_process.h"
#include "main_window.h"
#include "qt_port_layer.h"
#include "recording_window.h"
#include "temp_dir.h"

#include <QTest>

#include <chrono>
#include <cstdlib>
#include <memory>

namespace trivant::test {

// Runs the event loop until done() holds; false after the given seconds.
template <typename Done> bool PumpUntil(Done done, int seconds, int stepMs = 10) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        QTest::qWait(stepMs);
    }
    return true;
}

class SimSession {
public:
    // Starts trivant-sim with args and the main window with runner for its dialogs.
    SimSession(const std::vector<std::string>& args, std::unique_ptr<DialogRunner> runner)
        : sim_(simulatorFor(dir), args, dir.path().string()) {
        if (!sim_.readLine().empty())
            form = std::make_unique<MainWindow>(std::make_unique<QtPortLayer>(), std::move(runner),
                                                dir.path().string());
    }
    ~SimSession() {
        form.reset();
        unsetenv("TRIVANT_PORT_DIR");
    }

    // True once the window has opened the simulator's port.
    bool connect() {
        if (!form)
            return false;
        form->show();
        return PumpUntil(
            [&] {
                form->IdleHandler();
                return form->supervisor().DeviceConnected();
            },
            10);
    }
    // Connects, then starts a recording from the tool bar; its window, or nullptr.
    RecordingWindow* startRecording() {
        if (!connect())
            return nullptr;
        form->TB_Start->trigger();
        return form->activeGraph();
    }
    ChildProcess& sim() { return sim_; }

    TempDir dir;
    std::unique_ptr<MainWindow> form;

private:
    // The simulator registers its port, and the window looks for ports, in dir's "ports".
    static std::string simulatorFor(const TempDir& dir) {
        setenv("TRIVANT_PORT_DIR", (dir.path() / "ports").c_str(), 1);
        return TRIVANT_SIM;
    }

    ChildProcess sim_;
};

}  // namespace trivant::test
