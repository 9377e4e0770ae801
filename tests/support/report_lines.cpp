// SPDX-License-Identifier: MIT
#include "report_lines.h"

#include "process.h"

namespace tally::test {
namespace {

const char* KindName(ReportLineKind kind) {
    switch (kind) {
        case ReportLineKind::Title:
            return "Title";
        case ReportLineKind::Text:
            return "Text";
        case ReportLineKind::Blank:
            return "Blank";
        case ReportLineKind::Heading:
            return "Heading";
        case ReportLineKind::ColumnTitles:
            return "Columns";
        case ReportLineKind::Day:
            return "Day";
        case ReportLineKind::Separator:
            return "Period";
    }
    return "?";
}

bool HasColumns(ReportLineKind kind) {
    return kind == ReportLineKind::ColumnTitles || kind == ReportLineKind::Day ||
           kind == ReportLineKind::Separator;
}

}  // namespace

std::string LineText(const ReportLine& line) {
    std::string text = KindName(line.kind);
    if (line.kind == ReportLineKind::Blank) return text;
    const std::size_t cells = HasColumns(line.kind) ? line.cells.size() : 1;
    for (std::size_t i = 0; i < cells; ++i) text += "|" + line.cells[i];
    return text;
}

std::vector<std::string> LineTexts(const std::vector<ReportLine>& lines) {
    std::vector<std::string> texts;
    texts.reserve(lines.size());
    for (const ReportLine& line : lines) texts.push_back(LineText(line));
    return texts;
}

std::vector<std::string> PdfPageTexts(const std::string& pdf) {
    const ProcessResult result = RunProcess({"pdftotext", "-layout", pdf, "-"});
    if (result.exitCode != 0) return {};
    // pdftotext ends every page with a form feed.
    std::vector<std::string> pages;
    std::size_t start = 0;
    for (std::size_t end = result.out.find('\f'); end != std::string::npos;
         end = result.out.find('\f', start)) {
        pages.push_back(result.out.substr(start, end - start));
        start = end + 1;
    }
    return pages;
}

std::string PdfCellText(const std::string& pdf, bool keepCommas) {
    const ProcessResult result = RunProcess({"pdftotext", "-layout", pdf, "-"});
    if (result.exitCode != 0) return {};
    std::string text;
    for (char c : result.out) {
        if (c == ',' && !keepCommas) continue;
        if (c == ' ' && !text.empty() && (text.back() == ' ' || text.back() == '\n')) continue;
        if (c == '\n' && !text.empty() && text.back() == ' ') text.pop_back();
        text += c;
    }
    return text;
}

}  // namespace tally::test
