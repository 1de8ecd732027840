#include "PortSetupDialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "FocusPark.h"
#include "link/PortMap.h"

namespace ql::gui {

namespace {

// Each option's caption, and the one selected (none for a value the window does not offer).
template <class Options>
void showOptions(QButtonGroup* group, const Options& options)
{
    int selected = kNoOption;
    for (std::size_t i = 0; i < options.size(); ++i) {
        group->button(static_cast<int>(i))->setText(QString::fromStdString(options[i].caption));
        if (options[i].selected) selected = static_cast<int>(i);
    }
    ModelWindowBase::showOption(group, selected);
}

}  // namespace

PortSetupDialog::PortSetupDialog(InstrumentLink& link, QWidget* parent)
    : QDialog(parent), ModelWindow(*this, link.context().host, ToolWindow::PortSetup, link)
{
    setObjectName(QStringLiteral("portSetupDialog"));
    setWindowTitle(QStringLiteral("Serial port setup"));

    auto* portBox = new QGroupBox(QStringLiteral("Port:"), this);
    auto* portLayout = new QVBoxLayout(portBox);
    portGroup_ = new QButtonGroup(this);
    for (int p = 0; p < 4; ++p) {
        auto* option = new QRadioButton(portBox);
        option->setObjectName(QStringLiteral("com%1Option").arg(p + 1));
        portGroup_->addButton(option, p);
        portLayout->addWidget(option);
    }
    onChosen(portGroup_, [this](int option) { model_.portChosen(kFirstPortNumber + option); });
    auto* baudBox = new QGroupBox(QStringLiteral("Baudrate:"), this);
    auto* baudLayout = new QVBoxLayout(baudBox);
    baudGroup_ = new QButtonGroup(this);
    for (std::size_t i = 0; i < PortSetupModel::kBaudRates.size(); ++i) {
        auto* option = new QRadioButton(baudBox);
        option->setObjectName(QStringLiteral("baud%1Option").arg(PortSetupModel::kBaudRates[i]));
        baudGroup_->addButton(option, static_cast<int>(i));
        baudLayout->addWidget(option);
    }
    onChosen(baudGroup_, [this](int option) {
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

    onPressed(okButton_, [this] { return model_.ok(); });
    onPressed(exitButton_, [this] { reject(); });
    onPressed(autosearchButton_, [this] { return model_.autosearch(); });
    // The buttons go off while the ports are asked, in the middle of Ok and Autosearch.
    model_.setViewChanged([this] { paintView(); });
    park_ = new FocusPark(*this);
}

void PortSetupDialog::opened()
{
    model_.opened();
    applyView();
}

QWidget* PortSetupDialog::openingFocus() const
{
    return portGroup_->checkedButton();
}

void PortSetupDialog::showView(const PortSetupView& v)
{
    showOptions(portGroup_, v.ports);
    showOptions(baudGroup_, v.baudRates);
    for (QPushButton* button : {okButton_, exitButton_, autosearchButton_})
        button->setEnabled(v.buttonsEnabled);
}

bool PortSetupDialog::focusNextPrevChild(bool next)
{
    return park_->parkFocusOf(*this) || QDialog::focusNextPrevChild(next);
}

void PortSetupDialog::reject()
{
    if (model_.mayClose()) QDialog::reject();
}

}  // namespace ql::gui
