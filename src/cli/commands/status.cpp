// SPDX-License-Identifier: MIT
#include "cli/commands/status.h"

#include <ostream>

#include "cli/commands/status_all.h"
#include "cli/json_rows.h"
#include "cli/json_text.h"
#include "core/totals_text.h"

namespace tally::cli {
namespace {

// Keeps the last Raw Time Data row: while clocked in, the open In.
class LastRawRow final : public RowSink {
  public:
    void Clear() override {}
    void AddRawRow(const RawRow& row) override { last = row; }
    void AddDailyRow(const DailyRow&) override {}

    RawRow last;
};

// One totals box: its two texts, and its total as the box rounds it.
Json BoxJson(const std::string& first, const std::string& second, ELAPSEDTIME total,
             const CurrentSettings& settings) {
    RoundElapsed(total, settings.Rounding());
    return {{"first", first},
            {"second", second},
            {"seconds", ElapsedToSeconds(total)},
            {"time", TotalText(total, MoneyOptions{false, 0.0})},
            {"amount", Cents(MoneyAmount(total, settings.Rate))}};
}

int PrintStatusJson(CommandContext& c) {
    LastRawRow rows;
    if (!c.ScanInto(rows)) return kExitFailed;
    c.engine.BringUpToNow();
    const CurrentSettings& settings = c.engine.Settings();
    const ScanState& state = c.engine.State();
    const TotalsTexts& t = c.engine.Texts();
    const bool in = c.engine.ClockedIn();
    PrintJson(c.out,
              {{"state", in ? "In" : "Out"},
               {"log", Utf8Text(settings.DataLog)},
               {"today", BoxJson(t.todayFirst, t.todaySecond, state.dayTotal, settings)},
               {"period", BoxJson(t.periodFirst, t.periodSecond, state.periodTotal, settings)},
               {"clocked_in_since", in ? Json(RecordTimeText(rows.last)) : Json(nullptr)}});
    return kExitOk;
}

}  // namespace

void PrintStatus(CommandContext& c) {
    c.engine.BringUpToNow();
    const TotalsTexts& t = c.engine.Texts();
    const char* state = c.engine.ClockedIn() ? "In" : "Out";
    if (c.options.tsv) {
        c.out << "state\t" << state << "\ntoday\t" << t.todayFirst << '\t' << t.todaySecond
              << "\nperiod\t" << t.periodFirst << '\t' << t.periodSecond << '\n';
        return;
    }
    const std::string indent(26, ' ');
    c.out << "State:                    " << state << '\n'
          << "Time Today:               " << t.todayFirst << '\n'
          << indent << t.todaySecond << '\n'
          << "Time This Billing Period: " << t.periodFirst << '\n'
          << indent << t.periodSecond << '\n';
}

int RunStatus(CommandContext& c) {
    if (!c.options.args.empty()) return c.UsageError("status takes no arguments");
    if (c.options.all) return PrintClientsStatus(c);
    if (c.options.json) return PrintStatusJson(c);
    if (!c.Scan()) return kExitFailed;
    PrintStatus(c);
    return kExitOk;
}

}  // namespace tally::cli
