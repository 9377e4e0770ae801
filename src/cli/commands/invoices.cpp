// SPDX-License-Identifier: MIT
#include "cli/commands/invoices.h"

#include <algorithm>
#include <ctime>
#include <ostream>

#include "cli/iso_date.h"
#include "cli/json_text.h"
#include "core/c_format.h"
#include "core/local_time.h"
#include "invoice/invoice_issue.h"
#include "settings/invoice_settings.h"

namespace tally::cli {
namespace {

std::string HoursText(std::int64_t seconds) {
    return FormatC("%lld:%02lld", static_cast<long long>(seconds / 3600),
                   static_cast<long long>(seconds % 3600 / 60));
}

Json EntryJson(const InvoiceEntry& e, const CalendarDate& today, const std::string& archive) {
    const bool paid = e.state == InvoiceState::Paid;
    const std::string state = paid ? "paid" : StateText(e, today);
    return {{"number", Utf8Text(e.number)},
            {"client", Utf8Text(e.client)},
            {"first", IsoDayText(e.first)},
            {"last", IsoDayText(e.last)},
            {"issued", IsoDayText(e.issued)},
            {"due", IsoDayText(e.due)},
            {"seconds", e.seconds},
            {"subtotal", Cents(e.subtotal)},
            {"tax", Cents(e.tax)},
            {"total", Cents(e.total)},
            {"currency", e.currency},
            {"state", state},
            {"paid", paid ? Json(IsoDayText(e.paidOn)) : Json(nullptr)},
            {"pdf", Utf8Text(e.pdf)},
            {"archive", Utf8Text(archive)},
            {"xml", e.hasXml}};
}

}  // namespace

int RunInvoices(CommandContext& c) {
    if (!c.options.args.empty()) return c.UsageError("invoices takes no arguments");
    const InvoiceSettings settings = ReadInvoiceSettings(c.store.Raw());
    const RegisterRead read = ReadRegister(settings.registerPath);
    if (!read.Ok()) {
        c.err << "tally: " << read.problem << '\n';
        return kExitFailed;
    }
    const CalendarDate today = c.Today();
    std::vector<const InvoiceEntry*> shown;
    for (const InvoiceEntry& e : read.reg.Entries()) {
        if (!c.options.client || e.client == *c.options.client) shown.push_back(&e);
    }
    if (c.options.json) {
        JsonArrayPrinter printer(c.out, "invoices");
        for (const InvoiceEntry* e : shown)
            printer.Add(EntryJson(*e, today, ArchivePath(settings.registerPath, e->number)));
        printer.Finish();
        return kExitOk;
    }
    std::vector<std::vector<std::string>> rows;
    // A register with nothing to show prints nothing, as a missing log does.
    if (!c.options.tsv && !shown.empty())
        rows.push_back({"Number", "Client", "First", "Last", "Issued", "Due", "Time", "Total",
                        "Currency", "State"});
    for (const InvoiceEntry* e : shown) {
        const std::string total = FormatC("%.2f", e->total);
        if (c.options.tsv) {
            rows.push_back({e->number, e->client, IsoDayText(e->first), IsoDayText(e->last),
                            IsoDayText(e->issued), IsoDayText(e->due), std::to_string(e->seconds),
                            FormatC("%.2f", e->subtotal), FormatC("%.2f", e->tax), total,
                            e->currency, StateText(*e, today), e->pdf});
        } else {
            rows.push_back({e->number, e->client, IsoDayText(e->first), IsoDayText(e->last),
                            IsoDayText(e->issued), IsoDayText(e->due), HoursText(e->seconds), total,
                            e->currency, StateText(*e, today)});
        }
    }
    std::vector<int> widths;
    if (!c.options.tsv && !rows.empty()) {
        widths.assign(rows.front().size(), 0);
        for (const auto& row : rows) {
            for (std::size_t i = 0; i < row.size(); ++i)
                widths[i] = std::max(widths[i], static_cast<int>(row[i].size()));
        }
    }
    for (const auto& row : rows) PrintRow(c.out, row, c.options.tsv, widths);
    return kExitOk;
}

int RunInvoiceState(CommandContext& c) {
    const auto& args = c.options.args;
    const bool paid = args[0] == "paid";
    if (const unsigned foreign = c.options.given & (kLogOption | kRateOption); foreign != 0) {
        return c.UsageError("invoice " + args[0] + " does not take " +
                            OptionOfBit(foreign & (~foreign + 1))->name);
    }
    if (paid ? (args.size() < 2 || args.size() > 3) : args.size() != 2) {
        return c.UsageError(paid ? "invoice paid needs a NUMBER and may take a DATE (YYYY-MM-DD)"
                                 : "invoice cancel needs a NUMBER");
    }
    CalendarDate day = c.Today();
    if (args.size() == 3) {
        const auto date = ParseIsoDate(args[2], c.Today());
        if (!date) return c.UsageError("'" + args[2] + "' is not a calendar date (YYYY-MM-DD)");
        day = *date;
    }
    const std::string registerPath = ReadInvoiceSettings(c.store.Raw()).registerPath;
    const RegisterChange change = paid ? MarkInvoicePaid(registerPath, args[1], day, c.Today())
                                       : CancelInvoice(registerPath, args[1]);
    if (!change.ok) {
        c.err << "tally: " << change.error << '\n';
        return kExitFailed;
    }
    c.out << "Invoice " << args[1]
          << (paid ? " is paid on " + IsoDayText(change.entry.paidOn)
                   : std::string(" is cancelled"))
          << ".\n";
    return kExitOk;
}

}  // namespace tally::cli
