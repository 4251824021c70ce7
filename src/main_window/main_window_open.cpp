// MainWindow: recordings opened through OpenAnyRecording, ECG records among them: the beat
// search's progress, the channel question, and the record handed to the recording's window.
#include "main_window.h"

#include "ecg_read.h"
#include "open_recording.h"
#include "recording_window.h"

#include <QInputDialog>
#include <QProgressDialog>

#include <algorithm>
#include <memory>

namespace trivant {

namespace {
constexpr int kProgressSteps = 1000;
constexpr int kProgressDelayMs = 500;  // a short record opens without the dialog flashing
}  // namespace

OpenedRecording MainWindow::loadAnyRecording(const std::string& path, Recording& rec) {
    // Made at the first block read, after the channel question: its delay timer starts
    // with it, and it would cover the question.
    std::unique_ptr<QProgressDialog> progress;
    OpenHooks hooks;
    hooks.progress = [this, &progress](int64_t done, int64_t total) {
        if (!progress) {
            progress = std::make_unique<QProgressDialog>(tr("Поиск сокращений в ЭКГ…"),
                                                         tr("Отмена"), 0, kProgressSteps, this);
            progress->setWindowTitle(kAppCaption);
            progress->setWindowModality(Qt::WindowModal);  // setValue keeps it answering
            progress->setMinimumDuration(kProgressDelayMs);
            progress->setAutoClose(false);
            progress->setAutoReset(false);
        }
        if (total > 0)
            progress->setValue(static_cast<int>(done * kProgressSteps / total));
        return !progress->wasCanceled();
    };
    hooks.askChannel = [this](const EcgInfo& info, int suggested) {
        return askEcgChannel(info, suggested);
    };
    return OpenAnyRecording(path, {}, hooks, rec);
}

int MainWindow::askEcgChannel(const EcgInfo& info, int suggested) {
    QStringList labels;
    for (const EcgChannel& c : info.channels) {
        QString label = QString::fromStdString(c.label);
        // Two channels of one name (ECG, ECG) are told apart by their place.
        if (labels.contains(label) ||
            std::count_if(info.channels.begin(), info.channels.end(),
                          [&](const EcgChannel& o) { return o.label == c.label; }) > 1)
            label += QString(" (%1)").arg(labels.size() + 1);
        labels << label;
    }
    // getItem's own dialog, built here so that the runner (and a test) can answer it.
    QInputDialog d(this);
    d.setWindowTitle(kAppCaption);
    d.setLabelText(tr("Канал ЭКГ, в котором искать сокращения:"));
    d.setComboBoxItems(labels);
    d.setComboBoxEditable(false);
    d.setTextValue(labels.value(suggested));
    if (runner_->exec(d) != QDialog::Accepted)
        return -1;
    return static_cast<int>(labels.indexOf(d.textValue()));
}

void MainWindow::attachEcg(RecordingWindow& graph) {
    const Recording& rec = graph.recording();
    if (!rec.hasEcg())
        return;
    EcgOpen open = OpenEcgRecord(rec.EcgSource);
    if (!open.source)
        return;
    std::string error;
    const int channel = EcgChannelIndex(open.source->info(), rec.EcgChannel, error);
    if (channel >= 0)
        graph.SetEcgSource(std::shared_ptr<EcgSource>(std::move(open.source)), channel);
}

}  // namespace trivant
