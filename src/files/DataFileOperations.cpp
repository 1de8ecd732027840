#include "DataFileOperations.h"

#include "FileAccess.h"
#include "TableExport.h"
#include "state/AtomicFile.h"

namespace ql {

namespace {

constexpr const char* kCaptionGap = "   ";

void reportFileError(Host& host, std::string_view title, std::string_view cause)
{
    host.report(fileError(kFileErrorText, title, cause));
}

// Why a file that was read whole could not be loaded.
std::string damagedFileCause(const std::string& path, DataFileKind kind)
{
    return "\"" + path + "\" is not a complete " +
           (kind == DataFileKind::Measurement ? "measurement" : "settings") +
           " file of this program: it is damaged or of another kind. Nothing was loaded.";
}

// What a loaded settings block brings up to date. Nothing goes to the instrument: the loaded
// settings reach it only through a later Set.
void afterSettingsLoaded(ProgramState& s, Host& host, Identification& identification)
{
    identification.loadUnitCapabilities();
    s.screen.scrollResyncPending = 1;  // the next redraw takes the scroll position from the file
    s.link.autoUpdate = 0;
    host.setAutoBox(false);
    host.setCaption(mainWindowCaption(s));
    // Loaded records are shown only in digital storage mode.
    host.stateChanged(s, {.screen = s.ddf.digitalMode == 1, .settings = true});
}

bool saveBytes(Host& host, const std::string& path, std::string_view bytes)
{
    const Status written = writeFileAtomically(path, bytes, kSaveDataTitle);
    if (written.ok()) return true;
    reportFileError(host, kSaveDataTitle, written.failure().text);
    return false;
}

}  // namespace

std::string mainWindowCaption(const ProgramState& s)
{
    return s.identity.modelName.str() + kCaptionGap + s.identity.firmwareText.str() + kCaptionGap +
           kProgramVersionText + kCaptionGap + s.currentFileName;
}

bool loadDataFileAt(ProgramState& s, Host& host, Identification& identification,
                    const std::string& path, DataFileKind kind)
{
    const Result<std::string> bytes = readFileBytes(path, kLoadDataTitle, kLongestDataFile);
    if (!bytes) {
        reportFileError(host, kLoadDataTitle, bytes.failure().text);
        return false;
    }
    const auto fields = parseDataFile(bytes.value(), kind, s);
    if (!fields) {
        reportFileError(host, kLoadDataTitle, damagedFileCause(path, kind));
        return false;
    }
    s.screen.noDataYet = 0;  // the screen stops showing its guide text
    fields->applyTo(s);
    if (kind == DataFileKind::Measurement) s.waves.takeNew(s.ddf);  // the file's records are new
    afterSettingsLoaded(s, host, identification);
    return true;
}

bool saveMeasurementFile(const ProgramState& s, Host& host, const std::string& path)
{
    if (!saveBytes(host, path, encodeMeasurementFile(s))) return false;
    host.setCaption(mainWindowCaption(s));
    return true;
}

bool saveSettingsFile(const ProgramState& s, Host& host, const std::string& path)
{
    if (!saveBytes(host, path, encodeSettingsFile(s))) return false;
    host.setCaption(mainWindowCaption(s));
    return true;
}

bool saveTableFile(const ProgramState& s, Host& host, const std::string& path, char decimalSign)
{
    return saveBytes(host, path, waveformTableText(s, decimalSign));
}

}  // namespace ql
