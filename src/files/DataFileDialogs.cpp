#include "DataFileDialogs.h"

#include "state/AtomicFile.h"
#include "state/Text.h"

namespace ql {

namespace {

constexpr const char* kMeasurementFilter = "Measurement (*.mes) |*.mes";
constexpr const char* kSettingsFilter = "Settings (*.set) |*.set";
constexpr const char* kTableFilter = "Table (*.tab) |*.tab";

bool analogOnly(const ProgramState& s)
{
    return s.identity.analogModel == 1;
}

std::string joinFilters(std::initializer_list<const char*> filters)
{
    std::string joined;
    for (const char* f : filters) {
        if (!joined.empty()) joined += '|';
        joined += f;
    }
    return joined;
}

// Holds the busy pointer while a file is read or written.
class BusyPointer {
public:
    BusyPointer(ProgramState& s, Host& host) : state_(s), host_(host), wasBusy_(s.busy.uiBusy)
    {
        state_.busy.uiBusy = true;
        host_.setBusyPointer(true);
    }
    ~BusyPointer()
    {
        state_.busy.uiBusy = wasBusy_;
        host_.setBusyPointer(false);
    }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    ProgramState& state_;
    Host& host_;
    bool wasBusy_;
};

// The notes count as written when more than one character is left between the blanks.
bool hasNotes(const ProgramState& s)
{
    return characterCount(s.notesText.trimmed()) > 1;
}

}  // namespace

DataFileName dataFileNameKind(std::string_view name)
{
    if (name.size() < 3) return DataFileName::Other;
    const std::string_view end = name.substr(name.size() - 3);
    if (end == "MES" || end == "mes") return DataFileName::Measurement;
    if (end == "SET" || end == "set") return DataFileName::Settings;
    if (end == "TAB" || end == "tab") return DataFileName::Table;
    return DataFileName::Other;
}

FileDialogRequest loadDialogRequest(const ProgramState& s)
{
    FileDialogRequest r;
    r.title = kLoadDialogTitle;
    r.filter = analogOnly(s) ? joinFilters({kSettingsFilter})
                             : joinFilters({kMeasurementFilter, kSettingsFilter});
    r.defaultExtension = analogOnly(s) ? "set" : "mes";
    r.fileMustExist = true;
    return r;
}

FileDialogRequest saveDialogRequest(const ProgramState& s)
{
    FileDialogRequest r;
    r.title = kSaveDialogTitle;
    r.filter = analogOnly(s) ? joinFilters({kSettingsFilter})
                             : joinFilters({kMeasurementFilter, kSettingsFilter, kTableFilter});
    r.defaultExtension = analogOnly(s) ? "set" : "mes";
    r.confirmOverwrite = true;
    r.confirmCreate = true;
    return r;
}

void loadDataFile(ProgramState& s, Host& host, FileDialogs& dialogs, Identification& identification)
{
    const std::optional<std::string> chosen = dialogs.chooseFileToOpen(loadDialogRequest(s));
    BusyPointer busy(s, host);
    if (!chosen) return;
    s.currentFileName = *chosen;

    DataFileKind kind = DataFileKind::Settings;
    switch (dataFileNameKind(*chosen)) {
        case DataFileName::Measurement: kind = DataFileKind::Measurement; break;
        case DataFileName::Settings: kind = DataFileKind::Settings; break;
        case DataFileName::Table:
        case DataFileName::Other:
            host.report(fileError(kBadFilenameText, kLoadDataTitle,
                                  refusedNameCause(*chosen, ".mes or .set")));
            return;
    }
    if (!loadDataFileAt(s, host, identification, *chosen, kind)) return;
    host.setActionEnabled(UiAction::SetRead, true);
    host.setActionEnabled(UiAction::Set, true);
    host.setActionEnabled(UiAction::Autoset, true);
}

void saveDataFile(ProgramState& s, Host& host, FileDialogs& dialogs, char decimalSign)
{
    const std::optional<std::string> chosen = dialogs.chooseFileToSave(saveDialogRequest(s));
    BusyPointer busy(s, host);
    if (!chosen) return;
    s.currentFileName = *chosen;

    switch (dataFileNameKind(*chosen)) {
        case DataFileName::Measurement:
            if (hasNotes(s) || host.askYesNo(kSaveWithoutNotesText, kSaveDataTitle))
                saveMeasurementFile(s, host, *chosen);
            break;
        case DataFileName::Settings: saveSettingsFile(s, host, *chosen); break;
        case DataFileName::Table: saveTableFile(s, host, *chosen, decimalSign); break;
        case DataFileName::Other:
            host.report(fileError(kBadFilenameText, kSaveDataTitle,
                                  refusedNameCause(*chosen, ".mes, .set or .tab")));
            break;
    }
}

}  // namespace ql
