#pragma once
// The "Intens" panel: the bars of the time base A, time base B and readout intensities with
// their values. A thin view over IntensityPanelModel on the settings panel base.

#include "SettingsPanelWindow.h"
#include "app/IntensityPanelModel.h"

class QLabel;

namespace ql::gui {

class IntensityPanel : public SettingsPanel<IntensityPanelModel> {
    Q_OBJECT
public:
    IntensityPanel(ProgramState& state, Host& host, QWidget* parent = nullptr);

protected:
    void showView(const IntensityPanelView& v) override;

private:
    struct Row {
        QLabel* caption = nullptr;
        QLabel* value = nullptr;
        QAbstractSlider* bar = nullptr;
    };
    Row buildRow(const QString& caption, const QString& name, Rgb colour, Rgb lightColour);
    static void showRow(const Row& row, const IntensityBarView& v);

    Row timebaseA_, timebaseB_, readout_;
};

}  // namespace ql::gui
