// The recordings opened or saved last, most recent first, kept for the user in a file of
// their own apart from the 344-byte settings record.
#pragma once

#include <QStringList>

#include <string>

namespace trivant {

class RecentFiles {
public:
    static constexpr int kMaxFiles = 8;

    // file: the list on disk, UTF-8, one absolute path a line; empty keeps it in memory.
    explicit RecentFiles(std::string file = {});

    const QStringList& paths() const { return paths_; }
    // Puts path on top; an older entry of it goes, and so does the ninth. Saved at once.
    void Add(const QString& path);
    void Remove(const QString& path);

private:
    void load();
    // Replaces the file whole, so that a crash leaves the old list or the new one.
    void save() const;

    std::string file_;
    QStringList paths_;
};

}  // namespace trivant
