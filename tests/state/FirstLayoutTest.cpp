// The layout of a first start over the sizes the windows shown at start have in the program:
// on every work area from a 1280 x 800 screen up (and a smaller one where three windows give
// way), nothing covers anything, everything lies
// inside, and the screen window is the largest; where the room runs short, only the windows
// allowed to give way do so, in their order.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "state/FirstLayout.h"

using namespace ql;

namespace {

// Frame sizes of the panels as the program shows them, in the default layout's order.
const StartWindow kShownAtStart[] = {
    {ToolWindow::ChannelPanel, {462, 305}},      {ToolWindow::IntensityPanel, {310, 100}},
    {ToolWindow::MeasurementWindow, {223, 164}}, {ToolWindow::StoragePanel, {407, 317}},
    {ToolWindow::TriggerPanel, {334, 343}},      {ToolWindow::TimebasePanel, {282, 290}},
    {ToolWindow::CursorWindow, {223, 140}},
};

bool overlap(const PixelRect& a, const PixelRect& b)
{
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

bool inside(const PixelRect& r, PixelSize area)
{
    return r.left >= 0 && r.top >= 0 && r.right() <= area.width && r.bottom() <= area.height;
}

std::vector<PixelRect> allPlaces(const FirstLayout& layout)
{
    std::vector<PixelRect> places{layout.screen};
    for (const PlacedWindow& w : layout.windows) places.push_back(w.place);
    return places;
}

}  // namespace

TEST(FirstLayout, WindowsSideBySideInsideTheAreaWithTheScreenWindowLargest)
{
    struct Case {
        PixelSize area;          // the main window's work area
        std::size_t mayGiveWay;  // how many windows may give way at most
    };
    const Case cases[] = {
        {{1100, 700}, 3}, {{1280, 640}, 1}, {{1280, 700}, 0},  {{1280, 722}, 0},  {{1366, 690}, 1},
        {{1440, 820}, 0}, {{1680, 970}, 0}, {{1920, 1002}, 0}, {{2560, 1362}, 0}, {{3840, 2082}, 0},
    };
    const ToolWindow giveWayOrder[] = {ToolWindow::StoragePanel, ToolWindow::IntensityPanel,
                                       ToolWindow::MeasurementWindow};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.area.width) + " x " + std::to_string(c.area.height));
        const FirstLayout layout = planFirstLayout(c.area, kShownAtStart);
        EXPECT_TRUE(layout.fits);
        ASSERT_LE(layout.givenWay.size(), c.mayGiveWay);
        EXPECT_TRUE(std::equal(layout.givenWay.begin(), layout.givenWay.end(), giveWayOrder));
        // Every other window placed once, at its own size.
        ASSERT_EQ(layout.windows.size() + layout.givenWay.size(), std::size(kShownAtStart));
        for (const StartWindow& w : kShownAtStart) {
            const auto placed =
                std::find_if(layout.windows.begin(), layout.windows.end(),
                             [&](const PlacedWindow& p) { return p.window == w.window; });
            if (placed == layout.windows.end()) continue;
            EXPECT_EQ(placed->place.width, w.size.width);
            EXPECT_EQ(placed->place.height, w.size.height);
        }
        const std::vector<PixelRect> places = allPlaces(layout);
        const auto area = [](const PixelRect& r) { return r.width * r.height; };
        EXPECT_EQ(layout.screen.left, 0);
        EXPECT_EQ(layout.screen.top, 0);
        EXPECT_GE(layout.screen.width, kUsableScreenWindow.width);
        EXPECT_GE(layout.screen.height, kUsableScreenWindow.height);
        for (std::size_t i = 0; i < places.size(); ++i) {
            EXPECT_TRUE(inside(places[i], c.area)) << i;
            EXPECT_LE(area(places[i]), area(layout.screen)) << i;
            for (std::size_t j = i + 1; j < places.size(); ++j)
                EXPECT_FALSE(overlap(places[i], places[j])) << i << " and " << j;
        }
    }
}

TEST(FirstLayout, AnAreaTooSmallForAllKeepsEveryWindowInsideIt)
{
    const PixelSize areas[] = {{1024, 560}, {800, 480}, {400, 300}};
    for (const PixelSize a : areas) {
        SCOPED_TRACE(std::to_string(a.width) + " x " + std::to_string(a.height));
        const FirstLayout layout = planFirstLayout(a, kShownAtStart);
        EXPECT_FALSE(layout.fits);
        EXPECT_EQ(layout.givenWay.size(), 3u);
        EXPECT_GT(layout.screen.width, 0);
        EXPECT_GT(layout.screen.height, 0);
        for (const PixelRect& r : allPlaces(layout)) {
            // A window larger than the area keeps its top-left corner inside.
            EXPECT_GE(r.left, 0);
            EXPECT_GE(r.top, 0);
            EXPECT_TRUE(r.width > a.width || r.right() <= a.width);
            EXPECT_TRUE(r.height > a.height || r.bottom() <= a.height);
        }
    }
}
