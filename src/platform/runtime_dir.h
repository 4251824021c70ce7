// A private runtime folder for Qt when the session gives none (as root from a script or a
// service), so that the programs start without a warning on stderr.
#pragma once

#include <string>

namespace trivant {

// Points XDG_RUNTIME_DIR at this user's private folder runtime-UID in the temporary folder
// when the variable is unset or empty. Call it first in main, before Qt looks for the
// folder. When no such folder can be had the variable stays unset and Qt warns as before.
void EnsureRuntimeDir();

// Creates path as a folder only this user may enter (mode 0700), or accepts it when it
// already is one. False when it exists as something else: not a folder, a link, another
// user's, or open to others.
bool MakePrivateDir(const std::string& path);

}  // namespace trivant
