#pragma once
// The rules of the automatic-measurement window ("Automeasurement"): for CH I and CH II the
// positive and negative peak, peak to peak, average, frequency and period, measured after every
// screen redraw while the window is open. Clicking a value puts the cursors on the samples it
// was measured from, opening the cursor window first when it is closed.
//
// Whether the window is open is kept in the window layout (it opens at the next start when it
// was open at the last save) and shown by the tick of "Auto&measurement".

#include <array>
#include <string>

#include "display/AutoMeasure.h"
#include "display/DisplayViews.h"
#include "state/WindowModel.h"

namespace ql {

// Rows of the window, top to bottom.
enum class MeasureRow { VpPlus, VpMinus, Vpp, Vav, Frequency, Period };
inline constexpr int kMeasureRowCount = 6;

struct MeasurementWindowView {
    // Texts of the value cells by row; empty before the first data.
    std::array<std::string, kMeasureRowCount> ch1, ch2;
};

// The cell a click on a value of a channel's row acts as; nullopt for the averages, which
// move nothing.
std::optional<MeasureCell> clickedCell(int channel, MeasureRow row);

class MeasurementWindowModel {
public:
    MeasurementWindowModel(ProgramState& state, DisplayViews& views, Host& host);

    void opened();
    void closed();
    // Measures anew (after a redraw and whenever the window repaints); before the first data
    // the cells keep what they show.
    Followup settle();
    const MeasurementWindowView& view() const { return view_; }

    // A click on a value cell of CH I (channel 1) or CH II (2).
    Followup cellClicked(int channel, MeasureRow row);

private:
    ProgramState& state_;
    DisplayViews& views_;
    Host& host_;
    MeasurementWindowView view_;
};

}  // namespace ql
