// SPDX-License-Identifier: MIT
// tally_bench_report: the printed report of the century log. Its layout (the report's lines
// from the scanned rows, then the pages for an A4 page in the report font), and the whole
// printout into a PDF file, offscreen.

#include <benchmark/benchmark.h>
#include <QPrinter>

#include "bench_logs.h"
#include "bench_start.h"
#include "core/tally_engine.h"
#include "log/messages.h"
#include "reports/report_text.h"
#include "test_support.h"
#include "time/clock.h"
#include "window/print/report_layout.h"
#include "window/print/report_painter.h"
#include "window/print/report_printout.h"

namespace tally::bench {
namespace {

// The engine after one scan of the log, as the window holds it when Print is chosen.
class ScannedLog {
  public:
    explicit ScannedLog(const std::string& log) : engine_(clock_, reporter_) {
        engine_.Settings().DataLog = log;
        engine_.ScanTimeLog();
    }
    std::vector<ReportLine> Report() const {
        return BuildReport(kApplicationName, engine_, engine_.Rows(), clock_.Now());
    }

  private:
    test::FakeClock clock_{test::At(2090, 1, 1, 9, 0, 0)};
    test::RecordingReporter reporter_;
    TallyEngine engine_;
};

// A printer as the program makes one, on A4 at the printer resolution.
void SetUpPrinter(QPrinter& printer, const QString& pdf) {
    UseReportMargins(printer);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
}

void Layout(benchmark::State& state, const std::string& log) {
    const ScannedLog scanned(log);
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer, QString());
    const int linesPerPage = ReportLinesPerPage(printer);
    std::size_t pages = 0;
    std::size_t lines = 0;
    for (auto _ : state) {
        std::vector<ReportLine> report = scanned.Report();
        lines = report.size();
        pages = LayoutReport(std::move(report), linesPerPage).size();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["pages"] = static_cast<double>(pages);
    state.counters["lines_per_page"] = linesPerPage;
}

void PrintToPdf(benchmark::State& state, const std::string& log) {
    const ScannedLog scanned(log);
    const test::TempDir dir;
    const QString pdf = QString::fromStdString(dir.File("report.pdf"));
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        SetUpPrinter(printer, pdf);
        if (const std::string problem =
                PrintReport(printer, scanned.Report(), KeptFiles{{log}, {}, {}});
            !problem.empty()) {
            state.SkipWithError(problem.c_str());
            break;
        }
    }
    state.counters["pdf_bytes"] = static_cast<double>(FileSizeOf(pdf.toStdString()));
}

}  // namespace
}  // namespace tally::bench

int main(int argc, char** argv) {
    using namespace tally::bench;
    return RunGuiBenchmarks(argc, argv, Screen::Offscreen, [] {
        const std::string log = NamedPresetLog("century");
        if (log.empty()) return false;
        benchmark::RegisterBenchmark("ReportLayout/century", Layout, log)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark("ReportPdf/century", PrintToPdf, log)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        return true;
    });
}
