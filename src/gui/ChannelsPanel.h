#pragma once
// The "Channels" panel: CH I on the left, CH II on the right, ADD, Chop, XY and CT between
// them. A thin view over ChannelsPanelModel on the settings panel base.

#include "SettingsPanelWindow.h"
#include "app/ChannelsPanelModel.h"

class QLabel;

namespace ql::gui {

class ChannelsPanel : public SettingsPanel<ChannelsPanelModel> {
    Q_OBJECT
public:
    ChannelsPanel(ProgramState& state, Host& host, char decimalSign, QWidget* parent = nullptr);

protected:
    void showView(const ChannelsPanelView& v) override;

private:
    struct Column {
        QLabel* colourBar = nullptr;
        StepList* volts = nullptr;
        QLabel* variable = nullptr;
        QButtonGroup* coupling = nullptr;
        QButtonGroup* probe = nullptr;
        QAbstractButton* on = nullptr;
        QAbstractButton* invert = nullptr;
        QAbstractSlider* position = nullptr;
    };
    QWidget* buildColumn(Channel ch);
    QWidget* buildSwitches();
    static void showColumn(Column& c, const ChannelColumnView& v);

    Column columns_[2];
    QAbstractButton* add_ = nullptr;
    QAbstractButton* chop_ = nullptr;
    QAbstractButton* xy_ = nullptr;
    QAbstractButton* componentTester_ = nullptr;
};

}  // namespace ql::gui
