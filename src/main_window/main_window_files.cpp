// MainWindow: the open and save commands with their dialogs.
#include "main_window.h"

#include "codepage.h"
#include "file_naming.h"
#include "message_box.h"
#include "path_parts.h"
#include "recording_window.h"
#include "rr_file.h"
#include "short_date.h"
#include "text_file.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMessageBox>

#include <ctime>

namespace trivant {

namespace {

const char* const kFilters[] = {
    QT_TRANSLATE_NOOP("trivant::MainWindow", "Файл NN-интервалов (*.rr)"),
    QT_TRANSLATE_NOOP("trivant::MainWindow", "Текстовый файл (*.txt)")};

QStringList filters() {
    return {MainWindow::tr(kFilters[0]), MainWindow::tr(kFilters[1])};
}

// One dialog for both commands; the file type index is 1-based as the settings keep it.
void prepareDialog(QFileDialog& d, const std::string& folder, int filterIndex) {
    d.setOption(QFileDialog::DontUseNativeDialog);  // the same dialog everywhere, and testable
    d.setDirectory(QString::fromStdString(folder));
    d.setNameFilters(filters());
    d.selectNameFilter(filters()[FilterIndexOrDefault(filterIndex) - 1]);
}

int chosenFilter(const QFileDialog& d) {
    return filters().indexOf(d.selectedNameFilter()) == 1 ? 2 : 1;
}

QString readReport(const std::string& path, const TextReadReport& r) {
    QString text;
    if (r.skippedLines > 0)
        text +=
            MainWindow::tr("В файле %1 не удалось прочитать строк: %2 (первая из них — строка %3). "
                           "Они пропущены.")
                .arg(QString::fromStdString(path))
                .arg(r.skippedLines)
                .arg(r.firstSkippedLine);
    if (r.movedLabels > 0)
        text += MainWindow::tr(" Пропущенная строка %1 относилась к отмеченному интервалу; метка "
                               "перенесена на следующий интервал (строка %2).")
                    .arg(r.firstMovedLabelFrom)
                    .arg(r.firstMovedLabelTo);
    if (r.movedLabels > 1)
        text += MainWindow::tr(" Всего перенесено меток: %1.").arg(r.movedLabels);
    if (r.lostLabelLine > 0)
        text +=
            MainWindow::tr(" Пропущенная строка %1 относилась к отмеченному интервалу, а после неё "
                           "интервалов нет; эта метка не загружена.")
                .arg(r.lostLabelLine);
    if (r.truncated)
        text += MainWindow::tr("%1В файле %2 больше %3 интервалов; загружены первые %3.")
                    .arg(text.isEmpty() ? "" : "\n")
                    .arg(QString::fromStdString(path))
                    .arg(kMaxBeats);
    return text;
}

}  // namespace

void MainWindow::TB_OpenClick() {
    QFileDialog dialog(this, tr("Открыть файл"));
    prepareDialog(dialog, openFolder_, setup_.OpenFilterIndex);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (runner_->exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    OpenRecording(dialog.selectedFiles().first().toStdString(), chosenFilter(dialog));
}

void MainWindow::OpenFiles(const QStringList& paths) {
    for (const QString& name : paths) {
        const QFileInfo info(name);
        // With no dialog to choose the type, the extension does.
        const int filter = info.suffix().compare("txt", Qt::CaseInsensitive) == 0 ? 2 : 1;
        OpenRecording(info.absoluteFilePath().toStdString(), filter);
        IdleHandler();  // the commands follow each new window, as after the open command
    }
}

RecordingWindow* MainWindow::OpenRecording(const std::string& path, int filterIndex) {
    const QString qpath = QString::fromStdString(path);
    if (!QFileInfo::exists(qpath)) {
        QMessageBox box(QMessageBox::Information, kAppCaption, tr("Файл %1 не найден").arg(qpath),
                        QMessageBox::Ok, this);
        runner_->exec(box);
        return nullptr;
    }
    setup_.OpenFilterIndex = filterIndex;
    openFolder_ = FolderOf(path);
    setup_.DataDir = CutToChars(openFolder_, kDataDirMaxChars);
    RecordingWindow* g = addGraph();
    g->SetFileName(path);
    Recording& rec = g->recording();
    rec.Comment.clear();
    TextReadReport report;
    const IoStatus st =
        filterIndex == 2 ? ReadTextFile(path, rec, report) : ReadDataFile(path, rec);
    if (!st.ok) {
        g->parentWidget()->close();  // an empty window helps nobody
        message(tr("Ошибка"), tr("Не удалось прочитать файл %1").arg(qpath) + "\n" +
                                  QString::fromStdString(st.detail));
        return nullptr;
    }
    rec.PrepareData(ToCoreSettings(setup_));
    g->setWindowTitle(QString::fromStdString(FileCaption(FileShortDate(path), path)));
    g->ShowLoadedRecording();
    if (const QString text = readReport(path, report); !text.isEmpty())
        message(tr("Предупреждение"), text);
    return g;
}

void MainWindow::TB_SaveClick() {
    if (RecordingWindow* g = activeGraph(); g && !g->recordingNow())
        SaveGraph(*g);
}

bool MainWindow::SaveGraph(RecordingWindow& graph) {
    QFileDialog dialog(this, tr("Сохранить файл"));
    prepareDialog(dialog, saveFolder_, setup_.SaveFilterIndex);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);  // asked below, in our own words
    if (runner_->exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const int filter = chosenFilter(dialog);
    // The default extension follows the file type chosen last in the dialog.
    QString chosen = dialog.selectedFiles().first();
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += filter == 2 ? ".txt" : ".rr";
    const std::string path = SaveNameWithUnderscores(chosen.toStdString());
    graph.SetFileName(path);
    saveFolder_ = FolderOf(path);
    setup_.DataDir = CutToChars(saveFolder_, kDataDirMaxChars);
    setup_.SaveFilterIndex = filter;
    const QString qpath = QString::fromStdString(path);
    if (QFileInfo::exists(qpath) && AskUser(this, *runner_, tr("Подтверждение"),
                                            tr("Файл %1 существует. Переписать?").arg(qpath),
                                            tr("Переписать"), tr("Отменить")) != kMsgOk)
        return false;
    const Recording& rec = graph.recording();
    const IoStatus st = filter == 2 ? SaveTextFile(path, rec, ShortDateText(std::time(nullptr)))
                                    : SaveDataFile(path, rec);
    if (!st.ok) {
        message(tr("Ошибка"), tr("Не удалось сохранить файл %1").arg(qpath) + "\n" +
                                  QString::fromStdString(st.detail));
        return false;
    }
    graph.setWindowTitle(QString::fromStdString(FileCaption(FileShortDate(path), path)));
    graph.SetSaved(true);
    return true;
}

}  // namespace trivant
