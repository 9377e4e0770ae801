// SPDX-License-Identifier: MIT
#pragma once
// The desktop program's command line: an optional document file, or a printout of the
// report without a window (--print on the default printer, --print-to FILE.pdf), each with
// an optional time log after it.

#include <QString>
#include <QStringList>
#include <optional>

namespace tally {

struct StartupSwitches {
    enum class Print { None, DefaultPrinter, PdfFile };
    Print print = Print::None;
    QString pdfFile;  // --print-to
    // The document to open; with a print switch, the time log to print instead of DataLog.
    QString file;
};

// --help and --version print their text and end the program, as an unknown option does
// with its message. Other wrong lines give no value and the reason in error.
std::optional<StartupSwitches> ParseStartupSwitches(const QStringList& arguments, QString& error);

// True when the arguments ask for a printout, the help or the version: the program then shows
// no window, so it needs no display either.
bool ShowsNoWindow(int argc, char** argv);

}  // namespace tally
