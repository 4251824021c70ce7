// Command line of trivant-cli: a command, then file names and the command's options in any
// order. The option tables also give the help and the shell completion.
#pragma once

#include "bash_completion.h"
#include "label_times.h"
#include "option_table.h"
#include "standard_measures.h"

#include <optional>
#include <string>
#include <vector>

namespace trivant {

struct CliOptions {
    std::string command;
    std::vector<std::string> files;
    std::optional<int> sample;       // --sample N
    std::string port;                // record: --port NAME
    int window = 300;                // trend: --window S
    std::optional<int> step;         // trend: --step S, at most the window; 30 when absent
    std::string png;                 // trend: --png OUT.png, the picture instead of rows
    std::string ble;                 // record: --ble ADDRESS, a strap
    std::string bleReplay;           // record: --ble-replay LOG, a strap's notification log
    std::optional<long> beats;       // record: --beats N
    std::optional<double> seconds;   // record: --seconds T
    int width = 1000, height = 700;  // render: --size WxH
    std::optional<int> xpos;         // render: --xpos N
    int zoom = 1;                    // render: --zoom, a level of kZoomLevels
    std::optional<int> point;        // render: --point BEAT
    int start = 0;                   // analyze, report: --start SECONDS
    bool csv = false;                // analyze: --csv instead of --json
    bool json = false;               // trend, stages: --json instead of CSV
    bool standard = false;           // analyze: --standard, the published measures too
    bool longTerm = false;           // analyze: --long, the whole recording's SDANN, SDNNi
    std::optional<ArtifactOptions> artifacts;  // --artifacts: auto or a threshold's correction
    // artifacts, correct: --artifacts auto|LEVEL|MS, the automatic method when absent
    ArtifactOptions review{true, kDefaultArtifactMs, true};
    BandEdges bands;            // analyze, trend, stages, report: --bands
    std::optional<int> jobs;    // analyze: --jobs N threads; the cores when absent
    bool landscape = false;     // print: --landscape
    bool list = false;          // recover: --list, the journals of a folder
    std::vector<double> rates;  // resonance: --rates R,R,..., breaths per minute
    double minutes = 2;         // resonance: --minutes M at each rate
    std::vector<LabelTime> at;  // label: --at T[=NAME],..., every --at given
    std::string channel;        // ECG records: --channel N|LABEL
    std::string annotations;    // WFDB records: --annotations EXT, beats from them
    bool ibCompensation = false;
    bool help = false;
    bool version = false;  // --version
};

struct CliCommand {
    const char* name;
    const char* args;  // as the usage shows them: "IN OUT.pdf"
    // One letter per file name it takes: i a recording to read (any name: .rr, text, RR list
    // or CSV, told by content), r a recording to write (.rr or .txt), w one that may also be
    // Trivant's CSV (.rr, .txt or .csv), m an ms list or CSV (any name), p a PNG image, f a
    // PDF file, j a journal (any name), c Trivant's CSV to write; "i+" one or more recordings
    // to read.
    const char* files;
    std::string help;
    OptionTable options;  // besides the ones every command takes
};

const std::vector<CliCommand>& CliCommands();
// nullptr when there is no such command.
const CliCommand* FindCliCommand(const std::string& name);
// Every option a command takes: the common ones, then its own.
OptionTable CliCommandOptions(const CliCommand& cmd);

// Returns an empty string on success, else what is wrong with the command line.
std::string ParseCliOptions(const std::vector<std::string>& args, CliOptions& out);

// The tool's help, with the commands; a command's help, with its options.
std::string CliUsage();
std::string CliCommandUsage(const CliCommand& cmd);

CompletionTool CliCompletion();

}  // namespace trivant
