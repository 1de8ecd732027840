// Surface over the recording device: scale mapping, text flow, clipping and guards. The
// expected pixels are worked out by hand from the frame and the device size.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "draw/RecordingDevice.h"
#include "draw/RecordingPrinter.h"
#include "draw/Surface.h"

namespace ql {
namespace {

using Kind = DrawOp::Kind;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// 801 x 201 pixels: the scope frame 0..2000 x 28..228 gives 2.5 units per pixel across and
// exactly one code per pixel upward.
struct ScopeFrame : ::testing::Test {
    RecordingDevice device{{801, 201}, 96.0};
    Surface surface{device};
    void SetUp() override { ASSERT_TRUE(surface.scale(0, 228, 2000, 28)); }
};

TEST_F(ScopeFrame, MapsTheFrameOntoTheEdgePixelsWithYUp)
{
    surface.line(0, 28, 2000, 228);
    surface.line(1000, 128, 1000, 153);
    const auto lines = device.opsOfKind(Kind::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].points, (std::vector<DevicePoint>{{0, 200}, {800, 0}}));
    EXPECT_EQ(lines[1].points, (std::vector<DevicePoint>{{400, 100}, {400, 75}}));
    EXPECT_DOUBLE_EQ(surface.deviceX(250), 100.0);
    EXPECT_DOUBLE_EQ(surface.deviceY(203), 25.0);
    EXPECT_DOUBLE_EQ(surface.userX(100), 250.0);
    EXPECT_DOUBLE_EQ(surface.userY(25), 203.0);
    EXPECT_EQ(surface.userScale(), (UserScale{0, 228, 2000, -200}));
}

TEST(SurfaceScale, LeftTopWidthHeightAndYDownAgreeWithCorners)
{
    RecordingDevice device({101, 51});
    Surface surface(device);
    ASSERT_TRUE(surface.setUserScale({-10, 5, 20, -10}));  // y from 5 down to -5: y up
    EXPECT_DOUBLE_EQ(surface.deviceX(0), 50.0);
    EXPECT_DOUBLE_EQ(surface.deviceY(0), 25.0);
    EXPECT_DOUBLE_EQ(surface.deviceY(5), 0.0);
    ASSERT_TRUE(surface.scale(0, 0, 100, 50));  // y down
    EXPECT_DOUBLE_EQ(surface.deviceY(50), 50.0);
    EXPECT_DOUBLE_EQ(surface.deviceX(30), 30.0);
    ASSERT_TRUE(surface.scale(100, 0, 0, 50));  // x growing to the left
    EXPECT_DOUBLE_EQ(surface.deviceX(100), 0.0);
    EXPECT_DOUBLE_EQ(surface.deviceX(0), 100.0);
    surface.resetScale();
    EXPECT_DOUBLE_EQ(surface.deviceX(30), 30.0);
    EXPECT_EQ(surface.userScale(), (UserScale{0, 0, 100, 50}));
}

TEST_F(ScopeFrame, RefusesAFrameWithoutAreaOrWithUnusableNumbers)
{
    EXPECT_FALSE(surface.scale(5, 0, 5, 10));
    EXPECT_FALSE(surface.scale(0, 3, 10, 3));
    EXPECT_FALSE(surface.scale(0, kNaN, 10, 3));
    EXPECT_FALSE(surface.setUserScale({0, 0, kInf, 1}));
    EXPECT_EQ(surface.userScale(), (UserScale{0, 228, 2000, -200}));
}

TEST_F(ScopeFrame, TextStaysUprightAndRowsRunDownTheDevice)
{
    // 12 pt at 96 dpi on the recording device: 8 pixels per character, 20 per row.
    surface.setFontSize(12);
    surface.setCurrent(250, 228);
    surface.print("AB");
    surface.print("CD", LineEnd::Stay);
    const auto texts = device.opsOfKind(Kind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].points[0], (DevicePoint{100, 0}));
    EXPECT_EQ(texts[1].points[0], (DevicePoint{0, 20}));  // next row, frame's left edge
    EXPECT_DOUBLE_EQ(surface.currentY(), 208.0);          // 20 codes lower
    EXPECT_DOUBLE_EQ(surface.currentX(), 40.0);           // behind "CD": 16 px = 40 units
    EXPECT_DOUBLE_EQ(surface.textWidth("ABCD"), 80.0);
    EXPECT_DOUBLE_EQ(surface.textHeight(), 20.0);
    EXPECT_DOUBLE_EQ(surface.textHeight("one\ntwo"), 40.0);
}

TEST(SurfaceText, LineFeedsEndRowsAndCarriageReturnsDrawNothing)
{
    RecordingDevice device({640, 480});
    Surface surface(device);
    surface.setFontSize(12);
    surface.setCurrent(100, 10);
    surface.print("ab\r\ncd\nef", LineEnd::Stay);
    surface.print("");
    surface.print("gh");
    const auto texts = device.opsOfKind(Kind::Text);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0].text, "ab");
    EXPECT_EQ(texts[0].points[0], (DevicePoint{100, 10}));
    EXPECT_EQ(texts[1].text, "cd");
    EXPECT_EQ(texts[1].points[0], (DevicePoint{0, 30}));
    EXPECT_EQ(texts[2].text, "ef");
    EXPECT_EQ(texts[2].points[0], (DevicePoint{0, 50}));
    // "ef" kept its row; the empty print ended it; "gh" starts the row after.
    EXPECT_EQ(texts[3].points[0], (DevicePoint{0, 70}));
    EXPECT_DOUBLE_EQ(surface.currentY(), 90.0);
}

TEST(SurfaceText, ColumnsCountFromTheFrameAndWrapWhenPassed)
{
    RecordingDevice device({640, 480});
    Surface surface(device);
    surface.setFontSize(12);  // 8-pixel columns
    surface.tab(10);
    surface.print("123456789", LineEnd::Stay);  // ends exactly at column 19
    surface.tab(19);
    surface.print("x", LineEnd::Stay);
    surface.tab(5);  // passed: column 5 of the next row
    surface.print("y", LineEnd::Stay);
    surface.tab(0);  // counts as column 1; passed as well
    surface.print("z");
    const auto texts = device.opsOfKind(Kind::Text);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0].points[0], (DevicePoint{72, 0}));
    EXPECT_EQ(texts[1].points[0], (DevicePoint{144, 0}));
    EXPECT_EQ(texts[2].points[0], (DevicePoint{32, 20}));
    EXPECT_EQ(texts[3].points[0], (DevicePoint{0, 40}));
}

TEST(SurfaceText, ColumnsFollowAYUpFrameToo)
{
    RecordingDevice device({641, 481});
    Surface surface(device);
    ASSERT_TRUE(surface.scale(-320, 240, 320, -240));  // one unit per pixel, y up
    surface.setFontSize(12);
    surface.setCurrent(0, 100);
    surface.tab(3);  // the position is beyond column 3: next row
    surface.print("a");
    const auto texts = device.opsOfKind(Kind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].points[0], (DevicePoint{16, 160}));
    EXPECT_DOUBLE_EQ(surface.currentY(), 60.0);
}

TEST_F(ScopeFrame, PenAndFontTravelWithEveryPrimitive)
{
    surface.setForeColor(qbColor(12));
    surface.setDrawWidth(3);
    surface.setDrawStyle(DrawStyle::Dot);
    surface.line(0, 128, 100, 128);
    surface.line(0, 100, 100, 100, qbColor(9));
    surface.setFontName("Courier New");
    surface.setFontSize(10);
    surface.setFontBold(true);
    surface.setFontUnderline(true);
    surface.print("x");
    const auto& ops = device.ops();
    ASSERT_EQ(ops.size(), 3u);
    EXPECT_EQ(ops[0].pen, (Pen{{255, 0, 0}, 3, DrawStyle::Dot, DrawMode::CopyPen}));
    EXPECT_EQ(ops[1].pen.color, (Rgb{0, 0, 255}));
    EXPECT_EQ(surface.foreColor(), (Rgb{255, 0, 0}));  // an explicit colour is for one line
    EXPECT_EQ(ops[2].font, (FontSpec{"Courier New", 10, true, true}));
    EXPECT_EQ(ops[2].pen.color, (Rgb{255, 0, 0}));
}

TEST_F(ScopeFrame, NotXorMarksDrawnTwiceAreGone)
{
    surface.setDrawMode(DrawMode::NotXorPen);
    surface.setDrawStyle(DrawStyle::Dash);
    surface.line(500, 28, 500, 228, qbColor(2));
    surface.line(1500, 28, 1500, 228, qbColor(3));
    surface.box(900, 100, 1100, 156);
    surface.line(500, 28, 500, 228, qbColor(2));
    surface.box(900, 100, 1100, 156);
    ASSERT_EQ(device.standingMarks().size(), 1u);
    EXPECT_EQ(device.standingMarks()[0].points, (std::vector<DevicePoint>{{600, 200}, {600, 0}}));
    // The same line in another colour is another mark; copy-pen lines are no marks at all.
    surface.line(1500, 28, 1500, 228, qbColor(2));
    surface.setDrawMode(DrawMode::CopyPen);
    surface.line(0, 128, 2000, 128);
    EXPECT_EQ(device.standingMarks().size(), 2u);
    surface.cls();
    EXPECT_TRUE(device.standingMarks().empty());
}

TEST_F(ScopeFrame, BoxIsOneClosedStrokeAndFillBoxIsCutToTheDevice)
{
    surface.box(1000, 128, 2000, 228);
    surface.fillBox(-500, 0, 250, 78);
    const auto& ops = device.ops();
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0].kind, Kind::Polyline);
    EXPECT_EQ(ops[0].points,
              (std::vector<DevicePoint>{{400, 100}, {800, 100}, {800, 0}, {400, 0}, {400, 100}}));
    EXPECT_EQ(ops[1].kind, Kind::FillRect);
    EXPECT_EQ(ops[1].points, (std::vector<DevicePoint>{{0, 150}, {100, 200}}));
}

TEST_F(ScopeFrame, LinesAreClippedNearTheDeviceAndNothingUnusableGetsThrough)
{
    surface.setDrawWidth(2);
    surface.line(-1e12, 128, 1e12, 128);  // cut to the device, 4 pixels of margin
    surface.line(0, 1e9, 0, -1e9);
    surface.line(3000, 0, 4000, 400);  // wholly outside
    surface.line(kNaN, 0, 10, 10);
    surface.line(0, 0, kInf, 10);
    surface.pset(1e300, 1e300);
    surface.pset(1000, 128);
    const auto& ops = device.ops();
    ASSERT_EQ(ops.size(), 3u);
    EXPECT_EQ(ops[0].points, (std::vector<DevicePoint>{{-4, 100}, {804, 100}}));
    EXPECT_EQ(ops[1].points, (std::vector<DevicePoint>{{0, -4}, {0, 204}}));
    EXPECT_EQ(ops[2].kind, Kind::Dot);
    EXPECT_EQ(ops[2].pen.width, 2);
    // A tiny frame overflows the mapping: still nothing but finite pixels reach the device.
    ASSERT_TRUE(surface.scale(0, 1e-300, 1e-300, 0));
    surface.line(0, 0, 1e300, 1e300);
    for (const DrawOp& op : device.ops())
        for (const DevicePoint& p : op.points) {
            EXPECT_GE(p.x, -100);
            EXPECT_LE(p.x, 900);
        }
}

TEST_F(ScopeFrame, UnusableValuesAreRefusedAndThePreviousOnesKept)
{
    surface.setCurrent(10, 20);
    surface.setCurrentX(kNaN);
    surface.setCurrentY(kInf);
    surface.line(kNaN, 0, 1, 1);
    EXPECT_DOUBLE_EQ(surface.currentX(), 10.0);
    EXPECT_DOUBLE_EQ(surface.currentY(), 20.0);
    surface.setDrawWidth(0);
    EXPECT_EQ(surface.drawWidth(), 1);
    surface.setFontSize(12);
    surface.setFontSize(kNaN);
    surface.setFontSize(-3);
    EXPECT_DOUBLE_EQ(surface.font().points, 12.0);
    surface.setFontName("");
    EXPECT_EQ(surface.font().face, "MS Sans Serif");
}

TEST_F(ScopeFrame, LineMovesThePositionAndLineToStartsThere)
{
    surface.line(0, 28, 200, 53);
    surface.lineTo(400, 28, qbColor(4));
    const auto lines = device.opsOfKind(Kind::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].points, (std::vector<DevicePoint>{{80, 175}, {160, 200}}));
    surface.cls();
    EXPECT_DOUBLE_EQ(surface.currentX(), 0.0);
    EXPECT_DOUBLE_EQ(surface.currentY(), 228.0);
    EXPECT_EQ(device.ops().back().kind, Kind::Clear);
}

TEST(SurfaceOnPrinter, ColumnsAndPagesOfATextReport)
{
    RecordingPrinter printer({4800, 6600}, 600.0);
    printer.setAvailable(false);
    EXPECT_FALSE(printer.beginDocument(PageOrientation::Portrait));
    printer.setAvailable(true);
    ASSERT_TRUE(printer.beginDocument(PageOrientation::Landscape));
    EXPECT_EQ(printer.size(), (DeviceSize{6600, 4800}));
    Surface page(printer);
    page.setFontName("courier");
    page.setFontSize(12);  // 600 dpi: 50 pixels per column, 125 per row
    page.print("");
    page.tab(10);
    page.print("Line:        50.00", LineEnd::Stay);
    page.print("Hz");
    page.tab(70);
    page.print("Fail", LineEnd::Stay);
    ASSERT_TRUE(printer.newPage());
    page.home();
    page.tab(24);
    page.print(">>> PASS <<<");
    ASSERT_TRUE(printer.endDocument());
    EXPECT_EQ(printer.events(), (std::vector<std::string>{"begin landscape", "new page", "end"}));
    EXPECT_EQ(printer.pageCount(), 2);
    const auto texts = printer.recording().opsOfKind(Kind::Text);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0].points[0], (DevicePoint{450, 125}));
    EXPECT_EQ(texts[1].points[0], (DevicePoint{450 + 18 * 50, 125}));
    EXPECT_EQ(texts[2].points[0], (DevicePoint{3450, 250}));
    EXPECT_EQ(texts[3].points[0], (DevicePoint{1150, 0}));
}

TEST(Palette, SixteenColoursAndBlackOutside)
{
    EXPECT_EQ(qbColor(0), (Rgb{0, 0, 0}));
    EXPECT_EQ(qbColor(6), (Rgb{128, 128, 0}));
    EXPECT_EQ(qbColor(7), (Rgb{192, 192, 192}));
    EXPECT_EQ(qbColor(8), (Rgb{128, 128, 128}));
    EXPECT_EQ(qbColor(13), (Rgb{255, 0, 255}));
    EXPECT_EQ(qbColor(15), (Rgb{255, 255, 255}));
    EXPECT_EQ(qbColor(16), (Rgb{0, 0, 0}));
    EXPECT_EQ(qbColor(-1), (Rgb{0, 0, 0}));
}

TEST_F(ScopeFrame, APathLeavingTheDeviceKeepsItsRunsOnTheDeviceAsPaths)
{
    const UserPoint inside[] = {{0, 128}, {500, 153}, {1000, 128}};
    surface.polyline(inside);
    // Up and out past the top, back in, and along: the segments with an end outside are
    // clipped one by one.
    const UserPoint leaving[] = {{0, 128},    {500, 153},  {750, 400},
                                 {1000, 153}, {1500, 128}, {2000, 103}};
    surface.polyline(leaving);
    const auto& ops = device.ops();
    ASSERT_EQ(ops.size(), 5u);
    EXPECT_EQ(ops[0].kind, Kind::Polyline);
    EXPECT_EQ(ops[0].points, (std::vector<DevicePoint>{{0, 100}, {200, 75}, {400, 100}}));
    EXPECT_EQ(ops[1].kind, Kind::Polyline);
    EXPECT_EQ(ops[1].points, (std::vector<DevicePoint>{{0, 100}, {200, 75}}));
    EXPECT_EQ(ops[2].kind, Kind::Line);
    EXPECT_EQ(ops[2].points.front(), (DevicePoint{200, 75}));
    EXPECT_EQ(ops[3].kind, Kind::Line);
    EXPECT_EQ(ops[3].points.back(), (DevicePoint{400, 75}));
    EXPECT_EQ(ops[4].kind, Kind::Polyline);
    EXPECT_EQ(ops[4].points, (std::vector<DevicePoint>{{400, 75}, {600, 100}, {800, 125}}));
    EXPECT_DOUBLE_EQ(surface.currentX(), 2000.0);
}

}  // namespace
}  // namespace ql
