#include "PrintSettingsWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ql::gui {

namespace {

constexpr int kBoxColumns = 3;

}  // namespace

PrintSettingsWindow::PrintSettingsWindow(ProgramState& state, Host& host, Printer& printer,
                                         QWidget* parent)
    : QWidget(parent), ModelWindow(*this, host, ToolWindow::PrinterSettings, state, host, printer)
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
    onEdited(
        headline_, [this](const std::string& text) { return model_.headlineEdited(text); },
        [this](const std::string&) { return model_.headlineEntered(); });

    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < kPrintOptions.size(); ++i) {
        const PrintOption option = kPrintOptions[i];
        auto* box = new QCheckBox(QString::fromUtf8(printOptionCaption(option)), this);
        box->setObjectName(QStringLiteral("option%1Box").arg(static_cast<int>(i) + 1));
        onSwitched(box, [this, option](bool on) { return model_.optionToggled(option, on); });
        grid->addWidget(box, static_cast<int>(i) / kBoxColumns, static_cast<int>(i) % kBoxColumns);
        boxes_[static_cast<std::size_t>(option)] = box;
    }

    print_ = new QPushButton(QStringLiteral("&Print"), this);
    print_->setObjectName(QStringLiteral("printButton"));
    cancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cancelButton"));
    onPressed(print_, [this] { return model_.print(); });
    onPressed(cancel_, [this] { return model_.cancel(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(headline_);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

void PrintSettingsWindow::opened()
{
    model_.opened();
    applyView();
}

void PrintSettingsWindow::showView(const PrintSettingsView& v)
{
    // The box differs from the model only where the model changed it: shown even while typed in.
    const QString headline = QString::fromStdString(v.headlineBox);
    if (headline_->text() != headline) headline_->setText(headline);
    for (const OptionBoxView& b : v.boxes) {
        QCheckBox* box = optionBox(b.option);
        box->setChecked(b.checked);
        box->setEnabled(b.enabled);
    }
}

}  // namespace ql::gui
