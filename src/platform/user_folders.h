// Where Trivant keeps its settings, its list of recent files and its recordings for a user
// who starts it from the applications menu: the XDG configuration and documents folders.
#pragma once

#include <string>

namespace trivant {

// The folder of the settings file and the first folder of the open and save dialogs.
struct AppFolders {
    std::string config;
    std::string data;
};

// What the lookup reads from the session; each field empty when unset.
struct FolderEnvironment {
    std::string home;
    std::string xdgConfigHome;
    std::string xdgDocumentsDir;
    std::string userDirsDocuments;  // the documents folder of ~/.config/user-dirs.dirs
};

// $XDG_CONFIG_HOME/trivant, else ~/.config/trivant. A relative XDG value is ignored, as the
// XDG base directory rules ask.
std::string UserConfigDir(const FolderEnvironment& env);
// The config folder above, and Trivant in the documents folder: $XDG_DOCUMENTS_DIR, else the
// one user-dirs.dirs names, else ~/Documents.
AppFolders PerUserFolders(const FolderEnvironment& env);
// The list of recently opened recordings in the config folder.
std::string RecentFilesPath(const FolderEnvironment& env);
// The user's strap choice, beside the recent files.
std::string StrapChoicePath(const FolderEnvironment& env);

// This session's values (user-dirs.dirs as Qt reads it).
FolderEnvironment CurrentFolderEnvironment();

// Creates path and its parents; false when it is not a folder afterwards.
bool MakeFolders(const std::string& path);

// The local socket through which a later start reaches the running program: in this user's
// runtime folder and named after the user, so that users never reach each other's program.
std::string InstanceSocketPath();

}  // namespace trivant
