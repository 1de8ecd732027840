// The print settings and export settings windows without widgets: which boxes may be changed,
// every change kept and shown by the preview, the headline's limit, and the export's names,
// dialog, files and messages.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "AppRig.h"
#include "WmfReader.h"
#include "app/ExportSettingsModel.h"
#include "app/PrintSettingsModel.h"
#include "draw/RecordingClipboard.h"
#include "state/InitProgramState.h"
#include "state/RecordingFileDialogs.h"

namespace ql::testing {
namespace {

namespace fs = std::filesystem;

struct HardcopyRig {
    HardcopyRig()
    {
        initProgramState(state, folder.path);
        state.screen.screenBusy = 0;
    }
    TempRoot folder;
    ProgramState state;
    RecordingHost host;
    RecordingPrinter printer;
    RecordingClipboard clipboard;
    RecordingFileDialogs dialogs;
    PrintSettingsModel settings{state, host, printer};
    ExportSettingsModel exporter{state, host, clipboard};
};

std::string enabledBoxes(const std::vector<OptionBoxView>& boxes)
{
    std::string out;
    for (const OptionBoxView& b : boxes)
        if (b.enabled) out += (out.empty() ? "" : ",") + b.caption;
    return out;
}

TEST(HardcopySettings, XyDisablesTheTraceBoxesAndCursorFollowsTheCursorWindow)
{
    struct Case {
        bool xy, cursorsOn;
        const char* printEnabled;
        const char* exportEnabled;
    } cases[] = {
        {false, true, "CH I,CH II,REF I,REF II,Cursor,Notes,XY,Meas. Time,Color",
         "CH I,CH II,REF I,REF II,Cursor,XY,Meas. Time,Color"},
        {false, false, "CH I,CH II,REF I,REF II,Notes,XY,Meas. Time,Color",
         "CH I,CH II,REF I,REF II,XY,Meas. Time,Color"},
        {true, true, "Notes,XY,Meas. Time,Color", "XY,Meas. Time,Color"},
        {true, false, "Notes,XY,Meas. Time,Color", "XY,Meas. Time,Color"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("XY ") + (c.xy ? "on" : "off") + ", cursors " +
                     (c.cursorsOn ? "on" : "off"));
        HardcopyRig r;
        r.state.cursor.cursorsOn = c.cursorsOn ? 1 : 0;
        (void)r.settings.optionToggled(PrintOption::XY, c.xy);
        (void)r.exporter.optionToggled(PrintOption::XY, c.xy);
        EXPECT_EQ(enabledBoxes(r.settings.view().boxes), c.printEnabled);
        EXPECT_EQ(enabledBoxes(r.exporter.view().boxes), c.exportEnabled);
        // A disabled box keeps its state.
        EXPECT_TRUE(r.exporter.view().boxes[4].checked);
    }
}

TEST(HardcopySettings, EveryChangeIsKeptAtOnceAndRedrawsThePreview)
{
    HardcopyRig r;
    for (PrintOption option : kPrintOptions) {
        for (bool checked : {false, true}) {
            const Followup f = r.settings.optionToggled(option, checked);
            EXPECT_EQ(printOptionField(r.state.print, option), checked ? 1 : 0);
            EXPECT_EQ(f.refresh, std::vector<ToolWindow>{ToolWindow::PrintPreview});
        }
    }
    // The headline follows every edit: without trailing blanks, at most 60 characters.
    const std::string sixty(60, 'h');
    struct Edit {
        std::string typed, kept;
    } edits[] = {{"Motor test  ", "Motor test"},
                 {sixty + "x", sixty},
                 {"", ""},
                 {"Spannung \xC2\xB5V", "Spannung \xC2\xB5V"}};
    for (const Edit& e : edits) {
        const Followup f = r.settings.headlineEdited(e.typed);
        EXPECT_EQ(r.state.print.printHeadline.str(),
                  e.kept + std::string(60 - characterCount(e.kept), ' '));
        EXPECT_EQ(r.settings.view().headline, e.kept);
        EXPECT_EQ(f.refresh, std::vector<ToolWindow>{ToolWindow::PrintPreview});
    }
}

TEST(HardcopySettings, TheHeadlineBoxKeepsTheTypingUntilItStandsForAnotherHeadline)
{
    enum class Act { Type, Enter, Open, KeptElsewhere };
    struct Step {
        Act act;
        std::string text, box;
    } steps[] = {
        {Act::Type, "Pump ", "Pump "},  // trailing blanks stay while typing
        {Act::Type, "Pump  ", "Pump  "},
        {Act::Enter, "", "Pump"},
        {Act::Type, "Pump 3 ", "Pump 3 "},
        {Act::Open, "", "Pump 3"},
        {Act::Type, "Pump 3 ", "Pump 3 "},
        {Act::KeptElsewhere, "Motor", "Motor"},  // a settings file loaded meanwhile
        {Act::KeptElsewhere, "Pump 3", "Pump 3"},
        {Act::Type, "\xCE\xA9 ", "?"},  // what the headline cannot hold shows at once
    };
    HardcopyRig r;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.box);
        if (step.act == Act::Type) (void)r.settings.headlineEdited(step.text);
        if (step.act == Act::Enter) (void)r.settings.headlineEntered();
        if (step.act == Act::Open) r.settings.opened();
        if (step.act == Act::KeptElsewhere) r.state.print.printHeadline.assign(step.text);
        (void)r.settings.settle();  // as the window does before showing
        EXPECT_EQ(r.settings.view().headlineBox, step.box);
    }
}

std::vector<std::uint8_t> fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(ExportSettings, OnlyNamesEndingInWmfAreSavedAndEveryFailureIsToldOnce)
{
    struct Case {
        std::string chosen;  // relative to the rig's folder; "-" cancels the dialog
        bool written, toFile;
        std::vector<std::string> messages;
    } cases[] = {
        {" x.WmF ", true, true, {}},
        {"picture.wmf", true, true, {}},
        {"a.wmf.bak", false, false, {"Bad Filename | Save wmf"}},
        {"a.emf", false, false, {"Bad Filename | Save wmf"}},
        {"missing/folder/b.wmf", false, true, {"File Error | Save wmf"}},
        {"-", false, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        HardcopyRig r;
        r.state.exportTarget = ExportTarget{"earlier.wmf", false};
        const bool cancel = c.chosen == "-";
        const std::string chosen = r.folder.path + "/" + c.chosen;
        r.dialogs.answers.push_back(cancel ? std::nullopt : std::optional<std::string>(chosen));
        (void)r.exporter.saveAsWmf(r.dialogs);
        ASSERT_EQ(r.dialogs.shown.size(), 1u);
        EXPECT_EQ(r.dialogs.shown[0].request.title, "Save WMF");
        EXPECT_EQ(r.dialogs.shown[0].request.filter, "WMF (*.wmf) |*.wmf");
        EXPECT_EQ(r.dialogs.shown[0].request.defaultExtension, "wmf");
        std::vector<std::string> messages;
        for (const auto& m : r.host.messages)
            messages.push_back(m.text.substr(0, m.text.find('\n')) + " | " + m.title);
        EXPECT_EQ(messages, c.messages);
        EXPECT_EQ(r.state.exportTarget.exportFileName, cancel ? "earlier.wmf" : chosen);
        EXPECT_EQ(r.state.exportTarget.exportToFile, c.toFile);
        // Only the accepted, writable name holds a file; nothing is left beside it.
        std::size_t files = 0;
        for (const auto& entry : fs::recursive_directory_iterator(r.folder.path))
            files += entry.is_regular_file() ? 1 : 0;
        EXPECT_EQ(files, c.written ? 1u : 0u);
        EXPECT_EQ(r.clipboard.putCount(), 0);
    }
}

TEST(ExportSettings, TheSavedMetafileIsReadByAnIndependentReaderAndCarriesTheBoxes)
{
    HardcopyRig r;
    r.state.stamp.waveTime.assign("08:15:00");
    r.state.print.printNotes = 1;
    (void)r.exporter.optionToggled(PrintOption::Color, false);
    const std::string file = r.folder.path + "/screen.wmf";
    r.dialogs.answers.push_back(file);
    const Followup f = r.exporter.saveAsWmf(r.dialogs);
    EXPECT_EQ(f.refresh,
              (std::vector<ToolWindow>{ToolWindow::PrinterSettings, ToolWindow::PrintPreview}));
    // The picture's eight options are kept like a printout's, without notes.
    EXPECT_EQ(r.state.print.printNotes, 0);
    EXPECT_EQ(r.state.print.printColor, 0);
    EXPECT_EQ(r.state.print.printXY, 0);
    EXPECT_EQ(r.state.print.printChI, 1);

    const test::ParsedWmf wmf = test::parseWmf(fileBytes(file));
    EXPECT_EQ(wmf.right, 1045);
    EXPECT_EQ(wmf.bottom, 822);
    EXPECT_NE(std::find(wmf.texts.begin(), wmf.texts.end(), "Measure time: 08:15:00"),
              wmf.texts.end());
    const std::string svg = r.folder.path + "/screen.svg";
    const std::string command =
        "wmf2svg -o '" + svg + "' '" + file + "' > '" + r.folder.path + "/log' 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << "wmf2svg refused the file";
    std::ifstream in(svg);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("Measure time: 08:15:00"), std::string::npos);

    // "&Copy to clipboard" after a save copies, and leaves the file alone.
    const auto saved = fileBytes(file);
    (void)r.exporter.copyToClipboard();
    EXPECT_FALSE(r.state.exportTarget.exportToFile);
    EXPECT_EQ(r.clipboard.putCount(), 1);
    EXPECT_EQ(fileBytes(file), saved);
    r.clipboard.setRefused(true);
    (void)r.exporter.copyToClipboard();
    ASSERT_EQ(r.host.messages.size(), 1u);
    EXPECT_EQ(r.host.messages[0].text, "Printing failed: The clipboard is not available.");
    EXPECT_EQ(r.host.messages[0].title, "Print");
}

TEST(ExportSettings, CancelKeepsTheBoxesAndTheCloseBoxStartsAfresh)
{
    HardcopyRig r;
    (void)r.exporter.optionToggled(PrintOption::ChII, false);
    (void)r.exporter.optionToggled(PrintOption::XY, true);
    EXPECT_TRUE(r.exporter.cancel().closeWindow);
    r.exporter.opened();
    EXPECT_FALSE(r.exporter.view().boxes[1].checked);
    EXPECT_TRUE(r.exporter.view().boxes[5].checked);
    // Closed by its close box (no Cancel), it opens with the initial boxes.
    r.exporter.opened();
    std::string checked;
    for (const OptionBoxView& b : r.exporter.view().boxes) checked += b.checked ? '1' : '0';
    EXPECT_EQ(checked, "11111011");
}

}  // namespace
}  // namespace ql::testing
