#include "WindowPlacing.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "state/Twips.h"

namespace ql::gui {

namespace {

struct Dpi {
    double x = 96.0, y = 96.0;
};

Dpi dpiOf(const QWidget& window)
{
    const QScreen* screen = window.screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    return {screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()};
}

// The area a window must stay inside: its parent for a child window, else the available
// area of the screen it overlaps most (the primary screen when it overlaps none).
QRect visibleArea(const QWidget& window, const QRect& wanted)
{
    if (!window.isWindow() && window.parentWidget()) return window.parentWidget()->rect();
    QRect best;
    int bestOverlap = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect overlap = screen->availableGeometry().intersected(wanted);
        const int area = overlap.isEmpty() ? 0 : overlap.width() * overlap.height();
        if (area > bestOverlap) {
            bestOverlap = area;
            best = screen->availableGeometry();
        }
    }
    if (bestOverlap > 0) return best;
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->availableGeometry() : wanted;
}

// `start` moved so that a span of `length` lies inside [low, low + room).
int fitInto(int start, int length, int low, int room)
{
    if (length >= room) return low;
    return std::clamp(start, low, low + room - length);
}

}  // namespace

WindowPlacement gatherPlacement(const QWidget& window)
{
    const Dpi dpi = dpiOf(window);
    WindowPlacement p;
    p.windowState = window.isMinimized()                              ? 1
                    : (window.isMaximized() || window.isFullScreen()) ? 2
                                                                      : 0;
    p.left = pixelsToTwips(window.x(), dpi.x);
    p.top = pixelsToTwips(window.y(), dpi.y);
    p.width = pixelsToTwips(window.width(), dpi.x);
    p.height = pixelsToTwips(window.height(), dpi.y);
    return p;
}

void applyPlacement(QWidget& window, const WindowPlacement& placement, bool withSize)
{
    // Back to normal first, so the position and size below are the normal ones.
    const Qt::WindowStates normal =
        window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    window.setWindowState(normal);
    const Dpi dpi = dpiOf(window);
    QSize size = window.size();
    if (withSize) {
        size = QSize(twipsToPixels(placement.width, dpi.x), twipsToPixels(placement.height, dpi.y))
                   .expandedTo(QSize(kMinimumWindowWidth, kMinimumWindowHeight))
                   .expandedTo(window.minimumSize())
                   .boundedTo(window.maximumSize());
    }
    // The frame (title bar, borders) is known once the window has been shown.
    const QSize frame =
        window.isWindow() ? window.frameGeometry().size() - window.size() : QSize(0, 0);
    QRect wanted(QPoint(twipsToPixels(placement.left, dpi.x), twipsToPixels(placement.top, dpi.y)),
                 size + frame);
    const QRect area = visibleArea(window, wanted);
    if (withSize) {
        const QSize fitting = (area.size() - frame).expandedTo(window.minimumSize());
        size = size.boundedTo(fitting);
        wanted.setSize(size + frame);
    }
    window.move(fitInto(wanted.x(), wanted.width(), area.x(), area.width()),
                fitInto(wanted.y(), wanted.height(), area.y(), area.height()));
    if (withSize) window.resize(size);

    if (placement.windowState == 1) window.setWindowState(normal | Qt::WindowMinimized);
    if (placement.windowState == 2) window.setWindowState(normal | Qt::WindowMaximized);
}

}  // namespace ql::gui
