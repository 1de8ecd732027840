#include "MetafileName.h"

#include "WmfDevice.h"
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
    return fileError(kBadFilenameText, kSaveWmfTitle, refusedNameCause(name, "wmf"));
}

Status saveMetafileAs(const WmfDevice& metafile, const std::string& chosenName)
{
    const Status saved = metafile.saveAs(trim(chosenName));
    if (!saved) return fileError(kFileErrorText, kSaveWmfTitle, saved.failure().text);
    return Status::success();
}

}  // namespace ql
