// Dispatches trivant-cli's commands and maps their outcome to the exit status.
#include "cli_commands.h"

#include "analyze_command.h"
#include "artifacts_command.h"
#include "beats_command.h"
#include "biofeedback_command.h"
#include "cli_options.h"
#include "label_command.h"
#include "print_command.h"
#include "record_command.h"
#include "recording_io.h"
#include "recover_command.h"
#include "render_command.h"
#include "report_command.h"
#include "rr_csv.h"
#include "setup.h"
#include "summary_json.h"
#include "trend_command.h"
#include "version.h"

#include <QString>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>

namespace trivant {

namespace {

struct Context {
    const CliOptions& opt;
    Setup setup;  // from the settings file or the defaults, with the options applied
    std::ostream& out;
    std::ostream& err;
};

int fail(std::ostream& err, const std::string& msg) {
    err << "trivant-cli: " << msg << "\n";
    return kExitBadInput;
}

Setup settingsFor(const CliOptions& opt, std::ostream& err) {
    Setup setup;
    const std::string dir = std::filesystem::current_path().string();
    auto warn = [&](const std::string&, const std::string&) {
        err << "trivant-cli: warning: " << kConfigFileName
            << " can't be read; using the default settings\n";
    };
    if (!LoadSetup(dir, setup, warn))
        ApplyDefaultValues(setup);
    if (opt.sample)
        setup.Sample = *opt.sample;
    if (opt.ibCompensation)
        setup.IbCompensation = true;
    return setup;
}

int save(Context& c, const std::string& path, const Recording& rec) {
    const std::string msg = SaveRecording(path, rec);
    return msg.empty() ? kExitOk : fail(c.err, msg);
}

int runConvert(Context& c) {
    auto rec = std::make_unique<Recording>();
    const std::string msg = LoadRecording(c.opt.files[0], ToCoreSettings(c.setup), *rec);
    if (!msg.empty())
        return fail(c.err, msg);
    const std::string& out = c.opt.files[1];
    const int status = save(c, out, *rec);
    if (status == kExitOk)
        c.err << SaveNotes(out, *rec);
    return status;
}

int runImportMs(Context& c) {
    const std::string& in = c.opt.files[0];
    std::string text;
    const IoStatus st = ReadFileBytes(in, text, 64u << 20);
    if (!st.ok)
        return fail(c.err, in + ": " + st.detail);
    auto rec = std::make_unique<Recording>();
    MsListError e;
    if (!ParseRrList(text, *rec, e))
        return fail(c.err, in + (e.line ? ":" + std::to_string(e.line) : "") + ": " + e.message);
    rec->PrepareData(ToCoreSettings(c.setup));
    return save(c, c.opt.files[1], *rec);
}

int runRecord(Context& c) {
    RecorderSettings s = RecorderSettingsFrom(c.setup);
    // Asking for a length is asking for that length, not for the settings' five minutes.
    if (c.opt.beats || c.opt.seconds)
        s.AutoStop = false;
    return c.opt.ble.empty() && c.opt.bleReplay.empty() ? RunRecord(c.opt, s, c.err)
                                                        : RunStrapRecord(c.opt, s, c.err);
}

int runTrend(Context& c) {
    return RunTrend(c.opt, c.setup, c.out, c.err);
}

int runStages(Context& c) {
    return RunStages(c.opt, c.setup, c.out, c.err);
}

int runCoherence(Context& c) {
    return RunCoherence(c.opt, c.setup, c.out, c.err);
}

int runResonance(Context& c) {
    return RunResonance(c.opt, c.setup, c.out, c.err);
}

int runBleScan(Context& c) {
    return RunBleScan(c.opt, c.out, c.err);
}

int runRecover(Context& c) {
    return RunRecover(c.opt, ToCoreSettings(c.setup), c.out, c.err);
}

int runAnalyze(Context& c) {
    return RunAnalyze(c.opt, c.setup, c.out, c.err);
}

int runReport(Context& c) {
    return RunReport(c.opt, c.setup, c.err);
}

int runPrint(Context& c) {
    return RunPrint(c.opt, c.setup, c.err);
}

int runRender(Context& c) {
    return RunRender(c.opt, c.setup, c.err);
}

int runLabel(Context& c) {
    return RunLabel(c.opt, c.setup, c.err);
}

int runSummary(Context& c) {
    auto rec = std::make_unique<Recording>();
    const std::string msg = LoadRecording(c.opt.files[0], ToCoreSettings(c.setup), *rec);
    if (!msg.empty())
        return fail(c.err, msg);
    c.out << SummaryJson(*rec) << "\n";
    return kExitOk;
}

int runBeats(Context& c) {
    auto rec = std::make_unique<Recording>();
    const std::string& in = c.opt.files[0];
    if (const std::string msg = ReadCliRecording(in, *rec); !msg.empty())
        return fail(c.err, msg);
    const std::string msg = BeatsText(in, *rec, c.out);
    return msg.empty() ? kExitOk : fail(c.err, msg);
}

int runArtifacts(Context& c) {
    return RunArtifacts(c.opt, c.setup, c.out, c.err);
}

int runCorrect(Context& c) {
    return RunCorrect(c.opt, c.setup, c.out, c.err);
}

using Run = std::function<int(Context&)>;

const std::map<std::string, Run>& runners() {
    static const std::map<std::string, Run> table{
        {"convert", runConvert},  {"import-ms", runImportMs},  {"summary", runSummary},
        {"record", runRecord},    {"render", runRender},       {"analyze", runAnalyze},
        {"print", runPrint},      {"report", runReport},       {"recover", runRecover},
        {"ble-scan", runBleScan}, {"trend", runTrend},         {"stages", runStages},
        {"label", runLabel},      {"beats", runBeats},         {"artifacts", runArtifacts},
        {"correct", runCorrect},  {"coherence", runCoherence}, {"resonance", runResonance},
    };
    return table;
}

bool endsWith(const std::string& f, const char* tail) {
    return f.size() > 4 && QString::fromStdString(f).endsWith(tail, Qt::CaseInsensitive);
}

// What is wrong with the file names given to cmd; empty when nothing is.
std::string checkFiles(const CliOptions& opt, const CliCommand& cmd) {
    if (opt.list)  // recover --list [FOLDER]
        return opt.files.size() <= 1 ? std::string() : "recover --list takes one folder at most";
    // "i+" stands for as many recordings as given, at least one.
    const bool many = std::string(cmd.files) == "i+";
    const std::string kinds = many ? std::string(opt.files.size(), 'i') : cmd.files;
    if (opt.files.size() != kinds.size() || (many && opt.files.empty()))
        return opt.command + " takes " + (many ? "one or more" : std::to_string(kinds.size())) +
               " file name(s)";
    for (size_t i = 0; i < kinds.size(); ++i) {
        const std::string& f = opt.files[i];
        const RecordingFormat format = FormatOf(f);
        if (kinds[i] == 'r' && format != RecordingFormat::Rr && format != RecordingFormat::Text)
            return f + ": the file name must end in .rr or .txt";
        if (kinds[i] == 'w' && format == RecordingFormat::Unknown)
            return f + ": the file name must end in .rr, .txt or .csv";
        if (kinds[i] == 'c' && format != RecordingFormat::TrivantCsv)
            return f + ": the file name must end in .csv";
        if (kinds[i] == 'p' && !endsWith(f, ".png"))
            return f + ": the image's name must end in .png";
        if (kinds[i] == 'f' && !endsWith(f, ".pdf"))
            return f + ": the PDF file's name must end in .pdf";
    }
    return {};
}

// The error and where the help is, the command's own when the command is known: the whole
// help would bury the one line that matters.
int usage(std::ostream& err, const std::string& msg, const CliCommand* cmd) {
    err << "trivant-cli: " << msg << "\nTry 'trivant-cli "
        << (cmd ? cmd->name + std::string(" ") : "") << "--help'.\n";
    return kExitUsage;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CliOptions opt;
    const std::string bad = ParseCliOptions(args, opt);
    const CliCommand* cmd = FindCliCommand(opt.command);
    if (opt.help) {
        out << (cmd ? CliCommandUsage(*cmd) : CliUsage());
        return kExitOk;
    }
    if (opt.version) {
        out << "trivant-cli " << kVersion << "\n";
        return kExitOk;
    }
    if (!bad.empty())
        return usage(err, bad, cmd);
    const std::string wrong = checkFiles(opt, *cmd);
    if (!wrong.empty())
        return usage(err, wrong, cmd);
    SetCliEcgChoice({opt.channel, opt.annotations});
    Context c{opt, settingsFor(opt, err), out, err};
    return runners().at(opt.command)(c);
}

}  // namespace trivant
