// Lists a folder's journals and recovers one into a normal recording file.
#include "recover_command.h"

#include "cli_commands.h"
#include "journal.h"
#include "recording_io.h"

#include <QDateTime>

#include <ctime>
#include <filesystem>
#include <memory>

namespace trivant {

namespace {

int fail(std::ostream& err, const std::string& msg) {
    err << "trivant-cli: " << msg << "\n";
    return kExitBadInput;
}

// ISO 8601 in local time, as the application names its journals.
std::string isoTime(std::time_t t) {
    return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(t))
        .toString(Qt::ISODate)
        .toStdString();
}

int list(const std::string& folder, std::ostream& out, std::ostream& err) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec))
        return fail(err, folder + ": not a folder");
    for (const JournalInfo& j : FindJournals(folder))
        out << j.path << '\t' << j.beats << '\t' << isoTime(j.started) << "\n";
    return kExitOk;
}

int recover(const std::string& journal, const std::string& target, const CoreSettings& cfg,
            std::ostream& err) {
    if (JournalInUse(journal))
        return fail(err, journal + ": a running recording still writes it");
    auto rec = std::make_unique<Recording>();
    int lost = 0;
    const IoStatus st = ReadJournal(journal, *rec, &lost);
    if (!st.ok)
        return fail(err, st.path + ": " + st.detail);
    if (rec->beats() == 0)
        return fail(err, journal + ": no whole beat to recover");
    rec->PrepareData(cfg);
    const std::string msg = SaveRecording(target, *rec);
    if (!msg.empty())
        return fail(err, msg);
    RemoveJournal(journal);
    err << "trivant-cli: " << rec->beats() << " beats recovered to " << target << "\n";
    err << SaveNotes(target, *rec);
    if (lost > 0)
        err << "trivant-cli: " << journal
            << ": the exact intervals did not all reach the disk: " << lost
            << " interval(s) rounded to 10 ms\n";
    return kExitOk;
}

}  // namespace

int RunRecover(const CliOptions& opt, const CoreSettings& cfg, std::ostream& out,
               std::ostream& err) {
    if (opt.list)
        return list(opt.files.empty() ? "." : opt.files[0], out, err);
    return recover(opt.files[0], opt.files[1], cfg, err);
}

}  // namespace trivant
