#pragma once
// What every settings panel is built on: a window of fixed size in the main window's area that
// shows its core model's view and hands the user's actions to the model. A panel derives from
// it, builds its controls, connects each through the helpers below and implements showView();
// its registry row is an MdiWindowEntry, which places the window from the layout when it opens.
//
// - Opening checks the panel's View item and paints from the state; closing clears the check.
// - The view is applied when the panel opens and on every refresh of an open panel, never in
//   a paint event, with the signals of every control blocked: a value set by a refresh never
//   reaches a handler.
// - A control acts on the user's change, by mouse, keyboard or an assistive technology's
//   actions (UserChanges): the helpers run the model's handler, show the new view and carry
//   out the handler's follow-up.
// - A spin is two arrow buttons; each press is one event.

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QButtonGroup>
#include <QComboBox>
#include <QToolButton>
#include <QWidget>
#include <string>
#include <utility>
#include <vector>

#include "ToolWindowEntry.h"
#include "UserChanges.h"
#include "app/Followup.h"
#include "app/SettingsPanels.h"
#include "draw/DrawTypes.h"

class QGroupBox;
class QLabel;
class QLayout;

namespace ql::gui {

class SettingsPanelWindow : public QWidget, public ToolWindowContent {
    Q_OBJECT
public:
    void refresh() final;
    void opened() final;
    void closed() final;

protected:
    // `caption` is the window's title (and its accessible name); `viewItem` its View item.
    SettingsPanelWindow(Host& host, UiAction viewItem, const QString& caption,
                        const QString& objectName, QWidget* parent);

    // Sets every control from the model's view; the connected controls' signals are blocked
    // meanwhile.
    virtual void showView() = 0;

    // Lays the panel out at the fixed size its controls need.
    void setPanelLayout(QLayout* layout);

    // Runs on a user's action, after the model's handler: shows the new view, then does what
    // the handler asked of the rest of the program.
    void afterAction(const Followup& followup);

    // The connections, each calling `handler` (which returns a Followup) on the user's action:
    // a check box with its new check state,
    template <class Handler>
    void onSwitched(QAbstractButton* box, Handler handler);
    // an option group with the number of the chosen option,
    template <class Handler>
    void onChosen(QButtonGroup* group, Handler handler);
    // a list with the chosen entry,
    template <class Handler>
    void onChosen(QComboBox* list, Handler handler);
    // a bar with its new value,
    template <class Handler>
    void onMoved(QAbstractSlider* bar, Handler handler);
    // a spin with the arrow pressed.
    template <class Handler>
    void onStepped(QToolButton* up, QToolButton* down, Handler handler);

    // --- Building controls: object name, accessible name and keyboard reach set ------------
    // `name` is the object name; the accessible name is the caption, or for a control without
    // one, `field` (the setting it edits).
    QLabel* label(const QString& caption, const QString& name, bool bold = false);
    // A label that shows a value or a state: its accessible name is `field`, its accessible
    // description the value shown (showValue).
    QLabel* valueLabel(const QString& name, const QString& field);
    QAbstractButton* checkBox(const QString& caption, const QString& name);
    // An option group in a frame: one option per caption, numbered from 0.
    QGroupBox* optionGroup(const QString& frameCaption, const QStringList& captions,
                           const QString& name, QButtonGroup*& group);
    QComboBox* list(const QString& name, const QString& field);
    QAbstractSlider* bar(Qt::Orientation orientation, int minimum, int maximum, int largeStep,
                         const QString& name, const QString& field);
    // The two arrows of a spin, named "<field> up" and "<field> down".
    std::pair<QToolButton*, QToolButton*> spin(const QString& name, const QString& field);

    // --- Showing values ---------------------------------------------------------------------
    // Selects option `option` of the group, or none for kNoOption or a number it lacks.
    static void showOption(QButtonGroup* group, int option);
    // Replaces a list's entries and shows `text` as its value with no entry selected; a screen
    // reader reads the value as the list's description.
    static void showList(QComboBox* list, const std::vector<std::string>& entries,
                         const std::string& text);
    static void showBackground(QWidget* widget, Rgb colour);
    // Shows `text` in a value label and tells a screen reader.
    static void showValue(QLabel* label, const std::string& text);

    Host& host() const { return host_; }

private:
    void applyView();

    Host& host_;
    UiAction viewItem_;
    UserChanges changes_{this};
};

template <class Handler>
void SettingsPanelWindow::onSwitched(QAbstractButton* box, Handler handler)
{
    changes_.onSwitched(box, [this, handler](bool checked) { afterAction(handler(checked)); });
}

template <class Handler>
void SettingsPanelWindow::onChosen(QButtonGroup* group, Handler handler)
{
    changes_.onChosen(group, [this, handler](int option) { afterAction(handler(option)); });
}

template <class Handler>
void SettingsPanelWindow::onChosen(QComboBox* list, Handler handler)
{
    changes_.onChosen(list, [this, handler](int entry) { afterAction(handler(entry)); });
}

template <class Handler>
void SettingsPanelWindow::onMoved(QAbstractSlider* bar, Handler handler)
{
    changes_.onMoved(bar, [this, handler](int value) { afterAction(handler(value)); });
}

template <class Handler>
void SettingsPanelWindow::onStepped(QToolButton* up, QToolButton* down, Handler handler)
{
    changes_.onPressed(up, [this, handler] { afterAction(handler(SpinArrow::Up)); });
    changes_.onPressed(down, [this, handler] { afterAction(handler(SpinArrow::Down)); });
}

}  // namespace ql::gui
