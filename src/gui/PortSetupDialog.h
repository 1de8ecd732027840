#pragma once
// The serial port set-up window: port 1..4 (with the device each maps to), baud rate, Ok,
// Exit and Autosearch. A thin view over PortSetupModel: it shows the model's view and
// forwards each click.

#include <QDialog>

#include "ToolWindowEntry.h"
#include "UserChanges.h"
#include "app/PortSetupModel.h"

class QRadioButton;
class QPushButton;

namespace ql::gui {

class PortSetupDialog : public QDialog, public ToolWindowContent {
    Q_OBJECT
public:
    PortSetupDialog(InstrumentLink& link, QWidget* parent = nullptr);

    int selectedPort() const { return model_.selectedPort(); }           // 0: none selected
    long selectedBaudRate() const { return model_.selectedBaudRate(); }  // 0: none selected

    void opened() override;
    bool mayClose() const override { return model_.mayClose(); }
    // Escape and "Exit" close the window only when it may close.
    void reject() override;

private:
    void applyView();
    void carryOutAndClose(const Followup& followup);

    PortSetupModel model_;
    Host& host_;
    UserChanges changes_{this};
    QRadioButton* portOptions_[4] = {};
    QRadioButton* baudOptions_[6] = {};
    QPushButton* okButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QPushButton* autosearchButton_ = nullptr;
};

}  // namespace ql::gui
