// SPDX-License-Identifier: MIT
// tally_bench_invoice: the invoice over the dense million-triple log (or $TALLY_BENCH_LOG).

#include <benchmark/benchmark.h>

#include <string>

#include "bench_logs.h"
#include "bench_start.h"
#include "invoice/invoice.h"

namespace tally::bench {
namespace {

void Invoice(benchmark::State& state, const std::string& path, CalendarDate start, CalendarDate end,
             RoundingOptions rounding) {
    std::size_t lines = 0;
    for (auto _ : state) {
        const auto text = GenerateInvoice(path, start, end, 37.5, rounding);
        if (!text) {
            state.SkipWithError("cannot open the log");
            break;
        }
        lines = 0;
        for (char c : *text) lines += c == '\n';
        benchmark::DoNotOptimize(text->data());
    }
    // The whole file is read up to the end date; one line per billed day, and the total.
    state.SetBytesProcessed(state.iterations() * FileSizeOf(path));
    state.counters["lines"] = static_cast<double>(lines);
}

}  // namespace
}  // namespace tally::bench

int main(int argc, char** argv) {
    using namespace tally;
    return bench::RunBenchmarks(argc, argv, [] {
        const std::string path = bench::NamedLog("log", bench::MillionLogOrOverride());
        if (path.empty()) return false;
        const CalendarDate first{1900, 1, 1};
        const CalendarDate last{9999, 12, 31};
        auto add = [&](const char* name, RoundingOptions rounding) {
            benchmark::RegisterBenchmark(name, bench::Invoice, path, first, last, rounding)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        };
        add("Invoice/whole-log", {kRoundNone, 0});
        add("Invoice/whole-log/rounded-15", {kRoundInOut, 15});
        return true;
    });
}
