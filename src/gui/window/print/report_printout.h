// SPDX-License-Identifier: MIT
#pragma once
// Printing the report as a command: checks where a PDF goes before anything is drawn, and
// checks after drawing that the pages arrived, so a failed printout is never taken for one.

#include <QString>
#include <vector>

#include "core/report_text.h"

class QPrinter;

namespace tally {

// Empty when a PDF file may be written at path: its folder exists and is writable, and the
// file, if it exists, is a regular file that may be written and is a PDF already (nothing
// else is ever replaced by a printout). A link counts as the file it leads to; one that leads
// nowhere is refused. Else a message naming the path. Permission bits that forbid writing
// count even for root.
std::string CheckPdfTarget(const QString& path);

// Draws the report and checks the result: a PDF file's target is checked first, the PDF is
// drawn into a temporary file beside it, which must be complete on disk before it is renamed
// over the target; a printer must not report an error. Empty on success, else a message naming
// the file or printer.
std::string PrintReport(QPrinter& printer, const std::vector<ReportLine>& lines);

}  // namespace tally
