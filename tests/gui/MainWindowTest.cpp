#include <QApplication>
#include <gtest/gtest.h>

#include "gui/MainWindow.h"

TEST(MainWindow, StartsWithProgramTitle)
{
    ql::gui::MainWindow window;
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("QL240"));
    EXPECT_TRUE(window.isVisible());
}
