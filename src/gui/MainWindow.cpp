#include "MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <utility>

#include "ProgramPrinter.h"
#include "ScreenWindow.h"
#include "app/AppController.h"
#include "app/InstrumentOperations.h"
#include "app/MenuController.h"
#include "state/InitProgramState.h"

namespace ql::gui {

namespace {

constexpr int kMainTimerMs = 1000;
// The widest clock line without a note, and the room the label keeps for a note (characters).
constexpr const char* kWidestClockStatus = "Time: 00:00:00   Store 00000 at: 00:00:00   ";
constexpr int kClockNoteRoom = 30;

QAction* addItem(QMenu* menu, const char* caption, const char* name, bool checkable = false)
{
    QAction* item = menu->addAction(QString::fromUtf8(caption));
    item->setObjectName(QString::fromUtf8(name));
    item->setCheckable(checkable);
    return item;
}

QAction* addButton(QToolBar* bar, const char* caption, const char* name)
{
    QAction* button = bar->addAction(QString::fromUtf8(caption));
    button->setObjectName(QString::fromUtf8(name));
    // Tab reaches every toolbar button, not only the mouse.
    if (QWidget* widget = bar->widgetForAction(button)) widget->setFocusPolicy(Qt::TabFocus);
    return button;
}

QCheckBox* addCheckBox(QToolBar* bar, const char* caption, const char* name)
{
    auto* box = new QCheckBox(QString::fromUtf8(caption), bar);
    box->setObjectName(QString::fromUtf8(name));
    bar->addWidget(box);
    return box;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QString::fromUtf8(kProgramCaption));
    resize(1100, 820);

    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("windowArea"));
    setCentralWidget(mdiArea_);

    buildToolbar();
    buildMenus();

    auto* footer = new QLabel(QString::fromUtf8(kFooterText), this);
    footer->setObjectName(QStringLiteral("footerLabel"));
    statusBar()->addWidget(footer);

    mainTimer_ = new QTimer(this);
    mainTimer_->setObjectName(QStringLiteral("mainTimer"));
    mainTimer_->setInterval(kMainTimerMs);
    connect(mainTimer_, &QTimer::timeout, this, [this] {
        if (tickHandler_) tickHandler_();
    });
}

MainWindow::~MainWindow()
{
    // Nothing of the program runs while the window and its children go away.
    finished_ = true;
    closeHandler_ = nullptr;
    tickHandler_ = nullptr;
    windows_.clear();
}

void MainWindow::buildToolbar()
{
    QToolBar* bar = addToolBar(QStringLiteral("Toolbar"));
    bar->setObjectName(QStringLiteral("toolbar"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->toggleViewAction()->setVisible(false);
    MainWindowControls& c = controls_;
    c.configButton = addButton(bar, "Config", "configButton");
    c.remoteBox = addCheckBox(bar, "RM", "remoteBox");
    c.readButton = addButton(bar, "Read", "readButton");
    c.autoBox = addCheckBox(bar, "Auto", "autoBox");
    c.setReadButton = addButton(bar, "Set/Read", "setReadButton");
    c.setButton = addButton(bar, "Set", "setButton");
    c.autosetButton = addButton(bar, "Autoset", "autosetButton");
    c.notesButton = addButton(bar, "Notes", "notesButton");
    c.wmfExportButton = addButton(bar, "WMF-Export", "wmfExportButton");
    bar->addSeparator();
    c.clockLabel = new QLabel(QStringLiteral("Time:"), bar);
    c.clockLabel->setObjectName(QStringLiteral("clockLabel"));
    // A fixed size: the text changing every second then repaints the label and relays out
    // nothing. Room for the time, the autostore's status and a short note.
    const QFontMetrics metrics(c.clockLabel->font());
    const int width = metrics.horizontalAdvance(QString::fromUtf8(kWidestClockStatus)) +
                      kClockNoteRoom * metrics.averageCharWidth() + 2 * c.clockLabel->margin();
    c.clockLabel->setFixedSize(width, c.clockLabel->sizeHint().height());
    bar->addWidget(c.clockLabel);
}

void MainWindow::buildMenus()
{
    MainWindowControls& c = controls_;
    QMenuBar* bar = menuBar();
    c.dataMenu = bar->addMenu(QStringLiteral("Data"));
    c.dataMenu->setObjectName(QStringLiteral("dataMenu"));
    c.loadItem = addItem(c.dataMenu, "&Load", "loadItem");
    c.saveItem = addItem(c.dataMenu, "&Save", "saveItem");
    c.dataMenu->addSeparator();
    c.printItem = addItem(c.dataMenu, "&Print", "printItem");
    c.printerSetupItem = addItem(c.dataMenu, "Printer &setup", "printerSetupItem");
    c.dataMenu->addSeparator();
    c.clipboardItem = addItem(c.dataMenu, "&Clipboard", "clipboardItem");
    c.dataMenu->addSeparator();
    c.configPortItem = addItem(c.dataMenu, "&Config port", "configPortItem");
    c.dataMenu->addSeparator();
    c.exitItem = addItem(c.dataMenu, "E&xit", "exitItem");

    c.viewMenu = bar->addMenu(QStringLiteral("&View"));
    c.viewMenu->setObjectName(QStringLiteral("viewMenu"));
    c.channelItem = addItem(c.viewMenu, "&Channel", "channelItem", true);
    c.timebaseItem = addItem(c.viewMenu, "&Timebase", "timebaseItem", true);
    c.triggerItem = addItem(c.viewMenu, "T&rigger", "triggerItem", true);
    c.storageItem = addItem(c.viewMenu, "&Storage", "storageItem", true);
    c.intensityItem = addItem(c.viewMenu, "&Intensity", "intensityItem", true);
    c.cursorItem = addItem(c.viewMenu, "&Cursor", "cursorItem", true);
    c.automeasurementItem = addItem(c.viewMenu, "Auto&measurement", "automeasurementItem", true);

    c.measurementMenu = bar->addMenu(QStringLiteral("Measurement"));
    c.measurementMenu->setObjectName(QStringLiteral("measurementMenu"));
    c.autostoreItem = addItem(c.measurementMenu, "&Autostore", "autostoreItem");
    c.fftItem = addItem(c.measurementMenu, "&FFT", "fftItem", true);
    c.harmonicsItem = addItem(c.measurementMenu, "&Harm. current emissions", "harmonicsItem", true);

    c.helpMenu = bar->addMenu(QStringLiteral("?"));
    c.helpMenu->setObjectName(QStringLiteral("helpMenu"));
    c.helpItem = addItem(c.helpMenu, "&Help", "helpItem");
    c.helpMenu->addSeparator();
    c.germanItem = addItem(c.helpMenu, "&Deutsch", "germanItem");
    c.englishItem = addItem(c.helpMenu, "&English", "englishItem");
    c.helpMenu->addSeparator();
    c.germanManualItem = addItem(c.helpMenu, "FF&T/QZV Anleitung", "germanManualItem");
    c.englishManualItem = addItem(c.helpMenu, "&FFT/QZV Manual", "englishManualItem");
    c.helpMenu->addSeparator();
    c.aboutItem = addItem(c.helpMenu, "&About/Support", "aboutItem");
}

QAction* MainWindow::action(UiAction a) const
{
    const MainWindowControls& c = controls_;
    switch (a) {
        case UiAction::Config: return c.configButton;
        case UiAction::RemoteBox: return nullptr;
        case UiAction::Read: return c.readButton;
        case UiAction::AutoBox: return nullptr;
        case UiAction::SetRead: return c.setReadButton;
        case UiAction::Set: return c.setButton;
        case UiAction::Autoset: return c.autosetButton;
        case UiAction::Notes: return c.notesButton;
        case UiAction::WmfExport: return c.wmfExportButton;
        case UiAction::PrintMenuItem: return c.printItem;
        case UiAction::PrinterSetupMenuItem: return c.printerSetupItem;
        case UiAction::ClipboardMenuItem: return c.clipboardItem;
        case UiAction::ChannelMenuItem: return c.channelItem;
        case UiAction::TimebaseMenuItem: return c.timebaseItem;
        case UiAction::TriggerMenuItem: return c.triggerItem;
        case UiAction::StorageMenuItem: return c.storageItem;
        case UiAction::IntensityMenuItem: return c.intensityItem;
        case UiAction::CursorMenuItem: return c.cursorItem;
        case UiAction::AutomeasurementMenuItem: return c.automeasurementItem;
        case UiAction::MeasurementMenu: return c.measurementMenu->menuAction();
        case UiAction::AutostoreMenuItem: return c.autostoreItem;
        case UiAction::FftMenuItem: return c.fftItem;
        case UiAction::HarmonicsMenuItem: return c.harmonicsItem;
    }
    return nullptr;
}

void MainWindow::setActionEnabled(UiAction a, bool enabled)
{
    if (a == UiAction::RemoteBox) return controls_.remoteBox->setEnabled(enabled);
    if (a == UiAction::AutoBox) return controls_.autoBox->setEnabled(enabled);
    QAction* item = action(a);
    if (!item) return;
    item->setEnabled(enabled);
}

void MainWindow::attach(AppController& controller, InstrumentOperations& operations)
{
    const MainWindowControls& c = controls_;
    connect(c.configButton, &QAction::triggered, this, [&operations] { operations.config(); });
    connect(c.readButton, &QAction::triggered, this, [&operations] { operations.read(); });
    connect(c.setReadButton, &QAction::triggered, this, [&operations] { operations.setRead(); });
    connect(c.setButton, &QAction::triggered, this, [&operations] { operations.set(); });
    connect(c.autosetButton, &QAction::triggered, this, [&operations] { operations.autoset(); });
    connect(c.notesButton, &QAction::triggered, this, [&operations] { operations.notes(); });
    connect(c.wmfExportButton, &QAction::triggered, this,
            [&operations] { operations.wmfExport(); });
    // clicked() comes only from the user; the program sets the boxes with signals blocked.
    connect(c.remoteBox, &QCheckBox::clicked, this,
            [&operations](bool checked) { operations.remoteBoxReleased(checked); });
    connect(c.autoBox, &QCheckBox::clicked, this,
            [&operations](bool checked) { operations.autoBoxReleased(checked); });

    connect(c.loadItem, &QAction::triggered, this,
            [this, &controller] { controller.loadDataMenu(fileDialogs_); });
    connect(c.saveItem, &QAction::triggered, this,
            [this, &controller] { controller.saveDataMenu(fileDialogs_); });
    connect(c.printItem, &QAction::triggered, this, [&operations] { operations.print(); });
    connect(c.autostoreItem, &QAction::triggered, this, [&operations] { operations.autostore(); });
    connect(c.clipboardItem, &QAction::triggered, this, &MainWindow::copyScreenToClipboard);
    connect(c.configPortItem, &QAction::triggered, this, [&operations] { operations.config(); });
    connect(c.exitItem, &QAction::triggered, this, [&controller] { controller.exitProgram(); });
    connect(c.helpItem, &QAction::triggered, this,
            [this, &controller] { controller.showDocument(desktop_, controller.helpDocument()); });
    connect(c.germanItem, &QAction::triggered, this, [this, &controller] {
        controller.showDocument(desktop_, controller.helpDocumentInLanguage(0));
    });
    connect(c.englishItem, &QAction::triggered, this, [this, &controller] {
        controller.showDocument(desktop_, controller.helpDocumentInLanguage(1));
    });
    connect(c.germanManualItem, &QAction::triggered, this,
            [this, &controller] { controller.showDocument(desktop_, controller.fftManual(true)); });
    connect(c.englishManualItem, &QAction::triggered, this, [this, &controller] {
        controller.showDocument(desktop_, controller.fftManual(false));
    });
    closeHandler_ = [&controller] { return controller.closeMainWindow() == CloseOutcome::Closed; };
    tickHandler_ = [&controller] { controller.timerTick(); };
}

void MainWindow::attachMenus(MenuController& menus, ProgramPrinter& printer)
{
    const MainWindowControls& c = controls_;
    connect(c.printerSetupItem, &QAction::triggered, this,
            [this, &printer] { showPrinterSetup(printer); });
    for (const auto& [item, action] : {std::pair{c.channelItem, UiAction::ChannelMenuItem},
                                       std::pair{c.timebaseItem, UiAction::TimebaseMenuItem},
                                       std::pair{c.triggerItem, UiAction::TriggerMenuItem},
                                       std::pair{c.storageItem, UiAction::StorageMenuItem},
                                       std::pair{c.intensityItem, UiAction::IntensityMenuItem},
                                       std::pair{c.cursorItem, UiAction::CursorMenuItem}})
        connect(item, &QAction::triggered, this,
                [&menus, action = action] { menus.viewItemChosen(action); });
    connect(c.automeasurementItem, &QAction::triggered, this,
            [&menus] { menus.automeasurementChosen(); });
    connect(c.fftItem, &QAction::triggered, this, [&menus] { menus.fftChosen(); });
    connect(c.harmonicsItem, &QAction::triggered, this, [&menus] { menus.harmonicsChosen(); });
    connect(c.aboutItem, &QAction::triggered, this, [&menus] { menus.aboutChosen(); });
}

void MainWindow::startMainTimer()
{
    mainTimer_->start();
}

void MainWindow::copyScreenToClipboard()
{
    if (const auto* screen = windows_.window<ScreenWindow>(ToolWindow::ScreenWindow))
        QApplication::clipboard()->setImage(screen->picture());
}

void MainWindow::showPrinterSetup(ProgramPrinter& printer)
{
    // One at a time; not modal to the program, so an operation that runs meanwhile goes on.
    // Nothing is printed: the choice applies to the printouts that follow.
    if (printerSetup_) {
        printerSetup_->raise();
        printerSetup_->activateWindow();
        return;
    }
    printer.setupOpening();
    auto* dialog = new QPrintDialog(&printer.qprinter(), this);
    printerSetup_ = dialog;
    // A PDF file named here takes the next printout the user asks for.
    connect(dialog, &QDialog::finished, this,
            [&printer](int result) { printer.setupClosed(result == QDialog::Accepted); });
    dialog->setObjectName(QStringLiteral("printerSetupDialog"));
    dialog->setWindowTitle(QStringLiteral("Printer setup"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // The printer or PDF files, and the paper; each printout chooses its own pages.
    dialog->setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (auto* buttons = dialog->findChild<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    dialog->setWindowModality(Qt::NonModal);
    dialog->show();
}

void MainWindow::closePrinterSetup()
{
    delete printerSetup_;
}

void MainWindow::finish()
{
    finished_ = true;
    mainTimer_->stop();
    close();
    QCoreApplication::quit();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (finished_ || !closeHandler_ || closeHandler_()) {
        finished_ = true;
        mainTimer_->stop();
        event->accept();
        return;
    }
    event->ignore();
}

}  // namespace ql::gui
