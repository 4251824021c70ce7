// The icon lives in the app library's resources, which a static library must register.
#include "app_icon.h"

static void initResources() {
    Q_INIT_RESOURCE(trivant);
}

namespace trivant {

QIcon AppIcon() {
    static const bool registered = (initResources(), true);
    (void)registered;
    QIcon icon;
    icon.addFile(":/icons/trivant-48.png", QSize(48, 48));
    icon.addFile(":/icons/trivant-256.png", QSize(256, 256));
    return icon;
}

}  // namespace trivant
