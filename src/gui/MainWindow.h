#pragma once
// The program's main window: the menu bar, the toolbar with the instrument operations, the
// clock label and the check boxes "RM" and "Auto", the area in which the tool windows live,
// and the registry of those windows (one row each, filled by the program's composition).
// Window positions in twips are relative to the area.
//
// attach() connects every button, box and menu item to the core and the one-second timer to
// the controller's tick; controls() names them.

#include <QMainWindow>
#include <QPointer>
#include <functional>

#include "QtDesktop.h"
#include "QtFileDialogs.h"
#include "WindowRegistry.h"
#include "state/Host.h"

class QAction;
class QCheckBox;
class QLabel;
class QMdiArea;
class QMenu;
class QPrintDialog;
class QTimer;

namespace ql {
class AppController;
class InstrumentOperations;
class MenuController;
}  // namespace ql

namespace ql::gui {

class ProgramPrinter;

// Every control of the toolbar and item of the menus, by what it does.
struct MainWindowControls {
    // Toolbar, left to right.
    QAction* configButton = nullptr;
    QCheckBox* remoteBox = nullptr;  // "RM": hold the instrument in remote
    QAction* readButton = nullptr;
    QCheckBox* autoBox = nullptr;  // "Auto": automatic update
    QAction* setReadButton = nullptr;
    QAction* setButton = nullptr;
    QAction* autosetButton = nullptr;
    QAction* notesButton = nullptr;
    QAction* wmfExportButton = nullptr;
    QLabel* clockLabel = nullptr;
    // Data menu.
    QMenu* dataMenu = nullptr;
    QAction *loadItem = nullptr, *saveItem = nullptr, *printItem = nullptr;
    QAction *printerSetupItem = nullptr, *clipboardItem = nullptr, *configPortItem = nullptr;
    QAction* exitItem = nullptr;
    // View menu (checkable: the check mark shows the window open).
    QMenu* viewMenu = nullptr;
    QAction *channelItem = nullptr, *timebaseItem = nullptr, *triggerItem = nullptr;
    QAction *storageItem = nullptr, *intensityItem = nullptr, *cursorItem = nullptr;
    QAction* automeasurementItem = nullptr;
    // Measurement menu.
    QMenu* measurementMenu = nullptr;
    QAction *autostoreItem = nullptr, *fftItem = nullptr, *harmonicsItem = nullptr;
    // Help menu "?".
    QMenu* helpMenu = nullptr;
    QAction *helpItem = nullptr, *germanItem = nullptr, *englishItem = nullptr;
    QAction *germanManualItem = nullptr, *englishManualItem = nullptr, *aboutItem = nullptr;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    const MainWindowControls& controls() const { return controls_; }
    // The QAction that stands for a toolbar button or menu item of the core; nullptr for the
    // two check boxes (controls().remoteBox / autoBox).
    QAction* action(UiAction a) const;

    // Enabling as the core asks.
    void setActionEnabled(UiAction a, bool enabled);

    // Connects the toolbar, the "RM" and "Auto" boxes, the menu items, the close box and the
    // one-second timer to the program's core.
    void attach(AppController& controller, InstrumentOperations& operations);
    // Connects the View and Measurement items and "About/Support" to their rules, and "Printer
    // setup" to the program's printer.
    void attachMenus(MenuController& menus, ProgramPrinter& printer);
    // Closes the printer set-up at once; it must go before the printer it edits.
    void closePrinterSetup();

    // The one-second timer; it starts after start-up and runs the controller's tick.
    QTimer& mainTimer() const { return *mainTimer_; }
    void startMainTimer();

    QMdiArea& mdiArea() const { return *mdiArea_; }
    // The one object behind every open and save dialog of the program.
    QtFileDialogs& fileDialogs() { return fileDialogs_; }
    // What opens documents and web addresses for every window of the program.
    Desktop& desktop() { return desktop_; }
    WindowRegistry& windows() { return windows_; }
    const WindowRegistry& windows() const { return windows_; }

    // Closes the window for good (the core has run its closing sequence).
    void finish();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildToolbar();
    void buildMenus();
    void copyScreenToClipboard();
    // Qt's printer dialog on `printer`: the printer and paper of the next printouts.
    void showPrinterSetup(ProgramPrinter& printer);

    MainWindowControls controls_;
    QMdiArea* mdiArea_ = nullptr;
    QTimer* mainTimer_ = nullptr;
    QtFileDialogs fileDialogs_{this};
    QtDesktop desktop_;
    QPointer<QPrintDialog> printerSetup_;
    WindowRegistry windows_;
    std::function<void()> tickHandler_;
    std::function<bool()> closeHandler_;
    bool finished_ = false;
};

}  // namespace ql::gui
