// The Qt paint device on images and on a PDF printer: not-XOR marks drawn twice restore the
// picture, dashes keep their pixel lengths, text is anchored at its top-left corner, fonts
// are substituted by their kind.

#include <gtest/gtest.h>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QTemporaryDir>

#include <vector>

#include "DemoScene.h"
#include "draw/Surface.h"
#include "gui/QtPaintDevice.h"
#include "gui/QtPrinter.h"

namespace ql::gui {
namespace {

QImage whiteImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);  // 96 dpi
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    return image;
}

// Lengths of the alternating runs of drawn and blank pixels along one row, from the first
// drawn pixel to the last.
std::vector<int> runsAlongRow(const QImage& image, int y)
{
    std::vector<int> runs;
    bool drawn = false;
    int length = 0;
    bool started = false;
    for (int x = 0; x < image.width(); ++x) {
        const bool here = image.pixel(x, y) != qRgb(255, 255, 255);
        if (!started) {
            if (!here) continue;
            started = true;
            drawn = true;
        }
        if (here == drawn) {
            ++length;
        } else {
            runs.push_back(length);
            drawn = here;
            length = 1;
        }
    }
    if (started && drawn) runs.push_back(length);
    return runs;
}

void drawMarks(Surface& s)
{
    s.setDrawMode(DrawMode::NotXorPen);
    s.setDrawStyle(DrawStyle::Dash);
    s.setDrawWidth(1);
    s.line(500, 28, 500, 228, qbColor(2));
    s.line(1500, 28, 1500, 228, qbColor(3));
    s.line(100, 40, 1900, 220, qbColor(12));  // diagonal across traces and grid
    s.setDrawStyle(DrawStyle::Dot);
    s.line(0, 150, 2000, 150, qbColor(3));
    s.setDrawStyle(DrawStyle::Solid);
    s.setDrawWidth(3);
    s.line(460, 198, 540, 198, qbColor(5));
    s.line(1460, 60, 1540, 60, qbColor(2));
    s.setDrawWidth(2);
    s.line(980, 123, 980, 133, qbColor(2));
    s.setDrawWidth(1);
    s.box(900, 100, 1100, 156);
    s.setDrawWidth(5);
    s.pset(1200, 180, qbColor(9));
    s.setDrawWidth(1);
    s.pset(1210, 180, qbColor(9));
    s.fillBox(1300, 40, 1400, 90, qbColor(14));
    s.setDrawMode(DrawMode::CopyPen);
}

TEST(QtPaintDevice, NotXorMarksDrawnTwiceLeaveTheImageUnchanged)
{
    QImage image = whiteImage(640, 400);
    QtPaintDevice device(image);
    ASSERT_TRUE(device.hasRasterOps());
    Surface surface(device);
    drawDemoScene(surface);
    device.finish();
    const QImage before = image.copy();

    drawMarks(surface);
    device.finish();
    EXPECT_NE(image, before) << "the marks were not drawn";
    drawMarks(surface);
    device.finish();
    EXPECT_EQ(image, before) << "drawing the marks again did not remove them";
}

TEST(QtPaintDevice, NotXorMarksVanishOnAPixmapToo)
{
    QPixmap pixmap(300, 200);
    pixmap.fill(Qt::white);
    QtPaintDevice device(pixmap);
    ASSERT_TRUE(device.hasRasterOps());
    Surface surface(device);
    ASSERT_TRUE(surface.scale(0, 228, 2000, 28));
    surface.line(0, 128, 2000, 128, qbColor(8));
    device.finish();
    const QImage before = pixmap.toImage();
    drawMarks(surface);
    device.finish();
    EXPECT_NE(pixmap.toImage(), before);
    drawMarks(surface);
    device.finish();
    EXPECT_EQ(pixmap.toImage(), before);
}

TEST(QtPaintDevice, NotXorOnWhiteShowsThePenColour)
{
    QImage image = whiteImage(20, 20);
    QtPaintDevice device(image);
    Surface surface(device);
    surface.setDrawMode(DrawMode::NotXorPen);
    surface.line(2, 10, 17, 10, qbColor(2));
    device.finish();
    EXPECT_EQ(image.pixel(8, 10), qRgb(0, 128, 0));
    EXPECT_EQ(image.pixel(8, 9), qRgb(255, 255, 255));
}

TEST(QtPaintDevice, RowAndColumnLinesGiveThePixelsOfTheirStroke)
{
    // Against QPainter's own aliased stroke of the same line: round caps for solid lines, flat
    // ones for dashes of 18 on / 6 off and dots of 3 / 3 (96 dpi).
    struct Case {
        DevicePoint a, b;
        int width;
        DrawStyle style;
        DrawMode mode;
    };
    using S = DrawStyle;
    constexpr DrawMode copy = DrawMode::CopyPen, notXor = DrawMode::NotXorPen;
    const Case cases[] = {
        {{5, 2}, {5, 37}, 1, S::Solid, copy},    {{5, 37}, {5, 2}, 1, S::Solid, copy},
        {{1, 9}, {38, 9}, 1, S::Solid, notXor},  {{7, 7}, {7, 7}, 1, S::Solid, copy},
        {{-4, 3}, {50, 3}, 1, S::Solid, copy},   {{12, -5}, {12, 60}, 1, S::Solid, notXor},
        {{5, 2}, {5, 37}, 2, S::Solid, copy},    {{38, 9}, {1, 9}, 2, S::Solid, notXor},
        {{0, 0}, {0, 39}, 2, S::Solid, copy},    {{3, 39}, {36, 39}, 2, S::Solid, notXor},
        {{5, 0}, {5, 39}, 1, S::Dash, notXor},   {{5, 39}, {5, 0}, 1, S::Dash, notXor},
        {{2, 20}, {37, 20}, 1, S::Dash, copy},   {{37, 20}, {2, 20}, 1, S::Dot, copy},
        {{9, -30}, {9, 33}, 1, S::Dash, notXor}, {{9, 70}, {9, 3}, 1, S::Dash, copy},
        {{-9, 13}, {44, 13}, 1, S::Dot, copy},   {{30, 1}, {30, 2}, 1, S::Dash, copy},
    };
    for (const Case& c : cases) {
        QImage ours = whiteImage(40, 40), stroked = whiteImage(40, 40);
        ours.fill(QColor(40, 90, 200));
        stroked.fill(QColor(40, 90, 200));
        {
            QtPaintDevice device(ours);
            device.line(c.a, c.b, Pen{qbColor(2), c.width, c.style, c.mode});
        }
        {
            QPainter p(&stroked);
            if (c.mode == DrawMode::NotXorPen)
                p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
            QPen pen(QColor(0, 128, 0), c.width);
            pen.setCapStyle(Qt::RoundCap);
            if (c.style != S::Solid) {
                pen.setCapStyle(Qt::FlatCap);
                pen.setDashPattern(c.style == S::Dash ? QList<qreal>{18, 6} : QList<qreal>{3, 3});
            }
            p.setPen(pen);
            if (c.a == c.b)
                p.drawPoint(c.a.x, c.a.y);
            else
                p.drawLine(c.a.x, c.a.y, c.b.x, c.b.y);
        }
        EXPECT_EQ(ours, stroked) << c.a.x << "," << c.a.y << " - " << c.b.x << "," << c.b.y
                                 << " width " << c.width << " style " << static_cast<int>(c.style);
    }
}

TEST(QtPaintDevice, DashesAndDotsKeepTheirPixelLengthsAtEveryWidth)
{
    QImage image = whiteImage(400, 40);
    QtPaintDevice device(image);
    Surface surface(device);
    surface.setDrawStyle(DrawStyle::Dash);
    surface.line(0, 5, 399, 5);
    surface.setDrawWidth(3);
    surface.line(0, 15, 399, 15);
    surface.setDrawWidth(1);
    surface.setDrawStyle(DrawStyle::Dot);
    surface.line(0, 30, 399, 30);
    device.finish();

    for (int y : {5, 15}) {
        const std::vector<int> runs = runsAlongRow(image, y);
        ASSERT_GE(runs.size(), 20u) << "row " << y << " is not dashed";
        for (std::size_t i = 0; i + 1 < runs.size(); ++i) {  // the last dash may be cut
            const int expected = i % 2 == 0 ? 18 : 6;
            EXPECT_NEAR(runs[i], expected, 1) << "row " << y << " run " << i;
        }
    }
    const std::vector<int> dots = runsAlongRow(image, 30);
    ASSERT_GE(dots.size(), 100u);
    for (std::size_t i = 0; i + 1 < dots.size(); ++i) EXPECT_NEAR(dots[i], 3, 1) << "run " << i;
}

TEST(QtPaintDevice, TextHangsBelowItsAnchorInAYUpFrame)
{
    QImage image = whiteImage(201, 101);
    QtPaintDevice device(image);
    Surface surface(device);
    ASSERT_TRUE(surface.scale(0, 100, 200, 0));  // y up, one unit per pixel
    surface.setFontName("Courier New");
    surface.setFontSize(12);
    surface.setCurrent(50, 80);  // device (50, 20)
    surface.print("EEEE");
    device.finish();
    int top = image.height(), bottom = -1, left = image.width();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
            }
    ASSERT_GE(bottom, 0) << "no text drawn";
    EXPECT_GE(top, 20);
    EXPECT_LT(bottom, 20 + device.lineHeight(surface.font()));
    EXPECT_NEAR(left, 50, 3);
    EXPECT_LT(surface.currentY(), 80.0);  // the next row is lower on the page
}

TEST(QtPaintDevice, FontsAreSubstitutedByTheirKind)
{
    const QFont courier = QtPaintDevice::qtFont({"Courier New", 10, false, false});
    EXPECT_TRUE(QFontInfo(courier).fixedPitch()) << QFontInfo(courier).family().toStdString();
    const QFont plainCourier = QtPaintDevice::qtFont({"courier", 12, true, false});
    EXPECT_TRUE(QFontInfo(plainCourier).fixedPitch());
    EXPECT_TRUE(QFontInfo(plainCourier).bold());
    const QFont dialog = QtPaintDevice::qtFont({"MS Sans Serif", 8.25, false, true});
    EXPECT_FALSE(QFontInfo(dialog).fixedPitch()) << QFontInfo(dialog).family().toStdString();
    EXPECT_TRUE(dialog.underline());

    QImage image = whiteImage(10, 10);
    QtPaintDevice device(image);
    const FontSpec mono{"Courier New", 10, false, false};
    EXPECT_NEAR(device.textWidth("iiiiiiiiii", mono), device.textWidth("WWWWWWWWWW", mono), 0.5);
    EXPECT_NEAR(device.textWidth("0", mono), 10 * 96.0 / 72.0 * 0.6, 1.0);
    EXPECT_GT(device.lineHeight(mono), 10 * 96.0 / 72.0);
}

TEST(QtPaintDevice, PrintsOnAPdfPrinterWithNotXorAsCopyPen)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath(QStringLiteral("page.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    QtPrinter paper(printer);
    ASSERT_TRUE(paper.beginDocument(PageOrientation::Landscape));
    EXPECT_GT(paper.size().width, paper.size().height);
    EXPECT_GE(paper.dpi(), 300.0);
    Surface page(paper);
    drawDemoScene(page);
    drawMarks(page);
    ASSERT_TRUE(paper.newPage());
    page.home();
    page.print("second page");
    ASSERT_TRUE(paper.endDocument());
    EXPECT_FALSE(paper.endDocument());
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
    EXPECT_GT(pdf.size(), 1000);
}

TEST(QtPaintDevice, DemoSceneShowsTheCursorDrawnOnceAndNotTheOneDrawnTwice)
{
    QTemporaryDir folder;
    QImage image = whiteImage(800, 600);
    {
        QtPaintDevice device(image);
        Surface surface(device);
        drawDemoScene(surface);
        // The scene's frame: x -300..2300, y 308 down to -172.
        EXPECT_NEAR(surface.deviceX(500), 245.8, 0.1);
        EXPECT_NEAR(surface.deviceX(700), 307.3, 0.1);
    }
    // Saved and loaded as a person would look at it.
    const QString png = folder.filePath(QStringLiteral("scene.png"));
    ASSERT_TRUE(image.save(png));
    const QImage shown(png);
    auto greenIn = [&](int x) {
        int count = 0;
        for (int y = 110; y < 340; ++y)
            if (shown.pixel(x, y) == qRgb(0, 128, 0)) ++count;
        return count;
    };
    EXPECT_GT(greenIn(246), 100);
    EXPECT_EQ(greenIn(307), 0);
}

}  // namespace
}  // namespace ql::gui
