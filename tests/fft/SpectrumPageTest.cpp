// The spectrum printouts and pictures read back in device pixels from recording devices: the
// page's edges around the chart, where ticks and labels stand, the label formats, the log
// mapping, the widths of each kind, pages without a level range, and where the picture goes.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "draw/RecordingClipboard.h"
#include "draw/RecordingDevice.h"
#include "draw/RecordingPrinter.h"
#include "fft/FftReadout.h"
#include "fft/SpectrumOutput.h"
#include "fft/SpectrumPage.h"

namespace ql::test {
namespace {

namespace fs = std::filesystem;

// A page of `chart` over lines first..last with the level range min..max, its spectra silent,
// at 10 ms/div (line 102.4 is 1000 Hz).
ql::SpectrumSnapshot pageOf(FftTab chart, double maxLevel, int first = 0, int last = 1024,
                            double minLevel = 0.0)
{
    ql::SpectrumSnapshot p;
    p.chart = chart;
    p.maxLevel = maxLevel;
    p.minLevel = minLevel;
    p.firstLine = first;
    p.lastLine = last;
    p.spectrumCh1.assign(1025, 0.0);
    p.spectrumCh2.assign(1025, 0.0);
    p.timePerDiv = 0.01;
    p.title = "  Motor 1  ";
    p.dcLevel = "0.012V";
    p.maxVolts = "1.000V";
    p.maxDbv = "0.0dBV";
    p.maxFrequency = "1.00kHz";
    p.date = "Thursday, 1 January 2026";
    p.time = "12:00:00";
    return p;
}

RecordingDevice render(const ql::SpectrumSnapshot& p, PageKind kind, DeviceSize size)
{
    RecordingDevice device(size);
    Surface page(device);
    renderSpectrumPage(page, kind, p);
    return device;
}

bool vertical(const DrawOp& op)
{
    return op.points[0].x == op.points[1].x;
}

std::vector<DrawOp> linesIn(const RecordingDevice& d, Rgb colour, int width = 0)
{
    std::vector<DrawOp> found;
    for (const DrawOp& op : d.opsOfKind(DrawOp::Kind::Line))
        if (op.pen.color == colour && (width == 0 || op.pen.width == width)) found.push_back(op);
    return found;
}

std::vector<DrawOp> textsAt(const RecordingDevice& d, int x)
{
    std::vector<DrawOp> found;
    for (const DrawOp& op : d.opsOfKind(DrawOp::Kind::Text))
        if (op.points[0].x == x) found.push_back(op);
    return found;
}

std::vector<std::string> textsOf(const std::vector<DrawOp>& ops)
{
    std::vector<std::string> texts;
    for (const DrawOp& op : ops) texts.push_back(op.text);
    return texts;
}

std::vector<DrawOp> curvesOf(const RecordingDevice& d)
{
    return d.opsOfKind(DrawOp::Kind::Polyline);
}

// Rows: with levels 0..5000 the page runs from 6000 down to -1000, 10 units a pixel on a
// page 701 pixels high.
constexpr int kRowsHigh = 701;
int rowOf(double level)
{
    return static_cast<int>(std::lround((6000.0 - level) / 10.0));
}

}  // namespace

TEST(SpectrumPage, TheChartFillsThePageBetweenItsMarginsUnzoomedAndZoomed)
{
    struct Case {
        int first, last, width;  // lines S, E; the page's pixels across (one a line)
        int frameLeft, frameRight, labelLeft;
        std::vector<int> gridColumns, tickColumns;
        bool levelTicksOnPage;
    };
    // Unzoomed the page runs from line -170.67 to 1109.33; zoomed to 512..640 from 490.67 to
    // 650.67, the level labels at 512 - 128/11 and the level ticks (lines 0..-5) off the page.
    const Case cases[] = {
        {0,
         1024,
         1281,
         171,
         1195,
         78,
         {273, 375, 478, 580, 683, 785, 887, 990, 1092},
         {171, 273, 375, 478, 580, 683, 785, 887, 990, 1092, 1195},
         true},
        {512,
         640,
         161,
         21,
         149,
         10,
         {34, 47, 60, 73, 85, 98, 111, 124, 137},
         {21, 34, 47, 60, 73, 85, 98, 111, 124, 137, 149},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.first) + ".." + std::to_string(c.last));
        RecordingPrinter printer({kRowsHigh, c.width});
        ASSERT_TRUE(printSpectrumPage(pageOf(FftTab::Ch1, 5000.0, c.first, c.last), printer));
        const RecordingDevice& d = printer.recording();
        EXPECT_EQ(printer.events(), (std::vector<std::string>{"begin landscape", "end"}));
        EXPECT_EQ(printer.documentKinds(), std::vector<std::string>{"fft"});

        // Frame: top, bottom, left, right.
        const auto frame = linesIn(d, qbColor(8), 5);
        ASSERT_EQ(frame.size(), 4u);
        EXPECT_EQ(frame[0].points, (std::vector<DevicePoint>{{c.frameLeft, rowOf(5000)},
                                                             {c.frameRight, rowOf(5000)}}));
        EXPECT_EQ(frame[1].points[0].y, rowOf(0));
        EXPECT_EQ(frame[2].points[0].x, c.frameLeft);
        EXPECT_EQ(frame[3].points[0].x, c.frameRight);

        std::vector<int> grid, gridRows, ticks, levelTicks;
        for (const DrawOp& op : linesIn(d, qbColor(8), 1))
            (vertical(op) ? grid : gridRows)
                .push_back(vertical(op) ? op.points[0].x : op.points[0].y);
        for (const DrawOp& op : linesIn(d, kBlack))
            (vertical(op) ? ticks : levelTicks)
                .push_back(vertical(op) ? op.points[0].x : op.points[0].y);
        EXPECT_EQ(grid, c.gridColumns);
        EXPECT_EQ(gridRows, (std::vector<int>{rowOf(1000), rowOf(2000), rowOf(3000), rowOf(4000)}));
        EXPECT_EQ(ticks, c.tickColumns);
        if (c.levelTicksOnPage) {
            EXPECT_EQ(levelTicks, (std::vector<int>{600, 500, 400, 300, 200, 100}));
            EXPECT_EQ(linesIn(d, kBlack)[11].points,
                      (std::vector<DevicePoint>{{171, 600}, {166, 600}}));
        } else {
            EXPECT_TRUE(levelTicks.empty());
        }
        // Six level labels left of the frame, each hanging below its level.
        std::vector<int> labelRows;
        for (const DrawOp& op : textsAt(d, c.labelLeft)) labelRows.push_back(op.points[0].y);
        EXPECT_EQ(labelRows, (std::vector<int>{600, 500, 400, 300, 200, 100}));
    }
}

TEST(SpectrumPage, FrequencyTicksEndRelativeToTheLevelRange)
{
    struct Case {
        const char* what;
        FftTab chart;
        DualView view;
        PageKind kind;
        double min, max;
        int tickTop, tickEnd;  // rows of the base line and of the ticks' end (the label tops)
    };
    // Levels 0..5000 (or -2000..3000): 10 units a pixel, the base line at row 600.
    const Case cases[] = {
        {"CH I printout", FftTab::Ch1, DualView::Both, PageKind::Printout, 0, 5000, 600, 610},
        {"CH II picture", FftTab::Ch2, DualView::Both, PageKind::Picture, 0, 5000, 600, 610},
        {"dual printout", FftTab::Dual, DualView::Both, PageKind::Printout, 0, 5000, 600, 605},
        {"dual picture", FftTab::Dual, DualView::Both, PageKind::Picture, 0, 5000, 600, 610},
        {"I - II printout", FftTab::Dual, DualView::OneMinusTwo, PageKind::Printout, -2000, 3000,
         600, 605},
        {"II - I picture", FftTab::Dual, DualView::TwoMinusOne, PageKind::Picture, -2000, 3000, 600,
         605},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ql::SpectrumSnapshot p = pageOf(c.chart, c.max, 0, 1024, c.min);
        p.view = c.view;
        const RecordingDevice d = render(p, c.kind, {1281, kRowsHigh});
        std::vector<DrawOp> ticks;
        for (const DrawOp& op : linesIn(d, kBlack))
            if (vertical(op)) ticks.push_back(op);
        ASSERT_EQ(ticks.size(), 11u);
        EXPECT_EQ(ticks[1].points, (std::vector<DevicePoint>{{273, c.tickTop}, {273, c.tickEnd}}));
        const auto labels = textsAt(d, 273);
        ASSERT_EQ(labels.size(), 1u);
        EXPECT_EQ(labels[0].points[0].y, c.tickEnd);
        EXPECT_EQ(labels[0].text, "1.00kHZ");
    }

    // Eleven labels from 0 Hz, the kilohertz from 1000 Hz on; a line left of 0 gets nothing.
    const RecordingDevice d = render(pageOf(FftTab::Ch1, 5000.0), PageKind::Picture, {1281, 701});
    std::vector<std::string> labels;
    for (const DrawOp& op : d.opsOfKind(DrawOp::Kind::Text))
        if (op.points[0].y == 610) labels.push_back(op.text);
    EXPECT_EQ(labels, (std::vector<std::string>{"0.00Hz", "1.00kHZ", "2.00kHZ", "3.00kHZ",
                                                "4.00kHZ", "5.00kHZ", "6.00kHZ", "7.00kHZ",
                                                "8.00kHZ", "9.00kHZ", "10.00kHZ"}));
    const struct {
        double hz;
        const char* text;
    } units[] = {{999.99, "999.99Hz"},
                 {1000.0, "1.00kHZ"},
                 {999999.0, "1000.00kHZ"},
                 {1000000.0, "1.00MHz"},
                 {0.0, "0.00Hz"}};
    for (const auto& u : units) EXPECT_EQ(frequencyText(u.hz, KiloStyle::Page, '.'), u.text);
}

TEST(SpectrumPage, LevelLabelsSwitchFormatWithTheLevelAndTheView)
{
    struct Case {
        const char* what;
        FftTab chart;
        DualView view;
        bool log;
        double min, max;
        std::vector<std::string> labels;  // from the base line up
    };
    const Case cases[] = {
        {"CH I linear",
         FftTab::Ch1,
         DualView::Both,
         false,
         0,
         150000,
         {"0.000V", "30.00V", "60.00V", "90.00V", "120.0V", "150.0V"}},
        {"CH II linear, the third format up to 10000 included",
         FftTab::Ch2,
         DualView::Both,
         false,
         0,
         50000,
         {"0.000V", "10.000V", "20.00V", "30.00V", "40.00V", "50.00V"}},
        {"CH I log, 10 dB a division",
         FftTab::Ch1,
         DualView::Both,
         true,
         0,
         1000,
         {"-50.0dBV", "-40.0dBV", "-30.0dBV", "-20.0dBV", "-10.0dBV", ".0dBV"}},
        {"both linear",
         FftTab::Dual,
         DualView::Both,
         false,
         20000,
         150000,
         {"0.00V", "30.0V", "60.0V", "90.0V", "120V", "150V"}},
        {"both log, 50 dB below the weaker maximum",
         FftTab::Dual,
         DualView::Both,
         true,
         100,
         1000,
         {"-70.0dB", "-56.0dB", "-42.0dB", "-28.0dB", "-14.0dB", ".0dB"}},
        {"I - II log, decibels below 0",
         FftTab::Dual,
         DualView::OneMinusTwo,
         true,
         -20000,
         10000,
         {"-20.0dB", "-14.0dB", "-8.0dB", "-2.0dB", "4.0dB", "10.0dB"}},
        {"II - I log, the whole decibels above 100",
         FftTab::Dual,
         DualView::TwoMinusOne,
         true,
         0,
         500000,
         {"0.0dB", "100.0dB", "200dB", "300dB", "400dB", "500dB"}},
        {"I - II linear",
         FftTab::Dual,
         DualView::OneMinusTwo,
         false,
         -5000,
         5000,
         {"-5.00V", "-3.00V", "-1.00V", "1.00V", "3.00V", "5.00V"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ql::SpectrumSnapshot p = pageOf(c.chart, c.max, 0, 1024, c.min);
        p.view = c.view;
        p.logLevels = c.log;
        const RecordingDevice d = render(p, PageKind::Printout, {1281, kRowsHigh});
        std::vector<std::string> labels = textsOf(textsAt(d, 78));
        EXPECT_EQ(labels, c.labels);
    }
}

TEST(SpectrumPage, LogViewsMapDecibelsBelowTheMaximumOntoTheChart)
{
    // CH I log, maximum 1 V: 25 dB below it is half-way up, 50 dB and more on the base line (a
    // silent line too). Both spectra, maxima 1 V and 0.1 V: 70 dB over the chart.
    struct Case {
        FftTab chart;
        double min;
        std::vector<double> levels;
        std::vector<int> rows;
    };
    const double db25 = 1000.0 * std::pow(10.0, -25.0 / 20.0);
    const double db35 = 1000.0 * std::pow(10.0, -35.0 / 20.0);
    const Case cases[] = {
        {FftTab::Ch1, 0.0, {1000.0, db25, 1.0, 0.0}, {100, 350, 600, 600}},
        {FftTab::Dual,
         100.0,
         {1000.0, db35, 1000.0 * std::pow(10.0, -70.0 / 20.0), 0.01},
         {100, 350, 600, 600}},
    };
    for (const Case& c : cases) {
        // The chart 0..1000 on a page from 1200 down to -200: 2 units a pixel.
        ql::SpectrumSnapshot p = pageOf(c.chart, 1000.0, 0, 1024, c.min);
        p.logLevels = true;
        for (std::size_t i = 0; i < c.levels.size(); ++i) p.spectrumCh1[i] = c.levels[i];
        const std::vector<double> before = p.spectrumCh1;
        const RecordingDevice d = render(p, PageKind::Printout, {1281, kRowsHigh});
        const auto curves = curvesOf(d);
        ASSERT_FALSE(curves.empty());
        for (std::size_t i = 0; i < c.rows.size(); ++i)
            EXPECT_EQ(curves[0].points[i].y, c.rows[i]) << "line " << i;
        EXPECT_EQ(p.spectrumCh1, before);
    }
}

TEST(SpectrumPage, PrintoutAndPictureDifferInWidthsAndTitleFace)
{
    struct Case {
        FftTab chart;
        DualView view;
        PageKind kind;
        int frameWidth, curveWidth;
        const char* titleFace;
        std::vector<Rgb> curves;
    };
    const Rgb red = qbColor(12), blue = qbColor(9);
    const Case cases[] = {
        {FftTab::Ch1, DualView::Both, PageKind::Printout, 5, 5, "courier new", {red}},
        {FftTab::Ch1, DualView::Both, PageKind::Picture, 2, 1, "MS Sans Serif", {red}},
        {FftTab::Ch2, DualView::Both, PageKind::Printout, 5, 5, "courier new", {blue}},
        {FftTab::Ch2, DualView::Both, PageKind::Picture, 2, 1, "courier new", {blue}},
        {FftTab::Dual, DualView::Both, PageKind::Printout, 5, 5, "courier new", {red, blue}},
        {FftTab::Dual, DualView::Both, PageKind::Picture, 2, 1, "courier new", {red, blue}},
        // A difference view draws its one curve.
        {FftTab::Dual, DualView::OneMinusTwo, PageKind::Printout, 5, 5, "courier new", {red}},
        {FftTab::Dual, DualView::TwoMinusOne, PageKind::Picture, 2, 1, "courier new", {red}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.chart)) + " " +
                     std::to_string(static_cast<int>(c.view)) +
                     (c.kind == PageKind::Printout ? " printout" : " picture"));
        ql::SpectrumSnapshot p = pageOf(c.chart, 5000.0, 0, 1024, -1000.0);
        p.view = c.view;
        const RecordingDevice d = render(p, c.kind, {1045, 842});
        EXPECT_EQ(linesIn(d, qbColor(8), c.frameWidth).size(), 4u);
        std::vector<Rgb> colours;
        for (const DrawOp& op : curvesOf(d)) {
            colours.push_back(op.pen.color);
            EXPECT_EQ(op.pen.width, c.curveWidth);
        }
        EXPECT_EQ(colours, c.curves);
        const auto texts = d.opsOfKind(DrawOp::Kind::Text);
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts[0].text, "Motor 1");
        EXPECT_EQ(texts[0].font, (FontSpec{c.titleFace, 16, true, false}));
        EXPECT_EQ(texts[0].pen.color, kBlack);
        EXPECT_EQ(texts[1].font, (FontSpec{"courier", 10, false, false}));
        // A picture starts from a cleared white picture.
        EXPECT_EQ(d.ops()[0].kind == DrawOp::Kind::Clear, c.kind == PageKind::Picture);
    }
}

TEST(SpectrumPage, TheTextBlockNamesTheReadoutsOrTheViewWithTheWindowAndTheTime)
{
    struct Case {
        FftTab chart;
        DualView view;
        WindowFunction window;
        std::vector<std::string> lines;
    };
    const std::string dated = " -- Thursday, 1 January 2026   12:00:00";
    const Case cases[] = {
        {FftTab::Ch1,
         DualView::Both,
         WindowFunction::Blackman,
         {"DC-Level : 0.012V      Windowfunction: Blackman" + dated,
          "Max-Level: 1.000V   0.0dBV   1.00kHz"}},
        {FftTab::Dual,
         DualView::Both,
         WindowFunction::Rectangle,
         {"CH I and CH II", "Windowfunction: Rectangle" + dated}},
        {FftTab::Dual,
         DualView::TwoMinusOne,
         WindowFunction::Welch,
         {"CH II - CH I  (log: CH II / CH I)", "Windowfunction: Welch" + dated}},
    };
    for (const Case& c : cases) {
        ql::SpectrumSnapshot p = pageOf(c.chart, 5000.0);
        p.view = c.view;
        p.windowFunction = c.window;
        const RecordingDevice d = render(p, PageKind::Printout, {1281, kRowsHigh});
        // Behind the title the text lines stand at the chart's left edge.
        const auto lines = textsOf(textsAt(d, 171));
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.begin() + 3), c.lines);
    }
}

TEST(SpectrumPage, APageWithoutALevelRangeIsAnEmptyFrameOnThePage)
{
    struct Case {
        const char* what;
        FftTab chart;
        DualView view;
        bool log;
        double min, max;
    };
    const Case cases[] = {
        {"CH I nothing measured", FftTab::Ch1, DualView::Both, false, 0, 0},
        {"CH II log nothing measured", FftTab::Ch2, DualView::Both, true, 0, 0},
        {"both maxima 0, log", FftTab::Dual, DualView::Both, true, 0, 0},
        {"difference without range", FftTab::Dual, DualView::OneMinusTwo, false, 7, 7},
        {"difference log without range", FftTab::Dual, DualView::TwoMinusOne, true, -3, -3},
        {"not a number", FftTab::Ch1, DualView::Both, true, 0, std::nan("")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ql::SpectrumSnapshot p = pageOf(c.chart, c.max, 0, 1024, c.min);
        p.view = c.view;
        p.logLevels = c.log;
        for (PageKind kind : {PageKind::Printout, PageKind::Picture}) {
            const RecordingDevice d = render(p, kind, {1045, 842});
            EXPECT_TRUE(curvesOf(d).empty());
            EXPECT_EQ(linesIn(d, qbColor(8)).size(), 17u);
            for (const DrawOp& op : d.ops())
                for (const DevicePoint& pt : op.points)
                    EXPECT_TRUE(pt.x >= 0 && pt.x < 1045 && pt.y >= 0 && pt.y < 842);
            // Title, two text lines, eleven frequency and six level labels, all numbers.
            EXPECT_EQ(d.texts().size(), 20u);
            for (const std::string& text : d.texts())
                EXPECT_EQ(text.find("nan"), std::string::npos) << text;
        }
    }
}

TEST(SpectrumPicture, GoesToTheClipboardOrAsAMetafileToTheTrimmedName)
{
    const fs::path folder =
        fs::temp_directory_path() / ("ql240-spectrum-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const ql::SpectrumSnapshot p = pageOf(FftTab::Ch2, 5000.0);
    RecordingClipboard clipboard;

    // A copy puts one bitmap of the picture's size there and reads no file name.
    ASSERT_TRUE(exportSpectrumPicture(p, ExportTarget{"/no/such/folder/x.wmf", false}, clipboard));
    ASSERT_NE(clipboard.picture(), nullptr);
    EXPECT_EQ(clipboard.picture()->size(), (DeviceSize{1045, 842}));
    EXPECT_EQ(clipboard.putCount(), 1);
    EXPECT_FALSE(fs::exists("/no/such/folder"));

    // A save writes the trimmed name over what was there; the same page gives the same file.
    const fs::path file = folder / "spectrum.wmf";
    std::ofstream(file) << "an older file";
    const auto bytes = [&] {
        std::ifstream in(file, std::ios::binary);
        return std::vector<char>(std::istreambuf_iterator<char>(in), {});
    };
    ASSERT_TRUE(
        exportSpectrumPicture(p, ExportTarget{"  " + file.string() + " ", true}, clipboard));
    const std::vector<char> first = bytes();
    ASSERT_GT(first.size(), 100u);
    EXPECT_EQ(std::string(first.begin(), first.begin() + 4), "\xD7\xCD\xC6\x9A");
    ASSERT_TRUE(exportSpectrumPicture(p, ExportTarget{file.string(), true}, clipboard));
    EXPECT_EQ(bytes(), first);
    EXPECT_EQ(clipboard.putCount(), 1);

    // Neither an unwritable file nor a refusing clipboard passes for success.
    for (const bool toFile : {true, false}) {
        clipboard.setRefused(true);
        const Status s = exportSpectrumPicture(
            p, ExportTarget{(folder / "none/x.wmf").string(), toFile}, clipboard);
        ASSERT_FALSE(s);
        EXPECT_EQ(s.failure().text, "File Error");
        EXPECT_EQ(s.failure().title, "Save wmf");
    }
    fs::remove_all(folder);
}

}  // namespace ql::test
