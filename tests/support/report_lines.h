// SPDX-License-Identifier: MIT
#pragma once
// The printed report's lines as short texts for comparisons ("Day|Mon|Jan 05, 2004|03:30:00"),
// and the text that pdftotext reads from a PDF, page by page or as table cells.

#include <string>
#include <vector>

#include "reports/report_text.h"

namespace tally::test {

// The kind, then the cells that it uses, joined by '|'.
std::string LineText(const ReportLine& line);
std::vector<std::string> LineTexts(const std::vector<ReportLine>& lines);

// The text of each page of a PDF (pdftotext -layout); empty when it cannot be read.
std::vector<std::string> PdfPageTexts(const std::string& pdf);

// The whole text of a PDF with each run of blanks one space, so that table cells read in
// order, and no thousands separators (the C locale has commas) unless keepCommas (a text in
// a language whose decimals are commas); empty when it cannot be read.
std::string PdfCellText(const std::string& pdf, bool keepCommas = false);

}  // namespace tally::test
