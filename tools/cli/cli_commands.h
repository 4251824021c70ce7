// trivant-cli's commands, callable in-process so tests need not spawn the tool.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace trivant {

enum CliExit { kExitOk = 0, kExitBadInput = 1, kExitUsage = 2 };

// args excludes the program name. The settings file is looked up in the current folder.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace trivant
