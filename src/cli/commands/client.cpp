// SPDX-License-Identifier: MIT
#include "cli/commands/client.h"

#include <ostream>

#include "cli/commands/status.h"
#include "cli/json_text.h"
#include "cli/near_miss.h"
#include "cli/typed_text.h"
#include "clients/client_switch.h"
#include "clients/client_values.h"
#include "settings/client_store.h"
#include "time/c_format.h"

namespace tally::cli {
namespace {

// Sets one value of a client from its text; the reason when the text is not one.
std::string SetValue(Client& client, const std::string& key, const std::string& value) {
    if (key == "log") return WritableFilePath(value, "a client's time log", client.log);
    return SetClientValue(client, key, key == "address" ? LineBreaks(value) : value);
}

// Stores (or, with no client, removes) under the clients lock; the exit code.
int Change(CommandContext& c, const std::optional<Client>& client, const std::string& replacing) {
    return c.StoreChanged(ChangeClient(c.store, client, replacing));
}

int Add(CommandContext& c, const std::vector<std::string>& args) {
    if (args.size() % 2 != 1)
        return c.UsageError("client add needs one NAME, then KEY VALUE pairs");
    if (!c.options.logPath) return c.UsageError("client add needs --log PATH");
    Client client;
    client.name = args[0];
    client.currency = c.options.currency.value_or(DefaultCurrency());
    const std::pair<const char*, const std::optional<std::string>&> values[] = {
        {"log", c.options.logPath},
        {"rate", c.options.rate},
        {"tax", c.options.tax},
        {"days", c.options.days},
        {"address", c.options.address}};
    for (const auto& [key, value] : values) {
        if (!value) continue;
        if (const std::string reason = SetValue(client, key, *value); !reason.empty())
            return c.UsageError(reason);
    }
    for (std::size_t i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "name" || args[i] == "log")
            return c.UsageError("client add takes the name first, and the log with --log");
        if (const std::string reason = SetValue(client, args[i], args[i + 1]); !reason.empty())
            return c.UsageError(reason);
    }
    return Change(c, client, {});
}

int Set(CommandContext& c, const std::vector<std::string>& args) {
    if (args.size() != 3) return c.UsageError("client set needs NAME KEY VALUE");
    const Client* found = FindClient(c.clients, args[0]);
    if (found == nullptr) return c.UsageError(UnknownClient(args[0], c.clients));
    Client client = *found;
    const std::string& key = args[1];
    if (key == "name") {
        client.name = args[2];
    } else if (const std::string reason = SetValue(client, key, args[2]); !reason.empty()) {
        return c.UsageError(reason);
    }
    return Change(c, client, found->name);
}

std::string RateCell(const Client& client) {
    return client.rate ? FormatC("%.2f", *client.rate) : "";
}

int List(CommandContext& c, const std::vector<std::string>& args) {
    if (!args.empty()) return c.UsageError("client list takes no arguments");
    if (c.options.json) {
        Json rows = Json::array();
        for (const Client& client : c.clients) {
            rows.push_back({{"name", Utf8Text(client.name)},
                            {"log", Utf8Text(client.log)},
                            {"rate", client.rate ? Json(*client.rate) : Json(nullptr)},
                            {"currency", client.currency},
                            {"tax", client.taxPercent},
                            {"days", client.paymentDays},
                            {"number", Utf8Text(client.number)},
                            {"address", Utf8Text(client.address)},
                            {"country", client.country},
                            {"vat_id", client.vatId},
                            {"reference", Utf8Text(client.reference)},
                            {"language", client.language},
                            {"service", Utf8Text(client.service)},
                            {"treatment", TaxTreatmentName(client.treatment)},
                            {"tax_note", Utf8Text(client.taxNote)},
                            {"einvoice", client.einvoice}});
        }
        PrintJson(c.out, {{"clients", rows}});
        return kExitOk;
    }
    const std::vector<int> widths = {16, 10, 8, 6, 4, 0};
    if (!c.options.tsv)
        PrintRow(c.out, {"Name", "Rate", "Currency", "Tax", "Days", "Log"}, false, widths);
    for (const Client& client : c.clients) {
        std::vector<std::string> cells = {client.name,
                                          RateCell(client),
                                          client.currency,
                                          FormatC("%g", client.taxPercent),
                                          std::to_string(client.paymentDays),
                                          client.log};
        // Scripts get the buyer's values after the log; people the table as it was.
        if (c.options.tsv) {
            cells.insert(cells.end(),
                         {client.country, client.vatId, client.reference, client.language,
                          client.service, TaxTreatmentName(client.treatment), client.taxNote,
                          client.einvoice ? "on" : "off"});
        }
        PrintRow(c.out, cells, c.options.tsv, widths);
    }
    return kExitOk;
}

int Remove(CommandContext& c, const std::vector<std::string>& args) {
    if (args.size() != 1) return c.UsageError("client remove needs one NAME");
    if (FindClient(c.clients, args[0]) == nullptr)
        return c.UsageError(UnknownClient(args[0], c.clients));
    return Change(c, std::nullopt, args[0]);  // its log stays where it is
}

}  // namespace

std::string UnknownClient(const std::string& name, const std::vector<Client>& clients) {
    std::vector<std::string> names;
    for (const Client& client : clients) names.push_back(client.name);
    const auto nearest = NearestName(name, names);
    return "there is no client " + name + (nearest ? " (did you mean " + *nearest + "?)" : "");
}

int RunClient(CommandContext& c) {
    const auto& args = c.options.args;
    if (args.empty()) return c.UsageError("client needs add, set, list or remove");
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "add") return Add(c, rest);
    if (args[0] == "set") return Set(c, rest);
    if (args[0] == "list") return List(c, rest);
    if (args[0] == "remove") return Remove(c, rest);
    return c.UsageError("client needs add, set, list or remove, not '" + args[0] + "'");
}

int RunSwitch(CommandContext& c) {
    if (c.options.args.size() != 1) return c.UsageError("switch needs one client NAME");
    const Client* target = FindClient(c.clients, c.options.args[0]);
    if (target == nullptr) return c.UsageError(UnknownClient(c.options.args[0], c.clients));
    c.engine.Settings().DataLog = target->log;
    c.engine.Settings().Rate = EffectiveRate(c.clients, target->log, c.optionsRate);
    const SwitchResult result = SwitchToLog(c.engine, ClientBookOf(c.store.Raw()));
    if (!result.refusal.empty()) c.err << "tally: " << result.refusal << '\n';
    if (result.outcome != SwitchOutcome::Switched) return kExitFailed;
    if (!c.Scan()) return kExitFailed;
    PrintStatus(c);
    return kExitOk;
}

}  // namespace tally::cli
