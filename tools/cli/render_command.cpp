// Loads a recording into a recording window that is never shown on screen and renders it.
#include "render_command.h"

#include "cli_commands.h"
#include "recording_io.h"
#include "recording_window.h"
#include "translation.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>

#include <cstdlib>
#include <memory>

namespace trivant {

namespace {
// Made on first use, so that at the process's end it goes in the order a static made then
// would, after whatever Qt made later.
std::unique_ptr<QApplication>& guiApp() {
    static std::unique_ptr<QApplication> app;
    return app;
}
}  // namespace

void EnsureGuiApplication() {
    if (QCoreApplication::instance())
        return;
    const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    if (!display && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "trivant-cli";
    static char* argv[] = {name, nullptr};
    guiApp() = std::make_unique<QApplication>(argc, argv);
    // Pictures and PDFs speak the interface's language, as the application's do; files
    // (.rr, Windows-1251 text) don't depend on it.
    InstallTranslations(*guiApp(), ChooseUiLanguage());
}

void CloseGuiApplication() {
    guiApp().reset();
}

std::unique_ptr<RecordingWindow> OffscreenGraph(GraphHost& host, const CliOptions& opt,
                                                std::ostream& err) {
    EnsureGuiApplication();
    auto graph = std::make_unique<RecordingWindow>(host);
    const std::string& in = opt.files[0];
    const std::string msg = ReadCliRecording(in, graph->recording());
    if (!msg.empty()) {
        err << "trivant-cli: " << msg << "\n";
        return nullptr;
    }
    graph->recording().PrepareData(ToCoreSettings(host.setup()));
    graph->setAttribute(Qt::WA_DontShowOnScreen);
    graph->resize(opt.width, opt.height);
    graph->show();
    graph->ShowLoadedRecording();
    graph->setWindowTitle(QFileInfo(QString::fromStdString(in)).completeBaseName());
    graph->SetZoom(opt.zoom);
    if (opt.xpos)
        graph->SetXPos(*opt.xpos);
    return graph;
}

int RunRender(const CliOptions& opt, const Setup& setup, std::ostream& err) {
    OfflineGraphHost host(setup);
    auto graph = OffscreenGraph(host, opt, err);
    if (!graph)
        return kExitBadInput;
    const std::string& in = opt.files[0];
    if (opt.point) {
        if (*opt.point >= graph->recording().CurrentFileLen) {
            err << "trivant-cli: " << in << ": no beat " << *opt.point << " (the recording has "
                << graph->recording().beats() << ")\n";
            return kExitBadInput;
        }
        graph->ShowBeat(*opt.point);
    }
    const QImage image = graph->renderImage();
    if (!image.save(QString::fromStdString(opt.files[1]), "PNG")) {
        err << "trivant-cli: " << opt.files[1] << ": cannot write the image\n";
        return kExitBadInput;
    }
    return kExitOk;
}

}  // namespace trivant
