// The breathing training's window: one per live recording, a top-level window beside the
// recording's frame, printing through the main window's printer.
#include "main_window.h"

#include "beside_placement.h"
#include "recording_window.h"
#include "training_window.h"

#include <QAction>
#include <QApplication>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QScreen>

namespace trivant {

namespace {

// Room for the pacer and the curves above the figures and the resonance row and table.
constexpr QSize kTrainingSize(840, 720);
constexpr int kRecordingMinWidth = 480;

TrainingWindow* trainingOf(const QWidget& form, const RecordingWindow* g) {
    for (TrainingWindow* t : form.findChildren<TrainingWindow*>(Qt::FindDirectChildrenOnly))
        if (t->source() == g)
            return t;
    return nullptr;
}

// The frame the recording shows in, on the desktop.
QRect globalFrame(const RecordingWindow& g) {
    const QWidget* frame = qobject_cast<QMdiSubWindow*>(g.parentWidget());
    if (!frame)
        frame = &g;
    return QRect(frame->mapToGlobal(QPoint(0, 0)), frame->size());
}

}  // namespace

RecordingWindow* MainWindow::trainingSource() const {
    if (RecordingWindow* g = activeGraph(); g && g->recordingNow())
        return g;
    const auto* t = qobject_cast<TrainingWindow*>(QApplication::activeWindow());
    return t && t->live() ? t->source() : nullptr;
}

void MainWindow::N_TrainingClick() {
    RecordingWindow* g = trainingSource();
    if (!g)
        return;
    if (TrainingWindow* open = trainingOf(*this, g)) {
        open->showNormal();
        open->raise();
        open->activateWindow();
        return;
    }
    auto* training = new TrainingWindow(g, this);
    training->setWindowFlag(Qt::Window);
    training->setAttribute(Qt::WA_DeleteOnClose);
    training->setWindowTitle(tr("Тренинг дыхания: %1").arg(g->windowTitle()));
    connect(g, &QObject::destroyed, training, &QWidget::close);
    connect(training, &TrainingWindow::printRequested, this, [this, training] {
        printPage([training](QPrinter& printer, bool landscape) {
            return training->MyPrint(printer, landscape);
        });
    });
    // The main window's decoration stands for the new window's, not known before it shows.
    const QSize decoration = frameGeometry().size() - geometry().size();
    const QRect screen =
        (g->screen() ? g->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    const QRect frame = PlaceBeside(globalFrame(*g), kTrainingSize + decoration, screen);
    // Where the screen has no room beside the recording, the recording makes room.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(g->parentWidget());
        sub && !sub->isMaximized() && sub->parentWidget()) {
        const QRect narrowed = NarrowedBeside(globalFrame(*g), frame, kRecordingMinWidth);
        sub->setGeometry(
            QRect(sub->parentWidget()->mapFromGlobal(narrowed.topLeft()), narrowed.size()));
    }
    training->resize(frame.size() - decoration);
    training->move(frame.topLeft());
    training->show();
    training->activateWindow();
}

}  // namespace trivant
