#pragma once
// The program's windows, by what they are, and what the program keeps of each: where the
// window layout of the parameter file stores its placement, and which windows follow a change
// of the state, in the one order in which they are brought up to date.

#include <string_view>
#include <vector>

#include "ProgramState.h"

namespace ql {

enum class ToolWindow {
    ScreenWindow,
    MeasurementWindow,
    ChannelPanel,
    TimebasePanel,
    TriggerPanel,
    IntensityPanel,
    StoragePanel,
    CursorWindow,
    ZoomWindow,
    XyView,
    PrintPreview,
    PrinterSettings,
    ExportSettings,
    FftWindow,
    HarmonicsWindow,
    AutostoreWindow,
    NotesWindow,
    AboutWindow,
    PortSetup,
};
constexpr int kToolWindowCount = static_cast<int>(ToolWindow::PortSetup) + 1;

std::string_view toolWindowName(ToolWindow w);

// Where the window layout keeps a window's placement. The panels keep their position only
// (their size is fixed); the automatic-measurement window keeps its position but not its
// state. A window without a field (`placement` null) is placed by the user interface alone.
struct LayoutSlot {
    WindowPlacement WindowLayout::*placement = nullptr;
    bool withSize = false;
    bool withState = true;
    explicit operator bool() const { return placement != nullptr; }
};
LayoutSlot layoutSlot(ToolWindow w);

// Takes a window's placement `now` as the one its layout field `kept` holds. Only a window in
// its normal state tells where it belongs: a minimised or maximised one keeps its last normal
// placement. The size is taken only `withSize`.
void keepNormalPlacement(const WindowPlacement& now, WindowPlacement& kept, bool withSize = true);

// Takes a window's placement `now` into its layout slot, as far as the slot keeps it: the
// state (where kept) always, position and size as keepNormalPlacement does. Every window keeps
// it so when it closes, and the open ones when the parameter file is written, so that a window
// opened again, now or at the next start, comes back where it stood.
void keepWindowPlacement(WindowLayout& layout, ToolWindow window, const WindowPlacement& now);

// What the link and file layers changed in the state, said once by whoever changed it.
struct StateChange {
    bool screen = false;    // what the screen shows: records, preamble, trigger data, settings
    bool settings = false;  // the instrument settings and cursor positions the windows edit
};

// The windows that show a change, in the order they are brought up to date: the screen, then
// the cursor readouts (models with a digital part), then the five settings panels.
std::vector<ToolWindow> windowsShowing(const ProgramState& s, StateChange change);

}  // namespace ql
