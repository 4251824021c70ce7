// TForm1: recording control, options, about box, closing, and the recording windows'
// requests to the application.
#include "tform1.h"

#include "my_message.h"
#include "tf_comment.h"
#include "tf_credits.h"
#include "tf_graph.h"
#include "tform_setup.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTimer>

namespace trivant {

TFGraph* TForm1::addGraph() {
    auto* graph = new TFGraph(*this);
    QMdiSubWindow* sub = mdi_->addSubWindow(graph);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // At least half the frame in each direction, as the recording windows always were.
    sub->setMinimumSize(mdi_->width() / 2, mdi_->height() / 2);
    sub->resize(std::max(mdi_->width() * 3 / 4, sub->minimumWidth()),
                std::max(mdi_->height() * 3 / 4, sub->minimumHeight()));
    graph->show();
    mdi_->setActiveSubWindow(sub);
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

// TODO(#7): printing a recording and the printer set-up.
void TForm1::TB_PrintClick() {}
void TForm1::TB_PrintSetupClick() {}
// TODO(#6): the fragment selection and report.
void TForm1::N_SpecClick() {}

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
