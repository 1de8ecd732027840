#include "HarmonicsReport.h"

#include <array>
#include <cmath>

#include "HarmonicTexts.h"
#include "state/Numeric.h"
#include "state/Text.h"

namespace ql {

namespace {

constexpr const char* kCourierNew = "Courier New";
constexpr const char* kCourier = "Courier";
constexpr int kHeadColumn = 9;
constexpr int kFirstTableColumn = 10;
constexpr int kTableColumnStep = 10;
constexpr int kVerdictColumn = 24;
constexpr int kContinuationEmptyLines = 5;

int characters(const std::string& text)
{
    return static_cast<int>(characterCount(text));
}

// Lays the report out as the print statements would flow: an item at a column starts at that
// column, on the next line when the line already reaches beyond it; ending a line that holds
// nothing gives an empty line. Each line is placed on the page where it starts.
class ReportWriter {
public:
    explicit ReportWriter(const ReportPageRoom& room) : room_(room) {}

    void setFace(const char* face) { font_.face = face; }
    void setSize(double points) { font_.points = points; }
    void setBold(bool bold) { font_.bold = bold; }

    void put(int column, const std::string& text)
    {
        if (!open_ || position_ > column) startLine();
        report_.lines.back().items.push_back({column, text});
        position_ = column + characters(text);
        open_ = true;
    }
    // Ends the current line, or gives an empty line when none is open.
    void end()
    {
        if (open_)
            open_ = false;
        else
            startLine();
    }
    void emptyLines(int count)
    {
        for (int i = 0; i < count; ++i) end();
    }

    // Whether `lines` more lines in the current font fit on the current page.
    bool fits(int lines) const
    {
        if (room_.pageHeight <= 0.0 || !room_.lineHeight) return true;
        return used_ + lines * room_.lineHeight(font_) <= room_.pageHeight;
    }
    // The next line starts a new page.
    void breakPage()
    {
        open_ = false;
        pageBreakPending_ = true;
    }

    HarmonicsReport take() { return std::move(report_); }

private:
    void startLine()
    {
        const double height = room_.lineHeight ? room_.lineHeight(font_) : 0.0;
        // A line that does not fit goes to a new page, unless it is the page's first.
        if (!pageBreakPending_ && room_.pageHeight > 0.0 && used_ > 0.0 &&
            used_ + height > room_.pageHeight)
            pageBreakPending_ = true;
        ReportLine line;
        line.font = font_;
        line.newPage = pageBreakPending_ && !report_.lines.empty();
        if (pageBreakPending_) used_ = 0.0;
        pageBreakPending_ = false;
        used_ += height;
        report_.lines.push_back(std::move(line));
        position_ = 1;
    }

    const ReportPageRoom& room_;
    HarmonicsReport report_;
    FontSpec font_ = kPrinterStartFont;
    bool open_ = false;
    int position_ = 1;
    double used_ = 0.0;
    bool pageBreakPending_ = false;
};

using Cells = std::array<std::string, kHarmonicColumnCount>;

Cells headerCells()
{
    Cells cells;
    for (std::size_t c = 0; c < cells.size(); ++c) cells[c] = kHarmonicColumnHeaders[c];
    return cells;
}

void putRow(ReportWriter& w, const Cells& cells)
{
    for (int c = 0; c < kHarmonicColumnCount; ++c)
        w.put(kFirstTableColumn + kTableColumnStep * c, cells[static_cast<std::size_t>(c)]);
}

// The lines a row of cells takes: a cell reaching beyond the next column pushes it down.
int rowLines(const Cells& cells)
{
    int lines = 1, position = 1;
    for (int c = 0; c < kHarmonicColumnCount; ++c) {
        const int column = kFirstTableColumn + kTableColumnStep * c;
        if (position > column && c > 0) ++lines;
        position = column + characters(cells[static_cast<std::size_t>(c)]);
    }
    return lines;
}

void putHeaderAndRule(ReportWriter& w)
{
    putRow(w, headerCells());
    w.put(kFirstTableColumn, std::string(kReportRuleLength, '-'));
}

}  // namespace

int HarmonicsReport::pageCount() const
{
    int pages = lines.empty() ? 0 : 1;
    for (const ReportLine& line : lines)
        if (line.newPage) ++pages;
    return pages;
}

std::string reportVerdictText(OverallResult overall)
{
    return ">>> " + upperAscii(overallResultText(overall)) + " <<<";
}

int reportHeadlineColumn(const std::string& headline)
{
    return static_cast<int>(std::floor((45.0 - characters(headline)) / 2.0)) + kHeadColumn;
}

HarmonicsReport buildHarmonicsReport(const HarmonicsReportInput& input, const ReportPageRoom& room)
{
    static const HarmonicsResult kNothing;
    static const std::vector<HarmonicRow> kNoRows;
    const HarmonicsResult& result = input.result ? *input.result : kNothing;
    const bool judged = result.judged && !result.rows.empty();
    const std::vector<HarmonicRow>& rows = judged ? result.rows : kNoRows;
    const auto firstRowCell = [&](HarmonicColumn column) {
        return judged ? result.rows.front().cells[static_cast<std::size_t>(column)] : std::string();
    };

    ReportWriter w(room);
    // The head: the headline in 16 pt, the definition in bold, the key values.
    w.setFace(kCourierNew);
    w.setBold(true);
    w.emptyLines(2);
    w.setSize(16);
    w.put(reportHeadlineColumn(input.headline), input.headline);
    w.end();
    w.setFace(kCourier);
    w.setSize(12);
    w.emptyLines(2);
    w.put(kHeadColumn, "Harmonic current emissions: " + trim(input.limitName));
    w.end();
    w.emptyLines(1);
    w.setBold(false);
    for (const std::string& line :
         {input.longDate, "Line:        " + firstRowCell(HarmonicColumn::Frequency) + "Hz",
          "Level:       " + firstRowCell(HarmonicColumn::AverageLevel),
          "Powerfactor: " + input.powerFactorText, "I rms:       " + result.rmsText}) {
        w.put(kHeadColumn, line);
        w.end();
    }
    w.emptyLines(2);

    // The table in 10 pt: header and rule, then up to 50 rows a page; every further page
    // repeats header and rule in bold under five empty lines.
    w.setSize(10);
    putHeaderAndRule(w);
    int rowsOnPage = 0;
    bool pageHasOnlyHead = false;
    for (const HarmonicRow& row : rows) {
        const bool full = rowsOnPage >= kReportRowsPerPage;
        if (full || (!pageHasOnlyHead && !w.fits(rowLines(row.cells)))) {
            w.breakPage();
            w.setBold(true);
            w.emptyLines(kContinuationEmptyLines);
            putHeaderAndRule(w);
            w.setBold(false);
            rowsOnPage = 0;
            pageHasOnlyHead = true;
        }
        putRow(w, row.cells);
        ++rowsOnPage;
        pageHasOnlyHead = false;
    }

    // The verdict in 16 pt bold, under an empty line.
    w.setFace(kCourierNew);
    w.setBold(true);
    w.setSize(16);
    w.emptyLines(2);
    w.put(kVerdictColumn, reportVerdictText(judged ? result.overall : OverallResult::None));
    w.end();
    return w.take();
}

Status printHarmonicsReport(const HarmonicsReportInput& input, Printer& printer)
{
    return printDocument(
        printer, PageOrientation::Portrait, "harmonics", [&](Printer& p, Surface& surface) {
            ReportPageRoom room;
            room.pageHeight = static_cast<double>(p.size().height);
            room.lineHeight = [&p](const FontSpec& font) { return p.lineHeight(font); };
            const HarmonicsReport report = buildHarmonicsReport(input, room);
            for (const ReportLine& line : report.lines) {
                if (line.newPage) {
                    const Status turned = p.newPage();
                    if (!turned) return turned;
                    surface.home();
                }
                surface.setFont(line.font);
                for (const ReportItem& item : line.items) {
                    surface.tab(item.column);
                    surface.print(item.text, LineEnd::Stay);
                }
                surface.newLine();
            }
            return Status::success();
        });
}

}  // namespace ql
