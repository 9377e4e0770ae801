// SPDX-License-Identifier: MIT
#include "cli/commands/invoices.h"

#include <algorithm>
#include <ctime>
#include <ostream>

#include "cli/json_text.h"
#include "cli/pdf_module_loader.h"
#include "invoice/invoice_issue.h"
#include "invoice/issuing_flow.h"
#include "settings/invoice_settings.h"
#include "time/c_format.h"
#include "time/iso_date.h"
#include "time/local_time.h"

namespace tally::cli {
namespace {

std::string HoursText(std::int64_t seconds) {
    return FormatC("%lld:%02lld", static_cast<long long>(seconds / 3600),
                   static_cast<long long>(seconds % 3600 / 60));
}

Json EntryJson(const InvoiceEntry& e, const CalendarDate& today, const std::string& archive) {
    const bool paid = e.state == InvoiceState::Paid;
    const bool cancelled = e.state == InvoiceState::Cancelled;
    const bool credit = e.state == InvoiceState::CreditNote;
    // The numbers a state names have keys of their own.
    const std::string state = paid        ? "paid"
                              : cancelled ? "cancelled"
                              : credit    ? "credit-note"
                                          : StateText(e, today);
    const Json other = e.other.empty() ? Json(nullptr) : Json(Utf8Text(e.other));
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
            {"cancelled_by", cancelled ? other : Json(nullptr)},
            {"cancels", credit ? other : Json(nullptr)},
            {"xml", e.hasXml}};
}

// Cancels the invoice with a credit note, into the archive.
int CancelWithCreditNote(CommandContext& c, const std::string& number) {
    const InvoiceSettings settings = ReadInvoiceSettings(c.store.Raw());
    if (const std::string problem = StoredFormatProblem(settings); !problem.empty()) {
        c.err << "tally: " << problem << '\n';
        return kExitFailed;
    }
    PdfCreditOrder order;
    order.number = number;
    order.issued = c.Today();
    order.clients = c.clients;
    order.issuer = ReadIssuer(c.store.Raw());
    order.optionsRate = c.optionsRate;
    order.rounding = c.engine.Settings().Rounding();
    const RegisterChange note = IssueCreditNote(settings.registerPath, {settings.creditFormat, ""},
                                                order, WriteInvoicePdfFile);
    if (!note.ok) {
        c.err << "tally: " << note.error << '\n';
        return kExitFailed;
    }
    const InvoiceEntry& e = note.entry;
    c.out << "Invoice " << number << " is cancelled by credit note " << e.number << ": "
          << FormatC("%.2f", e.total) << ' ' << e.currency << ", written to " << e.pdf << '\n';
    return kExitOk;
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
    if (const unsigned foreign = c.options.given & (kLogOption | kRateOption | kPdfOption |
                                                    kLinesOption | kClientOption);
        foreign != 0) {
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
    if (!paid) return CancelWithCreditNote(c, args[1]);
    const std::string registerPath = ReadInvoiceSettings(c.store.Raw()).registerPath;
    const RegisterChange change = MarkInvoicePaid(registerPath, args[1], day, c.Today());
    if (!change.ok) {
        c.err << "tally: " << change.error << '\n';
        return kExitFailed;
    }
    c.out << "Invoice " << args[1] << " is paid on " << IsoDayText(change.entry.paidOn) << ".\n";
    return kExitOk;
}

}  // namespace tally::cli
