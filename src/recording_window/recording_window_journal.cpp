// RecordingWindow: the journal that keeps a live recording on disk beat by beat, so that a
// crash loses at most its last second, until the recording is saved or discarded.
#include "recording_window.h"

#include <QTimer>

namespace trivant {

void RecordingWindow::startJournal(const std::string& path) {
    journal_ = std::make_unique<JournalWriter>();
    journalPath_ = path;
    journalFailed_ = false;
    reportJournal(journal_->Open(path, fromStrap_));
    SetJournalComment(rec_->Comment);
}

void RecordingWindow::journalBeat(int n) {
    if (!journal_ || journalFailed_)
        return;
    journal_->Append(JournalWord(*rec_, n), JournalExactUs(*rec_, n));
    // A live label is named while its beat fills (PutLiveLabel); complete, the name is final.
    if (const std::string& name = rec_->labelName(n); !name.empty())
        journal_->AppendName(n, name);
}

void RecordingWindow::finishJournal() {
    if (!journal_ || journalFailed_)
        return;
    // Completed beats only: reading a journal adds the slot after the last beat, as a save
    // at Stop writes it.
    const IoStatus finished = journal_->Finish();
    const IoStatus first = journal_->TakeError();
    reportJournal(first.ok ? finished : first);
}

void RecordingWindow::checkJournal() {
    if (journal_ && !journalFailed_)
        reportJournal(journal_->TakeError());
}

void RecordingWindow::reportJournal(const IoStatus& st) {
    if (st.ok || journalFailed_)
        return;
    journalFailed_ = true;
    // The tick returns first: the message waits in the event loop, not in the timer.
    const std::string where = st.path.empty() ? journalPath_ : st.path;
    QTimer::singleShot(
        0, this, [this, where, detail = st.detail] { host_.ShowJournalError(where, detail); });
}

void RecordingWindow::AdoptJournal(const std::string& path) {
    // Held, so that another instance does not offer it while this window has it; a journal
    // that can't be held is still removed with the window's recording.
    journal_ = std::make_unique<JournalWriter>();
    if (!journal_->Adopt(path).ok)
        journal_.reset();
    journalPath_ = path;
}

void RecordingWindow::RemoveJournal() {
    if (journal_)
        journal_->Remove();
    else if (!journalPath_.empty())
        trivant::RemoveJournal(journalPath_);
    journal_.reset();
    journalPath_.clear();
}

void RecordingWindow::SetJournalComment(const std::string& text) {
    if (journal_ && !journalFailed_)
        journal_->SetComment(text);
}

}  // namespace trivant
