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
//   Followup: the redraw, the refreshes, then closing the window when asked (a dialog is
//   accepted, a window in the main window's area is closed through the registry). A window the
//   handler opens beside this one (the cursor window a measured value opens) leaves the keys on
//   the control acted on.
// - showOption() selects an option of a group, and Tab enters the group at that option.
// - A text box (of one line or several) being typed in keeps its text: showText() leaves a box
//   that has the focus alone, except the box whose entry (Enter, or leaving it) the handler
//   has just taken, which shows what the model made of it.
// - The frame's activation, moves and resizes reach the window through ToolWindowContent's
//   activated(), deactivated() and placementChanged(), told by the registry row.

#include <QAbstractButton>
#include <QLineEdit>
#include <QList>
#include <QPlainTextEdit>
#include <QWidget>
#include <array>
#include <concepts>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "ToolWindowEntry.h"
#include "UserChanges.h"
#include "app/SettingsPanels.h"
#include "draw/DrawTypes.h"
#include "state/WindowModel.h"

class QButtonGroup;
class QLabel;
class QToolButton;

namespace ql::gui {

class StepList;

class ModelWindowBase : public ToolWindowContent {
public:
    void refresh() override { applyView(); }
    void opened() override { applyView(); }

    // Settles the model, shows its view with the controls' signals blocked, then carries out
    // what the settle asked for.
    void applyView();

    // --- Showing values ---------------------------------------------------------------------
    // Shows `text` in a label that holds a value and tells a screen reader.
    static void showValue(QLabel* label, const std::string& text);
    // Selects option `option` of the group, or none for kNoOption or a number it lacks. Tab
    // enters the group at the option selected (or at its first, when none is), as desktops
    // have it, also after the toolkit moved its entry to the option last focused; the arrows
    // move and select within it.
    static void showOption(QButtonGroup* group, int option);
    // The same for options that stand together without a group, each connected on its own,
    // in their order.
    static void showOption(const QList<QAbstractButton*>& options, int option);
    template <class Option, std::size_t N>
    static void showOption(const std::array<Option*, N>& options, int option)
    {
        showOption(QList<QAbstractButton*>(options.begin(), options.end()), option);
    }
    // Shows a list's entries with entry `step` selected (kNoOption: none) and `text` as its
    // value; a screen reader reads the value as the list's description (StepList).
    static void showList(StepList* list, const std::vector<std::string>& entries, int step,
                         const std::string& text);
    static void showBackground(QWidget* widget, Rgb colour);

protected:
    // `window` is the QWidget this base stands beside; `id` the window's row in the registry.
    ModelWindowBase(QWidget& window, Host& host, ToolWindow id);

    // Shows the view without settling first.
    void paintView();
    Host& host() const { return host_; }

    // The connections, each running handler `h` on the user's action: a check box with its
    // new check state; an option button of its own; an option group with the number of the
    // chosen option, a list with the chosen entry, tabs with the chosen tab; a push button; a
    // bar or a number box with its new value; a spin's two arrows with the arrow pressed; a
    // text box with its text, on each edit or on its entry (Enter, or leaving it).
    template <class H>
    void onSwitched(QAbstractButton* box, H h)
    {
        changes_.onSwitched(box, acting(h));
    }
    template <class Control, class H>
    void onChosen(Control* options, H h)
    {
        changes_.onChosen(options, acting(h));
    }
    template <class H>
    void onPressed(QAbstractButton* button, H h)
    {
        changes_.onPressed(button, acting(h));
    }
    template <class Control, class H>
    void onMoved(Control* bar, H h)
    {
        changes_.onMoved(bar, acting(h));
    }
    template <class H>
    void onStepped(QToolButton* up, QToolButton* down, H h)
    {
        changes_.onPressed(up, [this, h]() mutable { act(h, SpinArrow::Up); });
        changes_.onPressed(down, [this, h]() mutable { act(h, SpinArrow::Down); });
    }
    template <class Box, class H>
    void onEdited(Box* box, H h)
    {
        changes_.onEdited(box,
                          [this, box, h](const auto&...) mutable -> void { act(h, textOf(box)); });
    }
    template <class Box, class H>
    void onEntered(Box* box, H h)
    {
        changes_.onEntered(box, entry(box, h));
    }
    // A line box that acts on each edit (`h`) and on Enter (`e`), but not on leaving it.
    template <class H, class E>
    void onEdited(QLineEdit* box, H h, E e)
    {
        changes_.onEdited(
            box, [this, box, h](const QString&) mutable { act(h, textOf(box)); }, entry(box, e));
    }

    // Runs handler `h` as the connections do, for what the window hears itself (a key that a
    // control turns into no signal, a grid's cell edited in place).
    template <class H>
    void run(H h)
    {
        act(h);
    }

    // A box's text from the view, unless the user is typing in it (see above); the text is set
    // only when it differs, so the cursor stays where it is.
    void showText(QLineEdit* box, const std::string& text) const;
    void showText(QPlainTextEdit* box, const std::string& text) const;

private:
    virtual Followup settle() = 0;
    virtual void paint() = 0;
    // Carries out a Followup, closing the window when it asks.
    void followUp(const Followup& followup);

    // Runs a handler, applies the view, then does what the handler asked of the program.
    template <class H, class... Args>
    void act(H& h, const Args&... args);
    // Runs `work`; the control the user acted on keeps the keyboard when `work` opened another
    // window of the work area beside this one (the cursor window a measured value opens). A
    // window that closed, or a window of its own that opened, takes it as it does.
    void keepingKeys(const std::function<void()>& work);
    static std::string textOf(const QLineEdit* box);
    static std::string textOf(const QPlainTextEdit* box);
    template <class H>
    auto acting(H h)
    {
        return [this, h](const auto&... args) mutable -> void { act(h, args...); };
    }
    // Runs `h` on the entry of `box`, which then shows what the model made of it.
    template <class Box, class H>
    auto entry(Box* box, H h)
    {
        return [this, box, h]() mutable {
            const QWidget* before = std::exchange(entered_, box);
            act(h, textOf(box));
            entered_ = before;
        };
    }

    QWidget& window_;
    Host& host_;
    ToolWindow id_;
    UserChanges changes_;
    const QWidget* entered_ = nullptr;  // the box whose entry is being taken
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

template <class H, class... Args>
void ModelWindowBase::act(H& h, const Args&... args)
{
    using Result = std::invoke_result_t<H&, const Args&...>;
    static_assert(std::same_as<Result, Followup> || std::is_void_v<Result>,
                  "a handler returns its Followup, or nothing when nothing follows");
    keepingKeys([&] {
        Followup followup;
        if constexpr (std::is_void_v<Result>)
            h(args...);
        else
            followup = h(args...);
        applyView();
        followUp(followup);
    });
}

}  // namespace ql::gui
