#include "ExportSettingsWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "QtPaintDevice.h"
#include "hardcopy/HardcopyOutput.h"

namespace ql::gui {

namespace {

constexpr int kBoxColumns = 2;

}  // namespace

ExportSettingsWindow::ExportSettingsWindow(ProgramState& state, Host& host,
                                           PictureClipboard& clipboard, FileDialogs& dialogs,
                                           QWidget* parent)
    : QWidget(parent),
      metricsPicture_(textMetricsImage(kMetafilePictureDpi)),
      metrics_(std::make_unique<QtPaintDevice>(metricsPicture_)),
      model_(state, host, clipboard, metrics_.get()),
      host_(host),
      dialogs_(dialogs)
{
    setObjectName(QStringLiteral("exportSettingsWindow"));
    setWindowTitle(QStringLiteral("Export settings"));

    auto* grid = new QGridLayout;
    const ExportSettingsView v = model_.view();
    for (std::size_t i = 0; i < v.boxes.size(); ++i) {
        const PrintOption option = v.boxes[i].option;
        auto* box = new QCheckBox(QString::fromStdString(v.boxes[i].caption), this);
        box->setObjectName(QStringLiteral("exportOption%1Box").arg(static_cast<int>(i) + 1));
        changes_.onSwitched(box, [this, option](bool checked) {
            const Followup f = model_.optionToggled(option, checked);
            applyView();
            carry(f);
        });
        grid->addWidget(box, static_cast<int>(i) / kBoxColumns, static_cast<int>(i) % kBoxColumns);
        boxes_[static_cast<std::size_t>(option)] = box;
    }

    copy_ = new QPushButton(QStringLiteral("&Copy to clipboard"), this);
    copy_->setObjectName(QStringLiteral("copyButton"));
    save_ = new QPushButton(QStringLiteral("&Save as WMF"), this);
    save_->setObjectName(QStringLiteral("saveButton"));
    cancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cancelButton"));
    connect(copy_, &QPushButton::clicked, this, [this] { carry(model_.copyToClipboard()); });
    connect(save_, &QPushButton::clicked, this, [this] { carry(model_.saveAsWmf(dialogs_)); });
    connect(cancel_, &QPushButton::clicked, this, [this] { carry(model_.cancel()); });

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(copy_);
    buttons->addWidget(save_);
    buttons->addWidget(cancel_);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    applyView();
}

ExportSettingsWindow::~ExportSettingsWindow() = default;

QCheckBox* ExportSettingsWindow::optionBox(PrintOption option) const
{
    return boxes_[static_cast<std::size_t>(option)];
}

void ExportSettingsWindow::opened()
{
    model_.opened();
    applyView();
}

void ExportSettingsWindow::applyView()
{
    const UserChanges::Painting painting = changes_.painting();
    for (const OptionBoxView& b : model_.view().boxes) {
        QCheckBox* box = optionBox(b.option);
        box->setChecked(b.checked);
        box->setEnabled(b.enabled);
    }
}

void ExportSettingsWindow::carry(const Followup& followup)
{
    carryOut(host_, followup);
    if (followup.closeWindow) host_.closeWindow(ToolWindow::ExportSettings);
}

}  // namespace ql::gui
