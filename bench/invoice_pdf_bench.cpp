// SPDX-License-Identifier: MIT
// tally_bench_invoice_pdf: the PDF of a one-year invoice as tally writes it: through the
// module, in a process without a Qt application, so that each run pays for the application
// the module makes as well as for the pages. The plain PDF of a pair on each weekday of 2025;
// and a year of days (a pair every day of 2025, a line each) issued as tally issues it: read
// from the log, its XML written, drawn as PDF/A and finished as Factur-X, archived and
// registered. Goal: under 0.3 s each.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench_logs.h"
#include "bench_start.h"
#include "cli/pdf_module_loader.h"
#include "invoice/issuing_flow.h"
#include "log_text.h"
#include "test_support.h"
#include "time/c_format.h"

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

// Each run issues into a register of its own: the same days are billed once per register.
void IssueFacturX(benchmark::State& state, const PdfInvoiceOrder& order, const std::string& books) {
    const DocumentWriter write = [](const InvoiceDocument& document, const std::string& facturXml,
                                    const std::string& path, std::string& error) {
        return cli::WriteInvoicePdfWith(TALLY_PDF_MODULE_FILE, document, facturXml, path, error);
    };
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(books);
        state.ResumeTiming();
        const RegisterChange issued = IssuePdfInvoice(books + "/invoices.txt", {}, order, write);
        if (!issued.ok || !issued.entry.hasXml) {
            state.SkipWithError(issued.ok ? "issued without its XML" : issued.error.c_str());
            break;
        }
    }
    state.counters["bytes"] = static_cast<double>(FileSizeOf(order.pdfPath));
}

}  // namespace
}  // namespace tally::bench

int main(int argc, char** argv) {
    using namespace tally;
    static test::TempDir dir;
    static InvoiceDocument doc;
    static PdfInvoiceOrder order;
    return bench::RunBenchmarks(argc, argv, [] {
        const std::string log = dir.File("year.dat");
        const std::string everyDay = dir.File("every-day.dat");
        std::string pairs;
        std::string daily;
        for (auto day = DaysOf({2025, 1, 1}); day <= DaysOf({2025, 12, 31});
             day += std::chrono::days(1)) {
            const CalendarDate d = DateOf(day);
            const std::string pair = test::Triple(
                FormatC("%d-%02d-%02d 08:%02d:00", d.year, d.month, d.day, d.day),
                FormatC("%d-%02d-%02d 16:%02d:30", d.year, d.month, d.day, d.day * 7 % 60));
            daily += pair;
            const int weekday = WeekdayOf(day);
            if (weekday != 0 && weekday != 6) pairs += pair;
        }
        test::WriteFile(log, pairs);
        test::WriteFile(everyDay, daily);
        const CalendarDate first{2025, 1, 1};
        const CalendarDate last{2025, 12, 31};
        const auto figures = ComputeInvoice(log, first, last, 85.0, {kRoundNone, 0});
        if (!figures) return false;
        const Client client{"Acme Ltd", log,  85.0, "EUR", 19.0, "1 Main Street\nSpringfield",
                            30,         "C-7"};
        Issuer issuer{"Jo Smith", "2 Side Road\nShelbyville", "jo@example.org",
                      "DE123",    "IBAN DE00 1234",           "Payable within 30 days."};
        doc = MakeInvoiceDocument(*figures, client, issuer, "2026-001", {2026, 1, 2}, first, last);
        benchmark::RegisterBenchmark("InvoicePdf/one-year", bench::InvoicePdf, doc,
                                     dir.File("invoice.pdf"))
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();

        // What an e-invoice needs besides: the countries, the seller's VAT id.
        issuer.country = "DE";
        issuer.vatId = "DE987654321";
        order.client = client;
        order.client.log = everyDay;
        order.client.country = "DE";
        order.client.service = "Software development";
        order.issuer = issuer;
        order.first = first;
        order.last = last;
        order.issued = {2026, 1, 2};
        order.rate = 85.0;
        order.rounding = {kRoundNone, 0};
        order.pdfPath = dir.File("factur-x.pdf");
        benchmark::RegisterBenchmark("IssueFacturX/every-day-of-a-year", bench::IssueFacturX, order,
                                     dir.File("books"))
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        return true;
    });
}
