// The printed harmonics report: head, the table with its pages of 50 rows, the verdict, and
// the earlier page break on short paper.
#include <gtest/gtest.h>

#include <algorithm>

#include "draw/RecordingPrinter.h"
#include "harmonics/HarmonicsReport.h"

using namespace ql;

namespace {

const std::string kRule(66, '-');
const std::vector<std::string> kHeader = {"Harm.",    "Freq. (Hz)", "Av-Lev.", "Max-Lev.",
                                          "Lev.in %", "Check",      "Limit"};

HarmonicsResult withRows(int count, OverallResult overall = OverallResult::Pass)
{
    HarmonicsResult r;
    r.judged = count > 0;
    r.rmsText = "1.23A";
    r.overall = overall;
    for (int k = 1; k <= count; ++k) {
        HarmonicRow row;
        row.cells = {
            std::to_string(k), std::to_string(50 * k), "0.100A", "0.200A", "10.00%", "Pass",
            "0.500A"};
        r.rows.push_back(row);
    }
    return r;
}

HarmonicsReportInput input(const HarmonicsResult& result, std::string headline = "Bench")
{
    return {std::move(headline), "Class A ", "9 December 2026", "0.9", &result};
}

std::vector<std::string> texts(const ReportLine& line)
{
    std::vector<std::string> t;
    for (const ReportItem& item : line.items) t.push_back(item.text);
    return t;
}

std::size_t lineStarting(const HarmonicsReport& r, const std::string& text)
{
    return std::find_if(
               r.lines.begin(), r.lines.end(),
               [&](const ReportLine& l) { return !l.items.empty() && l.items[0].text == text; }) -
           r.lines.begin();
}

}  // namespace

TEST(HarmonicsReport, HeadTableAndVerdictInTheirColumns)
{
    const HarmonicsResult result = withRows(2);
    const HarmonicsReport r = buildHarmonicsReport(input(result));
    // Lines 0-1 empty, 2 the headline, 5 the definition, 7-11 the key values at column 9.
    EXPECT_EQ(r.lines[2].font, (FontSpec{"Courier New", 16, true, false}));
    EXPECT_EQ(r.lines[5].items,
              (std::vector<ReportItem>{{9, "Harmonic current emissions: Class A"}}));
    EXPECT_EQ(r.lines[8].items, (std::vector<ReportItem>{{9, "Line:        50Hz"}}));
    EXPECT_EQ(texts(r.lines[9]), std::vector<std::string>{"Level:       0.100A"});
    EXPECT_EQ(texts(r.lines[10]), std::vector<std::string>{"Powerfactor: 0.9"});
    EXPECT_EQ(texts(r.lines[11]), std::vector<std::string>{"I rms:       1.23A"});
    const std::size_t header = lineStarting(r, "Harm.");
    EXPECT_EQ(texts(r.lines[header]), kHeader);
    EXPECT_EQ(r.lines[header].items[6].column, 70);
    EXPECT_EQ(r.lines[header].font, (FontSpec{"Courier", 10, false, false}));
    EXPECT_EQ(texts(r.lines[header + 1]), std::vector<std::string>{kRule});
    EXPECT_EQ(texts(r.lines[header + 3])[0], "2");
    EXPECT_TRUE(r.lines[header + 4].items.empty());
    EXPECT_EQ(r.lines[header + 5].items, (std::vector<ReportItem>{{24, ">>> PASS <<<"}}));
    EXPECT_EQ(r.lines.size(), header + 6);
}

TEST(HarmonicsReport, HeadlineColumnsAndVerdicts)
{
    const HarmonicsResult result = withRows(1);
    for (const auto& [length, column] : {std::pair{0, 31}, {2, 30}, {44, 9}, {45, 9}, {46, 8}}) {
        const std::string headline(static_cast<std::size_t>(length), 'H');
        EXPECT_EQ(buildHarmonicsReport(input(result, headline)).lines[2].items,
                  (std::vector<ReportItem>{{column, headline}}))
            << length;
    }
    for (const auto& [rows, overall, verdict] :
         {std::tuple{1, OverallResult::Fail, ">>> FAIL <<<"},
          {1, OverallResult::Pass, ">>> PASS <<<"},
          {1, OverallResult::None, ">>> NO RESULT <<<"},
          {0, OverallResult::Fail, ">>> NO RESULT <<<"}}) {  // nothing measured
        const HarmonicsResult judged = withRows(rows, overall);
        EXPECT_EQ(texts(buildHarmonicsReport(input(judged)).lines.back()),
                  std::vector<std::string>{verdict});
    }
}

TEST(HarmonicsReport, RowFiftyOneStartsPageTwoUnderFiveEmptyLinesAndTheBoldHeader)
{
    const HarmonicsResult result = withRows(51);
    RecordingPrinter tall({4800, 20000});  // only the 50-row rule breaks
    ASSERT_TRUE(printHarmonicsReport(input(result), tall).ok());
    EXPECT_EQ(tall.events(), (std::vector<std::string>{"begin portrait", "new page", "end"}));

    const HarmonicsReport r = buildHarmonicsReport(input(result));
    const std::size_t row50 = lineStarting(r, "50");
    ASSERT_EQ(lineStarting(r, "51"), row50 + 8);
    EXPECT_TRUE(r.lines[row50 + 1].newPage && r.lines[row50 + 5].items.empty());
    EXPECT_EQ(texts(r.lines[row50 + 6]), kHeader);
    EXPECT_TRUE(r.lines[row50 + 6].font.bold && r.lines[row50 + 7].font.bold);
    EXPECT_FALSE(r.lines[row50 + 8].font.bold || r.lines[lineStarting(r, "Harm.")].font.bold);
}

TEST(HarmonicsReport, ShortPaperBreaksEarlyAndRepeatsTheHeader)
{
    const HarmonicsResult result = withRows(60);
    RecordingPrinter printer({4800, 3000});
    ASSERT_TRUE(printHarmonicsReport(input(result), printer).ok());
    // Every text ends on its page; each new page in the table starts with the header.
    int previousY = -1, pages = 1, rows = 0;
    for (const DrawOp& op : printer.recording().opsOfKind(DrawOp::Kind::Text)) {
        if (op.points[0].y < previousY) {
            ++pages;
            EXPECT_TRUE(rows == 60 || op.text == "Harm.") << pages;
        }
        previousY = op.points[0].y;
        EXPECT_LE(op.points[0].y + printer.lineHeight(op.font), 3001.0) << op.text;
        if (op.text == "0.500A") ++rows;
    }
    EXPECT_EQ(rows, 60);
    EXPECT_GT(pages, 3);
    EXPECT_EQ(pages, printer.pageCount());
}
