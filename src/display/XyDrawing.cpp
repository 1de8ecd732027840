#include "XyDrawing.h"

#include "ReadoutText.h"
#include "ScreenDrawing.h"
#include "StatusLine.h"
#include "TraceDrawing.h"
#include "draw/Surface.h"
#include "state/Scaling.h"

namespace ql {

namespace {

constexpr int kFigureColor = 2;
constexpr int kDotWidth = 2;

// The picture: x 3..253 and y 28..228, both in codes.
constexpr int kXyLeft = 3, kXyRight = 253;

void drawXyGraticule(Surface& p)
{
    const Rgb grey = qbColor(kGraticuleColor);
    p.setDrawWidth(1);
    for (int y : {103, 78, 53, 28, 153, 178, 203, 228}) p.line(0, y, 255, y, grey);
    for (int x : {103, 78, 53, 28, 3}) p.line(x, kScreenBottom, x, kScreenTop, grey);
    p.setDrawWidth(2);
    p.line(kScreenCentre, kScreenBottom, kScreenCentre, kScreenTop, grey);
    p.line(0, kScreenCentre, 255, kScreenCentre, grey);
    p.setDrawWidth(1);
    for (int x : {153, 178, 203, 228, 253}) p.line(x, 0, x, 255, grey);
}

void drawFigure(Surface& p, const ProgramState& s)
{
    const Rgb green = qbColor(kFigureColor);
    if (s.screen.xyVectors == 1) {
        p.setDrawWidth(1);
        for (int i = kFirstSample; i <= kLastShownSample; ++i) {
            const UserPoint a = xyPoint(s, i), b = xyPoint(s, i + 1);
            p.line(a.x, a.y, b.x, b.y, green);
        }
        return;
    }
    p.setDrawWidth(kDotWidth);
    for (int i = kFirstSample; i <= kLastShownSample; ++i) {
        const UserPoint a = xyPoint(s, i);
        p.pset(a.x, a.y, green);
    }
    p.setDrawWidth(1);
}

std::string channelScaleText(const ProgramState& s, Channel ch, bool isX, char decimalSign)
{
    std::string text = isX ? "CHX: " : "CHY: ";
    const auto perDiv = channelVoltsPerDiv(s, ch);
    text += perDiv ? readoutVoltsText(*perDiv, decimalSign) : kNoValueText;
    text += channelCouplingText(ch == Channel::Ch1 ? s.ddf.ch1Coupling : s.ddf.ch2Coupling);
    return text + "   ";
}

}  // namespace

UserPoint xyPoint(const ProgramState& s, int i)
{
    const auto at = static_cast<std::size_t>(i);
    const double ch1 = s.waves.waveCh1[at], ch2 = s.waves.waveCh2[at];
    return s.caps.unitXyinv ? UserPoint{ch1, ch2} : UserPoint{ch2, ch1};
}

std::string xySampleRateText(const ProgramState& s, char decimalSign)
{
    const auto perDiv = timePerDivEntry(s.tables, s.ddf.tbAIndex);
    if (!perDiv) return kNoValueText;
    const double t = *perDiv;
    if (t >= 0.5) return formatNumber(kSamplesPerDivision / t, "# S/s", decimalSign);
    if (t >= 0.0005) return formatNumber(0.2 / t, "# KS/s", decimalSign);
    return formatNumber(0.0002 / t, "# MS/s", decimalSign);
}

std::string xyLabelText(const ProgramState& s, char decimalSign)
{
    const bool ch1IsX = s.caps.unitXyinv;
    return channelScaleText(s, Channel::Ch1, ch1IsX, decimalSign) +
           channelScaleText(s, Channel::Ch2, !ch1IsX, decimalSign) +
           xySampleRateText(s, decimalSign);
}

void drawXy(ProgramState& s, XyView& view)
{
    if (view.state == WindowState::Minimised) return;
    view.shown = true;
    Surface picture(deviceOrNone(view.picture));
    picture.setBackColor(kWhite);
    picture.setDrawMode(DrawMode::CopyPen);
    picture.cls();
    picture.scale(kXyLeft, kScreenTop, kXyRight, kScreenBottom);
    drawXyGraticule(picture);
    drawFigure(picture, s);
    view.label = xyLabelText(s);
    notifyUpdated(view.updated);
}

bool closeXyView(ProgramState& s, DisplayViews& views)
{
    views.xy.shown = false;
    bool changed = false;
    if (s.ddf.xyMode == 1) {
        s.ddf.xyMode = 0;
        s.ddf.ch2On = s.ddf.savedCh2On;
        s.ddf.ch1On = s.ddf.savedCh1On;
        changed = true;
    }
    drawScreen(s, views);
    return changed;
}

void toggleXyVectors(ProgramState& s)
{
    s.screen.xyVectors = s.screen.xyVectors == 1 ? 0 : 1;
    s.screen.screenDirty = 1;
}

}  // namespace ql
