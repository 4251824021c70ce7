// MainWindow: files dragged from a file manager onto the frame or the windows in it.
#include "main_window.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace trivant {

namespace {

// The local files among the dropped items; other URLs are not ours to fetch.
QStringList localFiles(const QMimeData* data) {
    QStringList files;
    if (data && data->hasUrls())
        for (const QUrl& url : data->urls())
            if (url.isLocalFile())
                files.push_back(url.toLocalFile());
    return files;
}

}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (N_FOpen->isEnabled() && !localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (N_FOpen->isEnabled() && !localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QStringList files = localFiles(event->mimeData());
    if (!N_FOpen->isEnabled() || files.isEmpty())
        return;
    event->acceptProposedAction();
    // The file manager waits for the drop to end: the messages of opening come after it.
    QTimer::singleShot(0, this, [this, files] { OpenFiles(files); });
}

}  // namespace trivant
