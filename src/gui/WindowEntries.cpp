#include "WindowEntries.h"

#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "FocusPark.h"
#include "ModalBoxes.h"
#include "WindowPlacing.h"

namespace ql::gui {

namespace {

// A window's frame in the work area: a control of the window switched off leaves the focus
// waiting on the frame.
class ToolFrame : public QMdiSubWindow {
public:
    ToolFrame() : park_(new FocusPark(*this)) {}

protected:
    bool focusNextPrevChild(bool next) override
    {
        return park_->parkFocusOf(*this) || QMdiSubWindow::focusNextPrevChild(next);
    }

private:
    FocusPark* park_;  // a child of the frame
};

void connectChain(RedrawChain& chain, ToolWindowContent& content)
{
    if (const auto link = content.chainLink())
        chain.connect(*link, [&content](ProgramState& s) { content.chainMember(s); });
}

void disconnectChain(RedrawChain& chain, const ToolWindowContent& content)
{
    if (const auto link = content.chainLink()) chain.disconnect(*link);
}

void placeFromLayout(QWidget& window, ToolWindow id, const ProgramState& state)
{
    if (const LayoutSlot slot = layoutSlot(id))
        applyPlacement(window, state.layout.*slot.placement, slot.withSize);
}

WindowPlacement placementOf(const QWidget* window, ToolWindow id)
{
    if (!window || !layoutSlot(id)) return {};
    return gatherPlacement(*window);
}

void showInState(QWidget& window, WindowState state)
{
    switch (state) {
        case WindowState::Minimised: window.showMinimized(); break;
        case WindowState::Maximised: window.showMaximized(); break;
        case WindowState::Normal: window.showNormal(); break;
    }
}

WindowState stateOf(Qt::WindowStates states)
{
    if (states & Qt::WindowMinimized) return WindowState::Minimised;
    if (states & Qt::WindowMaximized) return WindowState::Maximised;
    return WindowState::Normal;
}

}  // namespace

// --- A window in the main window's area ------------------------------------------------------

MdiWindowEntry::MdiWindowEntry(ToolWindow id, WindowMaker make, QMdiArea& area, ProgramState& state,
                               RedrawChain& chain, FocusLeaving leaving, FrameButtons buttons)
    : id_(id),
      make_(std::move(make)),
      area_(area),
      leaving_(std::move(leaving)),
      buttons_(buttons),
      state_(state),
      chain_(chain)
{
}

void MdiWindowEntry::make() const
{
    if (content_) return;
    const MadeWindow made = make_();
    make_ = nullptr;
    widget_ = made.widget;
    content_ = made.content;
    Qt::WindowFlags flags = Qt::SubWindow;
    if (buttons_ == FrameButtons::MinMaxOnly)
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint;
    auto* frame = new ToolFrame;
    frame->setWidget(made.widget);
    frame_ = area_.addSubWindow(frame, flags);
    frame_->setObjectName(made.widget->objectName() + QStringLiteral("Frame"));
    // Tab wraps from the window's last control to its first without stopping at the frame, so
    // that a screen reader says the control alone; a click on the frame still activates it.
    // (The frame keeps a Tab its only control passes on: see eventFilter.)
    frame_->setFocusPolicy(Qt::ClickFocus);
    // The frame is hidden, not destroyed, when the window closes: the window keeps its state
    // for the next opening.
    frame_->setAttribute(Qt::WA_DeleteOnClose, false);
    auto* self = const_cast<MdiWindowEntry*>(this);
    frame_->installEventFilter(self);
    frame_->hide();
    connect(frame_, &QMdiSubWindow::windowStateChanged, self,
            [self](Qt::WindowStates before, Qt::WindowStates now) {
                self->content_->windowStateChanged(stateOf(now));
                if (!self->isOpen()) return;
                const bool was = before & Qt::WindowActive, is = now & Qt::WindowActive;
                if (was && !is) self->content_->deactivated();
                if (!was && is) self->content_->activated();
            });
}

MdiWindowEntry::~MdiWindowEntry()
{
    if (!content_) return;
    disconnectChain(chain_, *content_);
    if (frame_) {
        frame_->removeEventFilter(this);
        disconnect(frame_, nullptr, this, nullptr);
        delete frame_;
    }
}

QMdiSubWindow& MdiWindowEntry::frame() const
{
    make();
    return *frame_;
}

QWidget& MdiWindowEntry::widget() const
{
    make();
    return *widget_;
}

void MdiWindowEntry::open()
{
    make();
    if (isOpen()) {
        frame_->raise();
        return;
    }
    content_->opened();
    frame_->show();
    widget_->show();
    placeFromLayout(*frame_, id_, state_);
    connectChain(chain_, *content_);
    if (QWidget* control = content_->openingFocus(); control && holdsFocus())
        control->setFocus(Qt::OtherFocusReason);
}

bool MdiWindowEntry::holdsFocus() const
{
    const QWidget* focus = area_.window()->focusWidget();
    return focus && frame_->isAncestorOf(focus);
}

void MdiWindowEntry::close()
{
    if (!isOpen()) return;
    // However it closes, the window comes back where it stands now.
    keepWindowPlacement(state_.layout, id_, placement());
    // The focus leaves first, so that it never rests on a control that no longer shows.
    if (leaving_ && holdsFocus()) leaving_(id_);
    frame_->hide();
    disconnectChain(chain_, *content_);
    content_->closed();
}

bool MdiWindowEntry::isOpen() const
{
    return frame_ && !frame_->isHidden();
}

void MdiWindowEntry::refresh()
{
    if (isOpen()) content_->refresh();
}

void MdiWindowEntry::setWindowState(WindowState state)
{
    make();
    if (frame_) showInState(*frame_, state);
}

WindowPlacement MdiWindowEntry::placement() const
{
    return placementOf(frame_, id_);
}

bool MdiWindowEntry::eventFilter(QObject* watched, QEvent* event)
{
    // The close box hides the window (when it may close now) through close() above. The event
    // type is looked at first: while the frame is being destroyed it still sends events.
    const QEvent::Type type = event->type();
    if (type == QEvent::Close && watched == frame_) {
        event->ignore();
        if (content_->mayClose()) close();
        return true;
    }
    if ((type == QEvent::Move || type == QEvent::Resize) && watched == frame_ && isOpen())
        content_->placementChanged();
    // A Tab that no control of the window took (the window has one control) stays in it; one
    // pressed while the focus waits at the frame goes to a control of the window.
    if (type == QEvent::KeyPress && watched == frame_) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            if (QWidget* control = frame_->hasFocus() ? controlIn(*frame_) : nullptr)
                control->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// --- A dialog of its own ---------------------------------------------------------------------

DialogEntry::DialogEntry(ToolWindow id, WindowMaker make, ProgramState& state, RedrawChain& chain,
                         bool modal)
    : id_(id), make_(std::move(make)), state_(state), chain_(chain), modal_(modal)
{
}

void DialogEntry::make() const
{
    if (content_) return;
    const MadeWindow made = make_();
    make_ = nullptr;
    dialog_ = qobject_cast<QDialog*>(made.widget);
    content_ = made.content;
    dialog_->setAttribute(Qt::WA_DeleteOnClose, false);
    dialog_->installEventFilter(const_cast<DialogEntry*>(this));
}

DialogEntry::~DialogEntry()
{
    if (!content_) return;
    disconnectChain(chain_, *content_);
    if (dialog_) {
        dialog_->removeEventFilter(this);
        delete dialog_;
    }
}

QWidget& DialogEntry::widget() const
{
    make();
    return *dialog_;
}

void DialogEntry::open()
{
    make();
    if (isOpen()) {
        dialog_->raise();
        dialog_->activateWindow();
        return;
    }
    content_->opened();
    placeFromLayout(*dialog_, id_, state_);
    connectChain(chain_, *content_);
    if (modal_)
        dialog_->open();
    else
        dialog_->show();
    if (QWidget* control = content_->openingFocus()) control->setFocus(Qt::OtherFocusReason);
}

void DialogEntry::close()
{
    if (isOpen()) dialog_->close();
}

bool DialogEntry::isOpen() const
{
    return dialog_ && dialog_->isVisible();
}

void DialogEntry::refresh()
{
    if (isOpen()) content_->refresh();
}

void DialogEntry::setWindowState(WindowState state)
{
    if (isOpen()) showInState(*dialog_, state);
}

WindowPlacement DialogEntry::placement() const
{
    return placementOf(dialog_, id_);
}

bool DialogEntry::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == dialog_) {
        if (event->type() == QEvent::Close && !content_->mayClose()) {
            event->ignore();
            return true;
        }
        // Hidden by its buttons, Escape, the close box or the program.
        if (event->type() == QEvent::Hide && !event->spontaneous() && !dialog_->isVisible()) {
            giveBackKeyboard(*dialog_);
            disconnectChain(chain_, *content_);
            content_->closed();
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace ql::gui
