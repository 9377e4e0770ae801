// SPDX-License-Identifier: MIT
#include "cli/commands/status_all.h"

#include <ostream>

#include "cli/commands/unbilled.h"
#include "cli/json_text.h"
#include "time/c_format.h"
#include "time/clock.h"

namespace tally::cli {
namespace {

// A client's figures as its own status shows them, brought up to now.
struct ClientFigures {
    const Client* client = nullptr;
    bool in = false;
    std::int64_t today = 0;  // seconds, rounded as the totals box rounds them
    std::int64_t period = 0;
    double todayAmount = 0.0;
    double periodAmount = 0.0;
    std::int64_t unbilled = 0;  // seconds after the last invoiced day
    double unbilledAmount = 0.0;
};

std::int64_t RoundedSeconds(ELAPSEDTIME total, const CurrentSettings& settings, double& amount) {
    RoundElapsed(total, settings.Rounding());
    amount = Cents(MoneyAmount(total, settings.Rate));
    return ElapsedToSeconds(total);
}

std::string HoursMinutes(std::int64_t seconds) {
    return FormatC("%lld:%02lld", static_cast<long long>(seconds / 3600),
                   static_cast<long long>(seconds % 3600 / 60));
}

}  // namespace

int PrintClientsStatus(CommandContext& c) {
    if (c.clients.empty()) {
        c.err << "tally: there are no clients (tally client add NAME --log PATH)\n";
        return kExitFailed;
    }
    // One instant for every client, so that their rows add up to the same moment.
    const FixedClock now(SystemClock().Now());
    const auto reg = ReadInvoiceRegister(c);
    if (!reg) return kExitFailed;
    std::vector<ClientFigures> rows;
    for (const Client& client : c.clients) {
        TallyEngine engine(now, *c.reporter);
        NoRows noRows;
        engine.SetRowSink(&noRows);
        CurrentSettings& settings = engine.Settings();
        settings = c.engine.Settings();
        settings.DataLog = client.log;
        settings.Rate = client.rate.value_or(c.optionsRate);
        engine.ScanTimeLog();
        engine.BringUpToNow();
        ClientFigures row{&client, engine.ClockedIn()};
        row.today = RoundedSeconds(engine.State().dayTotal, settings, row.todayAmount);
        row.period = RoundedSeconds(engine.State().periodTotal, settings, row.periodAmount);
        const auto unbilled = ClientUnbilled(c, *reg, client);
        if (!unbilled) return kExitFailed;
        row.unbilled = unbilled->money.billedSeconds;
        row.unbilledAmount = static_cast<double>(unbilled->money.subtotalCents) / 100.0;
        rows.push_back(row);
    }
    if (c.options.json) {
        Json clients = Json::array();
        for (const ClientFigures& row : rows) {
            clients.push_back(
                {{"client", Utf8Text(row.client->name)},
                 {"state", row.in ? "In" : "Out"},
                 {"currency", row.client->currency},
                 {"today", {{"seconds", row.today}, {"amount", row.todayAmount}}},
                 {"period", {{"seconds", row.period}, {"amount", row.periodAmount}}},
                 {"unbilled", {{"seconds", row.unbilled}, {"amount", row.unbilledAmount}}}});
        }
        PrintJson(c.out, {{"clients", clients}});
        return kExitOk;
    }
    const std::vector<int> widths = {16, 5, 8, 12, 8, 12, 9, 12, 0};
    if (!c.options.tsv)
        PrintRow(c.out, {"Client", "State", "Today", "", "Period", "", "Unbilled", "", "Currency"},
                 false, widths);
    std::int64_t today = 0;
    std::int64_t period = 0;
    std::int64_t unbilled = 0;
    for (const ClientFigures& row : rows) {
        PrintRow(c.out,
                 {row.client->name, row.in ? "In" : "Out", HoursMinutes(row.today),
                  FormatC("%.2f", row.todayAmount), HoursMinutes(row.period),
                  FormatC("%.2f", row.periodAmount), HoursMinutes(row.unbilled),
                  FormatC("%.2f", row.unbilledAmount), row.client->currency},
                 c.options.tsv, widths);
        today += row.today;
        period += row.period;
        unbilled += row.unbilled;
    }
    // Amounts in different currencies do not add up; times do.
    PrintRow(c.out,
             {"Total", "", HoursMinutes(today), "", HoursMinutes(period), "",
              HoursMinutes(unbilled), "", ""},
             c.options.tsv, widths);
    return kExitOk;
}

}  // namespace tally::cli
