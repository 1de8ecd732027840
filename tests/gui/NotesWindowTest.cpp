// The notes window as a user meets it: "Notes" on the toolbar opens it with the stored notes;
// the text box takes a paste only up to the notes' length, refuses a key at the limit and
// always lets Backspace through; "Print/Fax" puts the support page into a PDF file where
// there is no printer and empties the notes.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "ProgramRig.h"
#include "gui/NotesTextBox.h"
#include "gui/NotesWindow.h"

namespace ql::gui {
namespace {

TEST(NotesWindowGui, OpensFromTheToolbarWithTheStoredNotesAndKeepsTheirLength)
{
    ProgramRig rig;
    rig.startUp();
    rig.state.notesText.assign("Stored question\r\nsecond line");
    ASSERT_TRUE(named(rig.window, "notesButton").isEnabled());
    named(rig.window, "notesButton").trigger();
    QApplication::processEvents();
    ASSERT_TRUE(rig.host.isWindowOpen(ToolWindow::NotesWindow));
    auto& w = *rig.window.windows().window<NotesWindow>(ToolWindow::NotesWindow);
    NotesTextBox& box = *w.textBox();
    const QString stored = QStringLiteral("Stored question\nsecond line");
    EXPECT_EQ(box.toPlainText(), stored);
    EXPECT_TRUE(w.printFaxButton()->isEnabled());

    // A paste of 900 characters over everything keeps 800; at the limit a key does nothing,
    // Backspace works and a key fits again.
    QApplication::clipboard()->setText(QString(900, QLatin1Char('p')));
    box.selectAll();
    box.paste();
    EXPECT_EQ(box.toPlainText(), QString(800, QLatin1Char('p')));
    box.moveCursor(QTextCursor::End);
    QTest::keyClick(&box, Qt::Key_Y);
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(box.toPlainText(), QString(800, QLatin1Char('p')));
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClick(&box, Qt::Key_Y);
    EXPECT_EQ(box.toPlainText(), QString(799, QLatin1Char('p')) + QLatin1Char('y'));

    box.setPlainText(QStringLiteral("Why does the trace jump?"));
    w.okButton()->click();
    QApplication::processEvents();
    EXPECT_FALSE(rig.host.isWindowOpen(ToolWindow::NotesWindow));
    EXPECT_EQ(rig.state.notesText.trimmed(), "Why does the trace jump?");

    // Print/Fax: the page becomes a file, the user is told where, the notes are emptied.
    named(rig.window, "notesButton").trigger();
    QApplication::processEvents();
    w.printFaxButton()->click();
    QApplication::processEvents();
    EXPECT_FALSE(rig.host.isWindowOpen(ToolWindow::NotesWindow));
    EXPECT_EQ(rig.state.notesText.trimmed(), "");
    const std::string file = rig.program.printer().documentFile();
    EXPECT_TRUE(std::filesystem::is_regular_file(file)) << file;
    EXPECT_NE(file.find("support-"), std::string::npos);
    ASSERT_EQ(rig.answerer.texts.size(), 2);  // the first start, then the printout
    EXPECT_TRUE(rig.answerer.texts[1].contains(QString::fromStdString(file)));
}

TEST(NotesWindowGui, ShowsTheNotesWithoutTheirPaddingAndKeepsTypingBehindThem)
{
    ProgramRig rig;
    rig.startUp();
    rig.state.notesText.assign("Stored question");
    named(rig.window, "notesButton").trigger();
    QApplication::processEvents();
    auto& w = *rig.window.windows().window<NotesWindow>(ToolWindow::NotesWindow);
    NotesTextBox& box = *w.textBox();
    EXPECT_EQ(box.toPlainText(), QStringLiteral("Stored question"));

    // A click in the empty area below the text puts the caret behind it; what is typed there
    // is kept, and "&OK" stores it padded as before.
    const QRect area = box.viewport()->rect();
    QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, area.bottomRight() - QPoint(4, 4));
    QTest::keyClicks(&box, QStringLiteral(" Why?"));
    EXPECT_EQ(box.toPlainText(), QStringLiteral("Stored question Why?"));
    EXPECT_TRUE(w.printFaxButton()->isEnabled());
    w.okButton()->click();
    QApplication::processEvents();
    const std::string kept = "Stored question Why?";
    EXPECT_EQ(rig.state.notesText.bytes(), kept + std::string(800 - kept.size(), ' '));
}

}  // namespace
}  // namespace ql::gui
