// The printed report of the harmonics test: head, table pages with their repeated header, the
// verdict, and pages that end before their 50 rows when the paper is short.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "draw/RecordingPrinter.h"
#include "harmonics/HarmonicsReport.h"

using namespace ql;

namespace {

const std::string kRule(66, '-');

HarmonicsResult resultWithRows(int count, OverallResult overall = OverallResult::Pass)
{
    HarmonicsResult r;
    r.judged = true;
    r.rmsText = "1.23A";
    r.overall = overall;
    for (int k = 1; k <= count; ++k) {
        HarmonicRow row;
        row.order = k;
        row.cells = {
            std::to_string(k), std::to_string(50 * k) + ".00", "0.100A", "0.200A", "10.00%", "Pass",
            "0.500A"};
        r.rows.push_back(row);
    }
    return r;
}

HarmonicsReportInput inputFor(const HarmonicsResult& result, std::string headline = "Test bench")
{
    HarmonicsReportInput in;
    in.headline = std::move(headline);
    in.limitName = "Class A  ";
    in.longDate = "Wednesday, 9 December 2026";
    in.powerFactorText = "0.9";
    in.result = &result;
    return in;
}

std::vector<std::string> texts(const ReportLine& line)
{
    std::vector<std::string> t;
    for (const ReportItem& item : line.items) t.push_back(item.text);
    return t;
}

const std::vector<std::string> kHeader = {"Harm.",    "Freq. (Hz)", "Av-Lev.", "Max-Lev.",
                                          "Lev.in %", "Check",      "Limit"};

// Index of the line whose first item is `text`, from `from` on.
std::size_t lineStarting(const HarmonicsReport& r, const std::string& text, std::size_t from = 0)
{
    for (std::size_t i = from; i < r.lines.size(); ++i)
        if (!r.lines[i].items.empty() && r.lines[i].items.front().text == text) return i;
    return r.lines.size();
}

}  // namespace

TEST(HarmonicsReport, HeadKeyValuesTableAndVerdictInTheirColumnsAndFonts)
{
    const HarmonicsResult result = resultWithRows(3);
    const HarmonicsReport r = buildHarmonicsReport(inputFor(result));
    ASSERT_EQ(r.pageCount(), 1);
    // Two empty lines, the headline in 16 pt bold, two empty lines, the definition in bold.
    ASSERT_GE(r.lines.size(), 21u);
    EXPECT_TRUE(r.lines[0].items.empty() && r.lines[1].items.empty());
    EXPECT_EQ(r.lines[2].font, (FontSpec{"Courier New", 16, true, false}));
    EXPECT_EQ(r.lines[5].items,
              (std::vector<ReportItem>{{9, "Harmonic current emissions: Class A"}}));
    EXPECT_TRUE(r.lines[5].font.bold);
    // The key values in normal weight at column 9: row 1's frequency with "Hz" directly after.
    const std::vector<std::vector<ReportItem>> keys = {{{9, "Wednesday, 9 December 2026"}},
                                                       {{9, "Line:        50.00Hz"}},
                                                       {{9, "Level:       0.100A"}},
                                                       {{9, "Powerfactor: 0.9"}},
                                                       {{9, "I rms:       1.23A"}}};
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(r.lines[7 + i].items, keys[i]) << i;
        EXPECT_EQ(r.lines[7 + i].font, (FontSpec{"Courier", 12, false, false})) << i;
    }
    // The table in 10 pt: header at columns 10 to 70, the rule, one line per row.
    const std::size_t header = lineStarting(r, "Harm.");
    ASSERT_LT(header, r.lines.size());
    EXPECT_EQ(texts(r.lines[header]), kHeader);
    for (std::size_t c = 0; c < 7; ++c)
        EXPECT_EQ(r.lines[header].items[c].column, static_cast<int>(10 + 10 * c));
    EXPECT_EQ(r.lines[header].font, (FontSpec{"Courier", 10, false, false}));
    EXPECT_EQ(r.lines[header + 1].items, (std::vector<ReportItem>{{10, kRule}}));
    EXPECT_EQ(texts(r.lines[header + 4]).front(), "3");
    // One empty line, then the verdict at column 24.
    EXPECT_TRUE(r.lines[header + 5].items.empty());
    EXPECT_EQ(r.lines.back().items, (std::vector<ReportItem>{{24, ">>> PASS <<<"}}));
    EXPECT_EQ(r.lines.size(), header + 7);
}

TEST(HarmonicsReport, HeadlineIsCentredOnColumnsNineToFiftyThree)
{
    const HarmonicsResult result = resultWithRows(1);
    const struct {
        int length, column;
    } cases[] = {{0, 31}, {1, 31}, {2, 30}, {44, 9}, {45, 9}, {46, 8}};
    for (const auto& c : cases) {
        const std::string headline(static_cast<std::size_t>(c.length), 'H');
        EXPECT_EQ(reportHeadlineColumn(headline), c.column) << c.length;
        const HarmonicsReport r = buildHarmonicsReport(inputFor(result, headline));
        EXPECT_EQ(r.lines[2].items, (std::vector<ReportItem>{{c.column, headline}})) << c.length;
    }
    // On paper: 45 characters start at the ninth column, eight digit widths from the edge.
    RecordingPrinter printer;
    ASSERT_TRUE(printHarmonicsReport(inputFor(result, std::string(45, 'H')), printer).ok());
    const auto ops = printer.recording().opsOfKind(DrawOp::Kind::Text);
    const auto headline =
        std::find_if(ops.begin(), ops.end(), [](const DrawOp& op) { return op.text[0] == 'H'; });
    ASSERT_NE(headline, ops.end());
    EXPECT_EQ(headline->points[0].x,
              static_cast<int>(std::lround(8 * printer.textWidth("0", headline->font))));
}

TEST(HarmonicsReport, VerdictFollowsTheOverallResult)
{
    const struct {
        OverallResult overall;
        bool judged;
        const char* verdict;
    } cases[] = {{OverallResult::Fail, true, ">>> FAIL <<<"},
                 {OverallResult::Pass, true, ">>> PASS <<<"},
                 {OverallResult::None, true, ">>> NO RESULT <<<"},
                 // Nothing measured: no rows, empty key values, no verdict of the last test.
                 {OverallResult::Fail, false, ">>> NO RESULT <<<"}};
    for (const auto& c : cases) {
        HarmonicsResult result = resultWithRows(c.judged ? 2 : 0, c.overall);
        result.judged = c.judged;
        const HarmonicsReport r = buildHarmonicsReport(inputFor(result));
        EXPECT_EQ(r.lines.back().items, (std::vector<ReportItem>{{24, c.verdict}})) << c.verdict;
        EXPECT_EQ(r.lines.back().font, (FontSpec{"Courier New", 16, true, false}));
        if (!c.judged) {
            EXPECT_EQ(texts(r.lines[8]).front(), "Line:        Hz");
            EXPECT_EQ(lineStarting(r, kRule) + 3, r.lines.size());
        }
    }
}

TEST(HarmonicsReport, RowFiftyOneStartsPageTwoUnderFiveEmptyLinesAndTheBoldHeader)
{
    const HarmonicsResult result = resultWithRows(51);
    // Paper long enough that only the 50-row rule breaks.
    RecordingPrinter printer({4800, 20000});
    ASSERT_TRUE(printHarmonicsReport(inputFor(result), printer).ok());
    EXPECT_EQ(printer.events(), (std::vector<std::string>{"begin portrait", "new page", "end"}));

    ReportPageRoom room;
    room.pageHeight = 20000;
    room.lineHeight = [&](const FontSpec& f) { return printer.lineHeight(f); };
    const HarmonicsReport r = buildHarmonicsReport(inputFor(result), room);
    EXPECT_EQ(r.pageCount(), 2);
    const std::size_t row50 = lineStarting(r, "50"), row51 = lineStarting(r, "51");
    ASSERT_EQ(row51, row50 + 8);
    for (std::size_t i = row50 + 1; i <= row50 + 5; ++i) {
        EXPECT_TRUE(r.lines[i].items.empty()) << i;
        EXPECT_EQ(r.lines[i].newPage, i == row50 + 1) << i;
    }
    EXPECT_EQ(texts(r.lines[row50 + 6]), kHeader);
    EXPECT_TRUE(r.lines[row50 + 6].font.bold);
    EXPECT_EQ(texts(r.lines[row50 + 7]), std::vector<std::string>{kRule});
    EXPECT_TRUE(r.lines[row50 + 7].font.bold);
    EXPECT_FALSE(r.lines[row51].font.bold);
    // The first page's header is in normal weight.
    EXPECT_FALSE(r.lines[lineStarting(r, "Harm.")].font.bold);

    // Fifty rows fit on one page.
    const HarmonicsResult fifty = resultWithRows(50);
    EXPECT_EQ(buildHarmonicsReport(inputFor(fifty), room).pageCount(), 1);
}

TEST(HarmonicsReport, ShortPaperBreaksBeforeTheLineThatWouldNotFit)
{
    const HarmonicsResult result = resultWithRows(60);
    RecordingPrinter printer({4800, 3000});
    ASSERT_TRUE(printHarmonicsReport(inputFor(result), printer).ok());
    EXPECT_GT(printer.pageCount(), 3);

    // Every text ends above the bottom of its page; a page that starts in the table starts
    // with its header, so every row is read under one.
    const auto ops = printer.recording().opsOfKind(DrawOp::Kind::Text);
    int pages = 1, previousY = -1;
    std::string firstOnPage;
    std::vector<std::string> pageStarts;
    for (const DrawOp& op : ops) {
        if (op.points[0].y < previousY) {
            ++pages;
            pageStarts.push_back(op.text);
        }
        previousY = op.points[0].y;
        // (within the pixel the position is rounded to)
        EXPECT_LE(op.points[0].y + printer.lineHeight(op.font), 3001.0) << op.text;
    }
    EXPECT_EQ(pages, printer.pageCount());
    for (std::size_t p = 0; p + 1 < pageStarts.size(); ++p) EXPECT_EQ(pageStarts[p], "Harm.") << p;
    // No row is lost or printed twice.
    for (int k = 1; k <= 60; ++k)
        EXPECT_EQ(std::count_if(ops.begin(), ops.end(),
                                [&](const DrawOp& op) {
                                    return op.text == std::to_string(k) &&
                                           op.points[0].x <
                                               printer.textWidth("0000000000", op.font);
                                }),
                  1)
            << k;
}

TEST(HarmonicsReport, ALongCellPushesTheRestOfItsRowToTheNextLine)
{
    HarmonicsResult result = resultWithRows(1);
    result.rows[0].cells[static_cast<std::size_t>(HarmonicColumn::Check)] = "Max-Fail...";
    const HarmonicsReport r = buildHarmonicsReport(inputFor(result));
    const std::size_t row = lineStarting(r, "1");
    EXPECT_EQ(r.lines[row].items.size(), 6u);
    EXPECT_EQ(r.lines[row + 1].items, (std::vector<ReportItem>{{70, "0.500A"}}));
}

TEST(HarmonicsReport, APrinterThatFailsGivesOneFailure)
{
    const HarmonicsResult result = resultWithRows(3);
    RecordingPrinter missing;
    missing.setAvailable(false);
    const Status none = printHarmonicsReport(inputFor(result), missing);
    ASSERT_FALSE(none.ok());
    EXPECT_EQ(none.failure().title, "Print");
    RecordingPrinter refusing;
    refusing.setEndRefused(true);
    EXPECT_FALSE(printHarmonicsReport(inputFor(result), refusing).ok());
    EXPECT_FALSE(refusing.inDocument());
}
