#include "MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "FocusPark.h"
#include "ProgramPrinter.h"
#include "ScreenWindow.h"
#include "app/AppController.h"
#include "app/InstrumentOperations.h"
#include "state/InitProgramState.h"

namespace ql::gui {

namespace {

constexpr int kMainTimerMs = 1000;
// The widest clock line without a note, and the room the label keeps for a note (characters).
constexpr const char* kWidestClockStatus = "Time: 00:00:00   Store 00000 at: 00:00:00   ";
constexpr int kClockNoteRoom = 30;

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
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
    // The size before start-up fills the screen: the smallest screen the windows are laid out for.
    resize(1280, 800);

    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("windowArea"));
    // A window that lies partly outside the area (after the main window was made smaller)
    // stays reachable.
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);

    buildToolbar();
    buildMenus();
    windowKeys_ = std::make_unique<WindowKeys>(*this, *mdiArea_, *toolbar_, *menuBar(), windows_);

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

void MainWindow::showOnWholeScreen()
{
    // The largest size that fits where the window system does not maximise.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    showMaximized();
    QCoreApplication::processEvents();
}

MainWindow::~MainWindow()
{
    // Nothing of the program runs while the window and its children go away.
    finished_ = true;
    closeHandler_ = nullptr;
    tickHandler_ = nullptr;
    windowKeys_.reset();
    windows_.clear();
}

void MainWindow::buildToolbar()
{
    QToolBar* bar = toolbar_ = addToolBar(QStringLiteral("Toolbar"));
    bar->setObjectName(QStringLiteral("toolbar"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->toggleViewAction()->setVisible(false);
    toolbarPark_ = new FocusPark(*bar);
    MainWindowControls& c = controls_;
    for (const ActionRow& row : actionRows()) {
        if (row.place != ActionPlace::Toolbar) continue;
        QAction* button = keep(row, bar->addAction(fromUtf8(row.caption)));
        // Tab reaches every toolbar button, not only the mouse.
        if (QWidget* widget = bar->widgetForAction(button)) widget->setFocusPolicy(Qt::TabFocus);
        // Each check box stands after the operation it goes with.
        if (row.name == UiAction::Config) c.remoteBox = addCheckBox(bar, "RM", "remoteBox");
        if (row.name == UiAction::Read) c.autoBox = addCheckBox(bar, "Auto", "autoBox");
    }
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
    for (const MenuRow& m : menuRows()) {
        QMenu* menu = menuBar()->addMenu(fromUtf8(m.caption));
        menu->setObjectName(fromUtf8(m.objectName));
        if (m.name) byName_[static_cast<int>(*m.name)] = menu->menuAction();
        for (const ActionRow& row : actionRows()) {
            if (row.place != m.place) continue;
            if (row.look == ActionLook::LineAbove) menu->addSeparator();
            keep(row, menu->addAction(fromUtf8(row.caption)));
        }
    }
}

QAction* MainWindow::keep(const ActionRow& row, QAction* action)
{
    action->setObjectName(fromUtf8(row.objectName));
    action->setCheckable(row.look == ActionLook::Checkable);
    if (row.name) byName_[static_cast<int>(*row.name)] = action;
    // Acts once the program's core is attached.
    connect(action, &QAction::triggered, this, [this, &row] {
        if (targets_) row.chosen(*targets_, row);
    });
    return action;
}

void MainWindow::setActionEnabled(UiAction a, bool enabled)
{
    if (a == UiAction::RemoteBox) return controls_.remoteBox->setEnabled(enabled);
    if (a == UiAction::AutoBox) return controls_.autoBox->setEnabled(enabled);
    if (QAction* item = action(a)) item->setEnabled(enabled);
}

void MainWindow::attach(AppController& controller, InstrumentOperations& operations,
                        MenuController& menus, ProgramPrinter& printer)
{
    targets_ = std::make_unique<ActionTargets>(ActionTargets{
        operations, controller, menus, fileDialogs_, desktop_,
        [this, &printer] { showPrinterSetup(printer); }, [this] { copyScreenToClipboard(); }});
    // A click acts when the mouse button is released, the other ways when they toggle the box;
    // the program sets the boxes with signals blocked.
    changes_.onSwitched(controls_.remoteBox,
                        [&operations](bool checked) { operations.remoteBoxReleased(checked); });
    changes_.onSwitched(controls_.autoBox,
                        [&operations](bool checked) { operations.autoBoxReleased(checked); });
    closeHandler_ = [&controller] { return controller.closeMainWindow() == CloseOutcome::Closed; };
    tickHandler_ = [&controller] { controller.timerTick(); };
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

ModalBoxes* MainWindow::modalBoxesOf(const QWidget& widget)
{
    auto* main = qobject_cast<MainWindow*>(widget.window());
    return main ? &main->modalBoxes_ : nullptr;
}

void MainWindow::finish()
{
    finished_ = true;
    mainTimer_->stop();
    close();
    QCoreApplication::quit();
}

bool MainWindow::focusNextPrevChild(bool next)
{
    return toolbarPark_->parkFocusOf(*this) || QMainWindow::focusNextPrevChild(next);
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
