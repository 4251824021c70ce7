// MainWindow: the recent files in the File menu.
#include "main_window.h"

#include "recent_files.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace trivant {

void MainWindow::createRecentMenu() {
    N_Recent = new QMenu(tr("Недавние &файлы"), this);
    N_Recent->setObjectName("N_Recent");
    N_File->insertMenu(N_FSave, N_Recent);
    fillRecentMenu();
}

void MainWindow::fillRecentMenu() {
    // Later, not now: an item may be the one whose click is being handled.
    for (QAction* old : N_Recent->actions()) {
        N_Recent->removeAction(old);
        old->deleteLater();
    }
    int n = 0;
    for (const QString& path : recent_->paths()) {
        // The number is the item's key; an ampersand in the name must not become one.
        QString shown = QDir::toNativeSeparators(path);
        shown.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction* a = N_Recent->addAction(QString("&%1 %2").arg(++n).arg(shown));
        connect(a, &QAction::triggered, this, [this, path] { openRecent(path); });
    }
    N_Recent->setEnabled(n > 0);
}

void MainWindow::rememberFile(const std::string& path) {
    recent_->Add(QFileInfo(QString::fromStdString(path)).absoluteFilePath());
    fillRecentMenu();
}

void MainWindow::openRecent(const QString& path) {
    OpenFiles({path});
    // It was told "not found" as any missing file is; it leaves the list.
    if (!QFileInfo::exists(path)) {
        recent_->Remove(path);
        fillRecentMenu();
    }
}

}  // namespace trivant
