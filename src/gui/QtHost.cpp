#include "QtHost.h"

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPointer>
#include <QSignalBlocker>
#include <vector>

#include "MainWindow.h"

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

// A press made through the accessibility interface shows its button pressed at once and
// clicks it a tenth of a second later, on the button's own timer (which waits with the other
// timers). That click has reached the program: it is taken now. A button held down by the
// mouse or the keyboard is clicked on release and has no timer running.
void clickPressedButtons(QWidget& window)
{
    const bool mouseHeld = QGuiApplication::mouseButtons() != Qt::NoButton;
    QAbstractEventDispatcher* timers = QAbstractEventDispatcher::instance();
    // A click may close windows and delete their buttons: each is looked at while it lives.
    std::vector<QPointer<QAbstractButton>> buttons;
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
        buttons.emplace_back(button);
    for (const QPointer<QAbstractButton>& button : buttons) {
        if (!button || !button->isDown() || button->autoRepeat() ||
            (mouseHeld && button->underMouse()))
            continue;
        for (const QAbstractEventDispatcher::TimerInfo& timer : timers->registeredTimers(button)) {
            QTimerEvent due(timer.timerId);
            QCoreApplication::sendEvent(button, &due);
            if (!button) break;
        }
    }
}

void setBoxQuietly(QCheckBox* box, bool checked)
{
    const QSignalBlocker blocker(box);
    box->setChecked(checked);
}

}  // namespace

QtHost::QtHost(MainWindow& window) : window_(window) {}

ToolWindowEntry* QtHost::entry(ToolWindow window) const
{
    return window_.windows().find(window);
}

void QtHost::showMessage(std::string_view text, std::string_view title, MessageIcon icon)
{
    ModalBoxes& boxes = window_.modalBoxes();
    if (boxes.ending()) return ModalBoxes::writeUnseen(shownText(title), shownText(text));
    QMessageBox box(boxIcon(icon), shownText(title), shownText(text), QMessageBox::Ok,
                    &boxOwner(window_));
    box.setObjectName(QStringLiteral("messageBox"));
    boxes.run(box);
}

bool QtHost::askYesNo(std::string_view text, std::string_view title)
{
    // Closed by the program's end, or asked after it, the answer is No, as Escape gives.
    ModalBoxes& boxes = window_.modalBoxes();
    if (boxes.ending()) {
        ModalBoxes::writeUnseen(shownText(title), shownText(text) + QStringLiteral(" - No"));
        return false;
    }
    QMessageBox box(QMessageBox::Question, shownText(title), shownText(text),
                    QMessageBox::Yes | QMessageBox::No, &boxOwner(window_));
    box.setObjectName(QStringLiteral("questionBox"));
    return boxes.run(box) == QMessageBox::Yes;
}

void QtHost::pumpEvents()
{
    QCoreApplication::processEvents();
}

void QtHost::takeWaitingInput()
{
    // Window-system input and posted events (an accessibility action arrives as one) are
    // handled; timers (the main tick among them) wait for the event loop, but the click of a
    // button pressed through the accessibility interface is taken now. Socket notifiers are
    // excluded where the event loop honours it (the desktop's event loop serves them anyway).
    QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers |
                                    QEventLoop::X11ExcludeTimers);
    clickPressedButtons(window_);
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
    // The label keeps its fixed width, so that a tick repaints the label alone; a text wider
    // than that (a long note) is shortened in the middle and shown whole as its tool tip and
    // accessible name.
    QLabel* label = window_.controls().clockLabel;
    const QString whole = shownText(text);
    const QString shown =
        label->fontMetrics().elidedText(whole, Qt::ElideMiddle, label->contentsRect().width());
    if (label->text() != shown) label->setText(shown);
    const QString full = shown == whole ? QString() : whole;
    if (label->toolTip() != full) label->setToolTip(full);
    if (label->accessibleName() != whole) label->setAccessibleName(whole);
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
    if (ToolWindowEntry* e = entry(window)) e->open();
}

void QtHost::closeWindow(ToolWindow window)
{
    if (ToolWindowEntry* e = entry(window)) e->close();
}

bool QtHost::isWindowOpen(ToolWindow window)
{
    const ToolWindowEntry* e = entry(window);
    return e && e->isOpen();
}

void QtHost::refreshWindow(ToolWindow window)
{
    if (ToolWindowEntry* e = entry(window)) e->refresh();
}

void QtHost::setWindowState(ToolWindow window, int windowState)
{
    ToolWindowEntry* e = entry(window);
    if (!e) return;
    e->setWindowState(windowState == 1   ? WindowState::Minimised
                      : windowState == 2 ? WindowState::Maximised
                                         : WindowState::Normal);
}

WindowPlacement QtHost::windowPlacement(ToolWindow window)
{
    const ToolWindowEntry* e = entry(window);
    return e ? e->placement() : WindowPlacement{};
}

QWidget* QtHost::openFrame(ToolWindow window) const
{
    const ToolWindowEntry* e = entry(window);
    return e && e->isOpen() ? e->areaFrame() : nullptr;
}

PixelSize QtHost::workAreaSize()
{
    const QSize size = window_.mdiArea().viewport()->size();
    return {size.width(), size.height()};
}

PixelRect QtHost::windowFrame(ToolWindow window)
{
    const QWidget* frame = openFrame(window);
    if (!frame) return {};
    const QRect r = frame->geometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

void QtHost::placeWindow(ToolWindow window, const PixelRect& place)
{
    if (QWidget* frame = openFrame(window))
        frame->setGeometry(place.left, place.top, place.width, place.height);
}

void QtHost::quit()
{
    window_.finish();
}

}  // namespace ql::gui
