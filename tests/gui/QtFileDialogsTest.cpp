// The program's file dialogs on Qt: filters as Qt takes them, each dialog set up as asked,
// starting where the last choice leads, and listing only the files of the chosen entry.

#include <gtest/gtest.h>
#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "ProgramRig.h"
#include "files/DataFileDialogs.h"
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

namespace {

namespace fs = std::filesystem;

// The next dialog shown is answered as a user does: the name chosen, then accepted.
void chooseInNextDialog(const std::string& path)
{
    QTimer::singleShot(0, [path] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            dialog->selectFile(QString::fromStdString(path));
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
}

// The names a dialog lists in its folder once it has read the folder, sorted.
std::string listedNames(QFileDialog& dialog)
{
    QStringList names;
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (!model) return "(no list)";
    const QModelIndex folder = model->index(dialog.directory().absolutePath());
    for (int wait = 0; wait < 100; ++wait) {
        QTest::qWait(20);
        if (model->canFetchMore(folder)) model->fetchMore(folder);
        names.clear();
        for (int row = 0; row < model->rowCount(folder); ++row)
            names << model->index(row, 0, folder).data().toString();
        if (wait > 10 && !names.isEmpty()) break;
    }
    names.sort();
    return names.join(QLatin1Char(' ')).toStdString();
}

TEST(QtFileDialogs, EachDialogStartsWhereTheLastChoiceLeadsAndListsOnlyItsKind)
{
    const std::string root = freshFolder();
    const std::string work = root + "/work";
    fs::create_directories(work);
    for (const char* name : {"run.mes", "a.set", "shot.wmf"}) std::ofstream(work + "/" + name);
    ProgramState state;
    QtFileDialogs dialogs(nullptr);
    dialogs.setFilesFolder(root + "/documents/ql240");

    // Before any choice: the user's files folder, made for the dialog.
    QFileDialog first;
    dialogs.configure(first, loadDialogRequest(state), false);
    EXPECT_EQ(first.directory().absolutePath().toStdString(), root + "/documents/ql240");
    EXPECT_TRUE(fs::is_directory(root + "/documents/ql240"));

    // A picture was saved last: Load starts in its folder, offers no name and lists the
    // measurements only.
    const FileDialogRequest picture{"Save WMF", "WMF (*.wmf) |*.wmf", "wmf"};
    chooseInNextDialog(work + "/shot.wmf");
    ASSERT_EQ(dialogs.chooseFileToSave(picture), work + "/shot.wmf");
    QFileDialog load;
    dialogs.configure(load, loadDialogRequest(state), false);
    EXPECT_EQ(load.directory().absolutePath().toStdString(), work);
    EXPECT_FALSE(load.selectedFiles().join(' ').contains(QStringLiteral("shot.wmf")));
    EXPECT_EQ(load.selectedNameFilter(), QStringLiteral("Measurement (*.mes)"));
    EXPECT_EQ(listedNames(load), "run.mes");

    // A settings file chosen last is offered again, under its own entry.
    chooseInNextDialog(work + "/a.set");
    ASSERT_EQ(dialogs.chooseFileToOpen(loadDialogRequest(state)), work + "/a.set");
    QFileDialog again;
    dialogs.configure(again, loadDialogRequest(state), false);
    EXPECT_EQ(again.selectedNameFilter(), QStringLiteral("Settings (*.set)"));
    EXPECT_EQ(again.selectedFiles(), QStringList{QString::fromStdString(work + "/a.set")});
    EXPECT_EQ(listedNames(again), "a.set");
    fs::remove_all(root);
}

}  // namespace
