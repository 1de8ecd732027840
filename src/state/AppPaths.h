#pragma once
// The one place that knows where files are: shipped read-only data (model table, SQL scripts,
// help) in the install's data folder, the program's own per-user files under the XDG folders,
// and the user's files (measurements, settings, tables, pictures, autostore files and the
// printouts that become files) in one folder in the user's documents.

#include <string>

namespace ql {

class AppPaths {
public:
    // Data folder: $QL240_DATA_DIR when set, else <exe>/../share/ql240 (installed), else
    // <exe>/../data (build tree). Per-user folders: $XDG_CONFIG_HOME/ql240 (default
    // ~/.config/ql240) and $XDG_DATA_HOME/ql240 (default ~/.local/share/ql240). The user's
    // files: the documents folder (documentsFolder) + "/ql240".
    static AppPaths fromEnvironment();
    // Every folder under one root, for tests.
    static AppPaths underRoot(const std::string& root);
    // Without a folder for the user's files, they go to <userDataDir>/files.
    AppPaths(std::string dataDir, std::string configDir, std::string userDataDir,
             std::string userFilesDir = {});

    const std::string& dataDir() const { return dataDir_; }
    const std::string& configDir() const { return configDir_; }
    const std::string& userDataDir() const { return userDataDir_; }
    // Where the user's files go: every open and save dialog starts here before the first
    // choice, the autostore's default prefix points here, and a printout becomes a PDF file
    // here when there is no printer. Made on first use.
    const std::string& userFilesDir() const { return userFilesDir_; }

    std::string dataFile(const std::string& name) const { return dataDir_ + "/" + name; }
    std::string configFile(const std::string& name) const { return configDir_ + "/" + name; }
    std::string userDataFile(const std::string& name) const { return userDataDir_ + "/" + name; }

    // Create the per-user folders on first use; false when that is impossible.
    bool ensureConfigDir() const;
    bool ensureUserDataDir() const;

private:
    std::string dataDir_;
    std::string configDir_;
    std::string userDataDir_;
    std::string userFilesDir_;
};

// The user's documents folder as the desktop names it: $XDG_DOCUMENTS_DIR, else the
// XDG_DOCUMENTS_DIR line of $XDG_CONFIG_HOME/user-dirs.dirs (default ~/.config), "$HOME"
// standing for the home folder; the home folder when neither names an existing folder.
std::string documentsFolder();

// Creates a folder and its parents; true when it exists afterwards.
bool makeDirectories(const std::string& path);

}  // namespace ql
