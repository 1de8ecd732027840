#include "TriggerPanel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace ql::gui {

TriggerPanel::TriggerPanel(ProgramState& state, Host& host, QWidget* parent)
    : SettingsPanel(host, ToolWindow::TriggerPanel, UiAction::TriggerMenuItem,
                    QStringLiteral("Trigger"), QStringLiteral("triggerPanel"), parent, state)
{
    auto* box = new QVBoxLayout;
    statusBar_ = valueLabel(QStringLiteral("triggerStatusBar"), QStringLiteral("Trigger status"));
    statusBar_->setFixedHeight(6);
    box->addWidget(statusBar_);

    auto* grid = new QGridLayout;
    grid->addWidget(optionGroup(QStringLiteral("Source"),
                                {QStringLiteral("CH I"), QStringLiteral("CH II"),
                                 QStringLiteral("Extern"), QStringLiteral("Alternate")},
                                QStringLiteral("triggerSource"), source_),
                    0, 0, 2, 1);
    grid->addWidget(
        optionGroup(QStringLiteral("Coupling"),
                    {QStringLiteral("AC"), QStringLiteral("DC"), QStringLiteral("HF"),
                     QStringLiteral("NR"), QStringLiteral("LF"), QStringLiteral("TVLINE"),
                     QStringLiteral("TVFIELD"), QStringLiteral("LINE")},
                    QStringLiteral("triggerCoupling"), coupling_),
        0, 1, 3, 1);
    // The groups without a caption are named for a screen reader.
    QGroupBox* modeFrame = optionGroup(QString(), {QStringLiteral("AUTO"), QStringLiteral("NORM")},
                                       QStringLiteral("triggerMode"), mode_);
    modeFrame->setAccessibleName(QStringLiteral("Trigger mode"));
    grid->addWidget(modeFrame, 2, 0);
    grid->addWidget(
        optionGroup(QStringLiteral("Slope"), {QStringLiteral("+ TB A"), QStringLiteral(" - TB A")},
                    QStringLiteral("triggerSlopeA"), slopeA_),
        0, 2);
    QGroupBox* slopeBFrame =
        optionGroup(QString(), {QStringLiteral("+ TB B"), QStringLiteral(" - TB B")},
                    QStringLiteral("triggerSlopeB"), slopeB_);
    slopeBFrame->setAccessibleName(QStringLiteral("Slope TB B"));
    grid->addWidget(slopeBFrame, 1, 2);
    box->addLayout(grid);

    box->addWidget(label(QStringLiteral("TRG-LEVEL"), QStringLiteral("levelLabel")));
    level_ = bar(Qt::Horizontal, 0, TriggerPanelModel::kLastLevel, 64,
                 QStringLiteral("triggerLevelBar"), QStringLiteral("Trigger level"));
    level_->setMinimumWidth(200);
    box->addWidget(level_);
    setPanelLayout(box);

    onChosen(source_, [this](int option) { return model_.sourceChosen(option); });
    onChosen(coupling_, [this](int option) { return model_.couplingChosen(option); });
    onChosen(mode_, [this](int option) { return model_.modeChosen(option); });
    onChosen(slopeA_, [this](int option) { return model_.slopeAChosen(option); });
    onChosen(slopeB_, [this](int option) { return model_.slopeBChosen(option); });
    onMoved(level_, [this](int value) { return model_.levelMoved(value); });
}

void TriggerPanel::showView(const TriggerPanelView& v)
{
    showBackground(statusBar_, qbColor(v.statusBackground));
    statusBar_->setAccessibleDescription(QString::fromStdString(v.statusText));
    showOption(source_, v.source);
    source_->button(TriggerPanelModel::kAlternateOption)->setEnabled(v.alternateEnabled);
    showOption(coupling_, v.coupling);
    coupling_->button(TriggerPanelModel::kNrOption)->setEnabled(v.nrEnabled);
    showOption(mode_, v.mode);
    showOption(slopeA_, v.slopeA);
    showOption(slopeB_, v.slopeB);
    for (QAbstractButton* option : slopeB_->buttons()) option->setEnabled(v.slopeBEnabled);
    level_->setValue(v.level);
}

}  // namespace ql::gui
