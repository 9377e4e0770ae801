// SPDX-License-Identifier: MIT
#pragma once
// Printing the report as a command: checks where a PDF goes before anything is drawn, and
// checks after drawing that the pages arrived, so a failed printout is never taken for one.

#include <QString>
#include <vector>

#include "entries/document_target.h"
#include "reports/report_text.h"

class QPrinter;

namespace tally {

// Empty when a PDF file may be written at path (entries/document_target.h: none of the kept
// files, and an existing file only when it is a PDF already); else a message naming the path.
std::string CheckPdfTarget(const QString& path, const KeptFiles& kept);

// Draws the report and checks the result: a PDF file's target is checked first, the PDF is
// drawn into a temporary file beside it, which must be complete on disk before it is renamed
// over the target; a printer must not report an error. Empty on success, else a message naming
// the file or printer.
std::string PrintReport(QPrinter& printer, const std::vector<ReportLine>& lines,
                        const KeptFiles& kept);

}  // namespace tally
