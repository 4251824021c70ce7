// Trivant: records and analyses heart-rate variability from a pulse device; opens the
// recordings named on its command line, in the program already running when there is one.
#include "app_icon.h"
#include "demo_training.h"
#include "launch_options.h"
#include "main_window.h"
#include "qt_port_layer.h"
#include "qt_strap_link.h"
#include "recent_files.h"
#include "replay_strap_link.h"
#include "runtime_dir.h"
#include "single_instance.h"
#include "translation.h"
#include "user_folders.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <filesystem>

namespace {

// Started from the applications menu, the user's folders; started in a folder, that folder,
// as scripts and users of the original program expect.
trivant::AppFolders chooseFolders(bool fromMenu, const trivant::FolderEnvironment& env) {
    if (!fromMenu)
        return trivant::StartDirFolders(QDir::currentPath().toStdString());
    trivant::AppFolders f = trivant::PerUserFolders(env);
    trivant::MakeFolders(f.config);
    trivant::MakeFolders(f.data);
    return f;
}

QStringList absolutePaths(const QStringList& files) {
    QStringList out;
    for (const QString& f : files)
        out.push_back(QFileInfo(f).absoluteFilePath());
    return out;
}

void bringForward(QWidget& window) {
    window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.raise();
    window.activateWindow();
}

// The straps: the radio, or with TRIVANT_BLE_REPLAY=LOG that log played in a loop, which
// is then the device for this run (the user's choice stays as it was).
void useStraps(trivant::MainWindow& main, const trivant::FolderEnvironment& env) {
    const std::string choice = trivant::StrapChoicePath(env);
    const QByteArray log = qgetenv("TRIVANT_BLE_REPLAY");
    if (log.isEmpty()) {
        main.UseStraps(trivant::MakeStrapRadio(), choice);
        return;
    }
    std::string text;
    const trivant::IoStatus st = trivant::ReadFileBytes(log.toStdString(), text, 256u << 20);
    if (!st.ok)
        std::fprintf(stderr, "trivant: %s: %s\n", st.path.c_str(), st.detail.c_str());
    std::vector<trivant::StrapLogEntry> entries;
    std::vector<trivant::StrapLogProblem> problems;
    trivant::ParseStrapLog(text, entries, problems);
    for (const trivant::StrapLogProblem& p : problems)
        std::fprintf(stderr, "trivant: %s:%d: %s\n", log.constData(), p.line, p.message.c_str());
    const std::string name = std::filesystem::u8path(log.toStdString()).filename().u8string();
    const trivant::StrapChoice replay{true, trivant::ReplayStrapLink::kAddress, name};
    main.UseStraps(std::make_unique<trivant::ReplayStrapLink>(std::move(entries), name, 1.0, true),
                   choice, &replay);
}

}  // namespace

int main(int argc, char** argv) {
    trivant::EnsureRuntimeDir();
    trivant::SetStrapRadio(trivant::QtStrapLink::Make);
    QApplication app(argc, argv);
    QApplication::setApplicationName("Trivant");
    QApplication::setWindowIcon(trivant::AppIcon());
    QGuiApplication::setDesktopFileName("trivant");
    // QApplication has taken its own options; the names are made absolute here, where they
    // were given, before they may travel to a program started elsewhere.
    const trivant::LaunchOptions options =
        trivant::ParseLaunchOptions(QCoreApplication::arguments().mid(1));
    const QStringList files = absolutePaths(options.files);
    trivant::SingleInstance instance(QString::fromStdString(trivant::InstanceSocketPath()));
    switch (instance.Start(files)) {
    case trivant::SingleInstance::Role::HandedOver:
        return 0;
    case trivant::SingleInstance::Role::Failed:
        std::fputs("trivant: the running Trivant did not answer\n", stderr);
        return 1;
    case trivant::SingleInstance::Role::Primary:
        break;
    }
    // Before any window: every text is translated as it is created.
    trivant::InstallTranslations(app, trivant::ChooseUiLanguage());
    const trivant::FolderEnvironment env = trivant::CurrentFolderEnvironment();
    trivant::MainWindow main(std::make_unique<trivant::QtPortLayer>(),
                             std::make_unique<trivant::DialogRunner>(),
                             chooseFolders(options.fromMenu, env),
                             std::make_unique<trivant::RecentFiles>(trivant::RecentFilesPath(env)));
    useStraps(main, env);
    // Without a window manager to maximise it, fill the screen anyway.
    main.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    main.showMaximized();
    // A later start's files open here; a later start without files brings this window up.
    QObject::connect(&instance, &trivant::SingleInstance::filesReceived, &main,
                     [&main](const QStringList& handed) {
                         bringForward(main);
                         main.OpenFiles(handed);
                     });
    // The files named on the command line, once the frame has its size.
    QTimer::singleShot(0, &main, [&main, files] { main.OpenFiles(files); });
    // Then the recordings a crash or a power cut left behind, over the shown window.
    QTimer::singleShot(0, &main, [&main] { main.RecoverJournals(); });
    // make demo TRAINING=1: recording, and the breathing training beside it, by themselves.
    if (trivant::DemoTrainingAsked(qgetenv("TRIVANT_DEMO_TRAINING")))
        trivant::StartTrainingDemo(main);
    return app.exec();
}
