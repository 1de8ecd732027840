#pragma once
// The windows the screen drawing paints, seen from the core: each view has a window state and
// the paint devices of its pictures, and receives the texts and settings the drawing gives its
// labels and scroll bar. The user interface owns the devices (images in the program, recording
// devices in the tests), keeps them the size of their controls and shows what was drawn when a
// view reports `updated`. A view without a device is computed but not drawn.

#include <functional>
#include <string>

#include "RedrawChain.h"
#include "VisibleExtremes.h"
#include "draw/PaintDevice.h"

namespace ql {

// Numbered as the window placements store them.
enum class WindowState { Normal = 0, Minimised = 1, Maximised = 2 };

inline constexpr const char* kScreenCaption = "Signal       ";
inline constexpr const char* kAnalogModeText = "Analog mode";
inline constexpr const char* kGuideText = "Select\r\n1. Config\r\n2. Read";
inline constexpr const char* kXyCaption = "XY-Display";
inline constexpr const char* kZoomCaption = "Zoom-Window";

// A rectangle of a window's inner area in pixels; width or height 0 when there is no room.
struct ViewArea {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const ViewArea&) const = default;
};

// Where the controls of the screen window go: the status strip across the top, the zero-mark
// strip at the left below it, the screen right of the strip, the scroll bar across the bottom.
// The strips are 300 and 255 twips.
struct ScreenLayout {
    ViewArea statusStrip, zeroMarkStrip, picture, scrollBar;
};
ScreenLayout screenLayout(DeviceSize inner, double dpi, int scrollBarHeight);

// The screen window ("Signal").
struct ScreenView {
    WindowState state = WindowState::Normal;
    PaintDevice* picture = nullptr;        // graticule, traces, trigger mark, cursors
    PaintDevice* zeroMarkStrip = nullptr;  // zero-level marks of CH I and CH II
    PaintDevice* statusStrip = nullptr;    // the status line

    // Written by every redraw that draws the screen.
    std::string caption = "Signal";
    bool analogModeLabelVisible = false;
    bool guideTextVisible = false;  // kGuideText over the screen before the first data
    int scrollMaximum = 1023;       // the scroll bar runs 0..scrollMaximum (value: scrollValue)

    // Geometry of the picture as last drawn; marks drawn onto it later use the same, so a
    // mark drawn again always covers itself.
    VisibleWindow shownWindow;
    int shownOriginX = traceOriginX(512);
    int markHalfWidth = 40;

    // Called after the pictures or texts changed.
    std::function<void()> updated;
};

// The XY view ("XY-Display").
struct XyView {
    WindowState state = WindowState::Normal;
    PaintDevice* picture = nullptr;
    bool shown = false;  // set by the first drawing while XY is on; cleared when it is closed
    std::string label;   // scales, couplings and sample rate
    std::function<void()> updated;
};

// The zoom box in screen coordinates: x in sample steps, y in sample codes.
struct ZoomBox {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool usable() const { return x1 < x2 && y1 < y2; }
    bool operator==(const ZoomBox&) const = default;
};

// The zoom window ("Zoom-Window").
struct ZoomView {
    WindowState state = WindowState::Normal;
    PaintDevice* picture = nullptr;
    // Geometry of the picture as last drawn, for the cursor marks drawn onto it later.
    ZoomBox shownBox;
    int shownOriginX = 0;
    int markHalfWidth = 40;
    std::function<void()> updated;
};

// Everything a screen redraw paints or calls.
struct DisplayViews {
    ScreenView screen;
    XyView xy;
    ZoomView zoom;
    RedrawChain chain;
    // True while drawScreen runs (chain included): a redraw asked for meanwhile is refused.
    bool redrawing = false;
};

// `device`, or a device that draws nothing when there is none.
PaintDevice& deviceOrNone(PaintDevice* device);

// Tells a view's owner that it changed.
inline void notifyUpdated(const std::function<void()>& updated)
{
    if (updated) updated();
}

}  // namespace ql
