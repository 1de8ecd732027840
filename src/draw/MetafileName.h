#pragma once
// What every "Save as WMF" button shares: its save dialog, the rule for the chosen name and
// the writing of the picture. A picture is saved only under a name that ends in "WMF"; any other
// name is refused with "Bad Filename" (title "Save wmf", the name and the rule under it) and
// nothing is drawn.

#include <string>

#include "state/FileDialogs.h"
#include "state/Status.h"

namespace ql {

class WmfDevice;

inline constexpr const char* kSaveWmfTitle = "Save wmf";

// "Save WMF", "WMF (*.wmf) |*.wmf", default extension "wmf", asking before it replaces or
// creates a file.
FileDialogRequest wmfSaveDialogRequest();
// Whether a chosen name may be saved as a metafile: its last three characters, without the
// blanks around it, are "WMF" in any case.
bool isMetafileName(const std::string& name);
// The message for a refused name: "Bad Filename" with the name and the rule under it.
Failure badMetafileName(const std::string& name);
// Writes `metafile` under the chosen name without the blanks around it; "File Error" (title
// "Save wmf") with the file and the cause under it when that fails.
Status saveMetafileAs(const WmfDevice& metafile, const std::string& chosenName);

}  // namespace ql
