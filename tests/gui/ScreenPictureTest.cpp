// A typical scope screen, XY view and zoom window rendered offscreen through the Qt paint
// device and saved as PNG files in the build tree (tests/gui/artefacts) for a person to look
// at; the test checks the colours that must show.

#include <gtest/gtest.h>
#include <QDir>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <numbers>

#include "display/CursorReadout.h"
#include "display/ScreenDrawing.h"
#include "gui/QtPaintDevice.h"
#include "state/InitProgramState.h"

namespace ql::gui {
namespace {

QImage whiteImage(int width, int height)
{
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);  // 96 dpi
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    return image;
}

QImage imageFor(const ViewArea& area)
{
    return whiteImage(area.width, area.height);
}

void fill(Waveform& w, double centre, double amplitude, double period, double phase = 0)
{
    for (int i = 0; i < kWaveArraySize; ++i)
        w[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(
            std::lround(centre + amplitude * std::sin(2 * std::numbers::pi * i / period + phase)));
}

// CH I: a sine around the centre line; CH II: a smaller, faster sine lower down; REF I: an
// older CH I shifted up; trigger on CH I at the screen centre; both cursors on.
ProgramState typicalState()
{
    ProgramState s;
    initProgramState(s, "/tmp");
    s.screen.screenBusy = 0;
    s.screen.noDataYet = 0;
    s.screen.scrollResyncPending = 1;
    s.identity.firmwareVersion = 2.0f;
    s.caps.unitXyinv = true;
    s.ddf.ch1On = s.ddf.ch2On = s.ddf.ref1On = 1;
    s.ddf.ref2On = 0;
    s.ddf.ch1VoltsIndex = 9;
    s.ddf.ch2VoltsIndex = 8;
    s.ddf.ch1ProbeFactor = s.ddf.ch2ProbeFactor = 1;
    s.ddf.ch1Coupling = 0;
    s.ddf.ch2Coupling = 1;
    s.ddf.tbAIndex = 13;  // 1 ms/div
    s.ddf.horPosition = 512;
    s.ddf.trigSource = 0;
    s.ddf.trigCoupling = 1;
    s.ddf.trigLevelA = 510;
    s.ddf.ch1Position = 511;
    s.preamble.ch1ZeroOffset = 1;
    s.preamble.ch2ZeroOffset = -49;
    s.preamble.wfmTrigPos = 1023;
    s.storage.ref1Pos = 30;
    fill(s.waves.waveCh1, 128, 70, 400, -2 * std::numbers::pi * 1048 / 400);
    fill(s.waves.waveCh2, 78, 30, 130);
    fill(s.waves.waveRef1, 128, 40, 400, 1.0);
    s.stamp.waveTime.assign("12:34:56");
    s.stamp.waveDate.assign("01.02.24");
    s.cursor.cursorsOn = 1;
    setCursorPositions(s, 500, 1500);
    return s;
}

QString artefactPath(const char* name)
{
    const QString folder = QStringLiteral(QL240_TEST_ARTEFACTS);
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + QLatin1String(name);
}

int pixelsOfColour(const QImage& image, QRgb colour, QRect area = {})
{
    if (area.isNull()) area = image.rect();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == colour) ++count;
    return count;
}

TEST(ScreenPicture, TypicalScreenRendersAsAnOscilloscopeScreen)
{
    ProgramState s = typicalState();
    const DeviceSize inner{900, 420};
    const int scrollHeight = 16;
    const ScreenLayout layout = screenLayout(inner, 96.0, scrollHeight);
    QImage picture = imageFor(layout.picture);
    QImage strip = imageFor(layout.zeroMarkStrip);
    QImage status = imageFor(layout.statusStrip);
    QImage xy = whiteImage(420, 336);
    QImage zoom = whiteImage(400, 300);
    {
        QtPaintDevice pictureDevice(picture), stripDevice(strip), statusDevice(status);
        QtPaintDevice xyDevice(xy), zoomDevice(zoom);
        DisplayViews views;
        views.screen.picture = &pictureDevice;
        views.screen.zeroMarkStrip = &stripDevice;
        views.screen.statusStrip = &statusDevice;
        views.xy.picture = &xyDevice;
        views.zoom.picture = &zoomDevice;
        s.ddf.xyMode = 1;
        s.zoom.zoomOpen = 1;
        s.zoom.zoomX1 = 400;
        s.zoom.zoomX2 = 1100;
        s.zoom.zoomY1 = 40;
        s.zoom.zoomY2 = 215;
        drawScreen(s, views);
        EXPECT_EQ(s.trigMark.trigMarkY, 133);
        EXPECT_EQ(s.trigMark.trigMarkOnTrace, 0);
        for (QtPaintDevice* d :
             {&pictureDevice, &stripDevice, &statusDevice, &xyDevice, &zoomDevice})
            EXPECT_TRUE(d->finish());
    }

    // The window as a person sees it: status strip, zero-mark strip, screen, scroll bar.
    QImage window = whiteImage(inner.width, inner.height);
    {
        QPainter p(&window);
        p.drawImage(0, 0, status);
        p.drawImage(layout.zeroMarkStrip.left, layout.zeroMarkStrip.top, strip);
        p.drawImage(layout.picture.left, layout.picture.top, picture);
        p.fillRect(layout.scrollBar.left, layout.scrollBar.top, layout.scrollBar.width,
                   layout.scrollBar.height, QColor(200, 200, 200));
    }
    ASSERT_TRUE(window.save(artefactPath("screen.png")));
    ASSERT_TRUE(xy.save(artefactPath("xy.png")));
    ASSERT_TRUE(zoom.save(artefactPath("zoom.png")));

    const QImage shown(artefactPath("screen.png"));
    const QRect screenArea(layout.picture.left, layout.picture.top, layout.picture.width,
                           layout.picture.height);
    EXPECT_GT(pixelsOfColour(shown, qRgb(255, 0, 0), screenArea), 500);       // CH I
    EXPECT_GT(pixelsOfColour(shown, qRgb(0, 0, 255), screenArea), 500);       // CH II
    EXPECT_GT(pixelsOfColour(shown, qRgb(128, 0, 0), screenArea), 500);       // REF I
    EXPECT_GT(pixelsOfColour(shown, qRgb(128, 128, 128), screenArea), 2000);  // graticule
    // Cursor I (green, dashed) at x = -24 + 500 on the white background.
    const int cursorColumn =
        layout.picture.left +
        static_cast<int>(std::lround(476.0 * (layout.picture.width - 1) / 2000.0));
    EXPECT_GT(pixelsOfColour(shown, qRgb(0, 128, 0),
                             QRect(cursorColumn, screenArea.top(), 1, screenArea.height())),
              100);
    // The status line's text (smoothed) in the strip above the screen.
    const QRect statusArea(0, 0, inner.width, layout.statusStrip.height);
    EXPECT_GT(statusArea.width() * statusArea.height() -
                  pixelsOfColour(shown, qRgb(255, 255, 255), statusArea),
              300);
    // The XY figure and the zoomed traces.
    EXPECT_GT(pixelsOfColour(xy, qRgb(0, 128, 0)), 500);
    EXPECT_GT(pixelsOfColour(zoom, qRgb(255, 0, 0)), 500);
}

}  // namespace
}  // namespace ql::gui
