// trivant-cli: converts, imports and summarises recordings without the application.
#include "bash_completion.h"
#include "cli_commands.h"
#include "cli_options.h"
#include "qt_strap_link.h"
#include "render_command.h"
#include "runtime_dir.h"

#include <iostream>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    // For the build, which installs the script; not an option of the tool's users.
    if (args == std::vector<std::string>{"--bash-completion"}) {
        std::cout << trivant::BashCompletion(trivant::CliCompletion());
        return 0;
    }
    trivant::EnsureRuntimeDir();
    trivant::SetStrapRadio(trivant::QtStrapLink::Make);
    const int status = trivant::RunCli(args, std::cout, std::cerr);
    trivant::CloseGuiApplication();
    return status;
}
