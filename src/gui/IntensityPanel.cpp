#include "IntensityPanel.h"

#include <QGridLayout>
#include <QLabel>

namespace ql::gui {

namespace {

// Each caption on its colour, each value on the light shade of it.
constexpr Rgb kGreen = {0, 255, 0}, kLightGreen = {192, 255, 192};
constexpr Rgb kCyan = {0, 255, 255}, kLightCyan = {192, 255, 255};
constexpr Rgb kYellow = {255, 255, 0}, kLightYellow = {255, 255, 192};

}  // namespace

IntensityPanel::IntensityPanel(ProgramState& state, Host& host, QWidget* parent)
    : SettingsPanel(host, ToolWindow::IntensityPanel, UiAction::IntensityMenuItem,
                    QStringLiteral("Intens"), QStringLiteral("intensityPanel"), parent, state)
{
    timebaseA_ = buildRow(QStringLiteral("Timebase A"), QStringLiteral("timebaseAIntensity"),
                          kGreen, kLightGreen);
    timebaseB_ = buildRow(QStringLiteral("Timebase B"), QStringLiteral("timebaseBIntensity"),
                          kYellow, kLightYellow);
    readout_ =
        buildRow(QStringLiteral("Read out"), QStringLiteral("readoutIntensity"), kCyan, kLightCyan);
    auto* grid = new QGridLayout;
    int line = 0;
    for (const Row* row : {&timebaseA_, &timebaseB_, &readout_}) {
        grid->addWidget(row->caption, line, 0);
        grid->addWidget(row->value, line, 1);
        grid->addWidget(row->bar, line, 2);
        ++line;
    }
    setPanelLayout(grid);

    onMoved(timebaseA_.bar, [this](int value) { return model_.timebaseAMoved(value); });
    onMoved(timebaseB_.bar, [this](int value) { return model_.timebaseBMoved(value); });
    onMoved(readout_.bar, [this](int value) { return model_.readoutMoved(value); });
}

IntensityPanel::Row IntensityPanel::buildRow(const QString& caption, const QString& name,
                                             Rgb colour, Rgb lightColour)
{
    Row row;
    row.caption = label(caption, name + QStringLiteral("Caption"));
    row.caption->setMinimumWidth(80);
    showBackground(row.caption, colour);
    row.value =
        valueLabel(name + QStringLiteral("Value"), caption + QStringLiteral(" intensity value"));
    row.value->setMinimumWidth(32);
    row.value->setAlignment(Qt::AlignCenter);
    showBackground(row.value, lightColour);
    row.bar = bar(Qt::Horizontal, 0, IntensityPanelModel::kMaximum, IntensityPanelModel::kLargeStep,
                  name + QStringLiteral("Bar"), caption + QStringLiteral(" intensity"));
    row.bar->setMinimumWidth(160);
    // The hidden time base B bar keeps its place.
    QSizePolicy keepPlace = row.bar->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    row.bar->setSizePolicy(keepPlace);
    return row;
}

void IntensityPanel::showRow(const Row& row, const IntensityBarView& v)
{
    showValue(row.value, v.valueText);
    row.bar->setValue(v.value);
}

void IntensityPanel::showView(const IntensityPanelView& v)
{
    showRow(timebaseA_, v.timebaseA);
    showRow(timebaseB_, v.timebaseB);
    showRow(readout_, v.readout);
    timebaseB_.bar->setVisible(v.timebaseBShown);
    timebaseB_.caption->setEnabled(v.timebaseBShown);
    timebaseB_.value->setEnabled(v.timebaseBShown);
}

}  // namespace ql::gui
