// MainWindow: the open and save commands with their dialogs.
#include "main_window.h"

#include "beat_edit.h"

#include "codepage.h"
#include "file_naming.h"
#include "measures_view.h"
#include "message_box.h"
#include "open_recording.h"
#include "path_parts.h"
#include "recording_file.h"
#include "recording_window.h"
#include "report_window.h"
#include "short_date.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
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

// The settings keep 1 or 2 for the types of the original; 0, the default, stands for every
// recording. Lists, CSV, ECG records and any file leave the stored one as it was.
constexpr int kAllFilter = 0;
constexpr int kListFilter = 3;
constexpr int kCsvFilter = 4;
constexpr int kAnyFilter = 5;
constexpr int kEcgFilter = 6;

QString allFilter() {
    return MainWindow::tr("Все записи (*.rr *.txt *.csv *.hea *.edf *.bdf *.gdf)");
}

QString ecgFilter() {
    return MainWindow::tr("Записи ЭКГ (*.hea *.edf *.bdf *.gdf)");
}

bool ecgSuffix(const QString& suffix) {
    for (const char* s : {"hea", "edf", "bdf", "gdf"})
        if (suffix.compare(s, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString listFilter() {
    return MainWindow::tr("Список RR-интервалов (*.txt *.csv)");
}

QString csvFilter() {
    return MainWindow::tr("Таблица CSV (*.csv)");
}

QString anyFilter() {
    return MainWindow::tr("Все файлы (*)");
}

// Exact intervals that a .rr file would round put CSV first, chosen.
enum class DialogKind { Open, Save, SaveExact };

// One dialog for both commands; the file type index is 1-based as the settings keep it.
void prepareDialog(QFileDialog& d, const std::string& folder, int filterIndex, DialogKind kind) {
    d.setOption(QFileDialog::DontUseNativeDialog);  // the same dialog everywhere, and testable
    d.setDirectory(QString::fromStdString(folder));
    switch (kind) {
    case DialogKind::Open:
        d.setNameFilters(QStringList{allFilter()} + filters() +
                         QStringList{listFilter(), ecgFilter(), anyFilter()});
        if (filterIndex != 1 && filterIndex != 2)
            return;  // the first one, every recording
        break;
    case DialogKind::Save:
        d.setNameFilters(filters() + QStringList{csvFilter()});
        break;
    case DialogKind::SaveExact:
        d.setNameFilters(QStringList{csvFilter()} + filters());
        d.selectNameFilter(csvFilter());
        return;
    }
    d.selectNameFilter(filters()[FilterIndexOrDefault(filterIndex) - 1]);
}

int chosenFilter(const QFileDialog& d) {
    const QString chosen = d.selectedNameFilter();
    const std::pair<QString, int> others[] = {{allFilter(), kAllFilter},
                                              {listFilter(), kListFilter},
                                              {csvFilter(), kCsvFilter},
                                              {anyFilter(), kAnyFilter},
                                              {ecgFilter(), kEcgFilter}};
    for (const auto& [name, index] : others)
        if (chosen == name)
            return index;
    return filters().indexOf(chosen) == 1 ? 2 : 1;
}

RecordingFormat savedFormat(int filter) {
    if (filter == kCsvFilter)
        return RecordingFormat::TrivantCsv;
    return filter == 2 ? RecordingFormat::Text : RecordingFormat::Rr;
}

const char* extensionOf(RecordingFormat f) {
    if (f == RecordingFormat::TrivantCsv)
        return ".csv";
    return f == RecordingFormat::Text ? ".txt" : ".rr";
}

// Why a file could not be opened, below the line that names it.
QString loadFailure(const RecordingLoad& load) {
    if (const ContentRefusal& r = load.refusal; r.refused())
        return r.format ? MainWindow::tr("Это не запись, которую читает Trivant: файл формата %1.")
                              .arg(QString::fromLatin1(r.format))
                        : MainWindow::tr("Это не запись, которую читает Trivant: SpO2 больше "
                                         "100 % в большинстве слов (%1 из %2).")
                              .arg(r.badWords)
                              .arg(r.words);
    if (load.format == RecordingFormat::Unknown)
        return MainWindow::tr("Это не файл .rr, не текстовый файл, не список RR-интервалов в мс "
                              "и не CSV-файл со столбцом RR.");
    const QString detail = QString::fromStdString(load.status.detail);
    if (load.line > 0)
        return MainWindow::tr("Строка %1: %2").arg(load.line).arg(detail);
    return detail;
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

// The save dialog names the recording's file with the suffix of the type it starts on.
void proposeName(QFileDialog& d, const std::string& source, RecordingFormat format) {
    const std::string name = ProposedFileName(source, extensionOf(format));
    if (!name.empty())
        d.selectFile(QString::fromStdString(name));
}

}  // namespace

void MainWindow::TB_OpenClick() {
    QFileDialog dialog(this, tr("Открыть файл"));
    prepareDialog(dialog, openFolder_, setup_.OpenFilterIndex, DialogKind::Open);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (runner_->exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    OpenRecording(dialog.selectedFiles().first().toStdString(), chosenFilter(dialog));
}

void MainWindow::OpenFiles(const QStringList& paths) {
    for (const QString& name : paths) {
        const QFileInfo info(name);
        // With no dialog, the extension stands for the type chosen; the content decides.
        int filter = info.suffix().compare("txt", Qt::CaseInsensitive) == 0 ? 2 : 1;
        if (info.suffix().compare("csv", Qt::CaseInsensitive) == 0)
            filter = kListFilter;
        if (ecgSuffix(info.suffix()))
            filter = kEcgFilter;
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
    if (filterIndex >= kAllFilter && filterIndex <= 2)
        setup_.OpenFilterIndex = filterIndex;
    openFolder_ = FolderOf(path);
    setup_.DataDir = CutToChars(openFolder_, kDataDirMaxChars);
    RecordingWindow* g = addGraph();
    g->SetFileName(path);
    Recording& rec = g->recording();
    rec.Comment.clear();
    const OpenedRecording opened = loadAnyRecording(path, rec);
    const RecordingLoad& load = opened.load;
    if (opened.cancelled || !load.status.ok) {
        g->parentWidget()->close();  // an empty window helps nobody
        if (!opened.cancelled)
            message(tr("Ошибка"), tr("Не удалось прочитать файл %1").arg(qpath) + "\n" +
                                      (opened.ecg ? QString::fromStdString(load.status.detail)
                                                  : loadFailure(load)));
        return nullptr;
    }
    rec.PrepareData(ToCoreSettings(setup_));
    attachEcg(*g);
    g->setWindowTitle(QString::fromStdString(FileCaption(FileShortDate(path), path)));
    g->ShowLoadedRecording();
    rememberFile(path);
    if (const QString text = readReport(path, load.textReport); !text.isEmpty())
        message(tr("Предупреждение"), text);
    return g;
}

void MainWindow::TB_SaveClick() {
    if (RecordingWindow* g = activeGraph(); g && !g->recordingNow())
        SaveGraph(*g);
}

namespace {

QString lossOfCommentOrRounding(RecordingFormat format, bool rounds, bool hasComment) {
    const bool losesComment = hasComment && format == RecordingFormat::Rr;
    const bool rounded = rounds && format != RecordingFormat::TrivantCsv;
    if (losesComment && rounded)
        return MainWindow::tr("Формат .rr не хранит комментарий, а интервалы хранит с шагом "
                              "10 мс: комментарий будет потерян, точные значения будут "
                              "округлены. Сохраняет всё только CSV. Сохранить в формате .rr?");
    if (losesComment)
        return MainWindow::tr("Формат .rr не хранит комментарий: он будет потерян. Комментарий "
                              "сохраняют текстовый файл и CSV. Сохранить в формате .rr?");
    if (rounded)
        return MainWindow::tr("Формат %1 хранит интервалы с шагом 10 мс: точные значения "
                              "будут округлены. Сохранить в этом формате?")
            .arg(extensionOf(format));
    return {};
}

}  // namespace

QString SaveLossQuestion(RecordingFormat format, bool rounds, bool hasComment, bool hasNames,
                         bool hasEdits) {
    const QString others = lossOfCommentOrRounding(format, rounds, hasComment);
    if ((!hasNames && !hasEdits) || format == RecordingFormat::TrivantCsv)
        return others;
    // The labels and the reviewed intervals stay in every format; label names, the edits'
    // marks, the intervals as recorded and the deleted beats are the CSV's alone.
    QString lost;
    if (hasNames)
        lost += MainWindow::tr("Формат %1 не хранит названия меток: метки останутся без них.")
                    .arg(extensionOf(format)) +
                " ";
    if (hasEdits)
        lost += MainWindow::tr("Формат %1 не хранит правку ударов: сохранятся исправленные "
                               "интервалы, без отметок правки, исходных интервалов и удалённых "
                               "ударов.")
                    .arg(extensionOf(format)) +
                " ";
    if (!others.isEmpty())
        return lost + others;
    return lost + (hasEdits ? MainWindow::tr("Всё это сохраняет только CSV. Сохранить в этом "
                                             "формате?")
                            : MainWindow::tr("Названия сохраняет только CSV. Сохранить в этом "
                                             "формате?"));
}

QString SaveLimitQuestion(RecordingFormat format, int beats) {
    if (FormatLimitText(format, beats).empty())
        return {};
    return MainWindow::tr("Формат %1 вмещает не больше %2 интервалов, а в записи их %3. Всю "
                          "запись сохраняет таблица CSV. Сохранить её как таблицу CSV?")
        .arg(extensionOf(format))
        .arg(kMaxBeats)
        .arg(beats);
}

std::optional<MainWindow::SaveTarget> MainWindow::askSaveTarget(const RecordingWindow& graph,
                                                                bool csvFirst) {
    QFileDialog dialog(this, tr("Сохранить файл"));
    prepareDialog(dialog, saveFolder_, setup_.SaveFilterIndex,
                  csvFirst ? DialogKind::SaveExact : DialogKind::Save);
    proposeName(dialog, graph.currentFileName(), savedFormat(chosenFilter(dialog)));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);  // asked below, in our own words
    if (runner_->exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const int filter = chosenFilter(dialog);
    const RecordingFormat format = savedFormat(filter);
    // The default extension follows the file type chosen last in the dialog. CSV text never
    // goes under another extension: a name ending in .rr would be read back as binary words.
    QString chosen = dialog.selectedFiles().first();
    const QString suffix = QFileInfo(chosen).suffix();
    if (suffix.isEmpty() ||
        (format == RecordingFormat::TrivantCsv && suffix.compare("csv", Qt::CaseInsensitive) != 0))
        chosen += extensionOf(format);
    const std::string path = SaveNameWithUnderscores(chosen.toStdString());
    saveFolder_ = FolderOf(path);
    setup_.DataDir = CutToChars(saveFolder_, kDataDirMaxChars);
    if (filter != kCsvFilter)
        setup_.SaveFilterIndex = filter;
    return SaveTarget{path, format};
}

bool MainWindow::SaveGraph(RecordingWindow& graph) {
    const Recording& rec = graph.recording();
    const bool rounds = rec.RoundedIntervals() > 0;
    std::optional<SaveTarget> target;
    // Until a type that loses nothing, or one whose loss the user accepts; the window keeps
    // its file until one is written.
    const bool named = !rec.LabelNames.empty();
    const bool edited = EditedBeats(rec) > 0;
    for (bool csvFirst = rounds || named || edited || rec.beats() > kMaxBeats;; csvFirst = true) {
        target = askSaveTarget(graph, csvFirst);
        if (!target)
            return false;
        if (const QString limit = SaveLimitQuestion(target->format, rec.beats());
            !limit.isEmpty()) {
            // Nothing is written in a format that would cut the recording.
            if (AskUser(this, *runner_, tr("Подтверждение"), limit, tr("Таблица CSV"),
                        tr("Отменить")) != kMsgOk)
                return false;
            const QFileInfo chosen(QString::fromStdString(target->path));
            target->path = chosen.dir().filePath(chosen.completeBaseName() + ".csv").toStdString();
            target->format = RecordingFormat::TrivantCsv;
            break;
        }
        const QString loss =
            SaveLossQuestion(target->format, rounds, !rec.Comment.empty(), named, edited);
        if (loss.isEmpty())
            break;
        const int answer = AskUser(this, *runner_, tr("Подтверждение"), loss, tr("Сохранить"), {},
                                   tr("Другой тип"));
        if (answer == kMsgOk)
            break;
        if (answer != kMsgYes)
            return false;
    }
    const QString qpath = QString::fromStdString(target->path);
    if (!overwriteAccepted(qpath))
        return false;
    const IoStatus st =
        SaveRecordingFile(target->path, rec, target->format, ShortDateText(std::time(nullptr)));
    if (!st.ok) {
        message(tr("Ошибка"), tr("Не удалось сохранить файл %1").arg(qpath) + "\n" +
                                  QString::fromStdString(st.detail));
        return false;
    }
    graph.SetFileName(target->path);
    graph.setWindowTitle(
        QString::fromStdString(FileCaption(FileShortDate(target->path), target->path)));
    graph.SetSaved(true);
    graph.RemoveJournal();  // the file holds the recording now
    rememberFile(target->path);
    return true;
}

bool MainWindow::overwriteAccepted(const QString& path) {
    return !QFileInfo::exists(path) || AskUser(this, *runner_, tr("Подтверждение"),
                                               tr("Файл %1 существует. Переписать?").arg(path),
                                               tr("Переписать"), tr("Отменить")) == kMsgOk;
}

std::string MainWindow::activeSourceFile() const {
    if (const RecordingWindow* g = activeGraph())
        return g->currentFileName();
    const QMdiSubWindow* sub = mdi_->activeSubWindow();
    return sub && sub->widget()
               ? sub->widget()->property(kSourceFileProperty).toString().toStdString()
               : std::string();
}

void MainWindow::N_ExportClick() {
    if (ReportWindow* frag = activeReport())
        ExportMeasures(*frag);
    else if (MeasuresView* v = activeMeasures(); v && !v->Busy())
        exportCsv(v->MeasuresCsv());
}

void MainWindow::N_StdPageClick() {
    if (ReportWindow* frag = activeReport())
        frag->SetPage(ReportWindow::StandardMeasuresPage);
}

bool MainWindow::ExportMeasures(ReportWindow& report) {
    return exportCsv(report.MeasuresCsv());
}

bool MainWindow::exportCsv(const std::string& csv) {
    QFileDialog dialog(this, tr("Экспорт показателей (CSV)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDirectory(QString::fromStdString(saveFolder_));
    dialog.setNameFilters({csvFilter()});
    if (const std::string name = ProposedFileName(activeSourceFile(), ".csv"); !name.empty())
        dialog.selectFile(QString::fromStdString(name));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);  // asked below, in our own words
    if (runner_->exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    QString chosen = dialog.selectedFiles().first();
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += ".csv";
    if (!overwriteAccepted(chosen))
        return false;
    const IoStatus st = WriteFileAtomic(chosen.toStdString(), csv);
    if (!st.ok)
        message(tr("Ошибка"), tr("Не удалось сохранить файл %1").arg(chosen) + "\n" +
                                  QString::fromStdString(st.detail));
    return st.ok;
}

}  // namespace trivant
