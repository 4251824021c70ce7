// The command line of the main program once QApplication has taken its own options: the flag
// of a start from the applications menu and the files to open.
#pragma once

#include <QStringList>

namespace trivant {

// Given by the desktop entry: settings and recordings go to the user's folders, not the
// current one.
constexpr const char* kMenuFlag = "--menu";

struct LaunchOptions {
    bool fromMenu = false;
    QStringList files;  // as given; relative names are the caller's to resolve
};

// args without the program's name. Everything after "--" is a file, even "--menu".
LaunchOptions ParseLaunchOptions(const QStringList& args);

}  // namespace trivant
