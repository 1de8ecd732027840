#pragma once
// File dialog seam: the open and save dialogs the core asks for. The Qt adapter shows the
// real dialogs; tests use RecordingFileDialogs. Like one shared dialog object, an
// implementation starts each dialog from the name last chosen in any of them
// (fileDialogStart), and a filter entry lists only its own kind of file.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// One entry of a filter: its description and the patterns of its files.
struct NameFilter {
    std::string description;  // without the blanks around it
    std::vector<std::string> patterns;
};
// The entries of a filter text; several patterns of one entry are separated by semicolons
// ("Pictures|*.wmf;*.emf").
std::vector<NameFilter> nameFiltersOf(std::string_view filter);

// Where a dialog starts: the folder it shows, the name it offers and the filter entry chosen.
struct FileDialogStart {
    std::string folder;
    std::string name;  // empty: no name offered
    std::size_t filterIndex = 0;
};
// The name last chosen in any dialog (a full path, empty before the first) is offered again
// when an entry of the request's filter lists it, with that entry chosen; otherwise the dialog
// starts in that name's folder without a name, so that no file of another kind is offered.
// Before the first choice, or when that folder is gone, the dialog starts in the user's files
// folder, which is made when missing.
FileDialogStart fileDialogStart(const FileDialogRequest& request, const std::string& lastChosen,
                                const std::string& filesFolder);

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The full path chosen, or nullopt when the user cancelled.
    virtual std::optional<std::string> chooseFileToOpen(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> chooseFileToSave(const FileDialogRequest& request) = 0;
};

}  // namespace ql
