// SPDX-License-Identifier: MIT
#pragma once
// Draws the report's pages on a printer (a real one, a PDF file or the print preview), laid
// out from the printer's page and the report font's metrics on it.

#include <QFont>
#include <vector>

#include "reports/report_text.h"

class QPrinter;

namespace tally {

// The font the report is printed in.
QFont ReportFont();

// Margins that leave room to hold, punch or bind the paper; set on a printer when it is
// made, so that Print Setup may change them.
void UseReportMargins(QPrinter& printer);

// How many lines of the report font fit on one page of this printer, footer included.
int ReportLinesPerPage(QPrinter& printer);

// Draws every page; false when the printer refused to begin or to start a new page.
bool PaintReport(QPrinter& printer, const std::vector<ReportLine>& lines);

}  // namespace tally
