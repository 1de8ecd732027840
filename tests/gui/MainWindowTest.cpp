#include <QApplication>
#include <gtest/gtest.h>

#include "gui/MainWindow.h"

namespace {

int argc = 1;
char appName[] = "gui_tests";
char* argv[] = {appName, nullptr};

TEST(MainWindow, StartsWithProgramTitle)
{
    QApplication app(argc, argv);
    ql::gui::MainWindow window;
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("QL240"));
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
