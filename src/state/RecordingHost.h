#pragma once
// A Host for tests: records every request as a line of text and answers questions from a
// queue, so a test can assert what the user would have seen, in order.

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "Host.h"

namespace ql {

class RecordingHost : public Host {
public:
    struct Message {
        std::string text;
        std::string title;
        MessageIcon icon;
    };

    void showMessage(std::string_view text, std::string_view title, MessageIcon icon) override;
    bool askYesNo(std::string_view text, std::string_view title) override;
    void pumpEvents() override;
    void takeWaitingInput() override;
    void setBusyPointer(bool busy) override;
    void setCaption(std::string_view caption) override;
    void setClockText(std::string_view text) override;
    void setRemoteBox(bool checked) override;
    void setAutoBox(bool checked) override;
    void setActionEnabled(UiAction action, bool enabled) override;
    void setActionChecked(UiAction action, bool checked) override;
    void openWindow(ToolWindow window) override;
    void closeWindow(ToolWindow window) override;
    bool isWindowOpen(ToolWindow window) override;
    void refreshWindow(ToolWindow window) override;
    void setWindowState(ToolWindow window, int windowState) override;
    WindowPlacement windowPlacement(ToolWindow window) override;
    PixelSize workAreaSize() override { return workArea; }
    PixelRect windowFrame(ToolWindow window) override;
    void placeWindow(ToolWindow window, const PixelRect& place) override;
    void quit() override;

    // What was asked, in order ("message: Transmission Error | Serial - Error", "busy: 1", ...);
    // a message appears with its first line, `messages` holds the whole text.
    std::vector<std::string> events;
    std::vector<Message> messages;
    std::deque<bool> yesNoAnswers;  // answers to askYesNo; "no" when empty
    std::string caption;
    std::string clockText;
    bool remoteBox = false;
    bool autoBox = false;
    bool busyPointer = false;
    bool quitRequested = false;
    int pumpCount = 0;
    std::set<ToolWindow> openWindows;
    bool actionEnabled[kUiActionCount] = {};
    bool actionChecked[kUiActionCount] = {};
    WindowPlacement placements[kToolWindowCount] = {};
    int windowStates[kToolWindowCount] = {};
    // The work area and the window frames it reports (none by default); placeWindow moves a
    // frame, and the window's placement then reports it as a 96 dpi screen does.
    PixelSize workArea;
    PixelRect frames[kToolWindowCount] = {};
    // Runs inside pumpEvents, e.g. to fire a timer tick in the middle of a wait.
    std::function<void()> onPumpEvents;
    // The user's input waiting in the queue (a click not handled yet): the next pumpEvents or
    // takeWaitingInput runs it once, before anything else.
    std::function<void()> waitingInput;
    // Runs inside refreshWindow, e.g. to redraw the screen as the screen window does.
    std::function<void(ToolWindow)> onRefreshWindow;
    // Runs inside showMessage, while the box would be open, e.g. to look at what the windows
    // show meanwhile.
    std::function<void()> onShowMessage;

    int countEvents(std::string_view prefix) const;
    void clear();
};

}  // namespace ql
