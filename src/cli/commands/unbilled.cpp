// SPDX-License-Identifier: MIT
#include "cli/commands/unbilled.h"

#include <ostream>

#include "cli/json_text.h"
#include "settings/invoice_settings.h"
#include "time/c_format.h"

namespace tally::cli {

std::optional<InvoiceRegister> ReadInvoiceRegister(CommandContext& c) {
    RegisterRead read = ReadRegister(ReadInvoiceSettings(c.store.Raw()).registerPath);
    if (!read.Ok()) {
        c.err << "tally: " << read.problem << '\n';
        return std::nullopt;
    }
    return std::move(read.reg);
}

std::optional<Unbilled> ClientUnbilled(CommandContext& c, const InvoiceRegister& reg,
                                       const Client& client) {
    auto unbilled = UnbilledTime(reg, client, c.Today(), client.rate.value_or(c.optionsRate),
                                 c.engine.Settings().Rounding(), ReadIssuer(c.store.Raw()));
    if (!unbilled) c.err << "tally: cannot read the time log " << client.log << '\n';
    return unbilled;
}

int RunUnbilled(CommandContext& c) {
    if (!c.options.args.empty()) return c.UsageError("unbilled takes no arguments");
    if (c.clients.empty()) {
        c.err << "tally: there are no clients (tally client add NAME --log PATH)\n";
        return kExitFailed;
    }
    const auto reg = ReadInvoiceRegister(c);
    if (!reg) return kExitFailed;
    Json rows = Json::array();
    const std::vector<int> widths = {16, 12, 10, 12, 0};
    if (!c.options.json && !c.options.tsv)
        PrintRow(c.out, {"Client", "Since", "Time", "Amount", "Currency"}, false, widths);
    for (const Client& client : c.clients) {
        if (c.options.client && client.name != *c.options.client) continue;
        const auto unbilled = ClientUnbilled(c, *reg, client);
        if (!unbilled) return kExitFailed;
        const std::string since = unbilled->since ? IsoDayText(*unbilled->since) : "";
        const std::int64_t seconds = unbilled->money.billedSeconds;
        const double amount = static_cast<double>(unbilled->money.subtotalCents) / 100.0;
        if (c.options.json) {
            rows.push_back({{"client", Utf8Text(client.name)},
                            {"since", unbilled->since ? Json(since) : Json(nullptr)},
                            {"seconds", seconds},
                            {"amount", amount},
                            {"currency", client.currency}});
        } else {
            PrintRow(c.out,
                     {client.name, since,
                      FormatC("%lld:%02lld", static_cast<long long>(seconds / 3600),
                              static_cast<long long>(seconds % 3600 / 60)),
                      FormatC("%.2f", amount), client.currency},
                     c.options.tsv, widths);
        }
    }
    if (c.options.json) PrintJson(c.out, {{"unbilled", rows}});
    return kExitOk;
}

}  // namespace tally::cli
