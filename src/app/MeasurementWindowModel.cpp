#include "MeasurementWindowModel.h"

#include "display/CursorReadout.h"
#include "display/ScreenCursors.h"

namespace ql {

namespace {

std::array<std::string, kMeasureRowCount> cellTexts(const ChannelMeasurement& m)
{
    return {m.vpPlusText, m.vpMinusText, m.vppText, m.vavText, m.frequencyText, m.periodText};
}

}  // namespace

std::optional<MeasureCell> clickedCell(int channel, MeasureRow row)
{
    const bool ch1 = channel == 1;
    switch (row) {
        case MeasureRow::VpPlus:
        case MeasureRow::VpMinus:
        case MeasureRow::Vpp: return ch1 ? MeasureCell::Ch1Voltage : MeasureCell::Ch2Voltage;
        case MeasureRow::Frequency:
        case MeasureRow::Period: return ch1 ? MeasureCell::Ch1Timing : MeasureCell::Ch2Timing;
        case MeasureRow::Vav: return std::nullopt;
    }
    return std::nullopt;
}

MeasurementWindowModel::MeasurementWindowModel(ProgramState& state, DisplayViews& views, Host& host)
    : state_(state), views_(views), host_(host)
{
}

void MeasurementWindowModel::opened()
{
    state_.layout.automesVisible = 1;
    host_.setActionChecked(UiAction::AutomeasurementMenuItem, true);
}

void MeasurementWindowModel::closed()
{
    // Closed by its close box as by the menu: the tick and the next start follow the window.
    state_.layout.automesVisible = 0;
    host_.setActionChecked(UiAction::AutomeasurementMenuItem, false);
}

Followup MeasurementWindowModel::settle()
{
    if (const auto result = autoMeasure(state_)) {
        view_.ch1 = cellTexts(result->ch1);
        view_.ch2 = cellTexts(result->ch2);
    }
    return {};
}

Followup MeasurementWindowModel::cellClicked(int channel, MeasureRow row)
{
    const auto cell = clickedCell(channel, row);
    if (!cell) return {};
    const auto targets = cursorTargetsForCell(state_.measure, *cell);
    if (!targets) return {};
    // The cursors show where they went: a closed cursor window opens (switching them on).
    if (!host_.isWindowOpen(ToolWindow::CursorWindow)) host_.openWindow(ToolWindow::CursorWindow);
    setCursorPositions(state_, targets->cursor1, targets->cursor2);
    if (state_.cursor.cursorsOn == 1) showCursorValues(state_, views_);
    return {};
}

}  // namespace ql
