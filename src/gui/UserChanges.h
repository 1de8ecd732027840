#pragma once
// The one way a window hears that the user changed one of its controls, whatever made the
// change: the mouse, the keyboard, or an assistive technology's actions (toggle, press, set
// value, set text). Each kind of control has one connection here, so that no window picks a
// signal of its own and a control never shows a state the program does not have:
//
// - a check box acts on every change of its state (toggled), an option when it becomes the
//   checked one (the option that goes unchecked at the same time does nothing);
// - a list acts on the entry chosen, tabs on the tab chosen, a list of rows on a new selected row,
// a bar or a spin box
//   on a new value, a push button on clicked();
// - a text box acts as its own rule says, on each typed edit or on its entry (Enter or leaving
//   it); a text set from outside the keyboard (an assistive technology's "set text") counts as
//   typed and confirmed at once.
//
// A window shows its view inside painting(): the signals of every control connected here are
// blocked meanwhile, so a value the program shows never runs a handler.

#include <QMetaObject>
#include <QPointer>
#include <QSignalBlocker>
#include <functional>
#include <memory>
#include <vector>

class QAbstractButton;
class QAbstractItemView;
class QAbstractSlider;
class QButtonGroup;
class QComboBox;
class QLineEdit;
class QObject;
class QPlainTextEdit;
class QSpinBox;
class QString;
class QTabBar;

namespace ql::gui {

class UserChanges {
public:
    // The connections live as long as `window`, the owner of the controls.
    explicit UserChanges(QObject* window) : window_(window) {}
    UserChanges(const UserChanges&) = delete;
    UserChanges& operator=(const UserChanges&) = delete;
    ~UserChanges();

    // A check box (any checkable button): its new state.
    void onSwitched(QAbstractButton* box, std::function<void(bool checked)> switched);
    // An option button of its own: it became the checked one.
    void onChosen(QAbstractButton* option, std::function<void()> chosen);
    // The options of a group: the number of the one that became checked.
    void onChosen(QButtonGroup* options, std::function<void(int option)> chosen);
    // A list: the entry chosen.
    void onChosen(QComboBox* list, std::function<void(int entry)> chosen);
    // Tabs: the tab that became the current one.
    void onChosen(QTabBar* tabs, std::function<void(int tab)> chosen);
    // A list of rows (a table): the row that became the selected one, -1 for none.
    void onChosen(QAbstractItemView* rows, std::function<void(int row)> chosen);
    // A push button, or an arrow of a spin: pressed.
    void onPressed(QAbstractButton* button, std::function<void()> pressed);
    // A scroll bar or a spin box: its new value.
    void onMoved(QAbstractSlider* bar, std::function<void(int value)> moved);
    void onMoved(QSpinBox* spin, std::function<void(int value)> moved);

    // A text box that acts on each edit: `edited` with the text as it stands, and `entered`
    // (when given) on Enter. A text set from outside runs both.
    void onEdited(QLineEdit* box, std::function<void(const QString& text)> edited,
                  std::function<void()> entered = {});
    // A text box that acts on its entry: Enter, or leaving the box with the focus. A text set
    // from outside is its entry at once.
    void onEntered(QLineEdit* box, std::function<void()> entered);
    // A box of several lines that acts on each change of its text.
    void onEdited(QPlainTextEdit* box, std::function<void()> edited);
    // A box of several lines that acts on its entry: leaving it with the focus; a text set
    // from outside while the box does not have the focus is its entry at once.
    void onEntered(QPlainTextEdit* box, std::function<void()> entered);

    // While the returned value lives, no connected control runs its handler.
    class Painting {
    public:
        explicit Painting(const std::vector<QObject*>& controls);
        ~Painting();
        Painting(Painting&&) = default;

    private:
        std::vector<QSignalBlocker> blockers_;
    };
    [[nodiscard]] Painting painting() const { return Painting(controls_); }

private:
    // A control connected here: its signals are blocked while painting.
    void add(QObject* control);
    void keep(const QMetaObject::Connection& connection);
    // Adds `control` and keeps the connection of its `signal` to `slot`.
    template <class Control, class Signal, class Slot>
    void listen(Control* control, Signal signal, Slot slot);
    std::shared_ptr<bool> watchTyping(QLineEdit* box);

    QObject* window_;
    std::vector<QObject*> controls_;
    std::vector<QMetaObject::Connection> connections_;
    std::vector<QPointer<QObject>> filters_;
};

}  // namespace ql::gui
