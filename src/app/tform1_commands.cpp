// TForm1: recording control, options, fragment analysis, printing, about box, closing, and
// the recording windows' requests to the application.
#include "tform1.h"

#include "my_message.h"
#include "tf_comment.h"
#include "tf_credits.h"
#include "tf_graph.h"
#include "tf_self.h"
#include "tform_frag.h"
#include "tform_setup.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTimer>

namespace trivant {

QMdiSubWindow* TForm1::addChild(QWidget* child) {
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

TFGraph* TForm1::addGraph() {
    auto* graph = new TFGraph(*this);
    addChild(graph);
    return graph;
}

void TForm1::TB_StartClick() {
    addGraph()->StartRecording();
    TB_Start->setEnabled(false);
    N_Start->setEnabled(false);
}

void TForm1::TB_StopClick() {
    if (TFGraph* g = activeGraph(); g && g->recordingNow())
        g->StopRecording();
}

void TForm1::TB_LabelClick() {
    if (TFGraph* g = activeGraph(); g && g->recordingNow())
        g->recording().Label();
}

void TForm1::TB_CommentClick() {
    TFGraph* g = activeGraph();
    if (!g)
        return;
    QString text = QString::fromStdString(g->recording().Comment);
    if (!EditComment(this, *runner_, text))
        return;
    g->recording().Comment = text.toStdString();
    g->update();
}

void TForm1::TB_ToolsClick() {
    TFormSetup dialog(Setup_, *runner_, this);
    dialog.LoadFromSetup();
    if (runner_->exec(dialog) == QDialog::Accepted) {
        dialog.StoreToSetup();
        supervisor_.Reset();  // the port choice may have changed
    }
    const auto windows = mdi_->subWindowList();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (auto* g = qobject_cast<TFGraph*>((*it)->widget())) {
            g->recording().SetScales(ToCoreSettings(Setup_));
            g->UpdateColors();
            g->update();
        }
    }
}

void TForm1::TB_HelpClick() {
    TFCredits about(this);
    runner_->exec(about);
}

void TForm1::TB_PrintClick() {
    QMdiSubWindow* w = mdi_->activeSubWindow();
    if (auto* frag = w ? qobject_cast<TFormFrag*>(w->widget()) : nullptr)
        printPage([frag](QPrinter& printer, bool landscape) {
            return frag->MyPrint(printer, landscape);
        });
    else if (TFGraph* g = activeGraph(); g && !g->recordingNow())
        printPage([g](QPrinter& printer, bool) { return g->MyPrint(printer); });
}

void TForm1::TB_PrintSetupClick() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(Setup_.PrintOrientation == 1 ? QPageLayout::Landscape
                                                            : QPageLayout::Portrait);
    QPageSetupDialog dialog(&printer, this);
    runner_->exec(dialog);
    // Confirmed or not, the printer's orientation is what the next print uses.
    Setup_.PrintOrientation = printer.pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0;
}

void TForm1::printPage(const std::function<bool(QPrinter&, bool)>& draw) {
    const bool landscape = Setup_.PrintOrientation == 1;
    if (!QPrinterInfo::availablePrinters().isEmpty()) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        if (!draw(printer, landscape))
            message("Ошибка", "Не удалось напечатать страницу");
        return;
    }
    if (ShowMyMessage(this, *runner_, "Печать", "Принтер не найден. Сохранить страницу в файл PDF?",
                      "Сохранить", "Отмена") != kMsgOk)
        return;
    QFileDialog dialog(this, "Сохранить в PDF");
    dialog.setOption(QFileDialog::DontUseNativeDialog);  // the same dialog everywhere, and testable
    dialog.setOption(QFileDialog::DontConfirmOverwrite);  // asked below, in our own words
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter("Документ PDF (*.pdf)");
    dialog.setDefaultSuffix("pdf");
    dialog.setDirectory(QString::fromStdString(Setup_.DataDir));
    if (runner_->exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().first();
    if (QFileInfo::exists(path) &&
        ShowMyMessage(this, *runner_, "Подтверждение", "Файл " + path + " существует. Переписать?",
                      "Переписать", "Отменить") != kMsgOk)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (!draw(printer, landscape))
        message("Ошибка", "Не удалось записать файл " + path);
}

void TForm1::N_SpecClick() {
    TFGraph* g = activeGraph();
    if (!g)
        return;
    if (!analysis_)
        analysis_ = std::make_unique<AnalysisBuffers>();
    const Recording& rec = g->recording();
    const ResampleResult resampled = PrepareAnalysis(rec, *analysis_);
    if (!resampled.enough) {
        ShowMyMessage(this, *runner_, "Ошибка", "Недостаточно данных для спектрального анализа",
                      "Закрыть");
        return;
    }
    TFSelF dialog(this);
    dialog.SetOverview(MakeOverview(analysis_->ResampleBuf.data(), resampled.length));
    const TraceStyle style = TraceStyleFrom(Setup_);
    dialog.SetTraceStyle(style.colors[kSerRR], style.lineWidth);
    dialog.Start(OverviewStartSecond(rec, g->XPos));
    if (runner_->exec(dialog) != QDialog::Accepted)
        return;
    auto report = std::make_unique<FragmentReport>();
    // OK is disabled while the fragment does not fit, so a refusal here has nothing to show.
    if (!AnalyzeFragment(rec, dialog.FragPos, resampled, *analysis_, *report, nullptr))
        return;
    addReport(*report, FragmentCaption(g->windowTitle().toStdString(), *report), rec.Comment);
}

TFormFrag* TForm1::addReport(const FragmentReport& report, const std::string& caption,
                             const std::string& comment) {
    auto* frag = new TFormFrag;
    frag->setWindowTitle(QString::fromStdString(caption));
    frag->FrComment = QString::fromStdString(comment);
    frag->SetReport(report);
    addChild(frag);
    frag->ReadyForPaint = true;
    frag->update();
    return frag;
}

void TForm1::N_ExitClick() {
    close();
}

void TForm1::closeEvent(QCloseEvent* event) {
    mdi_->closeAllSubWindows();  // each window may ask about an unsaved recording
    if (!mdi_->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    IdleTimer->stop();
    if (Setup_.AutoSaveSetup) {
        IoStatus st;
        if (!SaveSetup(startDir_, Setup_, &st))
            message("Ошибка", "Не удалось сохранить параметры в файл " +
                                  QString::fromStdString(st.path) + "\n" +
                                  QString::fromStdString(st.detail));
    }
    event->accept();
}

size_t TForm1::ReadPort(uint8_t* buffer, size_t capacity) {
    return supervisor_.Read(buffer, capacity);
}

void TForm1::PurgePort() {
    supervisor_.Purge();
}

void TForm1::ShowLimitMessage(StopReason why) {
    if (why == StopReason::Silence) {
        ShowMyMessage(this, *runner_, "Ошибка", kNoConnectionMessage, "Закрыть");
        return;
    }
    const bool full = why == StopReason::Capacity;
    QMessageBox box(full ? QMessageBox::Warning : QMessageBox::Information, kAppCaption,
                    full ? QString::fromUtf8(kCapacityMessage) + QString::number(kCapacity)
                         : QString::fromUtf8(kFiveMinutesMessage),
                    QMessageBox::Ok, this);
    runner_->exec(box);
}

void TForm1::RecordingStopped() {
    IdleHandler();
}

bool TForm1::MayClose(TFGraph& graph) {
    if (graph.Saved)
        return true;
    const int answer = ShowMyMessage(this, *runner_, "Подтверждение",
                                     "Запись «" + graph.windowTitle() +
                                         "» не сохранена. Сохранить её перед закрытием?",
                                     "Сохранить", "", "Не сохранять");
    if (answer == kMsgYes)
        return true;
    return answer == kMsgOk && SaveGraph(graph);
}

void TForm1::message(const QString& title, const QString& text) {
    ShowMyMessage(this, *runner_, title, text, "Ok");
}

}  // namespace trivant
