#pragma once
// The "Storage" panel: digital storage and the acquisition modes with averaging, PK-DET and
// Hold on the left, the pre-trigger and the two reference traces in the middle, the set-up
// memory and the instrument buttons Reset, Set, Save and Recall on the right. A thin view over
// StoragePanelModel on the settings panel base; the buttons call the operations at once.

#include <QPushButton>

#include "SettingsPanelWindow.h"
#include "app/InstrumentOperations.h"
#include "app/StoragePanelModel.h"

class QLabel;
class QStackedWidget;

namespace ql::gui {

class StoragePanel : public SettingsPanel<StoragePanelModel> {
    Q_OBJECT
public:
    StoragePanel(ProgramState& state, Host& host, InstrumentOperations& operations,
                 char decimalSign, QWidget* parent = nullptr);

protected:
    void showView(const StoragePanelView& v) override;

private:
    QWidget* buildModes();
    QWidget* buildPretrigger();
    QWidget* buildReferences();
    QWidget* buildButtons(InstrumentOperations& operations);

    QAbstractButton* digital_ = nullptr;
    QButtonGroup* modes_ = nullptr;
    StepList* average_ = nullptr;
    QAbstractButton* peakDetect_ = nullptr;
    QAbstractButton* hold_ = nullptr;
    QStackedWidget* pretrigger_ = nullptr;  // the steps or the variable position
    QAbstractButton* pretriggerOn_ = nullptr;
    StepList* pretriggerSteps_ = nullptr;
    QAbstractSlider* pretriggerBar_ = nullptr;
    QLabel* pretriggerTime_ = nullptr;
    QLabel* ref1Swatch_ = nullptr;
    QLabel* traceSeparation_ = nullptr;
    QAbstractButton* ref1_ = nullptr;
    QAbstractButton* ref2_ = nullptr;
    QAbstractSlider* ref1Bar_ = nullptr;
    QAbstractSlider* ref2Bar_ = nullptr;
    StepList* slot_ = nullptr;
    QPushButton* reset_ = nullptr;
    QPushButton* saveReferences_ = nullptr;
};

}  // namespace ql::gui
