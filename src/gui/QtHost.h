#pragma once
// The Host of the program: message boxes (CR LF shown as line breaks), yes/no questions,
// pending events served inside waits, the busy pointer, the caption and clock, the toolbar's
// check boxes set without running their handlers, the items the core enables and checks, and
// the tool windows, looked up in the main window's registry. A window without a row is not
// opened and reports itself closed. Its boxes belong to the modal dialog open beneath them, or
// else to the main window, and run through the main window's ModalBoxes: once the program is
// ending, a message goes to standard error and a question is answered No.

#include "state/Host.h"

class QWidget;

namespace ql::gui {

class MainWindow;
class ToolWindowEntry;

class QtHost : public Host {
public:
    explicit QtHost(MainWindow& window);

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
    PixelSize workAreaSize() override;
    PixelRect windowFrame(ToolWindow window) override;
    void placeWindow(ToolWindow window, const PixelRect& place) override;
    void quit() override;

    // Depth of the busy pointer requests now in force.
    int busyDepth() const { return busyDepth_; }

private:
    ToolWindowEntry* entry(ToolWindow window) const;
    // The frame of an open window in the main window's area.
    QWidget* openFrame(ToolWindow window) const;

    MainWindow& window_;
    int busyDepth_ = 0;
};

}  // namespace ql::gui
