// Dispatches trivant-cli's commands and maps their outcome to the exit status.
#include "cli_commands.h"

#include "cli_options.h"
#include "ms_list.h"
#include "record_command.h"
#include "recording_io.h"
#include "setup.h"
#include "summary_json.h"

#include <filesystem>
#include <functional>
#include <map>
#include <memory>

namespace trivant {

namespace {

struct Context {
    const CliOptions& opt;
    RecorderSettings settings;
    std::ostream& out;
    std::ostream& err;
};

int fail(std::ostream& err, const std::string& msg) {
    err << "trivant-cli: " << msg << "\n";
    return kExitBadInput;
}

RecorderSettings settingsFor(const CliOptions& opt, std::ostream& err) {
    RecorderSettings rs;  // the defaults
    Setup setup;
    const std::string dir = std::filesystem::current_path().string();
    auto warn = [&](const std::string&, const std::string&) {
        err << "trivant-cli: warning: " << kConfigFileName
            << " can't be read; using the default settings\n";
    };
    if (LoadSetup(dir, setup, warn))
        rs = RecorderSettingsFrom(setup);
    if (opt.sample)
        rs.core.Sample = *opt.sample;
    if (opt.ibCompensation)
        rs.core.IbCompensation = true;
    return rs;
}

int save(Context& c, const std::string& path, const Recording& rec) {
    const std::string msg = SaveRecording(path, rec);
    return msg.empty() ? kExitOk : fail(c.err, msg);
}

int runConvert(Context& c) {
    auto rec = std::make_unique<Recording>();
    const std::string msg = LoadRecording(c.opt.files[0], c.settings.core, *rec);
    return msg.empty() ? save(c, c.opt.files[1], *rec) : fail(c.err, msg);
}

int runImportMs(Context& c) {
    const std::string& in = c.opt.files[0];
    std::string text;
    const IoStatus st = ReadFileBytes(in, text, 64u << 20);
    if (!st.ok)
        return fail(c.err, in + ": " + st.detail);
    auto rec = std::make_unique<Recording>();
    MsListError e;
    if (!ParseMsList(text, *rec, e))
        return fail(c.err, in + (e.line ? ":" + std::to_string(e.line) : "") + ": " + e.message);
    rec->PrepareData(c.settings.core);
    return save(c, c.opt.files[1], *rec);
}

int runRecord(Context& c) {
    return RunRecord(c.opt, c.settings, c.err);
}

int runSummary(Context& c) {
    auto rec = std::make_unique<Recording>();
    const std::string msg = LoadRecording(c.opt.files[0], c.settings.core, *rec);
    if (!msg.empty())
        return fail(c.err, msg);
    c.out << SummaryJson(*rec) << "\n";
    return kExitOk;
}

struct Command {
    size_t files;        // how many file names it takes
    bool firstIsMsList;  // the input is a plain ms list, whatever its extension
    std::function<int(Context&)> run;
};

const std::map<std::string, Command>& commands() {
    static const std::map<std::string, Command> table{
        {"convert", {2, false, runConvert}},
        {"import-ms", {2, true, runImportMs}},
        {"summary", {1, false, runSummary}},
        {"record", {1, false, runRecord}},
    };
    return table;
}

int usage(std::ostream& err, const std::string& msg) {
    err << "trivant-cli: " << msg << "\n\n" << kCliUsage;
    return kExitUsage;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CliOptions opt;
    const std::string bad = ParseCliOptions(args, opt);
    if (opt.help) {
        out << kCliUsage;
        return kExitOk;
    }
    if (!bad.empty())
        return usage(err, bad);
    const auto it = commands().find(opt.command);
    if (it == commands().end())
        return usage(err, "unknown command '" + opt.command + "'");
    const Command& cmd = it->second;
    if (opt.files.size() != cmd.files)
        return usage(err, opt.command + " takes " + std::to_string(cmd.files) + " file name(s)");
    for (size_t i = cmd.firstIsMsList ? 1 : 0; i < opt.files.size(); ++i)
        if (FormatOf(opt.files[i]) == RecordingFormat::Unknown)
            return usage(err, opt.files[i] + ": the file name must end in .rr or .txt");
    Context c{opt, settingsFor(opt, err), out, err};
    return cmd.run(c);
}

}  // namespace trivant
