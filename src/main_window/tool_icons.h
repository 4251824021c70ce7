// The tool bar's icons: the desktop theme's, by their freedesktop names, or our own drawings
// that look like what the buttons do when the theme has none.
#pragma once

#include <QIcon>

namespace trivant {

enum class ToolIcon {
    Open,
    Save,
    Record,
    Stop,
    Label,
    Options,
    Comment,
    Print,
    PrintSetup,
    Analysis,
    About
};

// The theme's icon of that name, or the drawn one.
QIcon ToolIconFor(ToolIcon which);
// The drawn one alone, 24 x 24 pixels.
QIcon DrawnToolIcon(ToolIcon which);

}  // namespace trivant
