#include "UserChanges.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabBar>
#include <algorithm>
#include <memory>
#include <utility>

namespace ql::gui {

namespace {

// Runs `left` when the box it watches loses the focus.
class FocusLeft : public QObject {
public:
    FocusLeft(QObject* box, std::function<void()> left) : QObject(box), left_(std::move(left))
    {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut) left_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> left_;
};

}  // namespace

UserChanges::~UserChanges()
{
    // Nothing runs a handler while the window goes: its controls may still lose the focus.
    for (const QMetaObject::Connection& c : connections_) QObject::disconnect(c);
    for (const QPointer<QObject>& filter : filters_) delete filter.data();
}

void UserChanges::keep(const QMetaObject::Connection& connection)
{
    connections_.push_back(connection);
}

template <class Control, class Signal, class Slot>
void UserChanges::listen(Control* control, Signal signal, Slot slot)
{
    add(control);
    keep(QObject::connect(control, signal, window_, std::move(slot)));
}

std::shared_ptr<bool> UserChanges::watchTyping(QLineEdit* box)
{
    // Tells the textChanged() that follows a typed edit from one of a text set from outside:
    // Qt emits textEdited() first, and only for the keyboard, a paste or undo.
    auto typed = std::make_shared<bool>(false);
    keep(QObject::connect(box, &QLineEdit::textEdited, window_, [typed] { *typed = true; }));
    return typed;
}

UserChanges::Painting::Painting(const std::vector<QObject*>& controls)
{
    blockers_.reserve(controls.size());
    for (QObject* control : controls) blockers_.emplace_back(control);
}

UserChanges::Painting::~Painting()
{
    // Unblocked last to first, so each control gets back the state it had before.
    while (!blockers_.empty()) blockers_.pop_back();
}

void UserChanges::add(QObject* control)
{
    if (std::find(controls_.begin(), controls_.end(), control) == controls_.end())
        controls_.push_back(control);
}

void UserChanges::onSwitched(QAbstractButton* box, std::function<void(bool)> switched)
{
    // toggled() comes from a click, the space bar and the toggle action alike; clicked() would
    // miss the toggle action.
    listen(box, &QAbstractButton::toggled, std::move(switched));
}

void UserChanges::onChosen(QAbstractButton* option, std::function<void()> chosen)
{
    listen(option, &QAbstractButton::toggled, [chosen = std::move(chosen)](bool checked) {
        if (checked) chosen();
    });
}

void UserChanges::onChosen(QButtonGroup* options, std::function<void(int)> chosen)
{
    // The group reports the option left as well as the one chosen.
    listen(options, &QButtonGroup::idToggled,
           [chosen = std::move(chosen)](int option, bool checked) {
               if (checked) chosen(option);
           });
}

void UserChanges::onChosen(QComboBox* list, std::function<void(int)> chosen)
{
    // An entry chosen by the list's menu, the arrow keys or the wheel, and a step list's entry
    // picked through the accessibility interface (StepList); an entry the program makes the
    // current one is no choice.
    listen(list, &QComboBox::activated, std::move(chosen));
}

void UserChanges::onChosen(QTabBar* tabs, std::function<void(int)> chosen)
{
    // A tab the program makes the current one is shown inside painting(), no choice.
    listen(tabs, &QTabBar::currentChanged, std::move(chosen));
}

void UserChanges::onChosen(QAbstractItemView* rows, std::function<void(int)> chosen)
{
    // The selection, not the current cell: an assistive technology selects a row without
    // moving the current cell.
    QItemSelectionModel* selection = rows->selectionModel();
    add(rows);
    listen(selection, &QItemSelectionModel::selectionChanged,
           [selection, chosen = std::move(chosen)] {
               const QModelIndexList selected = selection->selectedIndexes();
               chosen(selected.isEmpty() ? -1 : selected.front().row());
           });
}

void UserChanges::onPressed(QAbstractButton* button, std::function<void()> pressed)
{
    listen(button, &QAbstractButton::clicked, std::move(pressed));
}

void UserChanges::onMoved(QAbstractSlider* bar, std::function<void(int)> moved)
{
    // Dragging, clicks, keys, the wheel and the set-value action all change the value.
    listen(bar, &QAbstractSlider::valueChanged, std::move(moved));
}

void UserChanges::onMoved(QSpinBox* spin, std::function<void(int)> moved)
{
    listen(spin, &QSpinBox::valueChanged, std::move(moved));
}

void UserChanges::onEdited(QLineEdit* box, std::function<void(const QString&)> edited,
                           std::function<void()> entered)
{
    add(box);
    const auto typed = watchTyping(box);
    keep(QObject::connect(box, &QLineEdit::textEdited, window_, edited));
    keep(QObject::connect(box, &QLineEdit::textChanged, window_, [box, typed, edited, entered] {
        if (std::exchange(*typed, false)) return;
        edited(box->text());
        if (entered) entered();
    }));
    if (entered) keep(QObject::connect(box, &QLineEdit::returnPressed, window_, entered));
}

void UserChanges::onEntered(QLineEdit* box, std::function<void()> entered)
{
    add(box);
    const auto typed = watchTyping(box);
    keep(QObject::connect(box, &QLineEdit::textChanged, window_, [typed, entered] {
        if (!std::exchange(*typed, false)) entered();
    }));
    keep(QObject::connect(box, &QLineEdit::editingFinished, window_, entered));
}

void UserChanges::onEdited(QPlainTextEdit* box, std::function<void()> edited)
{
    listen(box, &QPlainTextEdit::textChanged, std::move(edited));
}

void UserChanges::onEntered(QPlainTextEdit* box, std::function<void()> entered)
{
    // Typing needs the focus; a change without it came from outside.
    add(box);
    keep(QObject::connect(box, &QPlainTextEdit::textChanged, window_, [box, entered] {
        if (!box->hasFocus()) entered();
    }));
    filters_.emplace_back(new FocusLeft(box, entered));
}

}  // namespace ql::gui
