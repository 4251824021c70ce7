// The tools' options as tables: one row gives the parser, the help text and the shell
// completion, so the three can't drift apart.
#pragma once

#include <string>
#include <vector>

class QCommandLineParser;

namespace trivant {

struct OptionRow {
    const char* names;      // comma-separated, short ones first: "h,help", "sample"
    const char* valueName;  // empty for a switch
    const char* help;       // lines separated by '\n'
    // What a value completes to in the shell: words separated by spaces, or
    // kCompleteFiles / kCompleteRecordings.
    const char* values = "";
};

using OptionTable = std::vector<OptionRow>;

inline constexpr const char* kCompleteFiles = "<files>";
inline constexpr const char* kCompleteRecordings = "<recordings>";

// Each name as typed: "-h", "--help".
std::vector<std::string> OptionSpellings(const OptionRow& o);
// The long name alone: "help".
std::string LongName(const OptionRow& o);

// An option as it is found in args, in the order given.
struct ParsedOption {
    std::string name;  // the long name
    std::string value;
};

struct ParsedArguments {
    std::vector<ParsedOption> options;
    std::vector<std::string> positional;
};

// Parses args (without the program name) with QCommandLineParser: options anywhere,
// "--name value" and "--name=value", "--" ending the options. Empty on success, else the
// message, which names an unknown option as it was typed.
std::string ParseArguments(const OptionTable& table, const std::vector<std::string>& args,
                           ParsedArguments& out);

// One help row: left, padded to the description's column, then the description's lines.
std::string HelpRow(const std::string& left, const char* help);

// The table as help lines: "  --sample N         Sample size ...", descriptions from column 22.
std::string OptionsHelp(const OptionTable& table);

}  // namespace trivant
