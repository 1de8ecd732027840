// The menu items as a user meets them, offscreen: a View check that follows a panel closed by
// its close box, the printer set-up on the program's printer, and what the desktop receives
// for a document and a web address.

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QFile>
#include <QMdiSubWindow>
#include <QPrintDialog>
#include <QTemporaryDir>
#include <QUrl>
#include <filesystem>

#include "ProgramRig.h"
#include "gui/QtDesktop.h"

namespace ql::gui {

// Takes the file and web addresses the desktop would open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher()
    {
        for (const char* scheme : {"file", "https"})
            QDesktopServices::setUrlHandler(QString::fromUtf8(scheme), this, "take");
    }
    ~UrlCatcher() override
    {
        for (const char* scheme : {"file", "https"})
            QDesktopServices::unsetUrlHandler(QString::fromUtf8(scheme));
    }
    QList<QUrl> urls;

public slots:
    void take(const QUrl& url) { urls << url; }
};

namespace {

TEST(MenuItems, TheViewCheckFollowsAPanelClosedByItsCloseBox)
{
    ProgramRig rig;
    rig.startUp();
    QAction& item = named(rig.window, "channelItem");
    ASSERT_TRUE(item.isEnabled());
    ASSERT_TRUE(item.isChecked());
    auto* frame = qobject_cast<QMdiSubWindow*>(
        rig.window.windows().find(ToolWindow::ChannelPanel)->widget().parentWidget());
    ASSERT_NE(frame, nullptr);
    frame->close();  // what the close box does
    EXPECT_FALSE(rig.host.isWindowOpen(ToolWindow::ChannelPanel));
    EXPECT_FALSE(item.isChecked());
    item.trigger();
    EXPECT_TRUE(rig.host.isWindowOpen(ToolWindow::ChannelPanel));
    EXPECT_TRUE(item.isChecked());
    item.trigger();
    EXPECT_FALSE(rig.host.isWindowOpen(ToolWindow::ChannelPanel));
    EXPECT_FALSE(item.isChecked());
}

TEST(MenuItems, PrinterSetupEditsTheProgramsPrinterAndPrintsNothing)
{
    ProgramRig rig;
    rig.startUp();
    for (int choice = 0; choice < 2; ++choice) named(rig.window, "printerSetupItem").trigger();
    // One dialog, on the program's printer, while the program goes on.
    const auto dialogs = rig.window.findChildren<QPrintDialog*>();
    ASSERT_EQ(dialogs.size(), 1);
    EXPECT_TRUE(dialogs[0]->isVisible());
    EXPECT_EQ(dialogs[0]->printer(), &rig.program.printer().qprinter());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(rig.program.printer().printoutFolder()));
}

TEST(MenuItems, TheDesktopGetsADocumentWithBlanksAndSemicolonsAsOneFile)
{
    QTemporaryDir folder;
    const QString path = folder.path() + QStringLiteral("/help files; old/FFT manual;echo x.pdf");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    UrlCatcher catcher;
    QtDesktop desktop;
    EXPECT_TRUE(desktop.openFile(path.toStdString()).ok());
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_TRUE(catcher.urls[0].isLocalFile());
    EXPECT_EQ(catcher.urls[0].toLocalFile(), path);

    // A document that is not there is not handed over.
    EXPECT_FALSE(desktop.openFile(folder.path().toStdString() + "/missing.pdf").ok());
    EXPECT_EQ(catcher.urls.size(), 1);

    EXPECT_TRUE(desktop.openWebAddress("https://www.example.org/a b;c").ok());
    ASSERT_EQ(catcher.urls.size(), 2);
    EXPECT_EQ(catcher.urls[1].path(), QStringLiteral("/a b;c"));
}

TEST(MenuItems, TheHelpItemsOpenTheirDocumentsAndNameOneThatCannotBeOpened)
{
    ProgramRig rig;
    rig.startUp();
    rig.answerer.texts.clear();  // the first start's message
    const std::string help = helpFolder(rig.paths) + "/";
    {
        UrlCatcher catcher;
        for (const char* item :
             {"helpItem", "germanItem", "englishItem", "germanManualItem", "englishManualItem"})
            named(rig.window, item).trigger();
        QStringList opened;
        for (const QUrl& url : catcher.urls) opened << url.toLocalFile();
        const std::string family = rig.state.caps.unitDigimodea ? "DW720" : "DW3306";
        QStringList expected;
        for (const std::string& name : {family + "_D", family + "_D", family + "_E",
                                        std::string("FFT_QZV_D"), std::string("FFT_QZV_E")})
            expected << QString::fromStdString(help + name + ".html");
        EXPECT_EQ(opened, expected);
        EXPECT_TRUE(rig.answerer.texts.isEmpty());
    }
    // No viewer on this desktop: one message, naming the file.
    named(rig.window, "englishManualItem").trigger();
    ASSERT_EQ(rig.answerer.texts.size(), 1);
    EXPECT_TRUE(rig.answerer.texts[0].contains(QString::fromStdString(help + "FFT_QZV_E.html")));
}

}  // namespace
}  // namespace ql::gui

#include "MenuItemsTest.moc"
