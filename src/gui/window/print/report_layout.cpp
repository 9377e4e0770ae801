// SPDX-License-Identifier: MIT
#include "window/print/report_layout.h"

#include <algorithm>
#include <cstddef>
#include <optional>

namespace tally {
namespace {

// A title stays on the page of the line it introduces.
bool KeptWithNext(const ReportLine& line) {
    return line.kind == ReportLineKind::Heading || line.kind == ReportLineKind::ColumnTitles;
}

// Lines from index on that must share one page: the titles and the line they introduce.
std::size_t UnbreakableRun(const std::vector<ReportLine>& lines, std::size_t index) {
    std::size_t end = index;
    while (end < lines.size() && KeptWithNext(lines[end])) ++end;
    return std::min(end + 1, lines.size()) - index;
}

}  // namespace

int LinesPerPage(int pageHeight, int lineHeight) {
    return lineHeight > 0 ? pageHeight / lineHeight : 0;
}

std::vector<ReportPage> LayoutReport(std::vector<ReportLine> lines, int linesPerPage) {
    const std::size_t body =
        static_cast<std::size_t>(std::max(linesPerPage, kMinimumLinesPerPage) - kFooterLines);
    std::vector<ReportPage> pages(1);
    std::optional<ReportLine> columnTitles;  // repeated atop every page the list continues on
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::size_t room = body - pages.back().lines.size();
        if (UnbreakableRun(lines, i) > room && !pages.back().lines.empty()) {
            pages.emplace_back();
            if (columnTitles && lines[i].kind != ReportLineKind::ColumnTitles) {
                pages.back().lines.push_back(*columnTitles);
            }
        }
        // A page does not begin with a gap.
        if (lines[i].kind == ReportLineKind::Blank && pages.back().lines.empty()) continue;
        if (lines[i].kind == ReportLineKind::ColumnTitles) columnTitles = lines[i];
        pages.back().lines.push_back(std::move(lines[i]));
    }
    for (std::size_t n = 0; n < pages.size(); ++n) {
        pages[n].footer = "Page " + std::to_string(n + 1) + " of " + std::to_string(pages.size());
    }
    return pages;
}

}  // namespace tally
