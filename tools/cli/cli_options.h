// Command line of trivant-cli: a command, file names and options in any order.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace trivant {

struct CliOptions {
    std::string command;
    std::vector<std::string> files;
    std::optional<int> sample;          // --sample N
    std::string port;                   // record: --port NAME
    std::optional<long> beats;          // record: --beats N
    std::optional<double> seconds;      // record: --seconds T
    int width = 1000, height = 700;     // render: --size WxH
    std::optional<int> xpos;            // render: --xpos N
    int zoom = 1;                       // render: --zoom 1|2|4
    std::optional<int> point;           // render: --point BEAT
    int start = 0;                      // analyze, report: --start SECONDS
    bool csv = false;                   // analyze: --csv instead of --json
    bool standard = false;              // analyze: --standard, the published measures too
    std::optional<double> artifactsMs;  // analyze: --artifacts, correction at this threshold
    std::optional<int> jobs;            // analyze: --jobs N threads; the cores when absent
    bool landscape = false;             // print: --landscape
    bool ibCompensation = false;
    bool help = false;
    bool version = false;  // --version
};

// Returns an empty string on success, else what is wrong with the command line.
std::string ParseCliOptions(const std::vector<std::string>& args, CliOptions& out);

extern const char* const kCliUsage;

}  // namespace trivant
