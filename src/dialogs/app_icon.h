// The application's icon, the same in the window frames and the about box.
#pragma once

#include <QIcon>

namespace trivant {

QIcon AppIcon();

}  // namespace trivant
