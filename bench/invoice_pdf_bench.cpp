// SPDX-License-Identifier: MIT
// tally_bench_invoice_pdf: the PDF of a one-year invoice (a pair on each weekday of 2025) as
// tally writes it: through the module, in a process without a Qt application, so that each
// run pays for the application the module makes as well as for the pages. Goal: under 0.3 s.

#include <benchmark/benchmark.h>

#include <string>

#include "bench_logs.h"
#include "bench_start.h"
#include "cli/pdf_module.h"
#include "core/c_format.h"
#include "log_text.h"
#include "test_support.h"

namespace tally::bench {
namespace {

void InvoicePdf(benchmark::State& state, const InvoiceDocument& doc, const std::string& pdf) {
    for (auto _ : state) {
        std::string error;
        if (!cli::WriteInvoicePdfWith(TALLY_PDF_MODULE_FILE, doc, {}, pdf, error)) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
    state.counters["lines"] = static_cast<double>(doc.money.lines.size());
    state.counters["bytes"] = static_cast<double>(FileSizeOf(pdf));
}

}  // namespace
}  // namespace tally::bench

int main(int argc, char** argv) {
    using namespace tally;
    static test::TempDir dir;
    static InvoiceDocument doc;
    return bench::RunBenchmarks(argc, argv, [] {
        const std::string log = dir.File("year.dat");
        std::string pairs;
        for (auto day = DaysOf({2025, 1, 1}); day <= DaysOf({2025, 12, 31});
             day += std::chrono::days(1)) {
            const int weekday = WeekdayOf(day);
            if (weekday == 0 || weekday == 6) continue;
            const CalendarDate d = DateOf(day);
            pairs += test::Triple(
                FormatC("%d-%02d-%02d 08:%02d:00", d.year, d.month, d.day, d.day),
                FormatC("%d-%02d-%02d 16:%02d:30", d.year, d.month, d.day, d.day * 7 % 60));
        }
        test::WriteFile(log, pairs);
        const CalendarDate first{2025, 1, 1};
        const CalendarDate last{2025, 12, 31};
        const auto figures = ComputeInvoice(log, first, last, 85.0, {kRoundNone, 0});
        if (!figures) return false;
        const Client client{"Acme Ltd", log,  85.0, "EUR", 19.0, "1 Main Street\nSpringfield",
                            30,         "C-7"};
        const Issuer issuer{"Jo Smith", "2 Side Road\nShelbyville", "jo@example.org",
                            "DE123",    "IBAN DE00 1234",           "Payable within 30 days."};
        doc = MakeInvoiceDocument(*figures, client, issuer, "2026-001", {2026, 1, 2}, first, last);
        benchmark::RegisterBenchmark("InvoicePdf/one-year", bench::InvoicePdf, doc,
                                     dir.File("invoice.pdf"))
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        return true;
    });
}
