// The layout of a first start over the sizes the windows shown at start have in the program:
// from a 1280 x 800 screen up nothing covers anything, everything lies inside the work area and
// the screen window is the largest; only the windows allowed to give way do so, in their order.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

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

}  // namespace

TEST(FirstLayout, WindowsSideBySideInsideTheAreaWithTheScreenWindowLargest)
{
    struct Case {
        PixelSize area;          // the main window's work area
        std::size_t mayGiveWay;  // how many windows may give way at most
        bool fits;               // false: too small, the windows only lie inside the area
    };
    const Case cases[] = {
        {{1100, 700}, 3, true},  {{1280, 640}, 1, true},  {{1280, 722}, 0, true},
        {{1366, 690}, 1, true},  {{1440, 820}, 0, true},  {{1920, 1002}, 0, true},
        {{3840, 2082}, 0, true}, {{1024, 560}, 3, false}, {{400, 300}, 3, false},
    };
    const ToolWindow giveWayOrder[] = {ToolWindow::StoragePanel, ToolWindow::IntensityPanel,
                                       ToolWindow::MeasurementWindow};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.area.width) + " x " + std::to_string(c.area.height));
        const FirstLayout layout = planFirstLayout(c.area, kShownAtStart);
        EXPECT_EQ(layout.fits, c.fits);
        ASSERT_LE(layout.givenWay.size(), c.mayGiveWay);
        EXPECT_TRUE(std::equal(layout.givenWay.begin(), layout.givenWay.end(), giveWayOrder));
        ASSERT_EQ(layout.windows.size() + layout.givenWay.size(), std::size(kShownAtStart));
        std::vector<PixelRect> places{layout.screen};
        for (const PlacedWindow& w : layout.windows) places.push_back(w.place);
        const auto area = [](const PixelRect& r) { return r.width * r.height; };
        for (std::size_t i = 0; i < places.size(); ++i) {
            // A window larger than the area keeps at least its top-left corner inside.
            const PixelRect& r = places[i];
            EXPECT_TRUE(r.left >= 0 && (r.right() <= c.area.width || r.width > c.area.width));
            EXPECT_TRUE(r.top >= 0 && (r.bottom() <= c.area.height || r.height > c.area.height));
            if (!c.fits) continue;
            EXPECT_LE(area(r), area(layout.screen)) << i;
            for (std::size_t j = i + 1; j < places.size(); ++j)
                EXPECT_FALSE(overlap(r, places[j])) << i << " and " << j;
        }
        EXPECT_TRUE(!c.fits || layout.screen.width >= kUsableScreenWindow.width);
    }
}

TEST(FirstLayout, AWindowOpenedLaterGoesWhereItCoversNothingOrTheLeast)
{
    struct Case {
        PixelSize area, size;
        std::vector<PixelRect> taken;
        int left, top;
    };
    const Case cases[] = {
        {{500, 400}, {100, 80}, {}, 0, 0},
        {{500, 400}, {100, 80}, {{0, 0, 120, 400}}, 120, 0},                       // beside
        {{300, 300}, {300, 100}, {{0, 0, 300, 100}, {0, 200, 300, 100}}, 0, 100},  // a gap
        {{400, 300}, {150, 100}, {{0, 0, 400, 120}, {0, 120, 200, 180}}, 200, 120},
        {{400, 300}, {200, 100}, {{0, 0, 300, 300}}, 200, 0},  // no room: covers the least
        {{300, 300}, {100, 100}, {{0, 0, 300, 300}}, 0, 0},    // no room at all
        {{300, 200}, {400, 300}, {{50, 50, 20, 20}}, 0, 0},    // larger than the area
    };
    for (const Case& c : cases) {
        const PixelRect got = freePlace(c.area, c.size, c.taken);
        EXPECT_EQ(std::tuple(got.left, got.top, got.width, got.height),
                  std::tuple(c.left, c.top, c.size.width, c.size.height));
    }
}
