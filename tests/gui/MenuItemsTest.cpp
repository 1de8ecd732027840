// What the desktop receives for a document and a web address, offscreen.

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

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

}  // namespace
}  // namespace ql::gui

#include "MenuItemsTest.moc"
