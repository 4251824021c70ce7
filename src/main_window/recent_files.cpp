// The list of recent files and its file.
#include "recent_files.h"

#include "user_folders.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace trivant {

RecentFiles::RecentFiles(std::string file) : file_(std::move(file)) {
    load();
}

void RecentFiles::Add(const QString& path) {
    // A line per path: a name with a line break in it cannot be kept.
    if (path.isEmpty() || path.contains(QLatin1Char('\n')))
        return;
    paths_.removeAll(path);
    paths_.prepend(path);
    while (paths_.size() > kMaxFiles)
        paths_.removeLast();
    save();
}

void RecentFiles::Remove(const QString& path) {
    if (paths_.removeAll(path) > 0)
        save();
}

void RecentFiles::load() {
    QFile f(QString::fromStdString(file_));
    if (file_.empty() || !f.open(QIODevice::ReadOnly))
        return;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    for (const QString& line : lines)
        if (!line.isEmpty() && !paths_.contains(line) && paths_.size() < kMaxFiles)
            paths_.push_back(line);
}

void RecentFiles::save() const {
    if (file_.empty())
        return;
    const QString name = QString::fromStdString(file_);
    MakeFolders(QFileInfo(name).absolutePath().toStdString());
    // A list that cannot be written costs only the convenience; nobody is told.
    QSaveFile f(name);
    if (!f.open(QIODevice::WriteOnly))
        return;
    for (const QString& p : paths_)
        f.write(p.toUtf8() + '\n');
    f.commit();
}

}  // namespace trivant
