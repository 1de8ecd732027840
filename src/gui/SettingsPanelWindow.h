#pragma once
// What every settings panel is built on: a window of fixed size in the main window's area over
// its core model (ModelWindow), with builders for its controls. A panel derives from
// SettingsPanel<Model>, builds its controls, connects each through the base's on...() helpers
// and implements showView(); its registry row is an MdiWindowEntry, which places the window
// from the layout when it opens. Opening checks the panel's View item and applies the view;
// closing clears the check. A spin is two arrow buttons; each press is one event.

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QButtonGroup>
#include <QToolButton>
#include <QWidget>
#include <utility>

#include "ModelWindow.h"
#include "StepList.h"

class QGroupBox;
class QLabel;
class QLayout;

namespace ql::gui {

class SettingsPanelWindow : public QWidget {
    Q_OBJECT
protected:
    // `caption` is the window's title (and its accessible name).
    SettingsPanelWindow(const QString& caption, const QString& objectName, QWidget* parent);

    // Lays the panel out at the fixed size its controls need.
    void setPanelLayout(QLayout* layout);

    // --- Building controls: object name, accessible name and keyboard reach set ------------
    // `name` is the object name; the accessible name is the caption, or for a control without
    // one, `field` (the setting it edits).
    QLabel* label(const QString& caption, const QString& name, bool bold = false);
    // A label that shows a value or a state: its accessible name is `field`, its accessible
    // description the value shown (showValue).
    QLabel* valueLabel(const QString& name, const QString& field);
    QAbstractButton* checkBox(const QString& caption, const QString& name);
    // An option group in a frame: one option per caption, numbered from 0. In a panel that has
    // the group twice, `whose` ("CH I") leads the accessible names of the frame and its options
    // ("CH I Input", "CH I AC"); the captions stay as they are.
    QGroupBox* optionGroup(const QString& frameCaption, const QStringList& captions,
                           const QString& name, QButtonGroup*& group, const QString& whose = {});
    // A list of steps (StepList) whose typed keys are discarded.
    StepList* list(const QString& name, const QString& field);
    QAbstractSlider* bar(Qt::Orientation orientation, int minimum, int maximum, int largeStep,
                         const QString& name, const QString& field);
    // The two arrows of a spin, named "<field> up" and "<field> down".
    std::pair<QToolButton*, QToolButton*> spin(const QString& name, const QString& field);
};

template <WindowModel Model>
class SettingsPanel : public SettingsPanelWindow, public ModelWindow<Model> {
public:
    void opened() override
    {
        this->host().setActionChecked(viewItem_, true);
        this->applyView();
    }
    void closed() override { this->host().setActionChecked(viewItem_, false); }

protected:
    // `id` is the panel's row in the registry, `viewItem` its View item; the model's
    // constructor arguments follow.
    template <class... ModelArgs>
    SettingsPanel(Host& host, ToolWindow id, UiAction viewItem, const QString& caption,
                  const QString& objectName, QWidget* parent, ModelArgs&&... modelArgs)
        : SettingsPanelWindow(caption, objectName, parent),
          ModelWindow<Model>(*this, host, id, std::forward<ModelArgs>(modelArgs)...),
          viewItem_(viewItem)
    {
    }

private:
    UiAction viewItem_;
};

}  // namespace ql::gui
