// The per-user folders of a start from the applications menu, and the single program's socket.
#include "user_folders.h"

#include <QDir>
#include <QStandardPaths>

#include <filesystem>

#ifdef _WIN32
#include <QtGlobal>
#else
#include <unistd.h>
#endif

namespace trivant {

namespace {

namespace fs = std::filesystem;

bool isAbsolute(const std::string& path) {
    return !path.empty() && fs::u8path(path).is_absolute();
}

std::string joined(const std::string& folder, const std::string& name) {
    return (fs::u8path(folder) / fs::u8path(name)).lexically_normal().u8string();
}

std::string documentsDir(const FolderEnvironment& env) {
    if (isAbsolute(env.xdgDocumentsDir))
        return env.xdgDocumentsDir;
    if (isAbsolute(env.userDirsDocuments))
        return env.userDirsDocuments;
    return joined(env.home, "Documents");
}

std::string env(const char* name) {
    return qEnvironmentVariable(name).toStdString();
}

}  // namespace

std::string UserConfigDir(const FolderEnvironment& env) {
    const std::string base =
        isAbsolute(env.xdgConfigHome) ? env.xdgConfigHome : joined(env.home, ".config");
    return joined(base, "trivant");
}

AppFolders PerUserFolders(const FolderEnvironment& env) {
    return {UserConfigDir(env), joined(documentsDir(env), "Trivant")};
}

std::string RecentFilesPath(const FolderEnvironment& env) {
    return joined(UserConfigDir(env), "recent-files");
}

std::string StrapChoicePath(const FolderEnvironment& env) {
    return joined(UserConfigDir(env), "strap");
}

FolderEnvironment CurrentFolderEnvironment() {
    FolderEnvironment e;
    e.home = QDir::homePath().toStdString();
    e.xdgConfigHome = env("XDG_CONFIG_HOME");
    e.xdgDocumentsDir = env("XDG_DOCUMENTS_DIR");
    e.userDirsDocuments =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
    return e;
}

bool MakeFolders(const std::string& path) {
    std::error_code ec;
    fs::create_directories(fs::u8path(path), ec);
    return fs::is_directory(fs::u8path(path), ec);
}

std::string InstanceSocketPath() {
#ifdef _WIN32
    // A named pipe, not a file: the user's name keeps sessions apart.
    return "trivant-" + env("USERNAME");
#else
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const std::string folder =
        runtime.isEmpty() ? QDir::tempPath().toStdString() : runtime.toStdString();
    return joined(folder, "trivant-" + std::to_string(geteuid()) + ".socket");
#endif
}

}  // namespace trivant
