// SPDX-License-Identifier: MIT
#include "window/print/report_printout.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "core/time_log_file.h"
#include "entries/replacement_file.h"
#include "window/print/report_painter.h"

namespace tally {
namespace {

// The PDF writer ends every complete file with this marker; every PDF begins with the other.
constexpr const char kPdfEnd[] = "%%EOF";
constexpr qint64 kTailBytes = 64;
constexpr std::string_view kPdfStart = "%PDF-";

bool MayWrite(const std::string& path, const struct stat& status) {
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && access(path.c_str(), W_OK) == 0;
}

bool CompletePdf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < kTailBytes) return false;
    if (!file.seek(file.size() - kTailBytes)) return false;
    return file.read(kTailBytes).contains(kPdfEnd);
}

// True when the file begins as every PDF does. Anything else (a time log, a letter) is
// never replaced by a printout, whatever its name.
bool BeginsAsPdf(const std::string& path) {
    FileDescriptor fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    char start[kPdfStart.size()] = {};
    return fd.Get() >= 0 &&
           ReadAt(fd.Get(), start, sizeof start, 0) == static_cast<long>(sizeof start) &&
           std::string_view(start, sizeof start) == kPdfStart;
}

// The file a printout to path replaces: path itself, or the file a link at path leads to,
// so that the link stays and shows the new printout. Empty with the reason in problem when
// the link leads nowhere.
std::string PdfFileBehind(const std::string& path, std::string& problem) {
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
    const std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr),
                                                           &std::free);
    if (real) return real.get();
    if (errno != ENOENT) {
        problem = "Cannot print to " + path + ": " + std::strerror(errno) + ".";
        return {};
    }
    char destination[PATH_MAX] = {};
    const ssize_t length = readlink(path.c_str(), destination, sizeof destination - 1);
    problem = "Cannot print to " + path + ": it is a link to " +
              (length > 0 ? std::string(destination, static_cast<std::size_t>(length))
                          : std::string("a file")) +
              ", which does not exist.";
    return {};
}

// The bits a new file gets here: read and write for all, less the umask.
mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// The PDF is drawn into a new file beside the one it replaces and renamed over it only
// when complete, so that a failed printout leaves the old file as it was.
std::string PrintPdf(QPrinter& printer, const std::vector<ReportLine>& lines) {
    const QString name = printer.outputFileName();
    const std::string shown = name.toStdString();
    if (std::string problem = CheckPdfTarget(name); !problem.empty()) return problem;
    std::string problem;
    const std::string target = PdfFileBehind(shown, problem);
    if (target.empty()) return problem;
    struct stat old {};
    const bool existed = stat(target.c_str(), &old) == 0;
    ReplacementFile file;
    if (!file.Create(target, existed ? old.st_mode & 07777 : NewFileMode(),
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

std::string CheckPdfTarget(const QString& path) {
    const std::string file = path.toStdString();
    if (file.empty()) return "No PDF file named to print to.";
    std::string problem;
    const std::string target = PdfFileBehind(file, problem);
    if (target.empty()) return problem;
    const std::string folder = QFileInfo(QFile::decodeName(QByteArray::fromStdString(target)))
                                   .absolutePath()
                                   .toStdString();
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
    if (stat(target.c_str(), &status) != 0) {
        if (errno == ENOENT) return {};
        return "Cannot print to " + file + ": " + std::strerror(errno) + ".";
    }
    if (!S_ISREG(status.st_mode)) return "Cannot print to " + file + ": not a regular file.";
    if (!MayWrite(target, status)) return "Cannot print to " + file + ": the file is read-only.";
    if (!BeginsAsPdf(target)) {
        return "Cannot print to " + file +
               ": the file is not a PDF, and only a PDF is replaced by a printout.";
    }
    return {};
}

std::string PrintReport(QPrinter& printer, const std::vector<ReportLine>& lines) {
    if (printer.outputFormat() == QPrinter::PdfFormat) return PrintPdf(printer, lines);
    if (!PaintReport(printer, lines) || printer.printerState() == QPrinter::Error) {
        return "The report could not be printed to " + printer.printerName().toStdString() + ".";
    }
    return {};
}

}  // namespace tally
