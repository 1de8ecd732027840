#include <gtest/gtest.h>
#include <QFileDialog>

#include "gui/QtFileDialogs.h"

using namespace ql;
using namespace ql::gui;

TEST(QtFileDialogs, FilterPairsBecomeQtNameFilters)
{
    EXPECT_EQ(QtFileDialogs::nameFilters("Measurement (*.mes) |*.mes|Settings (*.set) |*.set"),
              (QStringList{"Measurement (*.mes)", "Settings (*.set)"}));
    EXPECT_EQ(QtFileDialogs::nameFilters("Pictures|*.wmf;*.emf"),
              (QStringList{"Pictures (*.wmf *.emf)"}));
    EXPECT_TRUE(QtFileDialogs::nameFilters("").isEmpty());
}

TEST(QtFileDialogs, TheDialogIsSetUpAsRequested)
{
    QtFileDialogs dialogs(nullptr);
    FileDialogRequest open{"Load Data", "Settings (*.set) |*.set", "set", true, false, false};
    QFileDialog dialog;
    dialogs.configure(dialog, open, false);
    EXPECT_EQ(dialog.windowTitle(), "Load Data");
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(dialog.nameFilters(), QStringList{"Settings (*.set)"});
    EXPECT_EQ(dialog.defaultSuffix(), "set");

    FileDialogRequest save{"Save Data", "Table (*.tab) |*.tab", "mes", false, true, true};
    QFileDialog saveDialog;
    dialogs.configure(saveDialog, save, true);
    EXPECT_EQ(saveDialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(saveDialog.fileMode(), QFileDialog::AnyFile);
    EXPECT_FALSE(saveDialog.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(saveDialog.defaultSuffix(), "mes");
}
