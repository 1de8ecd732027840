#include "MetafileName.h"

#include "state/AtomicFile.h"
#include "state/Text.h"

namespace ql {

FileDialogRequest wmfSaveDialogRequest()
{
    FileDialogRequest r;
    r.title = "Save WMF";
    r.filter = "WMF (*.wmf) |*.wmf";
    r.defaultExtension = "wmf";
    r.confirmOverwrite = true;
    r.confirmCreate = true;
    return r;
}

bool isMetafileName(const std::string& name)
{
    const std::string trimmed = trim(name);
    return trimmed.size() >= 3 && upperAscii(trimmed.substr(trimmed.size() - 3)) == "WMF";
}

Failure badMetafileName(const std::string& name)
{
    return fileError(kBadFilenameText, kBadMetafileNameTitle, refusedNameCause(name, "wmf"));
}

}  // namespace ql
