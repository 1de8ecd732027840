#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "app/WindowCycle.h"

using namespace ql;

// Ctrl+Tab walks the open windows in one fixed order, whichever was used before: the screen
// window, the View menu's windows in the menu's order, then the others; the last is followed by
// the first.
TEST(WindowCycle, StepsThroughTheOpenWindowsInOneFixedOrder)
{
    using W = ToolWindow;
    const std::vector<W> open = {W::CursorWindow, W::FftWindow,     W::MeasurementWindow,
                                 W::StoragePanel, W::ScreenWindow,  W::TriggerPanel,
                                 W::ChannelPanel, W::TimebasePanel, W::IntensityPanel};
    const W forward[] = {W::ScreenWindow, W::ChannelPanel,   W::TimebasePanel, W::TriggerPanel,
                         W::StoragePanel, W::IntensityPanel, W::CursorWindow,  W::MeasurementWindow,
                         W::FftWindow,    W::ScreenWindow};
    std::optional<W> at;  // from the toolbar, with no window active
    for (W expected : forward) EXPECT_EQ(at = windowAfter(open, at, false), expected);
    EXPECT_EQ(windowAfter(open, W::ScreenWindow, true), W::FftWindow);
    EXPECT_EQ(windowAfter(open, W::ZoomWindow, false), W::ScreenWindow);  // closed meanwhile
    EXPECT_EQ(windowAfter({}, std::nullopt, true), std::nullopt);
}
