// The rules of the cursor, measurement, XY and zoom windows over a recording host whose
// windows run their models' open and close as the program's window registry does.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "../display/ScreenTestRig.h"
#include "app/CursorWindowModel.h"
#include "app/MeasurementWindowModel.h"
#include "app/PictureWindows.h"
#include "display/ScreenDrawing.h"
#include "state/RecordingHost.h"

using namespace ql;
using namespace ql::test;

namespace {

// A host whose cursor and measurement windows open and close through their models.
struct WindowHost : RecordingHost {
    CursorWindowModel* cursorWindow = nullptr;
    MeasurementWindowModel* measurementWindow = nullptr;

    void openWindow(ToolWindow w) override
    {
        const bool wasOpen = isWindowOpen(w);
        RecordingHost::openWindow(w);
        if (wasOpen) return;
        if (w == ToolWindow::CursorWindow && cursorWindow) cursorWindow->opened();
        if (w == ToolWindow::MeasurementWindow && measurementWindow) measurementWindow->opened();
    }
    void closeWindow(ToolWindow w) override
    {
        const bool wasOpen = isWindowOpen(w);
        RecordingHost::closeWindow(w);
        if (!wasOpen) return;
        if (w == ToolWindow::CursorWindow && cursorWindow) cursorWindow->closed();
        if (w == ToolWindow::MeasurementWindow && measurementWindow) measurementWindow->closed();
    }
};

struct WindowsRig {
    ProgramState s = screenState();
    ScreenRig screen;
    WindowHost host;
    CursorWindowModel cursor{s, screen.views, host};
    MeasurementWindowModel measurement{s, screen.views, host};

    WindowsRig()
    {
        host.cursorWindow = &cursor;
        host.measurementWindow = &measurement;
        s.ddf.ch1On = s.ddf.ch2On = 1;
        fillWave(s.waves.waveCh1, sineCodes(128, 50, 400, 100));
        fillWave(s.waves.waveCh2, sineCodes(100, 20, 250, 1));
    }
    bool saw(const std::string& event) const
    {
        return std::find(host.events.begin(), host.events.end(), event) != host.events.end();
    }
};

}  // namespace

TEST(CursorWindow, SwitchesTheCursorsOnWhileOpenAndMovesThemWithinTheRecord)
{
    WindowsRig rig;
    ProgramState& s = rig.s;
    drawScreen(s, rig.screen);
    EXPECT_EQ(s.screenMarks.screenCursorsDrawn, 0);

    rig.host.openWindow(ToolWindow::CursorWindow);
    EXPECT_EQ(s.cursor.cursorsOn, 1);
    EXPECT_TRUE(rig.host.actionChecked[static_cast<int>(UiAction::CursorMenuItem)]);
    EXPECT_EQ(s.screenMarks.screenCursorsDrawn, 1);  // the marks show at once
    EXPECT_EQ(rig.cursor.view().cursor1, 500);
    EXPECT_EQ(rig.cursor.view().cursor2, 1500);

    struct Step {
        Followup (CursorWindowModel::*step)();
        int from1, from2, to1, to2;
    };
    const Step steps[] = {
        {&CursorWindowModel::stepCursor1Left, 1, 9, 1, 9},
        {&CursorWindowModel::stepCursor1Right, 7, 9, 8, 9},
        {&CursorWindowModel::stepCursor2Left, 7, 1, 7, 1},
        {&CursorWindowModel::stepCursor2Right, 7, 2046, 7, 2046},
    };
    for (const Step& st : steps) {
        setCursorPositions(s, st.from1, st.from2);
        (rig.cursor.*st.step)();
        EXPECT_EQ(s.cursor.cursor1Pos, st.to1);
        EXPECT_EQ(s.cursor.cursor2Pos, st.to2);
        // The bars show where the cursors are, the marks stand there.
        EXPECT_EQ(rig.cursor.view().cursor1, st.to1);
        EXPECT_EQ(s.screenMarks.screenOldCursor2, st.to2);
    }
    rig.cursor.cursor1BarChanged(3000);
    rig.cursor.cursor2BarChanged(-4);
    EXPECT_EQ(s.cursor.cursor1Pos, 2046);
    EXPECT_EQ(s.cursor.cursor2Pos, 1);

    s.screen.screenDirty = 0;
    rig.host.closeWindow(ToolWindow::CursorWindow);
    EXPECT_EQ(s.cursor.cursorsOn, 0);
    EXPECT_EQ(s.screen.screenDirty, 1);  // the next tick redraws the screen without them
    EXPECT_FALSE(rig.host.actionChecked[static_cast<int>(UiAction::CursorMenuItem)]);
}

TEST(MeasurementWindow, AClickPutsTheCursorsOnTheMeasuredSamplesOpeningTheCursorWindow)
{
    WindowsRig rig;
    ProgramState& s = rig.s;
    rig.host.openWindow(ToolWindow::MeasurementWindow);
    EXPECT_EQ(s.layout.automesVisible, 1);
    drawScreen(s, rig.screen);
    rig.measurement.settle();
    ASSERT_GT(s.measure.ch1PeriodEnd, s.measure.ch1PeriodStart);
    EXPECT_FALSE(rig.host.isWindowOpen(ToolWindow::CursorWindow));

    rig.measurement.cellClicked(1, MeasureRow::Frequency);
    EXPECT_TRUE(rig.host.isWindowOpen(ToolWindow::CursorWindow));
    EXPECT_EQ(s.cursor.cursorsOn, 1);
    EXPECT_EQ(s.cursor.cursor1Pos, s.measure.ch1PeriodEnd);
    EXPECT_EQ(s.cursor.cursor2Pos, s.measure.ch1PeriodStart);
    EXPECT_EQ(s.screenMarks.screenOldCursor1, s.measure.ch1PeriodEnd);  // marks moved too

    rig.measurement.cellClicked(2, MeasureRow::VpPlus);
    EXPECT_EQ(s.cursor.cursor1Pos, s.measure.ch2MaxIndex);
    EXPECT_EQ(s.cursor.cursor2Pos, s.measure.ch2MinIndex);

    // The averages move nothing, and neither does a cell whose samples are not on the record.
    rig.measurement.cellClicked(1, MeasureRow::Vav);
    EXPECT_EQ(s.cursor.cursor1Pos, s.measure.ch2MaxIndex);
    rig.host.closeWindow(ToolWindow::CursorWindow);
    rig.host.events.clear();
    s.measure.ch2PeriodStart = 0;
    rig.measurement.cellClicked(2, MeasureRow::Period);
    EXPECT_TRUE(rig.host.events.empty());
    EXPECT_FALSE(rig.host.isWindowOpen(ToolWindow::CursorWindow));

    // Closed by its close box: it does not come back at the next start.
    rig.host.closeWindow(ToolWindow::MeasurementWindow);
    EXPECT_EQ(s.layout.automesVisible, 0);
    EXPECT_TRUE(rig.saw("check AutomeasurementMenuItem: 0"));
}

TEST(XyView, ClosingItRestoresTheChannelsOnlyWhileXyIsOn)
{
    struct Case {
        const char* what;
        int xyMode;
        bool channelPanelRefreshed;
        int ch1On, ch2On;
    };
    for (const Case& c :
         {Case{"XY on", 1, true, 1, 0}, Case{"switched off elsewhere", 0, false, 0, 1}}) {
        SCOPED_TRACE(c.what);
        WindowsRig rig;
        ProgramState& s = rig.s;
        s.ddf.xyMode = static_cast<byte>(c.xyMode);
        s.ddf.savedCh1On = 1;
        s.ddf.savedCh2On = 0;
        s.ddf.ch1On = 0;  // what the channels show now
        s.ddf.ch2On = 1;
        const Followup f = XyWindowModel(s, rig.screen.views).closed();
        EXPECT_EQ(s.ddf.xyMode, 0);
        EXPECT_EQ(s.ddf.ch1On, c.ch1On);
        EXPECT_EQ(s.ddf.ch2On, c.ch2On);
        EXPECT_EQ(f.refresh.size(), c.channelPanelRefreshed ? 1u : 0u);
        EXPECT_FALSE(rig.screen.picture.ops().empty());  // the screen was redrawn
    }
}

TEST(ZoomWindow, AReleasedBoxOpensAndDrawsItAndClosingStopsTheRedraws)
{
    WindowsRig rig;
    ProgramState& s = rig.s;
    screenMouseMoved(s, rig.screen.views, rig.host, kRightMouseButton, 900, 100);
    screenMouseMoved(s, rig.screen.views, rig.host, kRightMouseButton, 1100, 156);
    EXPECT_FALSE(rig.saw("open ZoomWindow"));
    const auto pointer = screenMouseMoved(s, rig.screen.views, rig.host, 0, 1100, 156);
    EXPECT_EQ(pointer, ScreenPointer::IBeam);
    EXPECT_EQ(rig.host.events, (std::vector<std::string>{"open ZoomWindow", "refresh ZoomWindow"}));
    EXPECT_EQ(s.zoom.zoomOpen, 1);

    ZoomWindowModel(s, rig.screen.views).closed();
    rig.screen.forgetAll();
    drawScreen(s, rig.screen);
    EXPECT_TRUE(rig.screen.zoom.ops().empty());
}
