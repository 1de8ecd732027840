#pragma once
// File dialog seam: the open and save dialogs the core asks for. The Qt adapter shows the
// real dialogs; tests use RecordingFileDialogs. Like one shared dialog object, an
// implementation starts each dialog with the name last chosen in any of them.

#include <optional>
#include <string>

namespace ql {

struct FileDialogRequest {
    std::string title;
    // Pairs of a description and a pattern, all separated by vertical bars:
    // "Measurement (*.mes) |*.mes|Settings (*.set) |*.set".
    std::string filter;
    std::string defaultExtension;   // without the dot, added to a name typed without one
    bool fileMustExist = false;     // open: only an existing file in an existing folder
    bool confirmOverwrite = false;  // save: ask before replacing an existing file
    bool confirmCreate = false;     // save: ask before creating a file that does not exist
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The full path chosen, or nullopt when the user cancelled.
    virtual std::optional<std::string> chooseFileToOpen(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> chooseFileToSave(const FileDialogRequest& request) = 0;
};

}  // namespace ql
