// Trivant: records and analyses heart-rate variability from a pulse device; opens the
// recordings named on its command line.
#include "app_icon.h"
#include "main_window.h"
#include "qt_port_layer.h"
#include "runtime_dir.h"
#include "translation.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTimer>

int main(int argc, char** argv) {
    trivant::EnsureRuntimeDir();
    QApplication app(argc, argv);
    QApplication::setApplicationName("Trivant");
    QApplication::setWindowIcon(trivant::AppIcon());
    QGuiApplication::setDesktopFileName("trivant");
    // Before any window: every text is translated as it is created.
    trivant::InstallTranslations(app, trivant::ChooseUiLanguage());
    // Settings and the default recordings folder live in the folder Trivant starts in.
    trivant::MainWindow main(std::make_unique<trivant::QtPortLayer>(),
                             std::make_unique<trivant::DialogRunner>(),
                             QDir::currentPath().toStdString());
    // Without a window manager to maximise it, fill the screen anyway.
    main.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    main.showMaximized();
    // The files named on the command line (QApplication has taken its own options), once the
    // frame has its size.
    const QStringList files = QCoreApplication::arguments().mid(1);
    QTimer::singleShot(0, &main, [&main, files] { main.OpenFiles(files); });
    return app.exec();
}
