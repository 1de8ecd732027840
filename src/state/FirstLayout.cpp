#include "FirstLayout.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <tuple>

namespace ql {

namespace {

// The windows that make room for the screen window, first to last.
constexpr ToolWindow kGiveWayOrder[] = {ToolWindow::StoragePanel, ToolWindow::IntensityPanel,
                                        ToolWindow::MeasurementWindow};

// The default layout has the channels panel below the screen window, the others to its right.
bool belowByDefault(ToolWindow w)
{
    return w == ToolWindow::ChannelPanel;
}

// The screen's picture is ten divisions across and eight down; a window of another shape
// shows it stretched, so what counts is the largest 5:4 area inside it.
double pictureArea(int width, int height)
{
    const double w = std::min<double>(width, height * 5.0 / 4.0);
    return w * (w * 4.0 / 5.0);
}

std::int64_t area(const PixelSize& s)
{
    return std::int64_t{s.width} * s.height;
}

// Windows set side by side in lines across (`across`) or one under the other in columns
// (`!across`): a line takes windows in order until the next would pass `limit`, and the lines
// follow each other. Returns the lines' total depth (heights of the lines across, widths of
// the columns) and the place of each window relative to the first line's corner, or nothing
// when a window alone passes the limit.
struct Packing {
    int depth = 0;
    std::vector<PixelRect> places;
};

std::optional<Packing> pack(std::span<const StartWindow* const> windows, int limit, bool across)
{
    Packing p;
    int along = 0, lineDepth = 0;
    for (const StartWindow* w : windows) {
        const int length = across ? w->size.width : w->size.height;
        const int depth = across ? w->size.height : w->size.width;
        if (length > limit) return std::nullopt;
        if (along > 0 && along + length > limit) {
            p.depth += lineDepth;
            along = 0;
            lineDepth = 0;
        }
        p.places.push_back(across ? PixelRect{along, p.depth, w->size.width, w->size.height}
                                  : PixelRect{p.depth, along, w->size.width, w->size.height});
        along += length;
        lineDepth = std::max(lineDepth, depth);
    }
    p.depth += lineDepth;
    return p;
}

struct Candidate {
    FirstLayout layout;
    double picture = 0;
    int moved = 0;  // windows on the other side than the default layout's
    std::int64_t screenArea = 0;
};

// One arrangement: the windows of `below` in lines under the screen window, the others in
// columns at the area's right edge. With `stripAcross` the lines below run under the columns
// too (the columns end above them); otherwise the columns run the full height.
std::optional<Candidate> arrange(PixelSize a, std::span<const StartWindow* const> windows,
                                 std::uint32_t below, bool stripAcross)
{
    std::vector<const StartWindow*> strip, columns;
    int moved = 0;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const bool isBelow = (below >> i) & 1u;
        (isBelow ? strip : columns).push_back(windows[i]);
        if (isBelow != belowByDefault(windows[i]->window)) ++moved;
    }
    std::optional<Packing> lines, cols;
    if (stripAcross) {
        lines = pack(strip, a.width, true);
        if (!lines) return std::nullopt;
        cols = pack(columns, a.height - lines->depth, false);
        if (!cols) return std::nullopt;
    } else {
        cols = pack(columns, a.height, false);
        if (!cols) return std::nullopt;
        lines = pack(strip, a.width - cols->depth, true);
        if (!lines) return std::nullopt;
    }
    const PixelSize screen{a.width - cols->depth, a.height - lines->depth};
    if (screen.width <= 0 || screen.height <= 0) return std::nullopt;

    Candidate c;
    c.layout.screen = {0, 0, screen.width, screen.height};
    for (std::size_t i = 0; i < strip.size(); ++i) {
        PixelRect r = lines->places[i];
        r.top += screen.height;
        c.layout.windows.push_back({strip[i]->window, r});
    }
    for (std::size_t i = 0; i < columns.size(); ++i) {
        PixelRect r = cols->places[i];
        r.left += screen.width;
        c.layout.windows.push_back({columns[i]->window, r});
    }
    c.picture = pictureArea(screen.width, screen.height);
    c.moved = moved;
    c.screenArea = area(screen);
    return c;
}

// The screen window is usable at its minimum size and when no other window is larger.
bool usable(const Candidate& c, std::span<const StartWindow* const> windows)
{
    const PixelRect& s = c.layout.screen;
    if (s.width < kUsableScreenWindow.width || s.height < kUsableScreenWindow.height) return false;
    return std::all_of(windows.begin(), windows.end(),
                       [&](const StartWindow* w) { return area(w->size) <= c.screenArea; });
}

// The best arrangement of `windows`: the largest screen picture, then the fewest windows away
// from their default side, then the largest screen window. `onlyUsable` drops the arrangements
// whose screen window is not usable.
std::optional<Candidate> best(PixelSize a, std::span<const StartWindow* const> windows,
                              bool onlyUsable)
{
    std::optional<Candidate> found;
    const std::uint32_t masks = 1u << windows.size();
    for (bool stripAcross : {false, true}) {
        for (std::uint32_t below = 0; below < masks; ++below) {
            std::optional<Candidate> c = arrange(a, windows, below, stripAcross);
            if (!c || (onlyUsable && !usable(*c, windows))) continue;
            if (!found || std::tuple(c->picture, -c->moved, c->screenArea) >
                              std::tuple(found->picture, -found->moved, found->screenArea))
                found = std::move(c);
        }
    }
    return found;
}

// Nothing fits: the screen window at its usable size and the others one after another to its
// right and below, each moved inside the area as far as its size allows.
FirstLayout overlapping(PixelSize a, std::span<const StartWindow* const> windows)
{
    FirstLayout layout;
    layout.screen = {0, 0, std::min(a.width, kUsableScreenWindow.width),
                     std::min(a.height, kUsableScreenWindow.height)};
    int x = layout.screen.width, y = 0;
    for (const StartWindow* w : windows) {
        if (y > 0 && y + w->size.height > a.height) {
            y = 0;
            x += w->size.width;
        }
        const int left = std::max(0, std::min(x, a.width - w->size.width));
        const int top = std::max(0, std::min(y, a.height - w->size.height));
        layout.windows.push_back({w->window, {left, top, w->size.width, w->size.height}});
        y += w->size.height;
    }
    return layout;
}

}  // namespace

FirstLayout planFirstLayout(PixelSize area, std::span<const StartWindow> others)
{
    std::vector<const StartWindow*> windows;
    for (const StartWindow& w : others) windows.push_back(&w);
    // Every side of every window is tried; more windows than this are never shown at start.
    constexpr std::size_t kMostWindows = 12;
    if (windows.size() > kMostWindows) windows.resize(kMostWindows);

    std::vector<ToolWindow> givenWay;
    std::size_t nextToGiveWay = 0;
    for (;;) {
        if (std::optional<Candidate> c = best(area, windows, true)) {
            c->layout.givenWay = givenWay;
            c->layout.fits = true;
            return c->layout;
        }
        auto next = windows.end();
        while (next == windows.end() && nextToGiveWay < std::size(kGiveWayOrder)) {
            const ToolWindow candidate = kGiveWayOrder[nextToGiveWay++];
            next = std::find_if(windows.begin(), windows.end(),
                                [&](const StartWindow* w) { return w->window == candidate; });
        }
        if (next == windows.end()) break;
        givenWay.push_back((*next)->window);
        windows.erase(next);
    }
    // No usable screen window beside what is left: the largest one that covers nothing, else
    // one that may.
    FirstLayout layout;
    if (std::optional<Candidate> c = best(area, windows, false))
        layout = c->layout;
    else
        layout = overlapping(area, windows);
    layout.givenWay = givenWay;
    layout.fits = false;
    return layout;
}

PixelRect freePlace(PixelSize area, PixelSize size, std::span<const PixelRect> taken)
{
    // A free place, when there is one, can be slid up and left until its top meets the area's
    // top or another window's bottom, and its left another window's right or the area's left.
    // The places touching the far edges and the windows' other sides are tried for the one
    // that covers least when none is free.
    std::vector<int> lefts{0, area.width - size.width}, tops{0, area.height - size.height};
    for (const PixelRect& r : taken) {
        lefts.insert(lefts.end(), {r.right(), r.left - size.width});
        tops.insert(tops.end(), {r.bottom(), r.top - size.height});
    }
    const auto covered = [&](const PixelRect& place) {
        std::int64_t sum = 0;
        for (const PixelRect& r : taken) {
            const int w = std::min(place.right(), r.right()) - std::max(place.left, r.left);
            const int h = std::min(place.bottom(), r.bottom()) - std::max(place.top, r.top);
            if (w > 0 && h > 0) sum += std::int64_t{w} * h;
        }
        return sum;
    };
    PixelRect best{0, 0, size.width, size.height};
    std::int64_t bestCovered = covered(best);
    for (int top : tops) {
        for (int left : lefts) {
            const PixelRect place{std::clamp(left, 0, std::max(0, area.width - size.width)),
                                  std::clamp(top, 0, std::max(0, area.height - size.height)),
                                  size.width, size.height};
            const std::int64_t c = covered(place);
            if (std::tuple(c, place.top, place.left) <
                std::tuple(bestCovered, best.top, best.left)) {
                best = place;
                bestCovered = c;
            }
        }
    }
    return best;
}

}  // namespace ql
