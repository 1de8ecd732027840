#include "PortSetupDialog.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/OperationGuard.h"
#include "link/InstrumentLink.h"
#include "link/PortMap.h"

namespace ql::gui {

PortSetupDialog::PortSetupDialog(ProgramState& state, InstrumentLink& link, QWidget* parent)
    : QDialog(parent), state_(state), link_(link)
{
    setObjectName(QStringLiteral("portSetupDialog"));
    setWindowTitle(QStringLiteral("Serial port setup"));

    auto* portBox = new QGroupBox(QStringLiteral("Port:"), this);
    auto* portLayout = new QVBoxLayout(portBox);
    auto* portGroup = new QButtonGroup(this);
    for (int p = 1; p <= 4; ++p) {
        const auto device = portDevice(p);
        auto* option = new QRadioButton(
            QStringLiteral("Com%1  (%2)").arg(p).arg(QString::fromStdString(device.value_or("?"))),
            portBox);
        option->setObjectName(QStringLiteral("com%1Option").arg(p));
        portGroup->addButton(option, p);
        portLayout->addWidget(option);
        portOptions_[p - 1] = option;
    }
    auto* baudBox = new QGroupBox(QStringLiteral("Baudrate:"), this);
    auto* baudLayout = new QVBoxLayout(baudBox);
    auto* baudGroup = new QButtonGroup(this);
    for (int i = 0; i < 6; ++i) {
        auto* option = new QRadioButton(QString::number(kBaudRates[i]), baudBox);
        option->setObjectName(QStringLiteral("baud%1Option").arg(kBaudRates[i]));
        baudGroup->addButton(option, i);
        baudLayout->addWidget(option);
        baudOptions_[i] = option;
    }
    okButton_ = new QPushButton(QStringLiteral("&Ok"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    exitButton_ = new QPushButton(QStringLiteral("E&xit"), this);
    exitButton_->setObjectName(QStringLiteral("exitButton"));
    autosearchButton_ = new QPushButton(QStringLiteral("Autosearch"), this);
    autosearchButton_->setObjectName(QStringLiteral("autosearchButton"));

    auto* options = new QHBoxLayout;
    options->addWidget(portBox);
    options->addWidget(baudBox);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(okButton_);
    buttons->addWidget(exitButton_);
    buttons->addWidget(autosearchButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addLayout(buttons);

    connect(okButton_, &QPushButton::clicked, this, &PortSetupDialog::acceptChoice);
    connect(exitButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(autosearchButton_, &QPushButton::clicked, this, &PortSetupDialog::runSearch);

    // Opening the window returns a held instrument to local operation.
    link_.portSearch().setupOpened();
    selectPort(state_.link.comPort);
    selectBaudRate(state_.link.baudRate);
}

int PortSetupDialog::selectedPort() const
{
    for (int p = 0; p < 4; ++p)
        if (portOptions_[p]->isChecked()) return p + 1;
    return 0;
}

long PortSetupDialog::selectedBaudRate() const
{
    for (int i = 0; i < 6; ++i)
        if (baudOptions_[i]->isChecked()) return kBaudRates[i];
    return 0;
}

void PortSetupDialog::selectPort(int portNumber)
{
    // A stored number outside 1..4 selects nothing.
    for (int p = 0; p < 4; ++p) {
        portOptions_[p]->setAutoExclusive(false);
        portOptions_[p]->setChecked(p + 1 == portNumber);
        portOptions_[p]->setAutoExclusive(true);
    }
}

void PortSetupDialog::selectBaudRate(long baudRate)
{
    for (int i = 0; i < 6; ++i) {
        baudOptions_[i]->setAutoExclusive(false);
        baudOptions_[i]->setChecked(kBaudRates[i] == baudRate);
        baudOptions_[i]->setAutoExclusive(true);
    }
}

void PortSetupDialog::setWorking(bool working)
{
    working_ = working;
    okButton_->setEnabled(!working);
    exitButton_->setEnabled(!working);
    autosearchButton_->setEnabled(!working);
}

void PortSetupDialog::reject()
{
    if (!working_) QDialog::reject();
}

void PortSetupDialog::closeEvent(QCloseEvent* event)
{
    if (working_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void PortSetupDialog::acceptChoice()
{
    // Another operation on the line (a remote read, the timer's work) goes first.
    OperationGuard guard(state_, link_.context().host);
    if (!guard || working_) return;
    setWorking(true);
    link_.portSearch().setupAccepted(selectedPort(), selectedBaudRate(), link_.identification());
    setWorking(false);
    accept();
}

void PortSetupDialog::runSearch()
{
    OperationGuard guard(state_, link_.context().host);
    if (!guard || working_) return;
    // The window's own buttons stay off while the search talks to the ports.
    setWorking(true);
    const PortSearchResult result = link_.portSearch().autoSearchPort();
    selectPort(result.portNumber);
    selectBaudRate(result.baudRate);
    setWorking(false);
}

}  // namespace ql::gui
