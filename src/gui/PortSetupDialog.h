#pragma once
// The serial port set-up window: port 1..4 (with the device each maps to), baud rate, Ok,
// Exit and Autosearch. A thin view over the port search and identification of the link.

#include <QDialog>

class QRadioButton;
class QPushButton;

namespace ql {
class InstrumentLink;
struct ProgramState;
}  // namespace ql

namespace ql::gui {

class PortSetupDialog : public QDialog {
    Q_OBJECT
public:
    PortSetupDialog(ProgramState& state, InstrumentLink& link, QWidget* parent = nullptr);

    static constexpr long kBaudRates[6] = {2400, 4800, 9600, 19200, 57600, 115200};

    int selectedPort() const;       // 0 when none is selected
    long selectedBaudRate() const;  // 0 when none is selected
    void selectPort(int portNumber);
    void selectBaudRate(long baudRate);

    // While Ok or Autosearch talks to the ports the window cannot be closed.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void acceptChoice();
    void runSearch();
    void setWorking(bool working);

    ProgramState& state_;
    InstrumentLink& link_;
    QRadioButton* portOptions_[4] = {};
    QRadioButton* baudOptions_[6] = {};
    QPushButton* okButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QPushButton* autosearchButton_ = nullptr;
    bool working_ = false;
};

}  // namespace ql::gui
