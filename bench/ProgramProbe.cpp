// The program in the start-up benchmark, started as main.cpp starts it:
//  - "prepare": answers the first start's message and ends through "Exit" at the first tick,
//    which writes the parameter file, so that the measured starts are ordinary ones;
//  - "first-window": ends once its first window has been drawn;
//  - "idle": opens every window after start-up and runs on (Auto off, nothing connected);
//  - "idle-after-read": the same after a Read (the port stays open), then writes "read".

#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <string>

#include "FirstWindow.h"
#include "gui/Program.h"
#include "gui/ProgramMain.h"

int main(int argc, char* argv[])
{
    const std::string mode = argc > 1 ? argv[1] : "first-window";
    return ql::gui::runProgram(argc, argv, [&mode](ql::gui::Program& program) {
        if (mode == "prepare") {
            auto* answer = new QTimer(&program.window());
            QObject::connect(answer, &QTimer::timeout, [] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                    box->accept();
            });
            answer->start(10);
            // The one-second timer starts once start-up is over.
            QObject::connect(&program.window().mainTimer(), &QTimer::timeout,
                             [&program] { program.controller().exitProgram(); });
            return;
        }
        const bool idle = mode == "idle" || mode == "idle-after-read";
        new ql::bench::FirstWindowNotice(!idle);
        const auto openEveryWindow = [&program] {
            for (int w = 0; w < ql::kToolWindowCount; ++w)
                program.host().openWindow(static_cast<ql::ToolWindow>(w));
        };
        if (mode == "idle") QTimer::singleShot(0, &program.window(), openEveryWindow);
        // The Read waits for the port the parameter file names: until the first tick, which
        // comes once start-up is over.
        if (mode == "idle-after-read")
            QObject::connect(
                &program.window().mainTimer(), &QTimer::timeout, &program.window(),
                [&program, openEveryWindow] {
                    program.operations().read();
                    static const char line[] = "read\n";
                    (void)!::write(STDOUT_FILENO, line, sizeof line - 1);
                    openEveryWindow();
                },
                Qt::SingleShotConnection);
    });
}
