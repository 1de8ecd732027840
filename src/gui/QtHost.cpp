#include "QtHost.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QSignalBlocker>

#include "MainWindow.h"
#include "ScreenWindow.h"
#include "WindowPlacing.h"
#include "display/ScreenDrawing.h"

namespace ql::gui {

namespace {

// The core writes line breaks as CR LF (and sometimes a lone CR).
QString shownText(std::string_view text)
{
    QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
        case MessageIcon::None: return QMessageBox::NoIcon;
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::Warning: return QMessageBox::Warning;
        case MessageIcon::Critical: return QMessageBox::Critical;
        case MessageIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

void setBoxQuietly(QCheckBox* box, bool checked)
{
    const QSignalBlocker blocker(box);
    box->setChecked(checked);
}

}  // namespace

QtHost::QtHost(MainWindow& window, ProgramState& state, DisplayViews& views)
    : window_(window), state_(state), views_(views)
{
}

void QtHost::showMessage(std::string_view text, std::string_view title, MessageIcon icon)
{
    QMessageBox box(boxIcon(icon), shownText(title), shownText(text), QMessageBox::Ok, &window_);
    box.setObjectName(QStringLiteral("messageBox"));
    box.exec();
}

bool QtHost::askYesNo(std::string_view text, std::string_view title)
{
    QMessageBox box(QMessageBox::Question, shownText(title), shownText(text),
                    QMessageBox::Yes | QMessageBox::No, &window_);
    box.setObjectName(QStringLiteral("questionBox"));
    return box.exec() == QMessageBox::Yes;
}

void QtHost::pumpEvents()
{
    QCoreApplication::processEvents();
}

void QtHost::setBusyPointer(bool busy)
{
    // Requests nest (an operation around a read-all); the pointer returns with the last one.
    if (busy) {
        if (busyDepth_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busyDepth_ > 0) {
        if (--busyDepth_ == 0) QApplication::restoreOverrideCursor();
    }
}

void QtHost::setCaption(std::string_view caption)
{
    window_.setWindowTitle(shownText(caption));
}

void QtHost::setClockText(std::string_view text)
{
    window_.controls().clockLabel->setText(shownText(text));
}

void QtHost::setRemoteBox(bool checked)
{
    setBoxQuietly(window_.controls().remoteBox, checked);
}

void QtHost::setAutoBox(bool checked)
{
    setBoxQuietly(window_.controls().autoBox, checked);
}

void QtHost::setActionEnabled(UiAction action, bool enabled)
{
    window_.setActionEnabled(action, enabled);
}

void QtHost::setActionChecked(UiAction action, bool checked)
{
    if (action == UiAction::RemoteBox) return setRemoteBox(checked);
    if (action == UiAction::AutoBox) return setAutoBox(checked);
    QAction* item = window_.action(action);
    if (!item) return;
    const QSignalBlocker blocker(item);
    item->setCheckable(true);
    item->setChecked(checked);
}

void QtHost::openWindow(ToolWindow window)
{
    switch (window) {
        case ToolWindow::ScreenWindow:
            window_.showScreenWindow();
            applyPlacement(window_.screenFrame(), state_.layout.screenWindow, true);
            break;
        case ToolWindow::PortSetup: window_.openPortSetup(); break;
        default: break;  // not built yet
    }
}

void QtHost::closeWindow(ToolWindow window)
{
    switch (window) {
        case ToolWindow::ScreenWindow: window_.screenFrame().hide(); break;
        case ToolWindow::PortSetup: window_.closePortSetup(); break;
        default: break;
    }
}

bool QtHost::isWindowOpen(ToolWindow window)
{
    switch (window) {
        case ToolWindow::ScreenWindow: return !window_.screenFrame().isHidden();
        case ToolWindow::PortSetup: return window_.isPortSetupOpen();
        default: return false;
    }
}

void QtHost::refreshWindow(ToolWindow window)
{
    if (window == ToolWindow::ScreenWindow) drawScreen(state_, views_);
}

void QtHost::setWindowState(ToolWindow window, int windowState)
{
    if (window != ToolWindow::ScreenWindow) return;
    QMdiSubWindow& frame = window_.screenFrame();
    if (windowState == 1)
        frame.showMinimized();
    else if (windowState == 2)
        frame.showMaximized();
    else
        frame.showNormal();
}

WindowPlacement QtHost::windowPlacement(ToolWindow window)
{
    if (window == ToolWindow::ScreenWindow) return gatherPlacement(window_.screenFrame());
    return WindowPlacement{};
}

void QtHost::printScreenCopy()
{
    // Printing comes with the hardcopy.
}

void QtHost::quit()
{
    window_.finish();
}

}  // namespace ql::gui
