#include "ParameterFile.h"

#include "FieldStreams.h"
#include "FileAccess.h"
#include "state/AtomicFile.h"
#include "state/ToolWindow.h"

namespace ql {

namespace {

// Left, top and state; the resizable windows also keep width and height.
template <typename Fields, typename Placement>
void placementFields(Fields& f, Placement& p, bool withSize)
{
    f.i16(p.left);
    f.i16(p.top);
    f.i16(p.windowState);
    if (withSize) {
        f.i16(p.width);
        f.i16(p.height);
    }
}

// Every field after the tag, in the order of the record. `State` is ProgramState for reading
// and const ProgramState for writing.
template <typename Fields, typename State>
void recordFields(Fields& f, State& s)
{
    auto& layout = s.layout;
    f.u8(s.language);
    f.u8(layout.automesVisible);
    f.i16(layout.measurementWindow.left);
    f.i16(layout.measurementWindow.top);
    placementFields(f, layout.printPreview, true);
    placementFields(f, layout.printerSettings, false);
    placementFields(f, layout.screenWindow, true);
    placementFields(f, layout.xyView, true);
    placementFields(f, layout.zoomWindow, true);
    placementFields(f, layout.channelPanel, false);
    placementFields(f, layout.triggerPanel, false);
    placementFields(f, layout.storagePanel, false);
    placementFields(f, layout.cursorWindow, false);
    placementFields(f, layout.intensityPanel, false);
    placementFields(f, layout.timebasePanel, false);
    f.i16(s.link.comPort);
    f.i32(s.link.baudRate);
    // The analysis charts share one placement and keep no window state.
    f.i16(layout.analysisChart.left);
    f.i16(layout.analysisChart.top);
    f.i16(layout.analysisChart.width);
    f.i16(layout.analysisChart.height);
    f.text(s.parReservedText);
    auto& u = s.user;
    f.text(u.userCompany);
    f.text(u.userFirstName);
    f.text(u.userLastName);
    f.text(u.userStreet);
    f.text(u.userHouseNumber);
    f.text(u.userPostalCode);
    f.text(u.userCity);
    f.text(u.userCountry);
    f.text(u.userVatId);
    f.text(u.userPhone);
    f.text(u.userFax);
    f.text(u.userEmail);
}

WindowPlacement placement(std::int16_t left, std::int16_t top, std::int16_t width = 0,
                          std::int16_t height = 0)
{
    return WindowPlacement{left, top, 0, width, height};
}

// Takes the placement of one open window into its layout entry; a closed one kept its place
// when it closed.
void gatherWindow(Host& host, WindowLayout& layout, ToolWindow window)
{
    if (host.isWindowOpen(window))
        keepWindowPlacement(layout, window, host.windowPlacement(window));
}

}  // namespace

std::string encodeParameterRecord(const ProgramState& s)
{
    ByteWriter out;
    out.writeBytes(kParameterFileTag);
    FieldWriter put{out};
    recordFields(put, s);
    return out.takeBytes();
}

ParameterRecordStatus decodeParameterRecord(std::string_view bytes, ProgramState& s)
{
    if (bytes.substr(0, kParameterFileTag.size()) != kParameterFileTag)
        return ParameterRecordStatus::WrongTag;
    ByteReader in(bytes);
    in.skip(kParameterFileTag.size());
    FieldReader get{in};
    recordFields(get, s);
    return in.failed() ? ParameterRecordStatus::Truncated : ParameterRecordStatus::Good;
}

void applyParameterDefaults(ProgramState& s)
{
    WindowLayout& l = s.layout;
    l = WindowLayout{};
    l.automesVisible = 1;
    l.screenWindow = placement(10, 10, 5650, 5500);
    l.printPreview = placement(5750, 10, 5000, 7070);
    l.measurementWindow = placement(5750, 50);
    l.printerSettings = placement(10, 10);
    l.xyView = placement(5750, 10, 4000, 4000);
    l.zoomWindow = placement(5750, 4050, 4000, 4000);
    l.channelPanel = placement(10, 5600);
    l.triggerPanel = placement(5750, 4600);
    l.storagePanel = placement(5750, 2300);
    l.cursorWindow = placement(8200, 10);
    l.analysisChart = placement(100, 10, 6000, 5160);
    l.intensityPanel = placement(5750, 10);
    l.timebasePanel = placement(5750, 6520);
    s.link.comPort = 2;
    s.link.baudRate = 19200;
}

std::string parameterFilePath(const AppPaths& paths)
{
    return paths.configFile(std::string(kParameterFileName));
}

void readParameterFile(ProgramState& s, Host& host, const AppPaths& paths)
{
    ParameterRecordStatus status = ParameterRecordStatus::WrongTag;
    // Why the file could not be used, for the line under the message.
    std::string cause = "There is no parameter file \"" + parameterFilePath(paths) + "\" yet.";
    if (const auto path = findFileNoCase(paths.configDir(), kParameterFileName)) {
        // Only the record is needed; whatever follows it is not looked at.
        const Result<std::string> bytes =
            readFileBytes(*path, kDefaultSettingsTitle, kParameterFileSize);
        if (bytes) status = decodeParameterRecord(bytes.value(), s);
        cause = !bytes ? bytes.failure().text
                : status == ParameterRecordStatus::Truncated
                    ? "\"" + *path + "\" ends early: it is damaged."
                    : "\"" + *path + "\" is not a parameter file of this program.";
    }
    if (status == ParameterRecordStatus::Good) {
        s.parDefaultsGenerated = 0;
        return;
    }
    host.report(fileError(kDefaultSettingsText, kDefaultSettingsTitle, cause));
    s.parDefaultsGenerated = 1;
    applyParameterDefaults(s);
}

bool writeParameterFile(const ProgramState& s, Host& host, const AppPaths& paths)
{
    // The folder is made on the first save.
    const std::string path = parameterFilePath(paths);
    Status written = makeFolderOf(path, kSaveSettingsTitle);
    if (written) written = writeFileAtomically(path, encodeParameterRecord(s), kSaveSettingsTitle);
    if (!written.ok())
        host.report(fileError(kFileErrorText, kSaveSettingsTitle, written.failure().text));
    return written.ok();
}

bool saveParameters(ProgramState& s, Host& host, const AppPaths& paths)
{
    // Twelve windows in a fixed order; the analysis charts keep their place themselves.
    for (ToolWindow window :
         {ToolWindow::TimebasePanel, ToolWindow::MeasurementWindow, ToolWindow::CursorWindow,
          ToolWindow::TriggerPanel, ToolWindow::StoragePanel, ToolWindow::ChannelPanel,
          ToolWindow::XyView, ToolWindow::ScreenWindow, ToolWindow::ZoomWindow,
          ToolWindow::PrintPreview, ToolWindow::PrinterSettings, ToolWindow::IntensityPanel})
        gatherWindow(host, s.layout, window);
    return writeParameterFile(s, host, paths);
}

}  // namespace ql
