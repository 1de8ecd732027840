#pragma once
// The printed report of the harmonics test: the headline, the limit definition, the date, the
// line frequency, the fundamental's level, the power factor and the current, the result table
// as the window shows it and the overall verdict, in monospace text on portrait pages.
//
// The report is first laid out as lines of text items at character columns (each line in one
// font), with the page breaks already placed: a page holds at most 50 table rows, and a new
// page starts earlier when the next line would not fit. Every page after the first repeats
// the table's header (in bold) under five empty lines. Drawing the lines is then a plain walk.

#include <functional>
#include <string>
#include <vector>

#include "HarmonicAnalysis.h"
#include "draw/Printer.h"

namespace ql {

// Table rows on one page at most.
inline constexpr int kReportRowsPerPage = 50;
// The hyphens of the rule under the table header.
inline constexpr int kReportRuleLength = 66;

// What the report takes from the window at the moment of printing.
struct HarmonicsReportInput {
    std::string headline;                     // the printout headline (at most 45 characters)
    std::string limitName;                    // the limit definition in use
    std::string longDate;                     // today in the user's long date format
    std::string powerFactorText;              // the power factor as the box shows it
    const HarmonicsResult* result = nullptr;  // the last run's table, labels and verdict
};

// One text at a character column (1 is the left edge of the page's printable area).
struct ReportItem {
    int column = 1;
    std::string text;
    bool operator==(const ReportItem&) const = default;
};

// One line of the report: its font and its items from left to right (none: an empty line).
struct ReportLine {
    FontSpec font;
    std::vector<ReportItem> items;
    bool newPage = false;  // the line is the first of a new page
};

struct HarmonicsReport {
    std::vector<ReportLine> lines;
    int pageCount() const;
};

// Room on a page: its height and the height of a line in a font, in the same units. The
// default has no height limit, so only the 50-row rule breaks pages.
struct ReportPageRoom {
    double pageHeight = 0.0;  // 0: no limit
    std::function<double(const FontSpec&)> lineHeight;
};

// ">>> FAIL <<<", ">>> PASS <<<" or ">>> NO RESULT <<<".
std::string reportVerdictText(OverallResult overall);

// The column at which the headline starts: centred on columns 9 to 53 (an empty headline at
// 31, 44 or 45 characters at 9).
int reportHeadlineColumn(const std::string& headline);

HarmonicsReport buildHarmonicsReport(const HarmonicsReportInput& input,
                                     const ReportPageRoom& room = {});

// Prints the report on `printer` as one portrait document laid out for its pages. Returns the
// printer's first failure (printingFailure).
Status printHarmonicsReport(const HarmonicsReportInput& input, Printer& printer);

}  // namespace ql
