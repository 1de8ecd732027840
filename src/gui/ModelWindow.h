#pragma once
// What every tool window over a core window model (state/WindowModel.h) is built on. A window
// is its QWidget (or QDialog) plus ModelWindow<Model>, which owns the model:
//
//     class CursorWindow : public QWidget, public ModelWindow<CursorWindowModel> {
//         ...
//         void showView(const CursorWindowView& view) override;  // sets the controls
//     };
//
// - applyView() settles the model, shows its view and carries out the settle's Followup. The
//   window applies the view when it opens and on every refresh (the defaults of opened() and
//   refresh() here; a window that overrides opened() calls applyView() itself), and after
//   every handler.
// - showView() runs with the signals of every connected control blocked, so a value the
//   program shows never runs a handler. paintView() shows the view without settling, for a
//   member of the redraw chain that the model's own settle runs.
// - The on...() helpers connect a control through UserChanges, so the mouse, the keyboard and
//   an assistive technology act alike. Each runs the handler (which returns a Followup, or
//   nothing for an operation that asks nothing more), applies the view and carries out the
//   Followup: the redraw, the refreshes, then closing the window when asked (a dialog is accepted,
//   a window in the main window's area is closed through the registry).
// - A text box being typed in keeps its text: showText() leaves a box that has the focus
//   alone, except the box whose entry (Enter, or leaving it) the handler has just taken, which
//   shows what the model made of it.
// - The frame's activation, moves and resizes reach the window through ToolWindowContent's
//   activated(), deactivated() and placementChanged(), told by the registry row.

#include <QAbstractButton>
#include <QLineEdit>
#include <QWidget>
#include <concepts>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "ToolWindowEntry.h"
#include "UserChanges.h"
#include "app/SettingsPanels.h"
#include "draw/DrawTypes.h"
#include "state/WindowModel.h"

class QAbstractSlider;
class QButtonGroup;
class QComboBox;
class QLabel;
class QSpinBox;
class QTabBar;
class QTabWidget;
class QToolButton;

namespace ql::gui {

class ModelWindowBase : public ToolWindowContent {
public:
    void refresh() override { applyView(); }
    void opened() override { applyView(); }

    // Settles the model, shows its view with the controls' signals blocked, then carries out
    // what the settle asked for.
    void applyView();

protected:
    // `window` is the QWidget this base stands beside; `id` the window's row in the registry.
    ModelWindowBase(QWidget& window, Host& host, ToolWindow id);

    // Shows the view without settling first.
    void paintView();
    // After a user's action: applies the view, then does what the handler asked of the program.
    void afterAction(const Followup& followup);
    Host& host() const { return host_; }

    // The connections, each calling `handler` on the user's action:
    // a check box with its new check state,
    template <class Handler>
    void onSwitched(QAbstractButton* box, Handler handler);
    // an option button of its own, an option group with the number of the chosen option, a
    // list with the chosen entry, tabs with the chosen tab,
    template <class Handler>
    void onChosen(QAbstractButton* option, Handler handler);
    template <class Handler>
    void onChosen(QButtonGroup* group, Handler handler);
    template <class Handler>
    void onChosen(QComboBox* list, Handler handler);
    template <class Handler>
    void onChosen(QTabBar* tabs, Handler handler);
    template <class Handler>
    void onChosen(QTabWidget* tabs, Handler handler);
    // a push button pressed,
    template <class Handler>
    void onPressed(QAbstractButton* button, Handler handler);
    // a bar or a number box with its new value,
    template <class Handler>
    void onMoved(QAbstractSlider* bar, Handler handler);
    template <class Handler>
    void onMoved(QSpinBox* box, Handler handler);
    // a spin's two arrows with the arrow pressed,
    template <class Handler>
    void onStepped(QToolButton* up, QToolButton* down, Handler handler);
    // a text box with its text: on each edit, or on its entry (Enter, or leaving it).
    template <class Handler>
    void onEdited(QLineEdit* box, Handler handler);
    template <class Handler>
    void onEntered(QLineEdit* box, Handler handler);

    // A control the window shows but does not connect through the helpers: its signals are
    // blocked while the view is shown too.
    void addControl(QObject* control) { changes_.add(control); }

    // --- Showing values ---------------------------------------------------------------------
    // A box's text from the view, unless the user is typing in it (see above); the text is set
    // only when it differs, so the cursor stays where it is.
    void showText(QLineEdit* box, const std::string& text) const;
    // Shows `text` in a label that holds a value and tells a screen reader.
    static void showValue(QLabel* label, const std::string& text);
    // Selects option `option` of the group, or none for kNoOption or a number it lacks.
    static void showOption(QButtonGroup* group, int option);
    // Replaces a list's entries and shows `text` as its value with no entry selected; a screen
    // reader reads the value as the list's description.
    static void showList(QComboBox* list, const std::vector<std::string>& entries,
                         const std::string& text);
    static void showBackground(QWidget* widget, Rgb colour);

private:
    virtual Followup settle() = 0;
    virtual void paint() = 0;
    // Carries out a Followup, closing the window when it asks.
    void followUp(const Followup& followup);

    template <class Handler, class... Args>
    void act(Handler& handler, Args&&... args);

    QWidget& window_;
    Host& host_;
    ToolWindow id_;
    UserChanges changes_;
    const QLineEdit* entered_ = nullptr;  // the box whose entry is being taken
};

// The base for a window over `Model`, which it owns: the model's constructor arguments follow
// the window's own.
template <WindowModel Model>
class ModelWindow : public ModelWindowBase {
public:
    using View = decltype(std::declval<const Model&>().view());

    Model& model() { return model_; }

protected:
    template <class... ModelArgs>
    ModelWindow(QWidget& window, Host& host, ToolWindow id, ModelArgs&&... modelArgs)
        : ModelWindowBase(window, host, id), model_(std::forward<ModelArgs>(modelArgs)...)
    {
    }

    // Sets every control from the view.
    virtual void showView(const View& view) = 0;

    Model model_;

private:
    Followup settle() final
    {
        if constexpr (SettlesFirst<Model>)
            return model_.settle();
        else
            return {};
    }
    void paint() final { showView(std::as_const(model_).view()); }
};

// --- The connections -------------------------------------------------------------------------

template <class Handler, class... Args>
void ModelWindowBase::act(Handler& handler, Args&&... args)
{
    using Result = std::invoke_result_t<Handler&, Args...>;
    static_assert(std::same_as<Result, Followup> || std::is_void_v<Result>,
                  "a handler returns its Followup, or nothing when nothing follows");
    if constexpr (std::is_void_v<Result>) {
        handler(std::forward<Args>(args)...);
        afterAction({});
    } else {
        afterAction(handler(std::forward<Args>(args)...));
    }
}

template <class Handler>
void ModelWindowBase::onSwitched(QAbstractButton* box, Handler handler)
{
    changes_.onSwitched(box, [this, handler](bool checked) mutable { act(handler, checked); });
}

template <class Handler>
void ModelWindowBase::onChosen(QAbstractButton* option, Handler handler)
{
    changes_.onChosen(option, [this, handler]() mutable { act(handler); });
}

template <class Handler>
void ModelWindowBase::onChosen(QButtonGroup* group, Handler handler)
{
    changes_.onChosen(group, [this, handler](int option) mutable { act(handler, option); });
}

template <class Handler>
void ModelWindowBase::onChosen(QComboBox* list, Handler handler)
{
    changes_.onChosen(list, [this, handler](int entry) mutable { act(handler, entry); });
}

template <class Handler>
void ModelWindowBase::onChosen(QTabBar* tabs, Handler handler)
{
    changes_.onChosen(tabs, [this, handler](int tab) mutable { act(handler, tab); });
}

template <class Handler>
void ModelWindowBase::onChosen(QTabWidget* tabs, Handler handler)
{
    changes_.onChosen(tabs, [this, handler](int tab) mutable { act(handler, tab); });
}

template <class Handler>
void ModelWindowBase::onPressed(QAbstractButton* button, Handler handler)
{
    changes_.onPressed(button, [this, handler]() mutable { act(handler); });
}

template <class Handler>
void ModelWindowBase::onMoved(QAbstractSlider* bar, Handler handler)
{
    changes_.onMoved(bar, [this, handler](int value) mutable { act(handler, value); });
}

template <class Handler>
void ModelWindowBase::onMoved(QSpinBox* box, Handler handler)
{
    changes_.onMoved(box, [this, handler](int value) mutable { act(handler, value); });
}

template <class Handler>
void ModelWindowBase::onStepped(QToolButton* up, QToolButton* down, Handler handler)
{
    changes_.onPressed(up, [this, handler]() mutable { act(handler, SpinArrow::Up); });
    changes_.onPressed(down, [this, handler]() mutable { act(handler, SpinArrow::Down); });
}

template <class Handler>
void ModelWindowBase::onEdited(QLineEdit* box, Handler handler)
{
    changes_.onEdited(
        box, [this, handler](const QString& text) mutable { act(handler, text.toStdString()); });
}

template <class Handler>
void ModelWindowBase::onEntered(QLineEdit* box, Handler handler)
{
    changes_.onEntered(box, [this, box, handler]() mutable {
        const QLineEdit* before = std::exchange(entered_, box);
        act(handler, box->text().toStdString());
        entered_ = before;
    });
}

}  // namespace ql::gui
