#pragma once
// The program's main window: the menu bar, the toolbar with the instrument operations, the
// clock label and the check boxes "RM" and "Auto", the area in which the tool windows live,
// and the registry of those windows (one row each, filled by the program's composition).
// Window positions in twips are relative to the area.
//
// The toolbar's buttons and the menus are built from the core's action table; attach()
// connects each to the handler of its row, the check boxes to their operations and the
// one-second timer to the controller's tick. Ctrl+Tab, Ctrl+F6 and F6 move between the windows
// and the toolbar, F10 opens the menus, Ctrl+F4 closes a window and Ctrl+PgDn switches its tabs
// (WindowKeys).

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

#include "ModalBoxes.h"
#include "QtDesktop.h"
#include "QtFileDialogs.h"
#include "UserChanges.h"
#include "WindowKeys.h"
#include "WindowRegistry.h"
#include "app/ActionTable.h"
#include "state/Host.h"

class QAction;
class QCheckBox;
class QLabel;
class QMdiArea;
class QPrintDialog;
class QTimer;
class QToolBar;

namespace ql::gui {

class FocusPark;
class ProgramPrinter;

// The toolbar's widgets that are not items of the action table.
struct MainWindowControls {
    QCheckBox* remoteBox = nullptr;  // "RM": hold the instrument in remote
    QCheckBox* autoBox = nullptr;    // "Auto": automatic update
    QLabel* clockLabel = nullptr;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Shows the window over the whole available area of the screen, as every start does (its
    // size is not kept); the work area has its size when this returns.
    void showOnWholeScreen();

    const MainWindowControls& controls() const { return controls_; }
    // The QAction that stands for a toolbar button, menu item or menu of the core; nullptr for
    // the two check boxes (controls().remoteBox / autoBox).
    QAction* action(UiAction a) const { return byName_[static_cast<int>(a)]; }

    // Enabling as the core asks.
    void setActionEnabled(UiAction a, bool enabled);

    // Connects every item to its row's handler ("Printer setup" to the program's printer), the
    // "RM" and "Auto" boxes, the close box and the one-second timer to the program's core.
    void attach(AppController& controller, InstrumentOperations& operations, MenuController& menus,
                ProgramPrinter& printer);
    // Closes the printer set-up at once; it must go before the printer it edits.
    void closePrinterSetup();

    // The one-second timer; it starts after start-up and runs the controller's tick.
    QTimer& mainTimer() const { return *mainTimer_; }
    void startMainTimer();

    QMdiArea& mdiArea() const { return *mdiArea_; }
    // The one object behind every open and save dialog of the program.
    QtFileDialogs& fileDialogs() { return fileDialogs_; }
    // Every box and dialog that waits for the user runs through this.
    ModalBoxes& modalBoxes() { return modalBoxes_; }
    // The boxes of the main window `widget` lives in; null outside one.
    static ModalBoxes* modalBoxesOf(const QWidget& widget);
    // What opens documents and web addresses for every window of the program.
    Desktop& desktop() { return desktop_; }
    WindowRegistry& windows() { return windows_; }
    const WindowRegistry& windows() const { return windows_; }
    // What moves the focus between the windows and the toolbar.
    WindowKeys& windowKeys() { return *windowKeys_; }

    // Closes the window for good (the core has run its closing sequence).
    void finish();

protected:
    void closeEvent(QCloseEvent* event) override;
    // A toolbar control switched off by its operation leaves the focus waiting on the toolbar.
    bool focusNextPrevChild(bool next) override;

private:
    void buildToolbar();
    void buildMenus();
    // Names `action` after its row, keeps it under the row's core name and has it call the
    // row's handler.
    QAction* keep(const ActionRow& row, QAction* action);
    void copyScreenToClipboard();
    // Qt's printer dialog on `printer`: the printer and paper of the next printouts.
    void showPrinterSetup(ProgramPrinter& printer);

    MainWindowControls controls_;
    std::array<QAction*, kUiActionCount> byName_{};
    std::unique_ptr<ActionTargets> targets_;
    QMdiArea* mdiArea_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    FocusPark* toolbarPark_ = nullptr;  // a child of the toolbar
    QTimer* mainTimer_ = nullptr;
    ModalBoxes modalBoxes_;
    QtFileDialogs fileDialogs_{this, &modalBoxes_};
    QtDesktop desktop_;
    QPointer<QPrintDialog> printerSetup_;
    WindowRegistry windows_;
    std::unique_ptr<WindowKeys> windowKeys_;
    UserChanges changes_{this};
    std::function<void()> tickHandler_;
    std::function<bool()> closeHandler_;
    bool finished_ = false;
};

}  // namespace ql::gui
