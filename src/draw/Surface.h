#pragma once
// Surface: the drawing model every picture of the program is drawn with, over any
// PaintDevice. It holds a user scale (x and y may grow either way, y up for the scope
// screen), the current position, the pen (ForeColor, DrawWidth, DrawStyle, DrawMode) and the
// font, and the text flow of Print. It maps user units to device pixels itself, so text is
// never mirrored by a y-up scale; it clips to the device and lets no NaN or infinity through:
// a drawing call with unusable coordinates draws nothing, a setter given an unusable value
// keeps the previous one.
//
// Scale: the user rectangle is mapped onto the device's pixel centres, left edge on pixel 0
// and right edge on the last pixel (likewise top and bottom), so lines on the frame's edges
// are visible. Until a scale is set the user units are device pixels, y down.

#include <optional>
#include <span>
#include <string_view>

#include "DrawTypes.h"
#include "PaintDevice.h"

namespace ql {

// Left and top edge, width and height of the user frame; a negative height makes y grow
// upward, a negative width makes x grow to the left.
struct UserScale {
    double left = 0.0, top = 0.0, width = 1.0, height = 1.0;
    bool operator==(const UserScale&) const = default;
};

struct UserPoint {
    double x = 0.0, y = 0.0;
};

// What print() does after the text: go to the start of the next row, or stay behind the text
// (the form of Print with a trailing separator).
enum class LineEnd { Next, Stay };

class Surface {
public:
    explicit Surface(PaintDevice& device);

    PaintDevice& device() { return device_; }

    // --- Scale ---------------------------------------------------------------------------
    // Frame with (x1, y1) at the top-left and (x2, y2) at the bottom-right corner: scale(0,
    // 228, 2000, 28) gives x 0..2000 to the right and y 28..228 upward. Refused (false, the
    // scale unchanged) when a value is not finite or the frame has no width or height.
    bool scale(double x1, double y1, double x2, double y2);
    // The same by left, top, width and height.
    bool setUserScale(const UserScale& frame);
    // Back to device pixels.
    void resetScale();
    // The frame in force (device pixels: 0, 0, width - 1, height - 1).
    UserScale userScale() const;

    // Mapping between user units and device pixels (fractional pixels, not rounded).
    double deviceX(double x) const;
    double deviceY(double y) const;
    double userX(double deviceX) const;
    double userY(double deviceY) const;

    // --- Current position (CurrentX, CurrentY) --------------------------------------------
    double currentX() const { return currentX_; }
    double currentY() const { return currentY_; }
    void setCurrentX(double x);
    void setCurrentY(double y);
    void setCurrent(double x, double y);
    // To the frame's top-left corner (after cls() and on a new printer page).
    void home();

    // --- Pen -------------------------------------------------------------------------------
    void setForeColor(Rgb color) { pen_.color = color; }
    Rgb foreColor() const { return pen_.color; }
    void setBackColor(Rgb color) { backColor_ = color; }
    Rgb backColor() const { return backColor_; }
    // Line width in device pixels, 1..32767; other values are refused.
    void setDrawWidth(int width);
    int drawWidth() const { return pen_.width; }
    void setDrawStyle(DrawStyle style) { pen_.style = style; }
    DrawStyle drawStyle() const { return pen_.style; }
    void setDrawMode(DrawMode mode) { pen_.mode = mode; }
    DrawMode drawMode() const { return pen_.mode; }

    // --- Font ------------------------------------------------------------------------------
    void setFontName(std::string_view face);
    // Size in points, above 0 and up to 2048; other values are refused.
    void setFontSize(double points);
    void setFontBold(bool bold) { font_.bold = bold; }
    void setFontUnderline(bool underline) { font_.underline = underline; }
    void setFont(const FontSpec& font);
    const FontSpec& font() const { return font_; }

    // --- Drawing ---------------------------------------------------------------------------
    // Clears the whole device to the back colour and puts the position at the top-left.
    void cls();
    // Line from (x1, y1) to (x2, y2) in `color` or the fore colour, with the current width,
    // style and mode; the position moves to (x2, y2).
    void line(double x1, double y1, double x2, double y2, std::optional<Rgb> color = {});
    // Line from the current position to (x, y).
    void lineTo(double x, double y, std::optional<Rgb> color = {});
    // Joined lines through the points as one stroke; the position moves to the last point.
    // Where the path leaves the device, the segments that leave it are clipped one by one and
    // the runs on either side stay strokes of their own.
    void polyline(std::span<const UserPoint> points, std::optional<Rgb> color = {});
    // Outline of the rectangle with corners (x1, y1) and (x2, y2), as one stroke.
    void box(double x1, double y1, double x2, double y2, std::optional<Rgb> color = {});
    // The rectangle filled, edges included.
    void fillBox(double x1, double y1, double x2, double y2, std::optional<Rgb> color = {});
    // A point: a dot of DrawWidth pixels across; the position moves to (x, y).
    void pset(double x, double y, std::optional<Rgb> color = {});

    // --- Text ------------------------------------------------------------------------------
    // Prints text in the fore colour with its top-left corner at the current position; the
    // position then stands behind the text. A line feed in the text (CR LF or LF) ends the
    // row: the next characters start one text row lower at the frame's left edge; a carriage
    // return draws nothing. With LineEnd::Next the row is ended after the text as well, so
    // print("") alone moves to the next row.
    void print(std::string_view text, LineEnd end = LineEnd::Next);
    // Moves to character column `column` (1 = the frame's left edge; columns are as wide as a
    // digit of the current font). When the position already lies beyond that column, the
    // column on the next row is taken. Columns below 1 count as 1.
    void tab(int column);
    // Ends the current row: the frame's left edge, one text row lower.
    void newLine();
    // Size of a text in user units, always positive: its widest row, and one text row per
    // line of the text (an empty text counts one row).
    double textWidth(std::string_view text) const;
    double textHeight(std::string_view text = {}) const;

private:
    double spanX() const;
    double spanY() const;
    std::optional<DevicePoint> toDevicePoint(double x, double y, int margin) const;
    void drawClippedLine(double x1, double y1, double x2, double y2, const Pen& pen);
    Pen penWith(std::optional<Rgb> color) const;
    void printRow(std::string_view row);
    double deviceTextWidth(std::string_view row) const;

    PaintDevice& device_;
    bool pixelScale_ = true;
    UserScale scale_;
    double currentX_ = 0.0, currentY_ = 0.0;
    Pen pen_;
    Rgb backColor_ = kWhite;
    FontSpec font_;
};

}  // namespace ql
