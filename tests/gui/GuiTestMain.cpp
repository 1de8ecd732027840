// One QApplication for every Qt test of the program (offscreen platform under ctest), with the
// style the program runs with.
#include <gtest/gtest.h>
#include <QApplication>

#include "gui/ProgramStyle.h"

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ql::gui::ProgramStyle::install();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
