// MainWindow: the journals of live recordings: where a new one goes, the message when one
// cannot be written, and at start the offer to recover those a crash left behind.
#include "main_window.h"

#include "message_box.h"
#include "path_parts.h"
#include "recording_window.h"
#include "short_date.h"
#include "translation.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <ctime>

namespace trivant {

std::string MainWindow::newJournalPath() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    // Two starts in one second (or a journal left from a crash) must not share a file.
    std::string path = JournalPathIn(dataDir_, stamp);
    for (int k = 2; QFileInfo::exists(QString::fromStdString(path)); ++k)
        path = JournalPathIn(dataDir_, std::string(stamp) + "-" + std::to_string(k));
    return path;
}

void MainWindow::ShowJournalError(const std::string& path, const std::string& detail) {
    message(tr("Ошибка"), tr("Запись на диск невозможна: %1\n%2\nЗапись продолжается в памяти; "
                             "сохраните её, когда на диске будет место.")
                              .arg(QString::fromStdString(path), QString::fromStdString(detail)));
}

void MainWindow::RecoverJournals() {
    for (const JournalInfo& j : FindJournals(dataDir_))
        offerJournal(j);
}

void MainWindow::offerJournal(const JournalInfo& journal) {
    const QString started = DateLocale().toString(
        QDateTime::fromSecsSinceEpoch(static_cast<qint64>(journal.started)), QLocale::ShortFormat);
    // Its start and length name the recording; the journal's own name tells the user nothing.
    const QString folder =
        UnbrokenPath(QDir::toNativeSeparators(QString::fromStdString(FolderOf(journal.path))));
    const int answer = AskUserThree(
        this, *runner_, tr("Подтверждение"),
        tr("Найдена незавершённая запись, начатая %1: %2.\nПапка: %3\nВосстановить её?")
            .arg(started,
                 CountedText(journal.beats, QT_TRANSLATE_NOOP("Counted", "удар"),
                             QT_TRANSLATE_NOOP("Counted", "удара"),
                             QT_TRANSLATE_NOOP("Counted", "ударов")),
                 folder),
        tr("Восстановить"), tr("Удалить"), tr("Позже"));
    if (answer == kMsgOk) {
        recoverJournal(journal, started);
        return;
    }
    // Esc lands here too, so nothing goes without a second, explicit yes.
    if (answer == kMsgCancel &&
        AskUser(this, *runner_, tr("Подтверждение"),
                tr("Удалить незавершённую запись, начатую %1, безвозвратно?").arg(started),
                tr("Удалить"), tr("Отменить")) == kMsgOk)
        RemoveJournal(journal.path);
}

void MainWindow::recoverJournal(const JournalInfo& journal, const QString& started) {
    RecordingWindow* g = addGraph();
    Recording& rec = g->recording();
    rec.Comment.clear();
    int rounded = 0;
    const IoStatus st = ReadJournal(journal.path, rec, &rounded);
    if (!st.ok) {
        g->parentWidget()->close();  // an empty window helps nobody; the journal stays
        message(tr("Ошибка"),
                tr("Не удалось прочитать файл %1").arg(QString::fromStdString(journal.path)) +
                    "\n" + QString::fromStdString(st.detail));
        return;
    }
    rec.PrepareData(ToCoreSettings(setup_));
    rec.StartClockS = LocalClockOf(journal.started);  // the journal's name or its last write
    g->setWindowTitle(tr("Восстановленная запись (начата %1)").arg(started));
    g->ShowLoadedRecording();
    // Unsaved, as a stopped recording: its journal goes once it is saved or discarded.
    g->SetSaved(rec.beats() == 0);
    g->AdoptJournal(journal.path);
    IdleHandler();
    if (rounded > 0)
        message(tr("Восстановление"),
                tr("Не все точные интервалы успели записаться на диск: интервалы восстановлены "
                   "с шагом 10 мс, округлено: %1.")
                    .arg(rounded));
}

}  // namespace trivant
