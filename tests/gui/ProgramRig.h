#pragma once
// The program as main.cpp puts it together, on the simulated instrument and a fake clock,
// with every per-user file and printout under a fresh temporary folder and every message box
// answered.

#include <unistd.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/AppController.h"
#include "gui/MainWindow.h"
#include "gui/Program.h"
#include "gui/QtHost.h"
#include "gui/ScreenWindow.h"
#include "scopesim/ScopeSimulator.h"
#include "scopesim/SimulatedPort.h"

namespace ql::gui {

inline std::string freshFolder()
{
    static std::atomic<int> counter{0};
    const auto path = std::filesystem::temp_directory_path() /
                      ("ql240-gui-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path.string();
}

// The build tree's data folder (model table, help), per-user folders and the printout folder
// under `root`.
inline AppPaths pathsUnder(const std::string& root)
{
    const char* data = std::getenv("QL240_DATA_DIR");
    return AppPaths(data ? data : "data", root + "/config", root + "/userdata", root + "/files");
}

// Answers every message box that comes up and remembers what it said.
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer()
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts.push_back(box->text());
                titles.push_back(box->windowTitle());
                owners.push_back(box->parentWidget());
                if (key == Qt::Key_unknown)
                    box->accept();
                else
                    QTest::keyClick(box->windowHandle(), key);
            }
        });
        timer_.start();
    }
    QStringList texts, titles;
    QList<QWidget*> owners;         // the window each box belongs to
    Qt::Key key = Qt::Key_unknown;  // when set, pressed on the box instead

private:
    QTimer timer_;
};

// A toolbar button or menu item (or, as `named<QMenu>`, a menu) of the main window by its
// object name; a name the window does not have ends the test program.
template <class Found = QAction>
Found& named(const MainWindow& window, const char* objectName)
{
    auto* found = window.findChild<Found*>(QString::fromUtf8(objectName));
    if (!found) qFatal("The main window has no %s", objectName);
    return *found;
}

// The program as main.cpp puts it together, on the simulated instrument and the fake clock.
struct ProgramRig {
    explicit ProgramRig(scopesim::SimulatorConfig config = {})
        : root(freshFolder()),
          sim(clock, std::move(config)),
          port(sim, clock),
          program(port, clock, pathsUnder(root),
                  [this] {
                      // Printouts become files under `root`, also where a system printer is
                      // installed.
                      ++printersMade;
                      auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
                      printer->setOutputFormat(QPrinter::PdfFormat);
                      return printer;
                  }),
          paths(program.paths()),
          state(program.state()),
          views(program.views()),
          window(program.window()),
          host(program.host()),
          link(program.link()),
          app(program.controller())
    {
        window.show();
        QApplication::processEvents();
    }

    ~ProgramRig() { std::filesystem::remove_all(root); }

    void startUp()
    {
        app.startUp();
        QApplication::processEvents();
    }

    ScreenWindow& screenWindow() const
    {
        return *window.windows().window<ScreenWindow>(ToolWindow::ScreenWindow);
    }
    QMdiSubWindow& screenFrame() const
    {
        return *qobject_cast<QMdiSubWindow*>(screenWindow().parentWidget());
    }

    std::string root;
    FakeClock clock;
    scopesim::ScopeSimulator sim;
    scopesim::SimulatedPort port;
    int printersMade = 0;  // QPrinters the program made
    Program program;
    const AppPaths& paths;
    ProgramState& state;
    DisplayViews& views;
    MainWindow& window;
    QtHost& host;
    InstrumentLink& link;
    AppController& app;
    MessageBoxAnswerer answerer;
};

// The control's window made the active one and the control given the focus, as a user does
// before changing it.
inline void focusOn(ProgramRig& rig, QWidget* control)
{
    QApplication::setActiveWindow(control->window());
    for (QWidget* w = control; w; w = w->parentWidget())
        if (auto* frame = qobject_cast<QMdiSubWindow*>(w))
            rig.window.mdiArea().setActiveSubWindow(frame);
    control->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
}

}  // namespace ql::gui
