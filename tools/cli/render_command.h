// trivant-cli render: a recording window drawn into a PNG, without a display.
#pragma once

#include "cli_options.h"
#include "recording_window.h"
#include "setup.h"

#include <memory>

#include <ostream>

namespace trivant {

// Makes sure a widget application exists; without a display it runs offscreen.
void EnsureGuiApplication();
// Ends that application before the process's own end: Qt frees its font caches only then.
void CloseGuiApplication();

// A recording window that is never shown, holding the prepared recording of the first
// file name, at the size and view the options ask for; nullptr (and a message) on failure.
std::unique_ptr<RecordingWindow> OffscreenGraph(GraphHost& host, const CliOptions& opt,
                                                std::ostream& err);

int RunRender(const CliOptions& opt, const Setup& setup, std::ostream& err);

}  // namespace trivant
