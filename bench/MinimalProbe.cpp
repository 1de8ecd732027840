// The yardstick of the start-up benchmark: a minimal Qt Widgets program, a main window of the
// available screen area with a toolbar whose fixed-size clock label ticks once a second.
// "first-window" ends it once its window has been drawn; "idle" lets it run.

#include <QApplication>
#include <QMainWindow>
#include <QScreen>
#include <QToolBar>
#include <cstring>
#include <memory>

#include "FirstWindow.h"

int main(int argc, char* argv[])
{
    const bool idle = argc > 1 && std::strcmp(argv[1], "idle") == 0;
    QApplication app(argc, argv);
    const ql::bench::FirstWindowNotice notice(!idle);
    QMainWindow window;
    QToolBar* bar = window.addToolBar(QStringLiteral("Toolbar"));
    bar->addWidget(ql::bench::tickingClockLabel(bar, 500));
    // As large as the program's main window, which takes the available screen area.
    window.resize(window.screen()->availableGeometry().size());
    window.show();
    return QApplication::exec();
}
