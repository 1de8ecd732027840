#include "PortSetupDialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ql::gui {

namespace {

// Sets an option without the group's exclusiveness, so "none selected" can be shown too.
void showSelected(QRadioButton* option, bool selected)
{
    option->setAutoExclusive(false);
    option->setChecked(selected);
    option->setAutoExclusive(true);
}

}  // namespace

PortSetupDialog::PortSetupDialog(InstrumentLink& link, QWidget* parent)
    : QDialog(parent), model_(link), host_(link.context().host)
{
    setObjectName(QStringLiteral("portSetupDialog"));
    setWindowTitle(QStringLiteral("Serial port setup"));

    auto* portBox = new QGroupBox(QStringLiteral("Port:"), this);
    auto* portLayout = new QVBoxLayout(portBox);
    auto* portGroup = new QButtonGroup(this);
    for (int p = 1; p <= 4; ++p) {
        auto* option = new QRadioButton(portBox);
        option->setObjectName(QStringLiteral("com%1Option").arg(p));
        portGroup->addButton(option, p);
        portLayout->addWidget(option);
        portOptions_[p - 1] = option;
    }
    changes_.onChosen(portGroup, [this](int port) { model_.portChosen(port); });
    auto* baudBox = new QGroupBox(QStringLiteral("Baudrate:"), this);
    auto* baudLayout = new QVBoxLayout(baudBox);
    auto* baudGroup = new QButtonGroup(this);
    for (std::size_t i = 0; i < PortSetupModel::kBaudRates.size(); ++i) {
        auto* option = new QRadioButton(baudBox);
        option->setObjectName(QStringLiteral("baud%1Option").arg(PortSetupModel::kBaudRates[i]));
        baudGroup->addButton(option, static_cast<int>(i));
        baudLayout->addWidget(option);
        baudOptions_[i] = option;
    }
    changes_.onChosen(baudGroup, [this](int option) {
        model_.baudRateChosen(PortSetupModel::kBaudRates[static_cast<std::size_t>(option)]);
    });
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

    connect(okButton_, &QPushButton::clicked, this, [this] { carryOutAndClose(model_.ok()); });
    connect(exitButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(autosearchButton_, &QPushButton::clicked, this,
            [this] { carryOutAndClose(model_.autosearch()); });
    model_.setViewChanged([this] { applyView(); });
    applyView();
}

void PortSetupDialog::opened()
{
    model_.opened();
    applyView();
}

void PortSetupDialog::applyView()
{
    const PortSetupView v = model_.view();
    const UserChanges::Painting painting = changes_.painting();
    for (std::size_t p = 0; p < v.ports.size(); ++p) {
        portOptions_[p]->setText(QString::fromStdString(v.ports[p].caption));
        showSelected(portOptions_[p], v.ports[p].selected);
    }
    for (std::size_t i = 0; i < v.baudRates.size(); ++i) {
        baudOptions_[i]->setText(QString::fromStdString(v.baudRates[i].caption));
        showSelected(baudOptions_[i], v.baudRates[i].selected);
    }
    for (QPushButton* button : {okButton_, exitButton_, autosearchButton_})
        button->setEnabled(v.buttonsEnabled);
}

void PortSetupDialog::carryOutAndClose(const Followup& followup)
{
    applyView();
    carryOut(host_, followup);
    if (followup.closeWindow) accept();
}

void PortSetupDialog::reject()
{
    if (model_.mayClose()) QDialog::reject();
}

}  // namespace ql::gui
