#include "ExportSettingsWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace ql::gui {

namespace {

constexpr int kBoxColumns = 2;

}  // namespace

ExportSettingsWindow::ExportSettingsWindow(ProgramState& state, Host& host,
                                           PictureClipboard& clipboard, FileDialogs& dialogs,
                                           QWidget* parent)
    : QWidget(parent),
      ModelWindow(*this, host, ToolWindow::ExportSettings, state, host, clipboard, &device)
{
    setObjectName(QStringLiteral("exportSettingsWindow"));
    setWindowTitle(QStringLiteral("Export settings"));

    auto* grid = new QGridLayout;
    const ExportSettingsView v = model_.view();
    for (std::size_t i = 0; i < v.boxes.size(); ++i) {
        const PrintOption option = v.boxes[i].option;
        auto* box = new QCheckBox(QString::fromStdString(v.boxes[i].caption), this);
        box->setObjectName(QStringLiteral("exportOption%1Box").arg(static_cast<int>(i) + 1));
        onSwitched(box, [this, option](bool on) { return model_.optionToggled(option, on); });
        grid->addWidget(box, static_cast<int>(i) / kBoxColumns, static_cast<int>(i) % kBoxColumns);
        boxes_[static_cast<std::size_t>(option)] = box;
    }

    copy_ = new QPushButton(QStringLiteral("&Copy to clipboard"), this);
    copy_->setObjectName(QStringLiteral("copyButton"));
    auto* save = new QPushButton(QStringLiteral("&Save as WMF"), this);
    save->setObjectName(QStringLiteral("saveButton"));
    cancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cancelButton"));
    onPressed(copy_, [this] { return model_.copyToClipboard(); });
    onPressed(save, [this, &dialogs] { return model_.saveAsWmf(dialogs); });
    onPressed(cancel_, [this] { return model_.cancel(); });

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(copy_);
    buttons->addWidget(save);
    buttons->addWidget(cancel_);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

void ExportSettingsWindow::opened()
{
    model_.opened();
    applyView();
}

void ExportSettingsWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        return cancel_->click();
    QWidget::keyPressEvent(event);
}

void ExportSettingsWindow::showView(const ExportSettingsView& v)
{
    for (const OptionBoxView& b : v.boxes) {
        QCheckBox* box = boxes_[static_cast<std::size_t>(b.option)];
        box->setChecked(b.checked);
        box->setEnabled(b.enabled);
    }
}

}  // namespace ql::gui
