#pragma once
// The serial port set-up window: port 1..4 (with the device each maps to), baud rate, Ok,
// Exit and Autosearch. A thin view over PortSetupModel: it shows the model's view and
// forwards each click.

#include <QDialog>

#include "ModelWindow.h"
#include "app/PortSetupModel.h"

class QButtonGroup;
class QPushButton;

namespace ql::gui {

class FocusPark;

class PortSetupDialog : public QDialog, public ModelWindow<PortSetupModel> {
    Q_OBJECT
public:
    PortSetupDialog(InstrumentLink& link, QWidget* parent = nullptr);

    void opened() override;
    // The checked port.
    QWidget* openingFocus() const override;
    bool mayClose() const override { return model_.mayClose(); }
    // Escape and "Exit" close the window only when it may close.
    void reject() override;

protected:
    // The buttons switched off while the ports are asked leave the focus waiting on the
    // window.
    bool focusNextPrevChild(bool next) override;

private:
    void showView(const PortSetupView& v) override;

    QButtonGroup* portGroup_ = nullptr;
    QButtonGroup* baudGroup_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QPushButton* autosearchButton_ = nullptr;
    FocusPark* park_ = nullptr;  // a child of the window
};

}  // namespace ql::gui
