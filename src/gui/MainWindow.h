#pragma once
// The program's main window: the menu bar, the toolbar with the instrument operations, the
// clock label and the check boxes "RM" and "Auto", and the area in which the tool windows
// live (the screen window first). Window positions in twips are relative to that area.
//
// The toolbar's instrument operations and the one-second tick are reached from outside:
// controls() names every button, check box and menu item; setTickHandler() replaces what the
// timer runs. Items whose windows the program does not have yet stay disabled whatever the
// core asks (setAvailable() lifts that once a window exists).

#include <QMainWindow>
#include <functional>

#include "QtFileDialogs.h"
#include "display/DisplayViews.h"
#include "state/Host.h"

class QAction;
class QCheckBox;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;

namespace ql {
class AppController;
class InstrumentLink;
class InstrumentOperations;
}  // namespace ql

namespace ql::gui {

class PortSetupDialog;
class ScreenWindow;

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
    MainWindow(ProgramState& state, DisplayViews& views, QWidget* parent = nullptr);
    ~MainWindow() override;

    const MainWindowControls& controls() const { return controls_; }
    // The QAction that stands for a toolbar button or menu item of the core; nullptr for the
    // two check boxes (controls().remoteBox / autoBox).
    QAction* action(UiAction a) const;

    // Enabling as the core asks; an item stays disabled while it is not available.
    void setActionEnabled(UiAction a, bool enabled);
    void setAvailable(QAction* item, bool available);
    bool isAvailable(const QAction* item) const;

    // Connects the menu items this window serves itself (Load, Save, Clipboard, Config, Exit,
    // the help items) and the close box to the program's core.
    void attach(AppController& controller, InstrumentLink& link, Host& host);
    // Wires the toolbar's instrument operations and the "RM" and "Auto" boxes.
    void attachOperations(InstrumentOperations& operations);

    // The one-second timer; it starts after start-up and runs the tick handler.
    QTimer& mainTimer() const { return *mainTimer_; }
    void setTickHandler(std::function<void()> handler) { tickHandler_ = std::move(handler); }
    void startMainTimer();

    QMdiArea* mdiArea() const { return mdiArea_; }
    ScreenWindow& screenWindow() const { return *screenWindow_; }
    QMdiSubWindow& screenFrame() const { return *screenFrame_; }
    void showScreenWindow();

    // The port set-up window ("Config").
    void openPortSetup();
    bool isPortSetupOpen() const;
    void closePortSetup();

    // Closes the window for good (the core has run its closing sequence).
    void finish();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolbar();
    void buildMenus();
    void copyScreenToClipboard();
    static void showDocument(const std::string& path);

    ProgramState& state_;
    DisplayViews& views_;
    MainWindowControls controls_;
    QMdiArea* mdiArea_ = nullptr;
    ScreenWindow* screenWindow_ = nullptr;
    QMdiSubWindow* screenFrame_ = nullptr;
    PortSetupDialog* portSetup_ = nullptr;
    QTimer* mainTimer_ = nullptr;
    QtFileDialogs fileDialogs_{this};
    InstrumentLink* link_ = nullptr;
    std::function<void()> tickHandler_;
    std::function<bool()> closeHandler_;
    bool finished_ = false;
};

}  // namespace ql::gui
