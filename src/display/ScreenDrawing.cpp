#include "ScreenDrawing.h"

#include <algorithm>
#include <limits>
#include <string>

#include "ScreenCursors.h"
#include "StatusLine.h"
#include "TraceDrawing.h"
#include "TriggerMark.h"
#include "VisibleExtremes.h"
#include "XyDrawing.h"
#include "ZoomDrawing.h"
#include "draw/Surface.h"
#include "state/Numeric.h"
#include "state/Scaling.h"

namespace ql {

namespace {

constexpr int kZeroMarkStripLeft = -30;
constexpr int kZeroMarkEnd = -5;
constexpr int kFineGridStep = 20;
constexpr double kSmallestStatusPoints = 6.0;
constexpr double kStatusPointsStep = 0.25;

// Holds the redraw flag while drawScreen runs and leaves ScreenBusy clear whatever happens.
class RedrawScope {
public:
    RedrawScope(ProgramState& s, DisplayViews& views) : s_(s), views_(views)
    {
        views_.redrawing = true;
    }
    ~RedrawScope()
    {
        views_.redrawing = false;
        s_.screen.screenBusy = 0;
    }
    RedrawScope(const RedrawScope&) = delete;
    RedrawScope& operator=(const RedrawScope&) = delete;

private:
    ProgramState& s_;
    DisplayViews& views_;
};

// Settles the scroll bar for the view and returns the visible window.
VisibleWindow settleScroll(ProgramState& s, ScreenView& view)
{
    ScreenState& screen = s.screen;
    if (s.ddf.xMag10 == 1) {
        if (screen.scrollResyncPending == 1) {
            screen.scrollValue = kMagnifiedCentreScroll;
            screen.scrollResyncPending = 0;
        }
        view.scrollMaximum = kMagnifiedScrollMax;
        screen.scrollValue =
            static_cast<std::int16_t>(std::clamp<int>(screen.scrollValue, 0, kMagnifiedScrollMax));
        return visibleWindow(s.ddf, screen.scrollValue);
    }
    if (screen.scrollResyncPending == 1) {
        screen.scrollValue = s.ddf.horPosition;
        screen.scrollResyncPending = 0;
    }
    // The range is narrowed before the position is taken from the bar, so a value left by the
    // magnified view (up to 1800) never becomes a horizontal position the instrument cannot take.
    view.scrollMaximum = kHorPositionMax;
    screen.scrollValue =
        static_cast<std::int16_t>(std::clamp<int>(screen.scrollValue, 0, kHorPositionMax));
    s.ddf.horPosition = screen.scrollValue;
    return VisibleWindow{};
}

void drawFineGrid(Surface& picture, const VisibleWindow& window)
{
    picture.setDrawWidth(1);
    for (int x = 0; x <= window.last; x += kFineGridStep)
        if (x >= window.first)
            picture.line(x, kScreenBottom, x, kScreenTop, qbColor(kFineGridColor));
}

void drawGraticule(Surface& p)
{
    const Rgb grey = qbColor(kGraticuleColor);
    p.setDrawWidth(1);
    for (int y : {103, 78, 53, 28, 153, 178, 203, 228}) p.line(0, y, kScreenSteps, y, grey);
    for (int x : {0, 200, 400, 600, 800}) p.line(x, kScreenBottom, x, kScreenTop, grey);
    p.setDrawWidth(2);
    p.line(1000, kScreenBottom, 1000, kScreenTop, grey);
    p.line(0, kScreenCentre, kScreenSteps, kScreenCentre, grey);
    p.setDrawWidth(1);
    // The right half's lines run over the whole code range; the view cuts them.
    for (int x : {1200, 1400, 1600, 1800, 2000}) p.line(x, 0, x, 255, grey);
    p.setDrawWidth(2);
    p.line(0, kScreenBottom, 0, kScreenTop, grey);
    p.line(kScreenSteps, kScreenBottom, kScreenSteps, kScreenTop, grey);
    p.line(0, kScreenTop, kScreenSteps, kScreenTop, grey);
    p.line(0, kScreenBottom, kScreenSteps, kScreenBottom, grey);
    p.setDrawWidth(1);
}

void drawZeroMark(Surface& strip, CursorTrace trace, int zeroOffset)
{
    strip.setDrawWidth(1);
    const int code = zeroOffset + kZeroCodeBase;
    strip.line(kZeroMarkStripLeft, code, kZeroMarkEnd, code, qbColor(traceColor(trace)));
}

// A narrow screen window shows the whole status line: its font shrinks to the strip's width,
// not below 6 pt.
void fitStatusFont(Surface& status, const std::string& line)
{
    const double room = status.device().size().width;
    if (room <= 0) return;
    double points = status.font().points;
    while (points > kSmallestStatusPoints && status.textWidth(line) > room) {
        points = std::max(kSmallestStatusPoints, points - kStatusPointsStep);
        status.setFontSize(points);
    }
}

// The screen window's part of the redraw.
void drawScreenWindow(ProgramState& s, DisplayViews& views)
{
    ScreenView& view = views.screen;
    MeasurePoints& m = s.measure;
    m.ch1Max = 0;
    m.ch1Min = 255;
    m.ch2Max = 0;
    m.ch2Min = 255;
    s.screen.screenBusy = 1;

    view.analogModeLabelVisible = s.ddf.digitalMode != 1;
    view.guideTextVisible = s.screen.noDataYet != 0;
    view.caption = kScreenCaption + s.stamp.waveTime.str() + s.stamp.waveDate.str();

    // Where the screen does not fix a background it is white, so not-XOR marks show their
    // nominal colours.
    Surface picture(deviceOrNone(view.picture));
    Surface strip(deviceOrNone(view.zeroMarkStrip));
    Surface status(deviceOrNone(view.statusStrip));
    for (Surface* surface : {&picture, &strip, &status}) {
        surface->setBackColor(kWhite);
        surface->setDrawMode(DrawMode::CopyPen);
        surface->cls();
    }

    const VisibleWindow window = settleScroll(s, view);
    const int originX = traceOriginX(s.ddf.horPosition);
    view.shownWindow = window;
    view.shownOriginX = originX;
    view.markHalfWidth = markHalfWidth(s.ddf);
    picture.scale(window.first, kScreenTop, window.last, kScreenBottom);
    if (s.ddf.xMag10 == 1) drawFineGrid(picture, window);
    strip.scale(kZeroMarkStripLeft, kScreenTop, 0, kScreenBottom);
    drawGraticule(picture);

    if (s.tbB.tbBWindowOn == 1) {
        const TimebaseBRange range = timebaseBWindowRange(s);
        s.tbB.tbBWinFirst = range.first;
        s.tbB.tbBWinLast = range.last;
    }

    storeVisibleExtremes(m, findVisibleExtremes(s, s.screen.scrollValue));
    for (CursorTrace trace :
         {CursorTrace::Ch1, CursorTrace::Ch2, CursorTrace::Ref1, CursorTrace::Ref2}) {
        if (!traceDrawn(s, trace)) continue;
        drawTrace(picture, s, trace, originX, window.first, window.last);
        if (trace == CursorTrace::Ch1) drawZeroMark(strip, trace, s.preamble.ch1ZeroOffset);
        if (trace == CursorTrace::Ch2) drawZeroMark(strip, trace, s.preamble.ch2ZeroOffset);
    }

    const TrigMark mark = calcTriggerMark(s);
    const int triggerSample = s.preamble.wfmTrigPos + 1;
    if (triggerSample >= 0 && triggerSample <= kLastShownSample && mark.trigMarkY >= 1) {
        const int x = std::clamp(originX + triggerSample, window.first, window.last);
        drawTriggerMark(picture, x, mark.trigMarkY, mark.trigMarkOnTrace != 0, view.markHalfWidth);
    }

    const std::string statusLine = buildStatusLine(s, StatusLineTarget::Screen);
    fitStatusFont(status, statusLine);
    status.print(statusLine, LineEnd::Stay);

    s.screenMarks.screenCursorsDrawn = 0;  // the cleared picture holds no cursor marks
    if (s.cursor.cursorsOn == 1)
        showCursorValues(s, views);  // reports the screen updated itself
    else
        notifyUpdated(view.updated);
}

}  // namespace

TimebaseBRange timebaseBWindowRange(const ProgramState& s)
{
    constexpr std::int64_t lo = std::numeric_limits<std::int16_t>::min();
    constexpr std::int64_t hi = std::numeric_limits<std::int16_t>::max();
    const DdfSettings& d = s.ddf;
    const double start =
        traceOriginX(d.horPosition) + s.preamble.wfmTrigPos + 1 + d.delayPosition / 2.0;
    const auto first = static_cast<std::int16_t>(roundClamp(start, lo, hi));
    double width = 0.0;
    const auto perDivA = timePerDivEntry(s.tables, d.tbAIndex);
    const auto perDivB = timePerDivEntry(s.tables, d.tbBIndex);
    if (perDivA && perDivB) width = *perDivB * 10 / *perDivA * kSamplesPerDivision;
    const auto last = static_cast<std::int16_t>(roundClamp(first + width, lo, hi));
    return TimebaseBRange{first, last};
}

void drawScreen(ProgramState& s, DisplayViews& views)
{
    if (s.screen.screenBusy == 1 || views.redrawing) return;
    RedrawScope scope(s, views);

    if (views.screen.state != WindowState::Minimised) drawScreenWindow(s, views);
    if (s.ddf.xyMode == 1) drawXy(s, views.xy);

    if (s.layout.automesVisible == 1) views.chain.run(RedrawLink::AutoMeasure, s);
    if (s.fft.fftActive == 1) views.chain.run(RedrawLink::Fft, s);
    if (s.harm.obwActive == 1) views.chain.run(RedrawLink::Harmonics, s);
    if (s.print.printPreviewOpen == 1) views.chain.run(RedrawLink::PrintPreview, s);
    s.screen.screenBusy = 0;
    if (s.zoom.zoomOpen == 1) drawZoom(s, views.zoom);
}

void redrawForWindowEvent(ProgramState& s, DisplayViews& views)
{
    if (s.screen.screenBusy == 1 || views.screen.state == WindowState::Minimised) return;
    drawScreen(s, views);
}

}  // namespace ql
