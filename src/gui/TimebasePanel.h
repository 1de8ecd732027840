#pragma once
// The "Timebase" panel: time base A on the left, time base B (or, on models without it, the
// delayed sweep with "Del" and "SEA") on the right, the delay position below them and the
// switches at the bottom. A thin view over TimebasePanelModel on the settings panel base.

#include "SettingsPanelWindow.h"
#include "app/TimebasePanelModel.h"

class QLabel;

namespace ql::gui {

class TimebasePanel : public SettingsPanel<TimebasePanelModel> {
    Q_OBJECT
public:
    TimebasePanel(ProgramState& state, Host& host, char decimalSign, QWidget* parent = nullptr);

protected:
    void showView(const TimebasePanelView& v) override;

private:
    struct Column {
        QLabel* timePerDivLabel = nullptr;
        StepList* list = nullptr;
        QAbstractButton* on = nullptr;
        QLabel* variableLabel = nullptr;
        QLabel* variable = nullptr;
        QToolButton* variableUp = nullptr;
        QToolButton* variableDown = nullptr;
    };
    Column buildColumn(const QString& name, const QString& field);
    static void showColumn(Column& c, const TimebaseColumnView& v);

    Column a_, b_;
    QLabel* bHeading_ = nullptr;
    QLabel* delHeading_ = nullptr;
    QAbstractButton* delayedSweep_ = nullptr;
    QAbstractButton* search_ = nullptr;
    QLabel* delayText_ = nullptr;
    QToolButton* delayUp_ = nullptr;
    QToolButton* delayDown_ = nullptr;
    QAbstractButton* trigDelay_ = nullptr;
    QAbstractButton* xMag10_ = nullptr;
    QAbstractButton* bandwidthLimit_ = nullptr;
};

}  // namespace ql::gui
