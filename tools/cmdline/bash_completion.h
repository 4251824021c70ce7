// A bash completion script written from a tool's option tables.
#pragma once

#include "option_table.h"

#include <string>
#include <vector>

namespace trivant {

struct CompletionCommand {
    std::string name;
    // One letter per file name it takes: r a recording, m any file, p a PNG image, f a PDF
    // file, j a journal (.part); a trailing '+' repeats the last letter.
    std::string files;
    OptionTable options;  // every option the command takes
};

struct CompletionTool {
    std::string name;                         // "trivant-cli"
    OptionTable options;                      // before a command, or all of a tool without
    std::vector<CompletionCommand> commands;  // empty for a tool without commands
};

// A script for bash-completion's folder: commands, options, option values and file names.
std::string BashCompletion(const CompletionTool& tool);

}  // namespace trivant
