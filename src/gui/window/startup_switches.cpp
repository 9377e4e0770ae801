// SPDX-License-Identifier: MIT
#include "window/startup_switches.h"

#include <QCommandLineParser>
#include <cstring>

namespace tally {

std::optional<StartupSwitches> ParseStartupSwitches(const QStringList& arguments, QString& error) {
    QCommandLineParser parser;
    parser.setApplicationDescription("A punch clock for working time billed by the hour.");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption print(
        "print", "Print the report of the time log on the default printer, show no window.");
    const QCommandLineOption printTo(
        "print-to",
        "Print the report of the time log into a PDF file, show no window. An existing file "
        "is replaced only when it is a PDF and not the time log or one of its backups.",
        "FILE.pdf");
    parser.addOption(print);
    parser.addOption(printTo);
    parser.addPositionalArgument(
        "file",
        "A time log to open as the document; with --print or --print-to, the time log "
        "to print instead of the one the options name.",
        "[file]");
    parser.process(arguments);

    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        error = "more than one file: " + files.join(' ');
        return std::nullopt;
    }
    StartupSwitches switches;
    if (!files.isEmpty()) switches.file = files.first();
    if (parser.isSet(print) && parser.isSet(printTo)) {
        error = "--print and --print-to exclude each other";
        return std::nullopt;
    }
    if (parser.isSet(print)) switches.print = StartupSwitches::Print::DefaultPrinter;
    if (parser.isSet(printTo)) {
        switches.print = StartupSwitches::Print::PdfFile;
        switches.pdfFile = parser.value(printTo);
    }
    return switches;
}

bool ShowsNoWindow(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--print") == 0 || std::strcmp(a, "--print-to") == 0 ||
            std::strncmp(a, "--print-to=", 11) == 0 || std::strcmp(a, "--help") == 0 ||
            std::strcmp(a, "--help-all") == 0 || std::strcmp(a, "-h") == 0 ||
            std::strcmp(a, "--version") == 0 || std::strcmp(a, "-v") == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace tally
