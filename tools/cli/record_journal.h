// trivant-cli record's journal, OUT.part: the beats as they complete, so that a kill or a
// crash leaves them behind. Its failures are told once and never stop the recording.
#pragma once

#include "journal.h"

#include <ostream>
#include <string>

namespace trivant {

class RecordJournal {
public:
    // exact: the intervals in µs are kept beside the words (a strap's recording).
    RecordJournal(const std::string& out, std::ostream& err, bool exact = false);

    // From the tick: the beats completed since the last call.
    void Take(const Recording& rec);
    // At Stop: what was written is on disk.
    void Finish();
    // After the save: the journal is no longer needed.
    void Saved();
    const std::string& path() const { return path_; }
    // Every beat taken is in the journal.
    bool intact() const { return writer_.isOpen() && !told_; }

private:
    void report(const IoStatus& status);

    std::string path_;
    std::ostream& err_;
    JournalWriter writer_;
    int written_ = 0;  // beats in the journal
    bool told_ = false;
};

}  // namespace trivant
