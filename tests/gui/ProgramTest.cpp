// The program as a user runs it, built by the same composition as main.cpp: Read on the
// toolbar reaches the simulated instrument and redraws the screen; a remote READ and a
// toolbar Read never run at once; every control a keyboard can reach has a name a screen
// reader can say; a start makes no printer and no window it does not show; Ctrl+Tab walks the
// windows from anywhere in the main window, and every control shows its focus.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QLocalSocket>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>
#include <functional>
#include <set>
#include <tuple>

#include "ProgramRig.h"
#include "WindowWalk.h"
#include "app/ScreenPrintout.h"
#include "scopesim/Fault.h"
#include "scopesim/MainBlock.h"

namespace ql::gui {
namespace {

int redPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == qRgb(255, 0, 0)) ++count;
    return count;
}

int count(const std::vector<std::string>& commands, const std::string& text)
{
    return static_cast<int>(std::count(commands.begin(), commands.end(), text));
}

// The program started as main.cpp starts it, serving remote commands in a folder of its own.
struct StartedProgram : ProgramRig {
    StartedProgram()
    {
        EXPECT_TRUE(program.start(socketDir.path() + QStringLiteral("/ql240-dde")));
        QApplication::processEvents();
    }
    QAction& readButton() { return named(window, "readButton"); }

    QTemporaryDir socketDir;
};

struct RemoteClientSocket {
    explicit RemoteClientSocket(const QString& path)
    {
        socket.connectToServer(path);
        EXPECT_TRUE(waitUntil([&] { return socket.state() == QLocalSocket::ConnectedState; }));
    }
    void send(const QByteArray& line)
    {
        socket.write(line + "\n");
        socket.flush();
    }
    std::string answer()
    {
        if (!waitUntil([&] { return socket.canReadLine(); })) return "(no answer)";
        return socket.readLine().trimmed().toStdString();
    }
    QLocalSocket socket;
};

TEST(Program, ReadOnTheToolbarReadsTheInstrumentAndRedrawsTheScreen)
{
    StartedProgram rig;
    EXPECT_EQ(redPixels(rig.screenWindow().picture()), 0);
    rig.readButton().trigger();
    EXPECT_GT(redPixels(rig.screenWindow().picture()), 300);  // CH I of the simulator
    EXPECT_TRUE(rig.readButton().isEnabled());
    EXPECT_EQ(rig.sim.commandTexts().back(), "rm0");
    EXPECT_EQ(rig.answerer.texts.size(), 1);  // only the first start's message
}

TEST(Program, AStartMakesNoPrinterAndOnlyTheWindowsItShows)
{
    StartedProgram rig;
    // Nothing of the printing system at start: a print server that is slow or unreachable
    // cannot hold it up.
    EXPECT_EQ(rig.printersMade, 0);
    // The windows a start shows (those that give way to a small screen are made to measure
    // them, then closed): the screen, the five panels, the cursors and the measurements.
    const std::set<ToolWindow> shownAtStart = {
        ToolWindow::ScreenWindow,  ToolWindow::MeasurementWindow, ToolWindow::ChannelPanel,
        ToolWindow::TimebasePanel, ToolWindow::TriggerPanel,      ToolWindow::IntensityPanel,
        ToolWindow::StoragePanel,  ToolWindow::CursorWindow};
    for (int i = 0; i < kToolWindowCount; ++i) {
        const auto id = static_cast<ToolWindow>(i);
        if (const ToolWindowEntry* entry = rig.window.windows().find(id)) {
            EXPECT_EQ(entry->isMade(), shownAtStart.contains(id)) << toolWindowName(id);
        }
    }

    // The first printout makes the printer, once for every printout after it.
    for (int printout = 0; printout < 2; ++printout)
        EXPECT_TRUE(printScreenHardcopy(rig.state, rig.host, rig.program.printer(),
                                        PrintoutStart::Interactive));
    EXPECT_EQ(rig.printersMade, 1);
}

TEST(Program, ARemoteReadAndAToolbarReadNeverRunAtOnce)
{
    StartedProgram rig;
    RemoteClientSocket client(rig.program.remoteServer().socketPath());

    // A remote READ sent while the toolbar's Read waits for the instrument is refused.
    std::string answerDuringRead;
    QTimer::singleShot(0, [&] {
        client.send("EXECUTE READ");
        answerDuringRead = client.answer();
    });
    rig.readButton().trigger();
    EXPECT_EQ(answerDuringRead, "REFUSED");
    std::vector<std::string> commands = rig.sim.commandTexts();
    EXPECT_EQ(count(commands, "id?"), 1);
    EXPECT_EQ(count(commands, "ddf?"), 1);

    // A toolbar Read pressed while a remote READ runs does nothing.
    rig.sim.clearRecording();
    bool pressed = false;
    QTimer presser;
    presser.setInterval(0);
    QObject::connect(&presser, &QTimer::timeout, [&] {
        if (!rig.state.busy.uiBusy || pressed) return;
        rig.readButton().trigger();
        pressed = true;
    });
    presser.start();
    client.send("EXECUTE READ");
    EXPECT_EQ(client.answer(), "OK");
    ASSERT_TRUE(waitUntil([&] { return pressed; }));
    commands = rig.sim.commandTexts();
    EXPECT_EQ(count(commands, "id?"), 1);
    EXPECT_EQ(count(commands, "ddf?"), 1);
    client.send("REQUEST data");
    EXPECT_EQ(client.answer(), "ready");
}

// True for the widgets a user operates: buttons, boxes, bars, lists and text fields.
bool isControl(const QWidget* w)
{
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QAbstractSlider*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QLineEdit*>(w) || qobject_cast<const QTextEdit*>(w);
}

QString accessibleName(QWidget* w)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    return face ? face->text(QAccessible::Name).trimmed() : QString();
}

// The window a widget is in: its frame in the work area, or else its top-level window.
QWidget* windowOf(QWidget* w)
{
    while (!w->isWindow() && !qobject_cast<QMdiSubWindow*>(w)) w = w->parentWidget();
    return w;
}

// True for a group box, or a plain frame, around controls.
bool isGroup(const QWidget* w)
{
    const QList<QWidget*> inside = w->findChildren<QWidget*>();
    return (qobject_cast<const QGroupBox*>(w) || w->metaObject() == &QFrame::staticMetaObject) &&
           std::any_of(inside.begin(), inside.end(), isControl);
}

// Whether Tab enters the group of `option` there: at its checked option, else at its first.
bool tabEntersAt(const QRadioButton& option)
{
    const auto group =
        option.parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    const auto checked =
        std::find_if(group.begin(), group.end(), [](auto* o) { return o->isChecked(); });
    return &option == (checked == group.end() ? group.front() : *checked);
}

// Every visible control of every open window, and every window, against the rule: a control
// is reached by the keyboard and has an accessible name that no other control of its window
// has; a window, and a group or frame that holds controls, has a name too.
std::string accessibilityFaults()
{
    QStringList faults;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible()) continue;
        QList<QWidget*> widgets = top->findChildren<QWidget*>();
        widgets.prepend(top);
        std::set<std::pair<QWidget*, QString>> names;
        for (QWidget* w : widgets) {
            if (!w->isVisible()) continue;
            const QString where = w->metaObject()->className() + QStringLiteral(" ") +
                                  w->objectName() + QStringLiteral(" in ") + top->objectName();
            if (w->isWindow() || qobject_cast<QMdiSubWindow*>(w)) {
                if (accessibleName(w).isEmpty())
                    faults << QStringLiteral("unnamed window ") + where;
                continue;
            }
            if (isGroup(w) && accessibleName(w).isEmpty())
                faults << QStringLiteral("unnamed group ") + where;
            if (!isControl(w)) continue;
            // The title bar buttons of the window frames are reached through their menus.
            if (w->objectName().startsWith(QStringLiteral("qt_"))) continue;
            // Tab reaches an option only where it enters its group.
            const auto* option = qobject_cast<QRadioButton*>(w);
            if (!(w->focusPolicy() & Qt::TabFocus) != (option && !tabEntersAt(*option)))
                faults << QStringLiteral("not reached by Tab, or an option out of turn: ") + where;
            if (accessibleName(w).isEmpty()) faults << QStringLiteral("unnamed control ") + where;
            if (!names.insert({windowOf(w), accessibleName(w)}).second)
                faults << QStringLiteral("a second control named ") + accessibleName(w) +
                              QStringLiteral(": ") + where;
        }
    }
    return faults.join(QLatin1Char('\n')).toStdString();
}

// Pixels of two pictures of one control whose colour differs clearly.
int pixelsChanged(const QImage& a, const QImage& b)
{
    int changed = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            changed += std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                 std::abs(qBlue(p) - qBlue(q))}) > 96;
        }
    return changed;
}

TEST(Program, EveryWindowAndControlHasANameAndIsReachedByTheKeyboard)
{
    StartedProgram rig;
    for (const WindowStage& stage : windowStages()) {
        stage.open(rig);
        EXPECT_EQ(accessibilityFaults(), "") << stage.name;
        if (stage.close) stage.close(rig);
    }
}

// Single presses with Ctrl released at once, as people and scripts press them: the work area's
// own quick switch would only go back and forth between the last two windows.
TEST(Program, CtrlTabWalksEveryOpenWindowFromTheToolbarAndGivesItTheFocus)
{
    ProgramRig rig;  // the main window as large as a 1280 x 800 screen
    rig.startUp();
    ASSERT_TRUE(rig.state.windowsGivenWay.empty());  // the eight windows of the start are open
    auto& toolbar = named<QToolBar>(rig.window, "toolbar");
    focusOn(rig, toolbar.widgetForAction(&named(rig.window, "readButton")));
    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        QMdiSubWindow* active = rig.window.mdiArea().activeSubWindow();
        EXPECT_TRUE(active && active->widget()->isAncestorOf(QApplication::focusWidget()));
        return active;
    };
    // Two rounds, by Ctrl+Tab and by Ctrl+F6: each window once a round, the channels panel
    // after the screen. In each, Tab walks each window's controls round to its first
    // again, never stopping at the frame, and each shows its focus: the colour of a quarter of
    // its edge changes clearly; it enters option groups as a Read between the rounds set them.
    std::vector<QMdiSubWindow*> reached;
    int framesFocused = 0;  // a frame given the focus is announced by a screen reader
    QObject watch;
    QObject::connect(qApp, &QApplication::focusChanged, &watch, [&](QWidget*, QWidget* now) {
        framesFocused += qobject_cast<QMdiSubWindow*>(now) != nullptr;
    });
    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_F6}) {
        for (int i = 0; i < 8; ++i) {
            reached.push_back(press(key, Qt::ControlModifier));
            for (QWidget* first = QApplication::focusWidget();;) {
                QWidget* control = QApplication::focusWidget();
                const auto* option = qobject_cast<QRadioButton*>(control);
                EXPECT_TRUE(!option || tabEntersAt(*option)) << control->objectName().toStdString();
                const QImage focused = control->grab().toImage();
                framesFocused = 0;
                const bool stayed = press(Qt::Key_Tab, {}) == reached.back();
                EXPECT_TRUE(stayed && framesFocused == 0) << control->objectName().toStdString();
                if (!stayed || QApplication::focusWidget() == control) break;  // or its only one
                EXPECT_GE(pixelsChanged(focused, control->grab().toImage()),
                          (control->width() + control->height()) / 2)
                    << control->objectName().toStdString();
                if (QApplication::focusWidget() == first) break;
            }
        }
        using enum scopesim::MainField;
        scopesim::MainBlock& block = rig.sim.instrument().mainBlock();
        for (auto field : {Ch1Coupling, Ch2Coupling, Ch1ProbeBit, Ch2ProbeBit, TrigCoupling})
            block.set(field, block.get(field) ^ 1);
        named(rig.window, "readButton").trigger();
    }
    EXPECT_EQ(std::set(reached.begin(), reached.begin() + 8).size(), 8u);
    EXPECT_TRUE(std::equal(reached.begin(), reached.begin() + 8, reached.begin() + 8));
    const auto screen = std::find(reached.begin(), reached.begin() + 8, &rig.screenFrame());
    EXPECT_EQ(screen[1]->widget()->objectName(), QStringLiteral("channelsPanel"));
    // Back, by Ctrl+Shift+Tab (Backtab with Shift) and Ctrl+Shift+F6.
    const Qt::KeyboardModifiers back = Qt::ControlModifier | Qt::ShiftModifier;
    EXPECT_EQ(press(Qt::Key_Backtab, back), reached[14]);
    EXPECT_EQ(press(Qt::Key_F6, back), reached[13]);
    // F6 goes to the toolbar and back.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    EXPECT_TRUE(toolbar.isAncestorOf(QApplication::focusWidget()));
    EXPECT_EQ(press(Qt::Key_F6, Qt::ShiftModifier), reached[13]);
}

// Keys act where the user looks: in the screen window after the first start's message, again on
// a button Space started (never on Autoset), in the next window of the walk after a close.
TEST(Program, TheFocusStaysOnAPressedButtonAndGoesToAShowingWindowWhenItsWindowCloses)
{
    StartedProgram rig;
    auto& toolbar = named<QToolBar>(rig.window, "toolbar");
    const auto focus = [] { return QApplication::focusWidget(); };
    // Keys as the window system sends them, to the active window (none to a window a dialog
    // blocks).
    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QGuiApplication::focusWindow(), key, modifiers);
        QApplication::processEvents();
    };
    ASSERT_TRUE(focus() && rig.screenFrame().isAncestorOf(focus()));
    press(Qt::Key_F6);
    EXPECT_TRUE(toolbar.isAncestorOf(focus()));
    for (const char* name : {"readButton", "setButton", "setReadButton", "autoBox"}) {
        auto* box = rig.window.findChild<QAbstractButton*>(QString::fromUtf8(name));
        QWidget* button = box ? box : toolbar.widgetForAction(&named(rig.window, name));
        focusOn(rig, button);
        for (int again = 0; again < 2; ++again) {
            const std::size_t sent = rig.sim.commandTexts().size();
            press(Qt::Key_Space);
            EXPECT_EQ(focus(), button) << name << again;
            EXPECT_TRUE(box ? box->isChecked() == !again : rig.sim.commandTexts().size() > sent);
        }
    }
    EXPECT_EQ(count(rig.sim.commandTexts(), "AUTOSET"), 0);
    // A Read that fails shows its box; once it is answered, the keys act on Read again.
    QWidget* read = toolbar.widgetForAction(&named(rig.window, "readButton"));
    focusOn(rig, read);
    rig.sim.injectFault(*scopesim::Fault::parse("silence@ddf?"));
    press(Qt::Key_Space);
    EXPECT_TRUE(focus() == read && QApplication::activeWindow() == &rig.window);

    // Space twice on a measured value: the Cursor window opens without the keys, Ref stays.
    rig.host.closeWindow(ToolWindow::CursorWindow);
    rig.host.openWindow(ToolWindow::MeasurementWindow);
    QWidget* vpp = rig.window.findChild<QWidget*>(QStringLiteral("ch1Row3"));  // CH I Vpp
    const auto* ref = rig.window.findChild<QAbstractButton*>(QStringLiteral("refBox"));
    const bool referenced = ref->isChecked();
    focusOn(rig, vpp);
    for (int again = 0; again < 2; ++again) press(Qt::Key_Space);
    EXPECT_TRUE(focus() == vpp && rig.host.isWindowOpen(ToolWindow::CursorWindow) &&
                ref->isChecked() == referenced);

    // Config by Space opens the port set-up on its checked port, Tab stops at checked options on
    // the way to Autosearch, its box closed by Return gives the keys back, Escape closes it.
    QWidget* config = toolbar.widgetForAction(&named(rig.window, "configButton"));
    focusOn(rig, config);
    press(Qt::Key_Space);
    const QWidget& portSetup = rig.window.windows().find(ToolWindow::PortSetup)->widget();
    EXPECT_TRUE(qobject_cast<QRadioButton*>(focus()) && portSetup.isAncestorOf(focus()));
    for (int tab = 0; tab < 13 && focus()->objectName() != QStringLiteral("autosearchButton");
         ++tab) {
        EXPECT_TRUE(focus()->property("checked").toBool() || !qobject_cast<QRadioButton*>(focus()));
        press(Qt::Key_Tab);
    }
    rig.answerer.key = Qt::Key_Return;
    press(Qt::Key_Space);
    rig.answerer.key = Qt::Key_unknown;
    EXPECT_EQ(rig.answerer.owners.back(), &portSetup);  // kept above it without a window manager
    press(Qt::Key_Escape);
    EXPECT_TRUE(!portSetup.isVisible() && focus() == config);

    const auto frame = [&](ToolWindow w) { return rig.window.windows().find(w)->areaFrame(); };
    named(rig.window, "autostoreItem").trigger();  // opens on its checked mode
    auto* mode = qobject_cast<QRadioButton*>(focus());
    EXPECT_TRUE(mode && mode->isChecked() &&
                frame(ToolWindow::AutostoreWindow)->isAncestorOf(mode));
    named(rig.window, "notesButton").trigger();
    QWidget* details = rig.window.findChild<QWidget*>(QStringLiteral("userDetailsButton"));
    focusOn(rig, details);
    press(Qt::Key_Space);  // the user details, closed by Escape, give the keys back
    press(Qt::Key_Escape);
    EXPECT_EQ(focus(), details);
    named(rig.window, "wmfExportButton").trigger();
    // Closed by Ctrl+W, by its View item, by Ctrl+F4, by its Exit button, or by Escape.
    const std::tuple<ToolWindow, ToolWindow, const char*> closings[] = {
        {ToolWindow::ChannelPanel, ToolWindow::TimebasePanel, nullptr},
        {ToolWindow::TimebasePanel, ToolWindow::TriggerPanel, "timebaseItem"},
        {ToolWindow::TriggerPanel, ToolWindow::CursorWindow, "Ctrl+F4"},
        {ToolWindow::NotesWindow, ToolWindow::ScreenWindow, nullptr},
        {ToolWindow::AutostoreWindow, ToolWindow::ScreenWindow, nullptr},
        {ToolWindow::ExportSettings, ToolWindow::ScreenWindow, "Escape"}};
    for (const auto& [closed, next, item] : closings) {
        QWidget* exit = frame(closed)->findChild<QWidget*>(QStringLiteral("exitButton"));
        focusOn(rig, exit ? exit : frame(closed)->nextInFocusChain());
        if (item && std::string_view(item) == "Ctrl+F4")
            press(Qt::Key_F4, Qt::ControlModifier);
        else if (item && std::string_view(item) == "Escape")
            press(Qt::Key_Escape);
        else if (item)
            named(rig.window, item).trigger();
        else
            press(exit ? Qt::Key_Space : Qt::Key_W, exit ? Qt::NoModifier : Qt::ControlModifier);
        EXPECT_TRUE(!frame(closed)->isVisible() && focus() && focus()->isVisible() &&
                    rig.window.mdiArea().activeSubWindow() == frame(next) &&
                    frame(next)->isAncestorOf(focus()))
            << toolWindowName(closed);
    }
    QWidget* before = focus();  // a window of its own gives it back
    named(rig.window, "aboutItem").trigger();
    QApplication::processEvents();
    press(Qt::Key_Escape);
    EXPECT_EQ(focus(), before);
}

// In the rig of the walk above: an arrow on a list steps from the value it shows, Alt+Down
// opens it there and Set sends that step; Ctrl+F4 closes the active tool window from anywhere,
// never the screen; Ctrl+PgDn switches a window's tabs; F10 opens the first menu.
TEST(Program, ListsStepFromTheirValueCtrlF4ClosesCtrlPgDnSwitchesTabsAndF10OpensData)
{
    ProgramRig rig;
    rig.startUp();
    named(rig.window, "readButton").trigger();
    rig.state.ddf.tbAVariable = 300;  // time base A off its calibrated step
    rig.host.refreshWindow(ToolWindow::TimebasePanel);
    const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* popup = QApplication::activePopupWidget();
        QTest::keyClick(popup ? popup : QApplication::focusWidget(), key, modifiers);
    };
    const int volts = rig.state.ddf.ch1VoltsIndex, time = rig.state.ddf.tbAIndex;
    focusOn(rig, rig.window.findChild<QWidget*>(QStringLiteral("ch1VoltsList")));
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}) press(key);
    auto* timeList = rig.window.findChild<QComboBox*>(QStringLiteral("timebaseAList"));
    focusOn(rig, timeList);
    press(Qt::Key_Up);
    press(Qt::Key_Down, Qt::AltModifier);
    const QModelIndex opened = timeList->view()->currentIndex();
    EXPECT_TRUE(opened.isValid() && opened.row() == timeList->currentIndex());
    EXPECT_EQ(accessibleName(QApplication::activePopupWidget()), timeList->accessibleName());
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(timeList)->state().expanded);
    press(Qt::Key_Escape);
    named(rig.window, "setButton").trigger();
    const scopesim::MainBlock& sent = rig.sim.instrument().mainBlock();
    EXPECT_EQ(sent.get(scopesim::MainField::Ch1VoltsIndex), volts + 1);
    EXPECT_EQ(sent.get(scopesim::MainField::TbAIndex), time - 1);
    // A list that is off takes no entry picked through the accessibility interface either.
    rig.state.ddf.timebaseMode = 0;  // time base B off
    rig.host.refreshWindow(ToolWindow::TimebasePanel);
    auto* off = rig.window.findChild<QComboBox*>(QStringLiteral("timebaseBList"));
    const int offStep = rig.state.ddf.tbBIndex;
    ASSERT_FALSE(off->isEnabled());
    QAccessible::queryAccessibleInterface(off)->child(0)->child(0)->actionInterface()->doAction(
        QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(rig.state.ddf.tbBIndex, offStep);

    focusOn(rig, timeList);
    press(Qt::Key_F6);  // to the toolbar
    press(Qt::Key_F4, Qt::ControlModifier);
    EXPECT_FALSE(rig.host.isWindowOpen(ToolWindow::TimebasePanel));
    rig.window.mdiArea().setActiveSubWindow(&rig.screenFrame());
    QTest::keyClick(&rig.screenFrame(), Qt::Key_F4, Qt::ControlModifier);
    EXPECT_TRUE(rig.host.isWindowOpen(ToolWindow::ScreenWindow));

    named(rig.window, "harmonicsItem").trigger();
    auto& harmonics = *rig.window.windows().window<HarmonicsWindow>(ToolWindow::HarmonicsWindow);
    focusOn(rig, harmonics.table());
    press(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(harmonics.tabs()->currentIndex(), 1);
    press(Qt::Key_F10);
    EXPECT_EQ(QApplication::activePopupWidget(), &named<QMenu>(rig.window, "dataMenu"));
}

}  // namespace
}  // namespace ql::gui
