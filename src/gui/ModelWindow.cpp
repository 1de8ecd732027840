#include "ModelWindow.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <vector>

#include "StepList.h"

namespace ql::gui {

namespace {

// Where Tab enters a group of options: at its selected option, or at its first when none is
// selected; an option that is off gives way to the first that is on. The toolkit lets Tab enter at
// the option that last had the focus (at every option before any had it) and moves that place
// whenever an option takes the focus, so the place is set again whenever the group shows an option,
// an option goes on or off, or the focus leaves an option. One per group, a child of its first
// option.
class OptionTabStop : public QObject {
public:
    static void keep(const QList<QAbstractButton*>& options)
    {
        if (options.isEmpty()) return;
        auto* stop =
            options.front()->findChild<OptionTabStop*>(QString(), Qt::FindDirectChildrenOnly);
        if (!stop) stop = new OptionTabStop(options);
        stop->place();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut || event->type() == QEvent::EnabledChange) place();
        return QObject::eventFilter(watched, event);
    }

private:
    explicit OptionTabStop(const QList<QAbstractButton*>& options) : QObject(options.front())
    {
        for (QAbstractButton* option : options) {
            options_.emplace_back(option);
            option->installEventFilter(this);
        }
    }

    void place()
    {
        QAbstractButton *checked = nullptr, *first = nullptr, *firstOn = nullptr;
        for (QAbstractButton* option : options_) {
            if (!option) continue;
            if (!first) first = option;
            if (!firstOn && option->isEnabled()) firstOn = option;
            if (option->isChecked()) checked = option;
        }
        QAbstractButton* entry = checked ? checked : first;
        if (entry && !entry->isEnabled() && firstOn) entry = firstOn;
        for (QAbstractButton* option : options_) {
            if (!option) continue;
            const Qt::FocusPolicy policy = option->focusPolicy();
            option->setFocusPolicy(option == entry ? Qt::FocusPolicy(policy | Qt::TabFocus)
                                                   : Qt::FocusPolicy(policy & ~Qt::TabFocus));
        }
    }

    std::vector<QPointer<QAbstractButton>> options_;
};

}  // namespace

ModelWindowBase::ModelWindowBase(QWidget& window, Host& host, ToolWindow id)
    : window_(window), host_(host), id_(id), changes_(&window)
{
}

void ModelWindowBase::applyView()
{
    const Followup settled = settle();
    paintView();
    followUp(settled);
}

void ModelWindowBase::paintView()
{
    const UserChanges::Painting painting = changes_.painting();
    paint();
}

void ModelWindowBase::followUp(const Followup& followup)
{
    carryOut(host_, followup);
    if (!followup.closeWindow) return;
    if (auto* dialog = qobject_cast<QDialog*>(&window_))
        dialog->accept();
    else
        host_.closeWindow(id_);
}

void ModelWindowBase::keepingKeys(const std::function<void()>& work)
{
    QWidget* before = QApplication::focusWidget();
    const QPointer<QWidget> control = before && window_.isAncestorOf(before) ? before : nullptr;
    work();
    if (!control || !control->isVisible() || !control->isEnabled()) return;
    // The frame the control stands in, which was the active one.
    QWidget* frame = control;
    while (frame && !qobject_cast<QMdiSubWindow*>(frame)) frame = frame->parentWidget();
    auto* own = qobject_cast<QMdiSubWindow*>(frame);
    // The keys went nowhere, or to another window of the area.
    const QWidget* focus = QApplication::focusWidget();
    if (!own ||
        (focus && (focus->window() != own->window() || own->isAncestorOf(focus) || focus == own)))
        return;
    own->mdiArea()->setActiveSubWindow(own);
    control->setFocus(Qt::OtherFocusReason);
}

// --- Showing values --------------------------------------------------------------------------

void ModelWindowBase::showText(QLineEdit* box, const std::string& text) const
{
    if (box != entered_ && box->hasFocus()) return;
    const QString shown = QString::fromStdString(text);
    if (box->text() != shown) box->setText(shown);
}

void ModelWindowBase::showText(QPlainTextEdit* box, const std::string& text) const
{
    if (box != entered_ && box->hasFocus()) return;
    const QString shown = QString::fromStdString(text);
    if (box->toPlainText() != shown) box->setPlainText(shown);
}

std::string ModelWindowBase::textOf(const QLineEdit* box)
{
    return box->text().toStdString();
}

std::string ModelWindowBase::textOf(const QPlainTextEdit* box)
{
    return box->toPlainText().toStdString();
}

void ModelWindowBase::showValue(QLabel* label, const std::string& text)
{
    const QString shown = QString::fromStdString(text);
    label->setText(shown);
    label->setAccessibleDescription(shown);
}

void ModelWindowBase::showOption(QButtonGroup* group, int option)
{
    // An exclusive group cannot show "none selected"; it is exclusive again at once.
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(group->id(button) == option);
    group->setExclusive(true);
    OptionTabStop::keep(group->buttons());
}

void ModelWindowBase::showOption(const QList<QAbstractButton*>& options, int option)
{
    // Nor can options exclusive among themselves.
    for (QAbstractButton* button : options) button->setAutoExclusive(false);
    for (qsizetype i = 0; i < options.size(); ++i) options[i]->setChecked(i == option);
    for (QAbstractButton* button : options) button->setAutoExclusive(true);
    OptionTabStop::keep(options);
}

void ModelWindowBase::showList(StepList* list, const std::vector<std::string>& entries, int step,
                               const std::string& text)
{
    list->showSteps(entries, step, text);
}

void ModelWindowBase::showBackground(QWidget* widget, Rgb colour)
{
    const QColor c(colour.r, colour.g, colour.b);
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, c);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

}  // namespace ql::gui
