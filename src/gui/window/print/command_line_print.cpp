// SPDX-License-Identifier: MIT
#include "window/print/command_line_print.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <filesystem>
#include <ostream>

#include "clients/client.h"
#include "core/tally_engine.h"
#include "log/messages.h"
#include "log/time_log_file.h"
#include "reports/report_text.h"
#include "settings/client_store.h"
#include "settings/kept_files.h"
#include "window/print/report_painter.h"
#include "window/print/report_printout.h"

namespace tally {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;

// Nothing punches here, so the engine has nothing to say; a message would be a fault.
class ErrorStreamReporter final : public Reporter {
  public:
    explicit ErrorStreamReporter(std::ostream& err) : err_(err) {}
    void Report(const Message& message) override { err_ << "tallybook: " << message.text << '\n'; }

  private:
    std::ostream& err_;
};

int Fail(std::ostream& err, const std::string& reason) {
    err << "tallybook: " << reason << '\n';
    return kExitFailed;
}

// The log to print: the one named after the switch, else the DataLog option.
std::string ChooseLog(const StartupSwitches& switches, const CurrentSettings& settings,
                      std::string& problem) {
    if (switches.file.isEmpty()) return settings.DataLog;
    std::error_code error;
    const auto absolute = std::filesystem::absolute(switches.file.toStdString(), error);
    if (error) problem = "cannot use " + switches.file.toStdString() + ": " + error.message();
    return absolute.string();
}

// A printer set up as the switches ask, or the reason there is none.
bool SetUpPrinter(const StartupSwitches& switches, QPrinter& printer, std::string& problem) {
    if (switches.print == StartupSwitches::Print::PdfFile) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(switches.pdfFile);
        return true;
    }
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) {
        problem =
            "no default printer is set up; nothing was printed (--print-to FILE.pdf writes a "
            "PDF file)";
        return false;
    }
    printer.setPrinterName(defaultPrinter.printerName());
    return true;
}

}  // namespace

int PrintFromCommandLine(const StartupSwitches& switches, SettingsStore& store, const Clock& clock,
                         std::ostream& err) {
    const bool toFile = switches.print == StartupSwitches::Print::PdfFile;
    // On default options the report would be of another log, or figured another way.
    if (const std::string problem = store.ReadProblem(); !problem.empty()) {
        return Fail(err, problem);
    }

    ErrorStreamReporter reporter(err);
    TallyEngine engine(clock, reporter);
    store.Load(engine.Settings());
    std::string problem;
    engine.Settings().DataLog = ChooseLog(switches, engine.Settings(), problem);
    if (!problem.empty()) return Fail(err, problem);
    const std::string& log = engine.Settings().DataLog;
    engine.Settings().Rate = EffectiveRate(ReadClients(store.Raw()), log, engine.Settings().Rate);
    // The printed log may be one the store does not name (a switch's).
    KeptFiles kept = KeptFilesOf(store);
    kept.logs.push_back(log);
    if (toFile) {
        problem = CheckPdfTarget(switches.pdfFile, kept);
        if (!problem.empty()) return Fail(err, problem);
    }
    if (const OpenedLog opened = OpenTimeLogFile(log, LogAccess::Read); !opened.Ok()) {
        if (opened.status == OpenedLog::Status::Missing) {
            return Fail(err, "the time log " + log + " does not exist; nothing was printed");
        }
        return Fail(err, opened.Reason(log, LogAccess::Read));
    }
    engine.ScanTimeLog();
    if (!engine.LogError().empty()) return Fail(err, engine.LogError());
    // The totals as the window would show them now, running time included.
    engine.BringUpToNow();
    const std::vector<ReportLine> lines =
        BuildReport(kApplicationName, engine, engine.Rows(), clock.Now());

    QPrinter printer(QPrinter::HighResolution);
    UseReportMargins(printer);
    if (!SetUpPrinter(switches, printer, problem)) return Fail(err, problem);
    problem = PrintReport(printer, lines, kept);
    if (problem.empty()) return kExitOk;
    return Fail(err, problem);
}

}  // namespace tally
