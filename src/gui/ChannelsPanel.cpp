#include "ChannelsPanel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "display/TraceDrawing.h"

namespace ql::gui {

namespace {

constexpr int kVariableLabelColour = 11;  // light cyan
constexpr int kDividerColour = 13;        // light magenta

QString channelName(Channel ch)
{
    return ch == Channel::Ch1 ? QStringLiteral("CH I") : QStringLiteral("CH II");
}

QString prefix(Channel ch)
{
    return ch == Channel::Ch1 ? QStringLiteral("ch1") : QStringLiteral("ch2");
}

std::size_t slot(Channel ch)
{
    return ch == Channel::Ch1 ? 0 : 1;
}

Rgb traceColour(Channel ch)
{
    return qbColor(traceColor(ch == Channel::Ch1 ? CursorTrace::Ch1 : CursorTrace::Ch2));
}

}  // namespace

ChannelsPanel::ChannelsPanel(ProgramState& state, Host& host, char decimalSign, QWidget* parent)
    : SettingsPanel(host, ToolWindow::ChannelPanel, UiAction::ChannelMenuItem,
                    QStringLiteral("Channels"), QStringLiteral("channelsPanel"), parent, state,
                    decimalSign)
{
    auto* layout = new QHBoxLayout;
    layout->addWidget(buildColumn(Channel::Ch1));
    layout->addWidget(buildSwitches());
    layout->addWidget(buildColumn(Channel::Ch2));
    setPanelLayout(layout);
}

QWidget* ChannelsPanel::buildColumn(Channel ch)
{
    Column& c = columns_[slot(ch)];
    const QString name = channelName(ch);
    const QString p = prefix(ch);
    auto* column = new QWidget(this);
    column->setObjectName(p + QStringLiteral("Column"));
    auto* grid = new QGridLayout(column);
    grid->setContentsMargins(0, 0, 0, 0);

    grid->addWidget(label(name, p + QStringLiteral("Heading"), true), 0, 0);
    c.colourBar = label(QString(), p + QStringLiteral("ColourBar"));
    c.colourBar->setFixedSize(48, 8);
    QSizePolicy keepPlace = c.colourBar->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    c.colourBar->setSizePolicy(keepPlace);
    showBackground(c.colourBar, traceColour(ch));
    grid->addWidget(c.colourBar, 0, 1, Qt::AlignLeft | Qt::AlignVCenter);

    grid->addWidget(label(QStringLiteral("Volt / div."), p + QStringLiteral("VoltsLabel"), true), 1,
                    0, 1, 2);
    c.volts = list(p + QStringLiteral("VoltsList"), name + QStringLiteral(" volts/div"));
    c.volts->setMinimumContentsLength(7);
    grid->addWidget(c.volts, 2, 0, 1, 2);

    auto* variableRow = new QHBoxLayout;
    variableRow->addWidget(label(QStringLiteral("Var."), p + QStringLiteral("VariableLabel")));
    c.variable =
        valueLabel(p + QStringLiteral("VariableFactor"), name + QStringLiteral(" variable factor"));
    c.variable->setMinimumWidth(36);
    c.variable->setAlignment(Qt::AlignCenter);
    showBackground(c.variable, qbColor(kVariableLabelColour));
    variableRow->addWidget(c.variable);
    const auto [up, down] =
        spin(p + QStringLiteral("VariableSpin"), name + QStringLiteral(" variable"));
    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(up);
    arrows->addWidget(down);
    variableRow->addLayout(arrows);
    variableRow->addStretch();
    grid->addLayout(variableRow, 3, 0, 1, 2);

    grid->addWidget(optionGroup(QStringLiteral("Input"),
                                {QStringLiteral("AC"), QStringLiteral("DC"), QStringLiteral("GND")},
                                p + QStringLiteral("Coupling"), c.coupling, name),
                    4, 0);
    grid->addWidget(
        optionGroup(QStringLiteral("Probe"),
                    {QStringLiteral("X 1"), QStringLiteral("X10"), QStringLiteral("X100")},
                    p + QStringLiteral("Probe"), c.probe, name),
        4, 1);
    c.on = checkBox(QStringLiteral("On"), p + QStringLiteral("OnBox"));
    c.invert = checkBox(QStringLiteral("Inv"), p + QStringLiteral("InvertBox"));
    // Both halves have these switches: a screen reader says whose each is.
    c.on->setAccessibleName(name + QStringLiteral(" On"));
    c.invert->setAccessibleName(name + QStringLiteral(" Inv"));
    grid->addWidget(c.on, 5, 0);
    grid->addWidget(c.invert, 5, 1);

    // The position bar runs from 1023 at the top to 0 at the bottom; the up key raises it.
    // CH I's bar stands at the left edge of the panel, CH II's at the right edge.
    c.position = bar(Qt::Vertical, 0, 1023, 32, p + QStringLiteral("PositionBar"),
                     name + QStringLiteral(" position"));
    c.position->setInvertedAppearance(true);
    c.position->setInvertedControls(false);
    auto* half = new QWidget(this);
    half->setObjectName(p + QStringLiteral("Half"));
    auto* row = new QHBoxLayout(half);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(ch == Channel::Ch1 ? static_cast<QWidget*>(c.position) : column);
    row->addWidget(ch == Channel::Ch1 ? column : static_cast<QWidget*>(c.position));

    onChosen(c.volts, [this, ch](int entry) { return model_.voltsChosen(ch, entry); });
    onStepped(up, down, [this, ch](SpinArrow arrow) { return model_.variableStepped(ch, arrow); });
    onChosen(c.coupling, [this, ch](int option) { return model_.couplingChosen(ch, option); });
    onChosen(c.probe, [this, ch](int option) { return model_.probeChosen(ch, option); });
    onSwitched(c.on, [this, ch](bool checked) { return model_.onSwitched(ch, checked); });
    onSwitched(c.invert, [this, ch](bool checked) { return model_.invertSwitched(ch, checked); });
    onMoved(c.position, [this, ch](int value) { return model_.positionMoved(ch, value); });
    return half;
}

QWidget* ChannelsPanel::buildSwitches()
{
    auto* middle = new QWidget(this);
    middle->setObjectName(QStringLiteral("switchesColumn"));
    auto* box = new QVBoxLayout(middle);
    box->setContentsMargins(0, 0, 0, 0);
    add_ = checkBox(QStringLiteral("ADD"), QStringLiteral("addBox"));
    chop_ = checkBox(QStringLiteral("Chop"), QStringLiteral("chopBox"));
    xy_ = checkBox(QStringLiteral("XY"), QStringLiteral("xyBox"));
    componentTester_ = checkBox(QStringLiteral("CT"), QStringLiteral("componentTesterBox"));
    auto* divider = label(QString(), QStringLiteral("divider"));
    divider->setFixedWidth(2);
    divider->setMinimumHeight(40);
    showBackground(divider, qbColor(kDividerColour));
    box->addWidget(add_);
    box->addWidget(chop_);
    box->addWidget(divider, 1, Qt::AlignHCenter);
    box->addWidget(xy_);
    box->addWidget(componentTester_);

    onSwitched(add_, [this](bool checked) { return model_.addSwitched(checked); });
    onSwitched(chop_, [this](bool checked) { return model_.chopSwitched(checked); });
    onSwitched(xy_, [this](bool checked) { return model_.xySwitched(checked); });
    onSwitched(componentTester_,
               [this](bool checked) { return model_.componentTesterSwitched(checked); });
    return middle;
}

void ChannelsPanel::showColumn(Column& c, const ChannelColumnView& v)
{
    c.colourBar->setVisible(v.colourBarShown);
    showList(c.volts, v.voltsEntries, v.voltsStep, v.voltsText);
    c.volts->setEnabled(v.voltsEnabled);
    showBackground(c.volts, qbColor(v.voltsBackground));
    showValue(c.variable, v.variableText);
    showOption(c.coupling, v.coupling);
    showOption(c.probe, v.probe);
    c.probe->button(2)->setEnabled(v.x100Enabled);
    c.on->setChecked(v.on);
    c.invert->setChecked(v.invert);
    c.invert->setEnabled(v.invertEnabled);
    c.position->setValue(v.position);
    c.position->setEnabled(v.positionEnabled);
}

void ChannelsPanel::showView(const ChannelsPanelView& v)
{
    showColumn(columns_[0], v.channels[0]);
    showColumn(columns_[1], v.channels[1]);
    add_->setChecked(v.add);
    add_->setEnabled(v.addEnabled);
    chop_->setChecked(v.chop);
    chop_->setEnabled(v.chopEnabled);
    xy_->setChecked(v.xy);
    componentTester_->setChecked(v.componentTester);
}

}  // namespace ql::gui
