#include "ui/print/report_printout.h"

#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <cerrno>
#include <cstring>

#include "ui/print/report_painter.h"

namespace tally {
namespace {

// The PDF writer ends every complete file with this marker.
constexpr const char kPdfEnd[] = "%%EOF";
constexpr qint64 kTailBytes = 64;

bool MayWrite(const std::string& path, const struct stat& status) {
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && access(path.c_str(), W_OK) == 0;
}

bool CompletePdf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < kTailBytes) return false;
    if (!file.seek(file.size() - kTailBytes)) return false;
    return file.read(kTailBytes).contains(kPdfEnd);
}

std::string PrinterName(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName().toStdString()
                                                         : printer.printerName().toStdString();
}

}  // namespace

std::string CheckPdfTarget(const QString& path) {
    const std::string file = path.toStdString();
    if (file.empty()) return "No PDF file named to print to.";
    const std::string folder = QFileInfo(path).absolutePath().toStdString();
    struct stat status {};
    if (stat(folder.c_str(), &status) != 0) {
        return "Cannot print to " + file + ": the folder " + folder + " does not exist.";
    }
    if (!S_ISDIR(status.st_mode)) {
        return "Cannot print to " + file + ": " + folder + " is not a folder.";
    }
    if (!MayWrite(folder, status) || access(folder.c_str(), X_OK) != 0) {
        return "Cannot print to " + file + ": the folder " + folder + " is not writable.";
    }
    if (stat(file.c_str(), &status) != 0) {
        if (errno == ENOENT) return {};
        return "Cannot print to " + file + ": " + std::strerror(errno) + ".";
    }
    if (!S_ISREG(status.st_mode)) return "Cannot print to " + file + ": not a regular file.";
    if (!MayWrite(file, status)) return "Cannot print to " + file + ": the file is read-only.";
    return {};
}

std::string PrintReport(QPrinter& printer, const std::vector<ReportLine>& lines) {
    const std::string target = PrinterName(printer);
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        if (std::string problem = CheckPdfTarget(printer.outputFileName()); !problem.empty()) {
            return problem;
        }
    }
    if (!PaintReport(printer, lines) || printer.printerState() == QPrinter::Error) {
        return "The report could not be printed to " + target + ".";
    }
    if (printer.outputFormat() == QPrinter::PdfFormat && !CompletePdf(printer.outputFileName())) {
        return "The report was not written completely to " + target + ".";
    }
    return {};
}

}  // namespace tally
