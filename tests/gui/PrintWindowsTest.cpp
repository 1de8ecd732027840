// The print settings, preview and export windows as a user meets them, offscreen: "&Print"
// opens settings and preview side by side, every box (mouse or keyboard) and every screen
// redraw shows in the preview, closing either window closes both, a printout without a printer
// becomes one PDF page and says where; the instrument's copy key prints one page unattended;
// "WMF-Export" copies a bitmap of the metafile picture.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ProgramRig.h"
#include "gui/ExportSettingsWindow.h"
#include "gui/PrintPreviewWindow.h"
#include "gui/PrintSettingsWindow.h"

namespace ql::gui {
namespace {

namespace fs = std::filesystem;

struct PrintRig : ProgramRig {
    PrintRig() { startUp(); }

    PrintSettingsWindow& settings() const
    {
        return *window.windows().window<PrintSettingsWindow>(ToolWindow::PrinterSettings);
    }
    PrintPreviewWindow& preview() const
    {
        return *window.windows().window<PrintPreviewWindow>(ToolWindow::PrintPreview);
    }
    bool open(ToolWindow w) { return host.isWindowOpen(w); }
    void openFromMenu()
    {
        named(window, "printItem").trigger();
        QApplication::processEvents();
    }
    // The printouts made, each a PDF file.
    std::vector<fs::path> printouts() const
    {
        std::vector<fs::path> files;
        if (fs::is_directory(paths.userFilesDir()))
            for (const auto& entry : fs::directory_iterator(paths.userFilesDir()))
                files.push_back(entry.path());
        return files;
    }
};

int pageCount(const fs::path& pdf)
{
    std::ifstream in(pdf, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string text = bytes.str();
    int pages = 0;
    for (std::size_t at = text.find("/Type /Page"); at != std::string::npos;
         at = text.find("/Type /Page", at + 1))
        pages += text.compare(at, 12, "/Type /Pages") != 0;
    return pages;
}

void pressSpace(QWidget* w)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

TEST(PrintWindows, ClosingEitherWindowClosesBoth)
{
    PrintRig rig;
    EXPECT_TRUE(named(rig.window, "printItem").isEnabled());
    const auto closes = std::vector<std::function<void(PrintRig&)>>{
        [](PrintRig& r) { r.settings().cancelButton()->click(); },
        [](PrintRig& r) { r.preview().parentWidget()->close(); },  // the preview's close box
        [](PrintRig& r) { r.settings().parentWidget()->close(); },
        [](PrintRig& r) { r.host.closeWindow(ToolWindow::PrintPreview); },
    };
    for (std::size_t i = 0; i < closes.size(); ++i) {
        SCOPED_TRACE(i);
        rig.openFromMenu();
        ASSERT_TRUE(rig.open(ToolWindow::PrinterSettings));
        ASSERT_TRUE(rig.open(ToolWindow::PrintPreview));
        EXPECT_EQ(rig.state.print.printPreviewOpen, 1);
        closes[i](rig);
        QApplication::processEvents();
        EXPECT_FALSE(rig.open(ToolWindow::PrinterSettings));
        EXPECT_FALSE(rig.open(ToolWindow::PrintPreview));
        EXPECT_EQ(rig.state.print.printPreviewOpen, 0);
    }
}

TEST(PrintWindows, TheKeyboardAndEveryRedrawShowInThePreview)
{
    PrintRig rig;
    rig.openFromMenu();
    ASSERT_FALSE(rig.preview().picture().isNull());
    const QImage before = rig.preview().picture();
    QCheckBox* color = rig.settings().optionBox(PrintOption::Color);
    ASSERT_FALSE(color->isChecked());
    color->setFocus();
    pressSpace(color);
    EXPECT_TRUE(color->isChecked());
    EXPECT_EQ(rig.state.print.printColor, 1);
    EXPECT_NE(rig.preview().picture(), before);

    // "XY" by keyboard: the trace boxes go off at once.
    pressSpace(rig.settings().optionBox(PrintOption::XY));
    EXPECT_EQ(rig.state.print.printXY, 1);
    EXPECT_FALSE(rig.settings().optionBox(PrintOption::ChI)->isEnabled());

    // The headline follows the typing, Backspace included.
    QLineEdit* headline = rig.settings().headlineBox();
    headline->selectAll();
    headline->insert(QStringLiteral("Pump 3"));
    headline->backspace();
    EXPECT_EQ(rig.state.print.printHeadline.trimmed(), "Pump");

    // A read redraws the screen, and the preview with it; the settings follow the cursor
    // window, opened meanwhile.
    pressSpace(rig.settings().optionBox(PrintOption::XY));
    rig.host.closeWindow(ToolWindow::CursorWindow);
    rig.host.refreshWindow(ToolWindow::ScreenWindow);
    EXPECT_FALSE(rig.settings().optionBox(PrintOption::Cursor)->isEnabled());
    const QImage empty = rig.preview().picture();
    rig.state.cursor.cursorsOn = 1;
    named(rig.window, "readButton").trigger();
    QApplication::processEvents();
    EXPECT_NE(rig.preview().picture(), empty);
    EXPECT_TRUE(rig.settings().optionBox(PrintOption::Cursor)->isEnabled());
}

TEST(PrintWindows, AMaximisedPreviewKeepsThePagesProportions)
{
    PrintRig rig;
    rig.openFromMenu();
    auto* frame = qobject_cast<QMdiSubWindow*>(rig.preview().parentWidget());
    ASSERT_TRUE(frame);
    frame->showMaximized();
    QApplication::processEvents();
    const QImage& page = rig.preview().picture();
    ASSERT_FALSE(page.isNull());
    ASSERT_GT(rig.preview().width(), rig.preview().height());
    EXPECT_NEAR(page.width() * 297.0, page.height() * 210.0, 297.0);
    EXPECT_LE(page.width(), rig.preview().width());
}

TEST(PrintWindows, APrintoutWithoutAPrinterIsOnePdfPageAndSaysWhere)
{
    PrintRig rig;
    ASSERT_TRUE(rig.program.printer().printsToFiles());
    rig.openFromMenu();
    rig.settings().printButton()->click();
    QApplication::processEvents();
    EXPECT_FALSE(rig.open(ToolWindow::PrinterSettings));
    EXPECT_FALSE(rig.open(ToolWindow::PrintPreview));
    const auto files = rig.printouts();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].filename().string().rfind("screen-2026", 0), 0u);
    EXPECT_EQ(pageCount(files[0]), 1);
    ASSERT_FALSE(rig.answerer.texts.isEmpty());
    EXPECT_TRUE(rig.answerer.texts.back().contains(QString::fromStdString(files[0].string())));
}

TEST(PrintWindows, TheInstrumentsCopyKeyPrintsOnePageWithTheWindowsClosedAfter)
{
    PrintRig rig;
    ASSERT_TRUE(rig.link.connectInstrument());
    const qsizetype messages = rig.answerer.texts.size();
    rig.sim.pressCopyKey();
    rig.clock.advance(50);
    rig.app.timerTick();
    QApplication::processEvents();
    const auto files = rig.printouts();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(pageCount(files[0]), 1);
    EXPECT_FALSE(rig.open(ToolWindow::PrinterSettings));
    EXPECT_FALSE(rig.open(ToolWindow::PrintPreview));
    EXPECT_EQ(rig.state.print.printPreviewOpen, 0);
    EXPECT_EQ(rig.sim.commandTexts().back(), "rm0");
    EXPECT_EQ(rig.answerer.texts.size(), messages);  // unattended: nothing to answer
}

TEST(ExportWindow, WmfExportCopiesABitmapOfTheMetafilePicture)
{
    PrintRig rig;
    QAction* button = &named(rig.window, "wmfExportButton");
    ASSERT_TRUE(button->isEnabled());
    button->trigger();
    QApplication::processEvents();
    ASSERT_TRUE(rig.open(ToolWindow::ExportSettings));
    auto* exporter = rig.window.windows().window<ExportSettingsWindow>(ToolWindow::ExportSettings);
    exporter->copyButton()->click();
    const QImage copied = QApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), QSize(1045, 822));
    EXPECT_EQ(rig.state.print.printNotes, 0);
    exporter->cancelButton()->click();
    EXPECT_FALSE(rig.open(ToolWindow::ExportSettings));
}

}  // namespace
}  // namespace ql::gui
