// The spectrum printouts and pictures read back in device pixels from recording devices. With
// lines 0..1024 on 1281 pixels a pixel is a line (the page from -170.67 to 1109.33); with levels
// 0..5000 on 701 pixels a pixel is 10 units (the page from 6000 down to -1000, row 600 the base).

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "draw/RecordingDevice.h"
#include "draw/RecordingPrinter.h"
#include "fft/FftPageOutput.h"
#include "fft/FftReadout.h"

namespace ql::test {
namespace {

// A page of silent spectra at 10 ms/div, where line 102.4 is 1000 Hz.
ql::SpectrumSnapshot pageOf(FftTab chart, double max, double min = 0.0, int first = 0,
                            int last = 1024)
{
    ql::SpectrumSnapshot p;
    p.chart = chart;
    p.maxLevel = max;
    p.minLevel = min;
    p.firstLine = first;
    p.lastLine = last;
    p.spectrumCh1.assign(1025, 0.0);
    p.spectrumCh2.assign(1025, 0.0);
    p.timePerDiv = 0.01;
    p.title = "  Motor 1  ";
    return p;
}

RecordingDevice render(const ql::SpectrumSnapshot& p, PageKind kind, DeviceSize size = {1281, 701})
{
    RecordingDevice device(size);
    Surface page(device);
    renderSpectrumPage(page, kind, p);
    return device;
}

// Lines of a colour (and width), vertical or horizontal, as the column or row they stand on.
std::vector<int> linesAt(const RecordingDevice& d, Rgb colour, bool vertical, int width = 0)
{
    std::vector<int> at;
    for (const DrawOp& op : d.opsOfKind(DrawOp::Kind::Line))
        if (op.pen.color == colour && (width == 0 || op.pen.width == width) &&
            (op.points[0].x == op.points[1].x) == vertical)
            at.push_back(vertical ? op.points[0].x : op.points[0].y);
    return at;
}

std::vector<DrawOp> textsAt(const RecordingDevice& d, int x)
{
    std::vector<DrawOp> found;
    for (const DrawOp& op : d.opsOfKind(DrawOp::Kind::Text))
        if (op.points[0].x == x) found.push_back(op);
    return found;
}

}  // namespace

TEST(SpectrumPage, TheChartFillsThePageBetweenItsMarginsUnzoomedAndZoomed)
{
    struct Case {
        int first, last, width, labelLeft;
        std::vector<int> ticks;  // the frame's left edge, the grid, the right edge
        std::vector<int> levelTicks;
    };
    // Zoomed to 512..640 the level labels stand at 512 - 128/11 and the level ticks at lines
    // 0..-5 fall off the page.
    const Case cases[] = {
        {0,
         1024,
         1281,
         78,
         {171, 273, 375, 478, 580, 683, 785, 887, 990, 1092, 1195},
         {600, 500, 400, 300, 200, 100}},
        {512, 640, 161, 10, {21, 34, 47, 60, 73, 85, 98, 111, 124, 137, 149}, {}},
    };
    for (const Case& c : cases) {
        RecordingPrinter printer({701, c.width});
        ASSERT_TRUE(printSpectrumPage(pageOf(FftTab::Ch1, 5000.0, 0, c.first, c.last), printer));
        const RecordingDevice& d = printer.recording();
        EXPECT_EQ(printer.events(), (std::vector<std::string>{"begin landscape", "end"}));
        const Rgb grey = qbColor(8);
        EXPECT_EQ(linesAt(d, grey, true, 5), (std::vector<int>{c.ticks.front(), c.ticks.back()}));
        EXPECT_EQ(linesAt(d, grey, false, 5), (std::vector<int>{100, 600}));
        EXPECT_EQ(linesAt(d, grey, true, 1),
                  std::vector<int>(c.ticks.begin() + 1, c.ticks.end() - 1));
        EXPECT_EQ(linesAt(d, grey, false, 1), (std::vector<int>{500, 400, 300, 200}));
        EXPECT_EQ(linesAt(d, kBlack, true), c.ticks);
        EXPECT_EQ(linesAt(d, kBlack, false), c.levelTicks);
        std::vector<int> labelRows;
        for (const DrawOp& op : textsAt(d, c.labelLeft)) labelRows.push_back(op.points[0].y);
        EXPECT_EQ(labelRows, (std::vector<int>{600, 500, 400, 300, 200, 100}));
    }
}

TEST(SpectrumPage, EachKindHasItsWidthsTitleFaceCurvesAndTickLength)
{
    struct Case {
        FftTab chart;
        DualView view;
        PageKind kind;
        int frame, curve;
        const char* titleFace;
        std::vector<Rgb> curves;
        int tickEnd;  // row of the ticks' end and the labels' tops, the base line at 600
    };
    const Rgb red = qbColor(12), blue = qbColor(9);
    const auto P = PageKind::Printout, G = PageKind::Picture;
    // The single charts' ticks end a fiftieth of the maximum below the base, the dual
    // printout's a hundredth, the difference views' a hundredth of the range.
    const Case cases[] = {
        {FftTab::Ch1, DualView::Both, P, 5, 5, "courier new", {red}, 610},
        {FftTab::Ch1, DualView::Both, G, 2, 1, "MS Sans Serif", {red}, 610},
        {FftTab::Ch2, DualView::Both, G, 2, 1, "courier new", {blue}, 610},
        {FftTab::Dual, DualView::Both, P, 5, 5, "courier new", {red, blue}, 605},
        {FftTab::Dual, DualView::Both, G, 2, 1, "courier new", {red, blue}, 610},
        {FftTab::Dual, DualView::OneMinusTwo, P, 5, 5, "courier new", {red}, 605},
        {FftTab::Dual, DualView::TwoMinusOne, G, 2, 1, "courier new", {red}, 605},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.chart)) + " " +
                     std::to_string(static_cast<int>(c.view)) + (c.kind == P ? " print" : " pic"));
        ql::SpectrumSnapshot p =
            c.view == DualView::Both ? pageOf(c.chart, 5000.0) : pageOf(c.chart, 3000.0, -2000.0);
        p.view = c.view;
        const RecordingDevice d = render(p, c.kind);
        EXPECT_EQ(d.ops()[0].kind == DrawOp::Kind::Clear, c.kind == G);
        EXPECT_EQ(linesAt(d, qbColor(8), true, c.frame).size(), 2u);
        std::vector<Rgb> colours;
        for (const DrawOp& op : d.opsOfKind(DrawOp::Kind::Polyline)) {
            colours.push_back(op.pen.color);
            EXPECT_EQ(op.pen.width, c.curve);
        }
        EXPECT_EQ(colours, c.curves);
        const auto texts = d.opsOfKind(DrawOp::Kind::Text);
        EXPECT_EQ(texts[0].text, "Motor 1");
        EXPECT_EQ(texts[0].font, (FontSpec{c.titleFace, 16, true, false}));
        EXPECT_EQ(texts[0].pen.color, kBlack);
        EXPECT_EQ(texts[1].font, (FontSpec{"courier", 10, false, false}));
        const auto label = textsAt(d, 273);
        ASSERT_EQ(label.size(), 1u);
        EXPECT_EQ(label[0].points[0].y, c.tickEnd);
        EXPECT_EQ(label[0].text, "1.00kHZ");
    }
    const struct {
        double hz;
        const char* text;
    } units[] = {{999.99, "999.99Hz"}, {1000.0, "1.00kHZ"}, {1e6, "1.00MHz"}, {0.0, "0.00Hz"}};
    for (const auto& u : units) EXPECT_EQ(frequencyText(u.hz, KiloStyle::Page, '.'), u.text);
}

TEST(SpectrumPage, LevelLabelsSwitchFormatWithTheLevelAndTheView)
{
    struct Case {
        FftTab chart;
        DualView view;
        bool log;
        double min, max;
        std::vector<std::string> labels;  // from the base line up
    };
    const Case cases[] = {
        {FftTab::Ch1,
         DualView::Both,
         false,
         0,
         150000,
         {"0.000V", "30.00V", "60.00V", "90.00V", "120.0V", "150.0V"}},
        {FftTab::Ch2,
         DualView::Both,
         false,
         0,
         50000,
         {"0.000V", "10.000V", "20.00V", "30.00V", "40.00V", "50.00V"}},
        {FftTab::Ch1,
         DualView::Both,
         true,
         0,
         1000,
         {"-50.0dBV", "-40.0dBV", "-30.0dBV", "-20.0dBV", "-10.0dBV", ".0dBV"}},
        {FftTab::Dual,
         DualView::Both,
         false,
         20000,
         150000,
         {"0.00V", "30.0V", "60.0V", "90.0V", "120V", "150V"}},
        // 50 dB below the weaker maximum (0.1 V) up to the stronger (1 V).
        {FftTab::Dual,
         DualView::Both,
         true,
         100,
         1000,
         {"-70.0dB", "-56.0dB", "-42.0dB", "-28.0dB", "-14.0dB", ".0dB"}},
        {FftTab::Dual,
         DualView::OneMinusTwo,
         true,
         -20000,
         10000,
         {"-20.0dB", "-14.0dB", "-8.0dB", "-2.0dB", "4.0dB", "10.0dB"}},
        {FftTab::Dual,
         DualView::TwoMinusOne,
         true,
         0,
         500000,
         {"0.0dB", "100.0dB", "200dB", "300dB", "400dB", "500dB"}},
        {FftTab::Dual,
         DualView::OneMinusTwo,
         false,
         -5000,
         5000,
         {"-5.00V", "-3.00V", "-1.00V", "1.00V", "3.00V", "5.00V"}},
    };
    for (const Case& c : cases) {
        ql::SpectrumSnapshot p = pageOf(c.chart, c.max, c.min);
        p.view = c.view;
        p.logLevels = c.log;
        std::vector<std::string> labels;
        for (const DrawOp& op : textsAt(render(p, PageKind::Printout), 78))
            labels.push_back(op.text);
        EXPECT_EQ(labels, c.labels) << c.labels.back();
    }
}

TEST(SpectrumPage, LogViewsMapDecibelsBelowTheMaximumOntoTheChart)
{
    // Maximum 1 V on a page from 1200 down to -200 (2 units a pixel): CH I shows 50 dB, so 25 dB
    // below is half-way up and 60 dB below or a silent line lie on the base line; both spectra
    // (the weaker maximum 0.1 V) show 70 dB.
    const auto below = [](double db) { return 1000.0 * std::pow(10.0, -db / 20.0); };
    const struct {
        FftTab chart;
        double min;
        std::vector<double> levels;
    } cases[] = {{FftTab::Ch1, 0.0, {1000.0, below(25), below(60), 0.0}},
                 {FftTab::Dual, 100.0, {1000.0, below(35), below(70), 0.01}}};
    for (const auto& c : cases) {
        ql::SpectrumSnapshot p = pageOf(c.chart, 1000.0, c.min);
        p.logLevels = true;
        std::copy(c.levels.begin(), c.levels.end(), p.spectrumCh1.begin());
        const auto curves = render(p, PageKind::Printout).opsOfKind(DrawOp::Kind::Polyline);
        ASSERT_FALSE(curves.empty());
        std::vector<int> rows;
        for (std::size_t i = 0; i < c.levels.size(); ++i) rows.push_back(curves[0].points[i].y);
        EXPECT_EQ(rows, (std::vector<int>{100, 350, 600, 600}));
    }
}

TEST(SpectrumPage, APageWithoutALevelRangeIsAnEmptyFrameOnThePage)
{
    const struct {
        FftTab chart;
        DualView view;
        bool log;
        double min, max;
    } cases[] = {{FftTab::Ch1, DualView::Both, false, 0, 0},
                 {FftTab::Ch2, DualView::Both, true, 0, 0},
                 {FftTab::Dual, DualView::Both, true, 0, 0},
                 {FftTab::Dual, DualView::OneMinusTwo, false, 7, 7},
                 {FftTab::Dual, DualView::TwoMinusOne, true, -3, -3},
                 {FftTab::Ch1, DualView::Both, true, 0, std::nan("")}};
    for (const auto& c : cases) {
        ql::SpectrumSnapshot p = pageOf(c.chart, c.max, c.min);
        p.view = c.view;
        p.logLevels = c.log;
        for (PageKind kind : {PageKind::Printout, PageKind::Picture}) {
            const RecordingDevice d = render(p, kind, {1045, 842});
            EXPECT_TRUE(d.opsOfKind(DrawOp::Kind::Polyline).empty());
            EXPECT_EQ(linesAt(d, qbColor(8), true).size() + linesAt(d, qbColor(8), false).size(),
                      17u);
            for (const DrawOp& op : d.ops())
                for (const DevicePoint& pt : op.points)
                    EXPECT_TRUE(pt.x >= 0 && pt.x < 1045 && pt.y >= 0 && pt.y < 842);
            // Title, two text lines, eleven frequency and six level labels, all numbers.
            EXPECT_EQ(d.texts().size(), 20u);
            for (const std::string& text : d.texts())
                EXPECT_EQ(text.find("nan"), std::string::npos);
        }
    }
}

}  // namespace ql::test
