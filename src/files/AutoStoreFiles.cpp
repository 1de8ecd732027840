#include "AutoStoreFiles.h"

#include "DataFileOperations.h"
#include "state/NumberFormat.h"
#include "state/Text.h"

namespace ql {

std::string autoStoreFileName(const AutoStore& a)
{
    return trim(a.autoStorePrefix) + formatNumber(a.autoStoreCounter, "00000", '.') +
           (a.autoStoreAsTable == 1 ? ".tab" : ".mes");
}

Result<std::string> storeAutoStoreFile(const ProgramState& s, Host& host, char decimalSign)
{
    const std::string name = autoStoreFileName(s.autoStore);
    const bool stored = s.autoStore.autoStoreAsTable == 1
                            ? saveTableFile(s, host, name, decimalSign)
                            : saveMeasurementFile(s, host, name);
    if (!stored)
        return Failure{std::string(kBadFilenameText), std::string(kAutoSaveTitle),
                       MessageIcon::None};
    return name;
}

}  // namespace ql
