#include "TimebasePanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <tuple>

namespace ql::gui {

namespace {

constexpr int kVariableLabelColour = 11;            // light cyan
constexpr Rgb kDelayLabelColour = {255, 255, 192};  // pale yellow

// A control shown on some models only keeps its place, so the panel keeps its size.
void keepPlaceWhenHidden(QWidget* w)
{
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
}

QHBoxLayout* spinRow(QLabel* caption, QLabel* value, QToolButton* up, QToolButton* down)
{
    auto* row = new QHBoxLayout;
    if (caption) row->addWidget(caption);
    row->addWidget(value);
    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(up);
    arrows->addWidget(down);
    row->addLayout(arrows);
    row->addStretch();
    return row;
}

}  // namespace

TimebasePanel::TimebasePanel(ProgramState& state, Host& host, char decimalSign, QWidget* parent)
    : SettingsPanel(host, ToolWindow::TimebasePanel, UiAction::TimebaseMenuItem,
                    QStringLiteral("Timebase"), QStringLiteral("timebasePanel"), parent, state,
                    decimalSign)
{
    auto* grid = new QGridLayout;
    a_ = buildColumn(QStringLiteral("timebaseA"), QStringLiteral("Time base A"));
    b_ = buildColumn(QStringLiteral("timebaseB"), QStringLiteral("Time base B"));

    grid->addWidget(label(QStringLiteral("A"), QStringLiteral("timebaseAHeading"), true), 0, 0);
    // "B" on models with time base B, "Del" in its place on the others.
    bHeading_ = label(QStringLiteral("B"), QStringLiteral("timebaseBHeading"), true);
    delHeading_ = label(QStringLiteral("Del"), QStringLiteral("delayedSweepHeading"), true);
    auto* heading = new QHBoxLayout;
    heading->addWidget(bHeading_);
    heading->addWidget(delHeading_);
    heading->addStretch();
    grid->addLayout(heading, 0, 1);

    int column = 0;
    for (Column* c : {&a_, &b_}) {
        grid->addWidget(c->timePerDivLabel, 1, column);
        grid->addWidget(c->list, 2, column);
        grid->addLayout(spinRow(c->variableLabel, c->variable, c->variableUp, c->variableDown), 4,
                        column);
        ++column;
    }
    grid->addWidget(a_.on, 3, 0);
    delayedSweep_ = checkBox(QStringLiteral("On"), QStringLiteral("delayedSweepBox"));
    delayedSweep_->setAccessibleName(QStringLiteral("Delayed sweep on"));
    search_ = checkBox(QStringLiteral("SEA"), QStringLiteral("searchBox"));
    auto* onRow = new QHBoxLayout;
    onRow->addWidget(b_.on);
    onRow->addWidget(delayedSweep_);
    onRow->addWidget(search_);
    onRow->addStretch();
    grid->addLayout(onRow, 3, 1);

    delayText_ = valueLabel(QStringLiteral("delayText"), QStringLiteral("delay position"));
    delayText_->setMinimumWidth(80);
    delayText_->setAlignment(Qt::AlignCenter);
    showBackground(delayText_, kDelayLabelColour);
    std::tie(delayUp_, delayDown_) =
        spin(QStringLiteral("delaySpin"), QStringLiteral("Delay position"));
    auto* delayRow = spinRow(label(QStringLiteral("Del. Pos"), QStringLiteral("delayLabel"), true),
                             delayText_, delayUp_, delayDown_);
    grid->addLayout(delayRow, 5, 0, 1, 2);

    trigDelay_ = checkBox(QStringLiteral("Trig. Delay"), QStringLiteral("trigDelayBox"));
    xMag10_ = checkBox(QStringLiteral("X-Mag X10"), QStringLiteral("xMag10Box"));
    bandwidthLimit_ = checkBox(QStringLiteral("BW LIMIT"), QStringLiteral("bandwidthLimitBox"));
    grid->addWidget(trigDelay_, 6, 0);
    grid->addWidget(xMag10_, 6, 1);
    grid->addWidget(bandwidthLimit_, 7, 0);
    // The B and "Del" controls take each other's place; the switches that only some models
    // show keep theirs.
    keepPlaceWhenHidden(trigDelay_);
    keepPlaceWhenHidden(bandwidthLimit_);
    setPanelLayout(grid);

    onChosen(a_.list, [this](int entry) { return model_.timebaseAChosen(entry); });
    onChosen(b_.list, [this](int entry) { return model_.timebaseBChosen(entry); });
    onSwitched(a_.on, [this](bool checked) { return model_.timebaseASwitched(checked); });
    onSwitched(b_.on, [this](bool checked) { return model_.timebaseBSwitched(checked); });
    onStepped(a_.variableUp, a_.variableDown,
              [this](SpinArrow arrow) { return model_.variableAStepped(arrow); });
    onStepped(b_.variableUp, b_.variableDown,
              [this](SpinArrow arrow) { return model_.variableBStepped(arrow); });
    onSwitched(delayedSweep_,
               [this](bool checked) { return model_.delayedSweepSwitched(checked); });
    onSwitched(search_, [this](bool checked) { return model_.searchSwitched(checked); });
    onStepped(delayUp_, delayDown_, [this](SpinArrow arrow) { return model_.delayStepped(arrow); });
    onSwitched(trigDelay_, [this](bool checked) { return model_.trigDelaySwitched(checked); });
    onSwitched(xMag10_, [this](bool checked) { return model_.xMag10Switched(checked); });
    onSwitched(bandwidthLimit_,
               [this](bool checked) { return model_.bandwidthLimitSwitched(checked); });
}

TimebasePanel::Column TimebasePanel::buildColumn(const QString& name, const QString& field)
{
    Column c;
    c.timePerDivLabel = label(QStringLiteral("Time/div"), name + QStringLiteral("TimeLabel"), true);
    c.list = list(name + QStringLiteral("List"), field + QStringLiteral(" time/div"));
    c.list->setMinimumContentsLength(9);
    c.on = checkBox(QStringLiteral("On"), name + QStringLiteral("OnBox"));
    c.on->setAccessibleName(field + QStringLiteral(" on"));
    c.variableLabel = label(QStringLiteral("Var"), name + QStringLiteral("VariableLabel"));
    c.variable = valueLabel(name + QStringLiteral("VariableFactor"),
                            field + QStringLiteral(" variable factor"));
    c.variable->setMinimumWidth(36);
    c.variable->setAlignment(Qt::AlignCenter);
    showBackground(c.variable, qbColor(kVariableLabelColour));
    std::tie(c.variableUp, c.variableDown) =
        spin(name + QStringLiteral("VariableSpin"), field + QStringLiteral(" variable"));
    return c;
}

void TimebasePanel::showColumn(Column& c, const TimebaseColumnView& v)
{
    showList(c.list, v.entries, v.step, v.text);
    c.list->setEnabled(v.listEnabled);
    showBackground(c.list, qbColor(v.background));
    c.on->setChecked(v.on);
    c.on->setEnabled(v.onEnabled);
    showValue(c.variable, v.variableText);
    c.variable->setEnabled(v.variableEnabled);
    c.variableUp->setEnabled(v.variableEnabled);
    c.variableDown->setEnabled(v.variableEnabled);
}

void TimebasePanel::showView(const TimebasePanelView& v)
{
    showColumn(a_, v.a);
    showColumn(b_, v.b);
    bHeading_->setVisible(v.timebaseB);
    b_.on->setVisible(v.timebaseB);
    delHeading_->setVisible(!v.timebaseB);
    delayedSweep_->setVisible(!v.timebaseB);
    search_->setVisible(!v.timebaseB);
    delayedSweep_->setChecked(v.delayedSweep);
    delayedSweep_->setEnabled(v.delayedSweepEnabled);
    search_->setChecked(v.search);
    search_->setEnabled(v.searchEnabled);
    showValue(delayText_, v.delayText);
    delayText_->setEnabled(v.delayEnabled);
    delayUp_->setEnabled(v.delayEnabled);
    delayDown_->setEnabled(v.delayEnabled);
    trigDelay_->setChecked(v.trigDelay);
    trigDelay_->setVisible(v.trigDelayShown);
    trigDelay_->setEnabled(v.trigDelayEnabled);
    xMag10_->setChecked(v.xMag10);
    bandwidthLimit_->setChecked(v.bandwidthLimit);
    bandwidthLimit_->setVisible(v.bandwidthLimitShown);
}

}  // namespace ql::gui
