#pragma once
// The vocabulary shared by Surface and every PaintDevice: colours of the 16-colour palette,
// the pen (colour, width, line style, draw mode), fonts and device-pixel geometry.

#include <cstdint>
#include <string>

namespace ql {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// Colour n (0-15) of the classic 16-colour palette: 0 black, 1 blue, 2 green, 3 cyan, 4 red,
// 5 magenta, 6 brown, 7 light grey, 8 grey, 9 light blue, 10 light green, 11 light cyan,
// 12 light red, 13 light magenta, 14 yellow, 15 white. Numbers outside 0-15 give black.
Rgb qbColor(int index);

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

// Line styles, numbered as the drawing code names them (DrawStyle 0, 1, 2).
enum class DrawStyle { Solid = 0, Dash = 1, Dot = 2 };

// Draw modes, numbered as the drawing code names them: 13 copies the pen onto the picture,
// 10 combines them as NOT (pen XOR picture), so drawing the same mark twice removes it.
enum class DrawMode { NotXorPen = 10, CopyPen = 13 };

// Everything a device needs to draw a line, a dot or a filled rectangle.
struct Pen {
    Rgb color;
    int width = 1;  // device pixels, at least 1
    DrawStyle style = DrawStyle::Solid;
    DrawMode mode = DrawMode::CopyPen;
    bool operator==(const Pen&) const = default;
};

// A font by name, size in points, weight and underline. Devices substitute a face they do
// not have by one of its kind (monospace for the Courier faces, sans for the dialog faces).
struct FontSpec {
    std::string face = "MS Sans Serif";
    double points = 8.25;
    bool bold = false;
    bool underline = false;
    bool operator==(const FontSpec&) const = default;
};

// Device geometry, in whole pixels; y grows downward, (0, 0) is the top-left pixel.
struct DevicePoint {
    int x = 0, y = 0;
    bool operator==(const DevicePoint&) const = default;
};

// Inclusive pixel rectangle: left <= right, top <= bottom, both edges belong to it.
struct DeviceRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const DeviceRect&) const = default;
};

struct DeviceSize {
    int width = 0, height = 0;
    bool operator==(const DeviceSize&) const = default;
};

}  // namespace ql
