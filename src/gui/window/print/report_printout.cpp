// SPDX-License-Identifier: MIT
#include "window/print/report_printout.h"

#include <sys/stat.h>
#include <QFile>
#include <QPrinter>
#include <cerrno>
#include <cstring>

#include "log/replacement_file.h"
#include "window/print/report_painter.h"

namespace tally {
namespace {

// The PDF writer ends every complete file with this marker.
constexpr const char kPdfEnd[] = "%%EOF";
constexpr qint64 kTailBytes = 64;
constexpr const char* kVerb = "print to";

bool CompletePdf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < kTailBytes) return false;
    if (!file.seek(file.size() - kTailBytes)) return false;
    return file.read(kTailBytes).contains(kPdfEnd);
}

// The PDF is drawn into a new file beside the one it replaces and renamed over it only
// when complete, so that a failed printout leaves the old file as it was.
std::string PrintPdf(QPrinter& printer, const std::vector<ReportLine>& lines,
                     const KeptFiles& kept) {
    const QString name = printer.outputFileName();
    const std::string shown = name.toStdString();
    if (std::string problem = CheckPdfTarget(name, kept); !problem.empty()) return problem;
    std::string problem;
    const std::string target = DocumentFileBehind(shown, kVerb, problem);
    if (target.empty()) return problem;
    struct stat old {};
    const bool existed = stat(target.c_str(), &old) == 0;
    ReplacementFile file;
    if (!file.Create(target, existed ? old.st_mode & 07777 : NewDocumentMode(),
                     existed ? &old : nullptr)) {
        return "Cannot print to " + shown + ": " + std::strerror(errno) + ".";
    }
    const QString temporary = QFile::decodeName(QByteArray::fromStdString(file.TempPath()));
    printer.setOutputFileName(temporary);
    const bool painted = PaintReport(printer, lines) && printer.printerState() != QPrinter::Error;
    printer.setOutputFileName(name);
    if (!painted) return "The report could not be printed to " + shown + ".";
    if (!CompletePdf(temporary) || !file.Flush()) {
        return "The report was not written completely to " + shown + ".";
    }
    if (!file.RenameOver()) return "Cannot print to " + shown + ": " + std::strerror(errno) + ".";
    return {};
}

}  // namespace

std::string CheckPdfTarget(const QString& path, const KeptFiles& kept) {
    return DocumentTargetProblem(path.toStdString(), kept, kVerb);
}

std::string PrintReport(QPrinter& printer, const std::vector<ReportLine>& lines,
                        const KeptFiles& kept) {
    if (printer.outputFormat() == QPrinter::PdfFormat) return PrintPdf(printer, lines, kept);
    if (!PaintReport(printer, lines) || printer.printerState() == QPrinter::Error) {
        return "The report could not be printed to " + printer.printerName().toStdString() + ".";
    }
    return {};
}

}  // namespace tally
