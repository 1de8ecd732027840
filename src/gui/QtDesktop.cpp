#include "QtDesktop.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace ql::gui {

namespace {

constexpr const char* kOpenTitle = "Open";
constexpr const char* kMailTitle = "Send as e-mail";

}  // namespace

Status QtDesktop::openFile(const std::string& path)
{
    const QString file = QString::fromStdString(path);
    if (!QFileInfo(file).isFile())
        return Status::fail("The file " + path + " does not exist.", kOpenTitle);
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file)))
        return Status::fail("No program of this desktop opens " + path +
                                ". Install a viewer for this kind of file.",
                            kOpenTitle);
    return Status::success();
}

Status QtDesktop::openWebAddress(const std::string& address)
{
    // Blanks and other characters a URL cannot hold are percent-encoded, not split at.
    const QUrl url(QString::fromStdString(address));
    if (!url.isValid() || url.isRelative())
        return Status::fail(address + " is not a web address.", kOpenTitle);
    if (!QDesktopServices::openUrl(url))
        return Status::fail(
            "No web browser of this desktop opens " + address + ". Set a default web browser.",
            kOpenTitle);
    return Status::success();
}

Status QtDesktop::openMail(const std::string& mailtoAddress)
{
    // The address comes percent-encoded; tolerant parsing keeps it as it is.
    const QUrl url(QString::fromStdString(mailtoAddress), QUrl::TolerantMode);
    if (!url.isValid() || url.scheme() != QLatin1String("mailto"))
        return Status::fail("The support e-mail has no valid address.", kMailTitle);
    if (!QDesktopServices::openUrl(url))
        return Status::fail("No mail program of this desktop takes the e-mail to " +
                                url.path().toStdString() +
                                ". Set a default mail program, or send your question to that "
                                "address yourself.",
                            kMailTitle);
    return Status::success();
}

}  // namespace ql::gui
