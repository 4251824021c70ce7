// Feeds the journal from the recording tick and says once when it stops working.
#include "record_journal.h"

namespace trivant {

RecordJournal::RecordJournal(const std::string& out, std::ostream& err, bool exact)
    : path_(JournalPathFor(out)), err_(err) {
    report(writer_.Open(path_, exact));
}

void RecordJournal::Take(const Recording& rec) {
    if (!writer_.isOpen())
        return;
    for (; written_ < rec.beats(); ++written_)
        writer_.Append(JournalWord(rec, written_ + 1), JournalExactUs(rec, written_ + 1));
    report(writer_.TakeError());
}

void RecordJournal::Finish() {
    if (!writer_.isOpen())
        return;
    writer_.Finish();
    report(writer_.TakeError());
}

void RecordJournal::Saved() {
    writer_.Remove();
}

void RecordJournal::report(const IoStatus& status) {
    if (status.ok || told_)
        return;
    told_ = true;
    err_ << "trivant-cli: journal " << status.path << ": " << status.detail
         << " (the recording goes on without it)\n";
}

}  // namespace trivant
