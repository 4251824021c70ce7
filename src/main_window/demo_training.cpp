// The demos' training: a short watch on the main window's commands, as a user would press
// them.
#include "demo_training.h"

#include "main_window.h"
#include "recording_window.h"

#include <QAction>
#include <QApplication>
#include <QByteArray>
#include <QTimer>

namespace trivant {

namespace {
constexpr int kWatchMs = 200;
}

bool DemoTrainingAsked(const QByteArray& value) {
    return !value.isEmpty() && value != "0";
}

void StartTrainingDemo(MainWindow& main) {
    auto* watch = new QTimer(&main);
    QObject::connect(watch, &QTimer::timeout, &main, [&main, watch, started = false]() mutable {
        if (QApplication::activeModalWidget())
            return;
        const RecordingWindow* g = main.activeGraph();
        if (g && g->recordingNow() && main.N_Training->isEnabled()) {
            main.N_Training->trigger();
            watch->stop();
            watch->deleteLater();
        } else if (!started && !(g && g->recordingNow()) && main.TB_Start->isEnabled()) {
            started = true;
            main.TB_Start->trigger();
        }
    });
    watch->start(kWatchMs);
}

}  // namespace trivant
