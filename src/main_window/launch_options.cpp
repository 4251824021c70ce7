// The main program's own command line.
#include "launch_options.h"

namespace trivant {

LaunchOptions ParseLaunchOptions(const QStringList& args) {
    LaunchOptions o;
    bool optionsEnd = false;
    for (const QString& a : args) {
        if (!optionsEnd && a == QLatin1String("--"))
            optionsEnd = true;
        else if (!optionsEnd && a == QLatin1String(kMenuFlag))
            o.fromMenu = true;
        else
            o.files.push_back(a);
    }
    return o;
}

}  // namespace trivant
