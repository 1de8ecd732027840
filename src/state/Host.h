#pragma once
// Host seam: everything the core asks of the user interface. The Qt host implements it with
// message boxes, processEvents and override cursors; tests use RecordingHost.

#include <iterator>
#include <string>
#include <string_view>

#include "FirstLayout.h"
#include "ProgramState.h"
#include "Status.h"
#include "ToolWindow.h"

namespace ql {

// Buttons and menu items the core enables, disables or checks, each written once: the toolbar's,
// the Data, View and Measurement menus' items and the Measurement menu itself.
// clang-format off
#define QL_UI_ACTIONS(X)                                                                           \
    /* Toolbar */                                                                                  \
    X(Config) X(RemoteBox) X(Read) X(AutoBox) X(SetRead) X(Set) X(Autoset) X(Notes) X(WmfExport)   \
    /* Data menu */                                                                                \
    X(PrintMenuItem) X(PrinterSetupMenuItem) X(ClipboardMenuItem)                                  \
    /* View menu */                                                                                \
    X(ChannelMenuItem) X(TimebaseMenuItem) X(TriggerMenuItem) X(StorageMenuItem)                   \
    X(IntensityMenuItem) X(CursorMenuItem) X(AutomeasurementMenuItem)                              \
    /* Measurement menu and its items */                                                           \
    X(MeasurementMenu) X(AutostoreMenuItem) X(FftMenuItem) X(HarmonicsMenuItem)
// clang-format on

#define QL_UI_ACTION_ENUMERATOR(name) name,
enum class UiAction { QL_UI_ACTIONS(QL_UI_ACTION_ENUMERATOR) };
#undef QL_UI_ACTION_ENUMERATOR

#define QL_UI_ACTION_NAME(name) #name,
inline constexpr std::string_view kUiActionNames[] = {QL_UI_ACTIONS(QL_UI_ACTION_NAME)};
#undef QL_UI_ACTION_NAME
#undef QL_UI_ACTIONS
constexpr int kUiActionCount = static_cast<int>(std::size(kUiActionNames));

// The name the recording host writes in its events.
inline std::string_view uiActionName(UiAction a)
{
    return kUiActionNames[static_cast<int>(a)];
}

class Host {
public:
    virtual ~Host() = default;

    virtual void showMessage(std::string_view text, std::string_view title, MessageIcon icon) = 0;
    void report(const Failure& f) { showMessage(f.text, f.title, f.icon); }
    virtual bool askYesNo(std::string_view text, std::string_view title) = 0;

    // Lets the user interface handle pending events (called from inside long waits).
    virtual void pumpEvents() = 0;
    // Handles the user's input already waiting (mouse, keys, accessibility actions, a button
    // pressed through the accessibility interface whose click would come a moment later) and
    // returns without waiting for more; no timer is served, so no tick starts inside it. Called
    // under the operation guard before a tick starts an autostore read, so that a click queued
    // behind the tick's own timer event is seen before the read rather than inside it. Whatever
    // else is handled meanwhile (a remote command, an end signal) finds the guard held, as during
    // the read itself: a command is refused and the end waits for the operation.
    virtual void takeWaitingInput() = 0;
    virtual void setBusyPointer(bool busy) = 0;

    virtual void setCaption(std::string_view caption) = 0;
    virtual void setClockText(std::string_view text) = 0;
    // The "RM" and "Auto" check boxes, set by the program without running their handlers.
    virtual void setRemoteBox(bool checked) = 0;
    virtual void setAutoBox(bool checked) = 0;
    virtual void setActionEnabled(UiAction action, bool enabled) = 0;
    virtual void setActionChecked(UiAction action, bool checked) = 0;

    virtual void openWindow(ToolWindow window) = 0;
    virtual void closeWindow(ToolWindow window) = 0;
    virtual bool isWindowOpen(ToolWindow window) = 0;
    // Repaint a window from the state now; a window that is not open does nothing.
    virtual void refreshWindow(ToolWindow window) = 0;
    // Brings the windows that show a change up to date, in the order of windowsShowing.
    void stateChanged(const ProgramState& s, StateChange change);
    // Normal, minimised or maximised (0, 1, 2), as the instrument's model asks.
    virtual void setWindowState(ToolWindow window, int windowState) = 0;
    // Current placement of an open window in twips (for the parameter file).
    virtual WindowPlacement windowPlacement(ToolWindow window) = 0;
    // For the places the program chooses itself, in pixels: the work area the windows live in
    // (0 x 0 where the user interface cannot tell), where an open window stands in it with its
    // frame (nothing for a closed window or one of its own), and an open window moved to a
    // place in the work area (resized to it where the window may be resized).
    virtual PixelSize workAreaSize() = 0;
    virtual PixelRect windowFrame(ToolWindow window) = 0;
    virtual void placeWindow(ToolWindow window, const PixelRect& place) = 0;

    // Ends the program's event loop.
    virtual void quit() = 0;
};

}  // namespace ql
