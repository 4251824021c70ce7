// trivant-cli: converts, imports and summarises recordings without the application.
#include "cli_commands.h"
#include "runtime_dir.h"

#include <iostream>

int main(int argc, char** argv) {
    trivant::EnsureRuntimeDir();
    return trivant::RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
