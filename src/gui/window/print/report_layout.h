// SPDX-License-Identifier: MIT
#pragma once
// Splits the report's lines into pages: how many lines a page takes, where a page breaks,
// which lines a continued list repeats, and the page numbers. No drawing, so it is decided
// (and tested) without a printer or a display.

#include <string>
#include <vector>

#include "reports/report_text.h"

namespace tally {

struct ReportPage {
    std::vector<ReportLine> lines;  // from the top of the page
    std::string footer;             // "Page N of M", on the page's last line
};

// Lines a page holds below its body: a blank line, then the footer.
inline constexpr int kFooterLines = 2;
// Fewer lines than this per page (a tiny paper or a huge font) are taken as this many, so
// every page still shows a row under the list's column titles.
inline constexpr int kMinimumLinesPerPage = kFooterLines + 4;

// linesPerPage: how many lines of the printer's font fit on its page, footer included.
std::vector<ReportPage> LayoutReport(std::vector<ReportLine> lines, int linesPerPage);

// The number of lines of the given height that fit in the given page height.
int LinesPerPage(int pageHeight, int lineHeight);

}  // namespace tally
