#include "DemoScene.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace ql {

void drawDemoScene(Surface& s)
{
    s.setBackColor(kWhite);
    s.cls();
    s.setDrawMode(DrawMode::CopyPen);
    s.setDrawStyle(DrawStyle::Solid);

    // The scope frame: x 0..2000 across, codes 28..228 upward, room for text around it.
    s.scale(-300, 308, 2300, -172);

    // Headline, centred by its width.
    s.setFontName("Courier New");
    s.setFontSize(12);
    s.setFontBold(true);
    s.setForeColor(qbColor(0));
    s.setCurrent(1000 - s.textWidth(kDemoHeadline) / 2, 290);
    s.print(kDemoHeadline);
    s.setFontBold(false);
    s.setFontSize(9);
    s.setCurrentX(0);
    s.print("Measure time: ", LineEnd::Stay);
    s.print(
        "12:34:56  (5 \xC2\xB5s/div, 20 \xC2\xB0"
        "C)");

    // Graticule: thin division lines, heavy frame and centre lines.
    s.setDrawWidth(1);
    for (int y = 53; y <= 203; y += 25) s.line(0, y, 2000, y, qbColor(8));
    for (int x = 200; x <= 1800; x += 200) s.line(x, 28, x, 228, qbColor(8));
    s.setDrawWidth(2);
    s.box(0, 28, 2000, 228, qbColor(0));
    s.line(1000, 28, 1000, 228, qbColor(0));
    s.line(0, 128, 2000, 128, qbColor(0));

    // CH I: a sine as short segments, width 1; CH II: a square wave as one polyline, width 2.
    s.setDrawWidth(1);
    for (int i = 0; i < 2000; i += 4) {
        const double a = 128 + 70 * std::sin(i * 2 * std::numbers::pi / 500);
        const double b = 128 + 70 * std::sin((i + 4) * 2 * std::numbers::pi / 500);
        s.line(i, a, i + 4, b, qbColor(12));
    }
    std::vector<UserPoint> square;
    for (int k = 0; k <= 10; ++k) {
        const double level = k % 2 == 0 ? 60 : 90;
        square.push_back({k * 200.0, level});
        square.push_back({k * 200.0 + 200, level});
    }
    s.setDrawWidth(2);
    s.polyline(square, qbColor(9));

    // Labels beside the frame with dotted leaders.
    s.setDrawWidth(1);
    s.setForeColor(qbColor(12));
    s.setCurrent(-270, 202);
    s.print("CH I");
    s.setDrawStyle(DrawStyle::Dot);
    s.line(-150, 198, 0, 198);
    s.setDrawStyle(DrawStyle::Solid);

    // Cursors: dashed not-XOR lines. The one at 700 is drawn twice and must be gone.
    s.setDrawMode(DrawMode::NotXorPen);
    s.setDrawStyle(DrawStyle::Dash);
    s.line(700, 28, 700, 228, qbColor(2));
    s.line(500, 28, 500, 228, qbColor(2));
    s.line(700, 28, 700, 228, qbColor(2));
    s.line(1500, 28, 1500, 228, qbColor(3));
    s.setDrawStyle(DrawStyle::Solid);
    s.setDrawWidth(3);
    s.line(460, 198, 540, 198, qbColor(5));
    s.setDrawWidth(1);
    s.setDrawMode(DrawMode::CopyPen);

    // Wide points and filled bars below the frame.
    s.setDrawWidth(6);
    for (int k = 0; k < 8; ++k) s.pset(2080 + 20 * k, 40 + 20 * k, qbColor(10));
    s.setDrawWidth(1);
    for (int k = 0; k < 6; ++k)
        s.fillBox(100 + 150 * k, -10, 200 + 150 * k, -10 - 12 * k, qbColor(4));
    s.box(80, -5, 1000, -85, qbColor(8));

    // Text flow: columns, a line feed inside the text, underline.
    s.setForeColor(qbColor(0));
    s.setFontName("MS Sans Serif");
    s.setFontSize(9);
    s.setCurrent(1100, -5);
    s.setFontUnderline(true);
    s.print("Notes:");
    s.setFontUnderline(false);
    s.setCurrentX(1100);
    s.print("first row\r\nsecond row", LineEnd::Stay);
    s.print(" (kept)");
    s.setFontName("Courier New");
    for (int k = 0; k < 3; ++k) {
        s.tab(10 * (k + 1));
        s.print(kDemoColumnTexts[k], LineEnd::Stay);
    }
    s.newLine();
}

}  // namespace ql
