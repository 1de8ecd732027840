#include "AutoStoreFiles.h"

#include <filesystem>
#include <system_error>

#include "DataFileCodec.h"
#include "TableExport.h"
#include "state/AtomicFile.h"
#include "state/NumberFormat.h"
#include "state/Text.h"

namespace ql {

namespace {

namespace fs = std::filesystem;

bool sameFolder(fs::path a, fs::path b)
{
    // "/data/files/" and "/data/./files" are "/data/files".
    a = a.lexically_normal();
    b = b.lexically_normal();
    return (a.has_filename() ? a : a.parent_path()) == (b.has_filename() ? b : b.parent_path());
}

}  // namespace

std::string autoStoreFileName(const AutoStore& a)
{
    return trim(a.autoStorePrefix) + formatNumber(a.autoStoreCounter, "00000", '.') +
           (a.autoStoreAsTable == 1 ? ".tab" : ".mes");
}

bool skipTakenAutoStoreNumbers(AutoStore& a)
{
    // A name the system cannot look at counts as free: its store fails and says why.
    std::error_code error;
    while (a.autoStoreCounter <= kLastAutoStoreNumber &&
           std::filesystem::exists(std::filesystem::symlink_status(autoStoreFileName(a), error)))
        ++a.autoStoreCounter;
    return a.autoStoreCounter <= kLastAutoStoreNumber;
}

Result<std::string> storeAutoStoreFile(const ProgramState& s, char decimalSign,
                                       const std::string& userFilesFolder)
{
    const std::string name = autoStoreFileName(s.autoStore);
    const std::string bytes = s.autoStore.autoStoreAsTable == 1 ? waveformTableText(s, decimalSign)
                                                                : encodeMeasurementFile(s);
    Status written = Status::success();
    if (!userFilesFolder.empty() && sameFolder(fs::path(name).parent_path(), userFilesFolder))
        written = makeFolderOf(name, kAutoSaveTitle);
    if (written) written = writeFileAtomically(name, bytes, kAutoSaveTitle);
    if (!written)
        return fileError(kFileErrorText, kAutoSaveTitle, written.failure().text,
                         written.failure().icon);
    return name;
}

}  // namespace ql
