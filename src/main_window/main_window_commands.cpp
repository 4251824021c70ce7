// MainWindow: recording control, options, fragment analysis, printing, about box, closing, and
// the recording windows' requests to the application.
#include "main_window.h"

#include "about_dialog.h"
#include "beat_edit.h"
#include "comment_dialog.h"
#include "file_naming.h"
#include "fragment_picker.h"
#include "message_box.h"
#include "options_dialog.h"
#include "recording_window.h"
#include "report_window.h"
#include "stage_window.h"
#include "standard_view.h"
#include "translation.h"
#include "trend_window.h"
#include "whole_recording.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

namespace trivant {

QMdiSubWindow* MainWindow::addChild(QWidget* child) {
    QMdiSubWindow* sub = mdi_->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // At least half the frame in each direction, as the child windows always were.
    sub->setMinimumSize(mdi_->width() / 2, mdi_->height() / 2);
    sub->resize(std::max(mdi_->width() * 3 / 4, sub->minimumWidth()),
                std::max(mdi_->height() * 3 / 4, sub->minimumHeight()));
    // Cascade each new window from the top left, so that none starts outside the frame.
    const int step = 24 * (static_cast<int>(mdi_->subWindowList().size()) - 1) % 240;
    sub->move(std::max(0, std::min(step, mdi_->width() - sub->width())),
              std::max(0, std::min(step, mdi_->height() - sub->height())));
    child->show();
    mdi_->setActiveSubWindow(sub);
    return sub;
}

RecordingWindow* MainWindow::addGraph() {
    auto* graph = new RecordingWindow(*this);
    addChild(graph);
    return graph;
}

void MainWindow::TB_StartClick() {
    addGraph()->StartRecording(newJournalPath());
    TB_Start->setEnabled(false);
    N_Start->setEnabled(false);
}

void MainWindow::TB_StopClick() {
    if (RecordingWindow* g = activeGraph(); g && g->recordingNow())
        g->StopRecording();
}

void MainWindow::TB_LabelClick() {
    if (RecordingWindow* g = activeGraph(); g && g->recordingNow())
        g->recording().Label();
}

void MainWindow::TB_CommentClick() {
    RecordingWindow* g = activeGraph();
    if (!g)
        return;
    QString text = QString::fromStdString(g->recording().Comment);
    if (!EditComment(this, *runner_, text))
        return;
    const std::string comment = text.toStdString();
    if (comment == g->recording().Comment)
        return;
    g->recording().Comment = comment;
    g->SetJournalComment(comment);
    g->SetSaved(false);  // an edited comment is lost as easily as a new recording
    g->update();
}

void MainWindow::TB_ToolsClick() {
    OptionsDialog dialog(setup_, *runner_, this);
    StrapChoice chosen = strap_;
    dialog.SetStraps(strapLink_.get(), strapSup_ ? &chosen : nullptr);
    dialog.LoadFromSetup();
    if (runner_->exec(dialog) == QDialog::Accepted) {
        dialog.StoreToSetup();
        supervisor_.Reset();  // the port choice may have changed
        takeStrapChoice(chosen);
        saveSettingsIfAsked();  // a crash must not take back what was chosen
    }
    const auto windows = mdi_->subWindowList();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (auto* g = qobject_cast<RecordingWindow*>((*it)->widget())) {
            g->recording().SetScales(ToCoreSettings(setup_));
            g->UpdateColors();
            g->update();
        }
    }
}

void MainWindow::TB_HelpClick() {
    AboutDialog about(this);
    runner_->exec(about);
}

void MainWindow::TB_PrintClick() {
    if (ReportWindow* frag = activeReport())
        printPage([frag](QPrinter& printer, bool landscape) {
            return frag->MyPrint(printer, landscape);
        });
    else if (MeasuresView* v = activeMeasures(); v && !v->Busy())
        printPage(
            [v](QPrinter& printer, bool landscape) { return v->MyPrint(printer, landscape); });
    else if (RecordingWindow* g = activeGraph(); g && !g->recordingNow())
        printPage([g](QPrinter& printer, bool) { return g->MyPrint(printer); });
}

void MainWindow::PrinterDeleter::operator()(QPrinter* p) const {
    delete p;
}

QPrinter& MainWindow::printer() {
    if (!printer_)
        printer_.reset(new QPrinter(QPrinter::HighResolution));
    printer_->setPageOrientation(setup_.PrintOrientation == 1 ? QPageLayout::Landscape
                                                              : QPageLayout::Portrait);
    return *printer_;
}

void MainWindow::TB_PrintSetupClick() {
    QPrinter& chosen = printer();
    QPrintDialog dialog(&chosen, this);
    dialog.setWindowTitle(tr("Настройки принтера"));
    // One page is printed, so page ranges mean nothing; printing into a file stays a choice.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    runner_->exec(dialog);
    // Confirmed or not, the printer's orientation is what the next print uses.
    setup_.PrintOrientation = chosen.pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0;
}

void MainWindow::printPage(const std::function<bool(QPrinter&, bool)>& draw) {
    const bool landscape = setup_.PrintOrientation == 1;
    QPrinter& chosen = printer();
    // A printer of the system, or the file that the printer set-up named.
    if (chosen.outputFormat() == QPrinter::NativeFormat || !chosen.outputFileName().isEmpty()) {
        if (!draw(chosen, landscape))
            message(tr("Ошибка"),
                    chosen.outputFileName().isEmpty()
                        ? tr("Не удалось напечатать страницу")
                        : tr("Не удалось записать файл %1").arg(chosen.outputFileName()));
        return;
    }
    const QString path = askPdfPath();
    if (path.isEmpty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(chosen.pageLayout());  // the paper and orientation of the set-up
    if (!draw(printer, landscape))
        message(tr("Ошибка"), tr("Не удалось записать файл %1").arg(path));
}

QString MainWindow::askPdfPath() {
    // Saving is what the user came for: Enter takes it.
    if (AskUserFirstDefault(this, *runner_, tr("Печать"),
                            tr("Принтер не найден. Сохранить страницу в файл PDF?"),
                            tr("Сохранить"), tr("Отмена")) != kMsgOk)
        return {};
    QFileDialog dialog(this, tr("Сохранить в PDF"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);  // the same dialog everywhere, and testable
    dialog.setOption(QFileDialog::DontConfirmOverwrite);  // asked below, in our own words
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(tr("Документ PDF (*.pdf)"));
    dialog.setDefaultSuffix("pdf");
    dialog.setDirectory(QString::fromStdString(setup_.DataDir));
    if (const std::string name = ProposedFileName(activeSourceFile(), ".pdf"); !name.empty())
        dialog.selectFile(QString::fromStdString(name));
    if (runner_->exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().first();
    if (!overwriteAccepted(path))
        return {};
    return path;
}

void MainWindow::N_SpecClick() {
    if (RecordingWindow* g = activeGraph())
        analyzeFragment(g->recording(), g->windowTitle(), g->currentFileName(),
                        OverviewStartSecond(g->recording(), g->view().XPos));
}

ReportWindow* MainWindow::analyzeFragment(const Recording& rec, const QString& caption,
                                          const std::string& sourceFile, int startS, int fragPos) {
    if (!analysis_)
        analysis_ = std::make_unique<AnalysisBuffers>();
    const ResampleResult resampled = PrepareAnalysis(rec, *analysis_);
    if (!resampled.enough) {
        showTooShort(rec, resampled);
        return nullptr;
    }
    FragmentPicker dialog(this);
    dialog.SetOverview(MakeOverview(*analysis_, resampled));
    const TraceStyle style = TraceStyleFrom(setup_);
    dialog.SetTraceStyle(style.colors[kSerRR], style.lineWidth);
    dialog.SetStartClock(OverviewStartClock(rec));
    dialog.Start(startS, fragPos);
    if (runner_->exec(dialog) != QDialog::Accepted)
        return nullptr;
    auto report = std::make_unique<FragmentReport>();
    // OK is disabled while the fragment does not fit, so a refusal here has nothing to show.
    if (!AnalyzeFragment(rec, dialog.FragPos(), resampled, *analysis_, *report, nullptr))
        return nullptr;
    ReportWindow* frag = addReport(
        *report,
        FragmentCaption(caption.toStdString(), *report, TrMessage(kFragmentWord).toStdString()),
        rec.Comment);
    frag->SetSourceFile(sourceFile);
    frag->SetEditedBeats(EditedBeats(rec));
    frag->SetRecordingIntervals(RecordingIntervalsUs(rec));
    frag->setProperty(kSourceFileProperty, QString::fromStdString(sourceFile));
    return frag;
}

void MainWindow::N_TrendClick() {
    RecordingWindow* g = activeGraph();
    if (!g)
        return;
    auto* trend = new TrendWindow(std::make_unique<Recording>(g->recording()));
    trend->setWindowTitle(tr("Тренд показателей: %1").arg(g->windowTitle()));
    trend->SetSourceName(g->currentFileName().empty() ? g->windowTitle().toStdString()
                                                      : g->currentFileName());
    const QString caption = g->windowTitle();
    const std::string file = g->currentFileName();
    // The fragment is the window clicked, measured as the trend measures it.
    connect(trend, &TrendWindow::fragmentRequested, this, [this, trend, caption, file](int s) {
        if (ReportWindow* frag = analyzeFragment(trend->recording(), caption, file, s, s)) {
            frag->SetBands(trend->bands());
            frag->SetArtifactOptions(trend->artifactOptions());
        }
    });
    trend->setProperty(kSourceFileProperty, QString::fromStdString(file));
    addChild(trend);
}

void MainWindow::N_StagesClick() {
    RecordingWindow* g = activeGraph();
    if (!g)
        return;
    auto* stages = new StageWindow(g->recording(), g->currentFileName().empty()
                                                       ? g->windowTitle().toStdString()
                                                       : g->currentFileName());
    stages->setWindowTitle(tr("Сравнение этапов: %1").arg(g->windowTitle()));
    stages->setProperty(kSourceFileProperty, QString::fromStdString(g->currentFileName()));
    addChild(stages);
}

void MainWindow::showTooShort(const Recording& rec, const ResampleResult& resampled) {
    QMessageBox box(QMessageBox::Information, tr("Анализ фрагмента"),
                    tr("Недостаточно данных для спектрального анализа") + ".\n" +
                        tr("Спектр строится по фрагменту 5 минут: нужно не менее %1 с "
                           "интервалов, а в записи %2 с.")
                            .arg(kFragmentSeconds)
                            .arg(resampled.total / 100),
                    QMessageBox::Close, this);
    box.button(QMessageBox::Close)->setText(tr("Закрыть"));
    // What can be said of a short recording is said: its time domain, without correction.
    const StandardMeasures m = ComputeStandardMeasures(RecordingIntervalsMs(rec), {});
    if (m.ok) {
        QString table = "<p>" +
                        tr("Показатели всей записи во временной области (интервалов: %1):")
                            .arg(m.n)
                            .toHtmlEscaped() +
                        "</p><table>";
        for (const TextLine& l : TimeDomainTableLines(m))
            table += QString("<tr><td>%1</td><td align=\"right\">&nbsp;&nbsp;%2</td></tr>")
                         .arg(QString::fromStdString(l.name).toHtmlEscaped(),
                              QString::fromStdString(l.value));
        box.setInformativeText(table + "</table>");
    }
    runner_->exec(box);
}

ReportWindow* MainWindow::addReport(const FragmentReport& report, const std::string& caption,
                                    const std::string& comment) {
    auto* frag = new ReportWindow;
    frag->setWindowTitle(QString::fromStdString(caption));
    frag->SetComment(QString::fromStdString(comment));
    frag->SetReport(report);
    connect(frag, &ReportWindow::exportRequested, this, [this, frag] { ExportMeasures(*frag); });
    addChild(frag);
    frag->StartPainting();
    return frag;
}

void MainWindow::N_ExitClick() {
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    mdi_->closeAllSubWindows();  // each window may ask about an unsaved recording
    if (!mdi_->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    IdleTimer->stop();
    saveSettingsIfAsked();
    event->accept();
}

void MainWindow::saveSettingsIfAsked() {
    if (!setup_.AutoSaveSetup)
        return;
    IoStatus st;
    if (!SaveSetup(configDir_, setup_, &st) ||
        !(st = WriteFileAtomic(RRRangeFile(configDir_), autoRR_ ? "auto\n" : "rows\n")).ok)
        message(
            tr("Ошибка"),
            tr("Не удалось сохранить параметры в файл %1").arg(QString::fromStdString(st.path)) +
                "\n" + QString::fromStdString(st.detail));
}

size_t MainWindow::ReadPort(uint8_t* buffer, size_t capacity) {
    return supervisor_.Read(buffer, capacity);
}

void MainWindow::PurgePort() {
    if (StrapDevice())
        strapSup_->Purge();
    else
        supervisor_.Purge();
}

void MainWindow::ShowLimitMessage(StopReason why, int maxBeats) {
    // These come at a moment the user did not choose: a showing modal box closes any open
    // menu, so the Esc that was to close that menu took the box with it, unseen.
    if (why == StopReason::Silence) {
        MessageBox box(this);
        box.Prepare(tr("Ошибка"), TrMessage(kNoConnectionMessage), tr("Закрыть"));
        HoldAnswers(box);
        runner_->exec(box);
        return;
    }
    const bool full = why == StopReason::Capacity;
    QMessageBox box(full ? QMessageBox::Warning : QMessageBox::Information, kAppCaption,
                    full ? TrMessage(kCapacityMessage) + QString::number(maxBeats)
                         : TrMessage(kFiveMinutesMessage),
                    QMessageBox::Ok, this);
    HoldAnswers(box);
    runner_->exec(box);
}

bool MainWindow::AskLabelName(std::string& name) {
    QInputDialog dialog(this);
    dialog.setWindowTitle(tr("Название метки"));
    dialog.setLabelText(tr("Название (пустое — метка без названия):"));
    dialog.setTextValue(QString::fromStdString(name));
    dialog.setOkButtonText(tr("Назвать"));
    dialog.setCancelButtonText(tr("Отменить"));
    if (runner_->exec(dialog) != QDialog::Accepted)
        return false;
    name = dialog.textValue().toStdString();
    return true;
}

void MainWindow::RecordingStopped() {
    IdleHandler();
}

bool MainWindow::MayClose(RecordingWindow& graph) {
    if (graph.recordingNow())
        return mayCloseRecording(graph);
    if (graph.saved())
        return true;
    const int answer = AskUser(
        this, *runner_, tr("Подтверждение"),
        tr("Запись «%1» не сохранена. Сохранить её перед закрытием?").arg(graph.windowTitle()),
        tr("Сохранить"), "", tr("Не сохранять"));
    if (answer == kMsgYes)
        return true;
    return answer == kMsgOk && SaveGraph(graph);
}

bool MainWindow::mayCloseRecording(RecordingWindow& graph) {
    // Asked before stopping, so that "Отмена" leaves the recording running.
    const int answer = AskUser(this, *runner_, tr("Подтверждение"),
                               tr("Запись ещё идёт. Остановить её и сохранить перед закрытием?"),
                               tr("Сохранить"), "", tr("Не сохранять"));
    if (answer != kMsgOk && answer != kMsgYes)
        return false;
    if (graph.recordingNow())  // a limit may have ended it while the question was shown
        graph.StopRecording();
    // A save that was cancelled or failed keeps the stopped recording open.
    return answer == kMsgYes || SaveGraph(graph);
}

void MainWindow::message(const QString& title, const QString& text) {
    AskUser(this, *runner_, title, text, "Ok");
}

}  // namespace trivant
