#include "PrintSettingsWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "state/Text.h"

namespace ql::gui {

namespace {

constexpr int kBoxColumns = 3;

}  // namespace

PrintSettingsWindow::PrintSettingsWindow(ProgramState& state, Host& host, Printer& printer,
                                         QWidget* parent)
    : QWidget(parent), model_(state, host, printer), host_(host)
{
    setObjectName(QStringLiteral("printSettingsWindow"));
    setWindowTitle(QStringLiteral("Printer settings"));

    auto* label = new QLabel(QStringLiteral("Headline"), this);
    headline_ = new QLineEdit(this);
    headline_->setObjectName(QStringLiteral("headlineBox"));
    headline_->setAccessibleName(QStringLiteral("Headline"));
    headline_->setMaxLength(kHeadlineLength);
    headline_->setMinimumWidth(headline_->fontMetrics().averageCharWidth() * 40);
    label->setBuddy(headline_);
    changes_.onEdited(
        headline_,
        [this](const QString& text) { carry(model_.headlineEdited(text.toStdString())); },
        [this] {
            const Followup f = model_.headlineEntered();
            applyView(true);
            carry(f);
        });

    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < kPrintOptions.size(); ++i) {
        const PrintOption option = kPrintOptions[i];
        auto* box = new QCheckBox(QString::fromUtf8(printOptionCaption(option)), this);
        box->setObjectName(QStringLiteral("option%1Box").arg(static_cast<int>(i) + 1));
        changes_.onSwitched(box, [this, option](bool checked) {
            const Followup f = model_.optionToggled(option, checked);
            applyView(false);
            carry(f);
        });
        grid->addWidget(box, static_cast<int>(i) / kBoxColumns, static_cast<int>(i) % kBoxColumns);
        boxes_[static_cast<std::size_t>(option)] = box;
    }

    print_ = new QPushButton(QStringLiteral("&Print"), this);
    print_->setObjectName(QStringLiteral("printButton"));
    cancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cancelButton"));
    connect(print_, &QPushButton::clicked, this, [this] { carry(model_.print()); });
    connect(cancel_, &QPushButton::clicked, this, [this] { carry(model_.cancel()); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(headline_);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    applyView(true);
}

QCheckBox* PrintSettingsWindow::optionBox(PrintOption option) const
{
    return boxes_[static_cast<std::size_t>(option)];
}

void PrintSettingsWindow::refresh()
{
    applyView(false);
}

void PrintSettingsWindow::opened()
{
    applyView(true);
    model_.opened();
}

void PrintSettingsWindow::closed()
{
    model_.closed();
}

void PrintSettingsWindow::applyView(bool headlineToo)
{
    const PrintSettingsView v = model_.view();
    const UserChanges::Painting painting = changes_.painting();
    const QString headline = QString::fromStdString(v.headline);
    if (headlineToo ||
        QString::fromStdString(trimRight(headline_->text().toStdString())) != headline)
        headline_->setText(headline);
    for (const OptionBoxView& b : v.boxes) {
        QCheckBox* box = optionBox(b.option);
        box->setChecked(b.checked);
        box->setEnabled(b.enabled);
    }
}

void PrintSettingsWindow::carry(const Followup& followup)
{
    carryOut(host_, followup);
    if (followup.closeWindow) host_.closeWindow(ToolWindow::PrinterSettings);
}

}  // namespace ql::gui
