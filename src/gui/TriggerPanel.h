#pragma once
// The "Trigger" panel: a thin status bar along the top, then source, coupling, AUTO/NORM, the
// slopes of time base A and time base B and the level bar. A thin view over TriggerPanelModel
// on the settings panel base.

#include "SettingsPanelWindow.h"
#include "app/TriggerPanelModel.h"

class QLabel;

namespace ql::gui {

class TriggerPanel : public SettingsPanel<TriggerPanelModel> {
    Q_OBJECT
public:
    TriggerPanel(ProgramState& state, Host& host, QWidget* parent = nullptr);

protected:
    void showView(const TriggerPanelView& v) override;

private:
    QLabel* statusBar_ = nullptr;
    QButtonGroup* source_ = nullptr;
    QButtonGroup* coupling_ = nullptr;
    QButtonGroup* mode_ = nullptr;
    QButtonGroup* slopeA_ = nullptr;
    QButtonGroup* slopeB_ = nullptr;
    QAbstractSlider* level_ = nullptr;
};

}  // namespace ql::gui
