// SPDX-License-Identifier: MIT
#include "cli/command_context.h"
#include "cli/commands/add.h"
#include "cli/commands/check.h"
#include "cli/commands/client.h"
#include "cli/commands/config.h"
#include "cli/commands/export.h"
#include "cli/commands/import.h"
#include "cli/commands/in_out.h"
#include "cli/commands/invoice.h"
#include "cli/commands/invoices.h"
#include "cli/commands/issuer.h"
#include "cli/commands/lists.h"
#include "cli/commands/merge.h"
#include "cli/commands/report.h"
#include "cli/commands/status.h"
#include "cli/commands/unbilled.h"
#include "cli/near_miss.h"
#include "clients/amount_text.h"

namespace tally::cli {

const std::vector<CommandEntry>& Commands() {
    // Made at the first call (inside main's handler) to name the one bound of a rate.
    static const std::string configAbout =
        "Without a key, every option and reminder setting; with a key, its value; with\n"
        "a value, store it. A value the Options or Reminders dialog would not take is\n"
        "refused (exit 2): ShowDollars 0 or 1, DataLog a path, Rate 0 to " +
        MaxRateText() +
        ",\n"
        "PeriodType 0 or 1, RoundingType 0 to 3, RoundingUnit 1, 15 or 30, WeekStartDay\n"
        "0 (Sunday) to 6, IdleMinutes 0 to 1440, LongDayHours 0 to 24 (0 is off).\n";
    // A summary fits the help's 80 columns beside "  NAME ARGS" padded to 24.
    static const std::vector<CommandEntry> table = {
        {"status", RunStatus, kLogOption | kTsvOption | kJsonOption | kClientOption | kAllOption,
         "", "state and the two totals boxes up to now (default)",
         "The state (In or Out), Time Today and Time This Billing Period as the window\n"
         "shows them, brought up to now. The command when none is named. With --all, one\n"
         "row per client: its state, and today's and the period's time and amount.\n",
         "tally status --tsv"},
        {"in", RunIn, kLogOption | kTsvOption | kClientOption | kAtOption, "",
         "clock in, then the status",
         "Clock In, then print the status. Refused (exit 1) while clocked in. --at TIME\n"
         "punches at TIME instead of now: HH:MM[:SS] (today), \"yesterday HH:MM[:SS]\",\n"
         "\"YYYY-MM-DD HH:MM[:SS]\", or -15m, -2h, -1h30m before now; refused (exit 1)\n"
         "before the log's last record or after now.\n",
         "tally in --at 08:45"},
        {"out", RunOut, kLogOption | kTsvOption | kClientOption | kAtOption, "",
         "clock out, then the status",
         "Clock Out, then print the status. Refused (exit 1) while clocked out. A span\n"
         "over midnight is written as one pair per day. --at TIME punches at TIME\n"
         "instead of now, in the forms 'in' takes; refused (exit 1) before the open In\n"
         "or after now.\n",
         "tally out --at -15m"},
        {"days", RunDays, kLogOption | kTsvOption | kJsonOption | kClientOption, "",
         "the daily elapsed times",
         "The Daily Elapsed Time list: one row per day worked, and a row after each\n"
         "billing period.\n",
         "tally days --tsv"},
        {"log", RunLog, kLogOption | kTsvOption | kJsonOption | kClientOption, "",
         "every raw punch",
         "Every In, Out and Elapsed record, as the Raw Time Data list shows it.\n",
         "tally --log ~/other.dat log"},
        {"invoice", RunInvoice,
         kLogOption | kRateOption | kClientOption | kPdfOption | kLinesOption | kXmlOption |
             kEInvoiceOption,
         "START END", "invoice text for START to END (YYYY-MM-DD)",
         "The invoice text for the days from START to END (YYYY-MM-DD, both included),\n"
         "at the log's rate or at --rate R an hour. With --pdf FILE, the client's PDF\n"
         "invoice under the next number, recorded in the register; days an invoice of\n"
         "the client bills already are refused; its lines are one per day, or one for\n"
         "the whole period with --lines period. --xml FILE writes its e-invoice XML\n"
         "(EN 16931), beside the PDF or alone (the PDF then kept in the archive only).\n"
         "An invoice that cannot be an e-invoice is a plain PDF, with the missing\n"
         "settings named; --einvoice (or the client's einvoice on) refuses it.\n"
         "'invoice paid NUMBER [DATE]' records\n"
         "a registered invoice's payment (DATE YYYY-MM-DD, default today), 'invoice\n"
         "cancel NUMBER' cancels it with a credit note (Invoices.CreditFormat), its PDF\n"
         "in the archive: its days may be billed again, its number never.\n",
         "tally invoice 2026-11-01 2026-11-30 --client Acme --pdf acme-november.pdf"},
        {"invoices", RunInvoices, kTsvOption | kJsonOption | kClientOption, "",
         "the invoice register, with paid and overdue",
         "Every invoice in the register (all clients', or --client NAME's): number,\n"
         "client, days, issue and due date, time, total and state: issued, overdue\n"
         "(unpaid after its due date), paid DATE, cancelled by NUMBER (its credit\n"
         "note) or credit note of NUMBER.\n",
         "tally invoices --client Acme"},
        {"export", RunExport, kLogOption | kFormatOption | kJsonOption | kClientOption,
         "[START END]", "closed pairs as csv, timeclock or iCalendar events",
         "Every closed pair of the log, or those whose In date lies from START to END\n"
         "(YYYY-MM-DD): csv with times, seconds, hours and amount, timeclock lines\n"
         "for ledger and hledger, or ical: iCalendar events in the local time zone.\n",
         "tally export --format timeclock | hledger -f timeclock:- balance"},
        {"report", RunReport,
         kLogOption | kTsvOption | kJsonOption | kRateOption | kByOption | kClientOption,
         "[START END]", "time, hours and amount per bucket, and their total",
         "Time, decimal hours and amount per day, week, month or billing period (the\n"
         "default), then their total; START END (YYYY-MM-DD) keep the days between.\n",
         "tally report --by week 2026-10-01 2026-12-31"},
        {"add", RunAdd, kLogOption | kClientOption, "START END",
         "add a closed pair that was never punched",
         "Add a closed pair, each time as \"YYYY-MM-DD HH:MM[:SS]\" local time; a span over\n"
         "midnight is split into one pair per day. Refused (exit 1) where it overlaps a\n"
         "pair or an open In, ends after now, or tally check finds the log not clean.\n",
         "tally add \"2026-12-04 09:00\" \"2026-12-04 12:30\""},
        {"import", RunImport, kLogOption | kDryRunOption | kClientOption, "FORMAT FILE",
         "add every closed interval of another tracker's FILE",
         "Add every closed interval of FILE in one save, FORMAT csv, timeclock,\n"
         "timewarrior or watson; nothing at all (exit 1) when any of them conflicts.\n",
         "tally import timewarrior timew.json --dry-run"},
        {"merge", RunMerge, kLogOption | kDryRunOption | kJsonOption | kClientOption | kKeepOption,
         "[COPY]", "merge a sync tool's conflict copies into the log",
         "Add to the log the closed pairs and open In of each conflict copy beside it\n"
         "(or of COPY, a path or a name 'check' lists) that the log lacks, at their place\n"
         "in time order, then rename the copy STEM.merged-YYYYMMDD-HHMMSS.EXT. Pairs that\n"
         "overlap without being equal are conflicts: listed with the lines of both\n"
         "files, nothing merged (exit 1) unless --keep log or --keep copy picks the side.\n",
         "tally merge --dry-run"},
        {"config", RunConfig, kJsonOption, "[KEY [VALUE]]",
         "show the options and reminders, or set one", configAbout.c_str(),
         "tally config RoundingUnit 15"},
        {"client", RunClient,
         kLogOption | kTsvOption | kJsonOption | kRateOption | kCurrencyOption | kTaxOption |
             kAddressOption | kDaysOption,
         "ACTION ...", "add, set, list or remove clients: own log and rate",
         "client add NAME --log PATH [--rate R] [--currency C] [--tax P] [--address TEXT]\n"
         "[--days N] [KEY VALUE]...; client set NAME KEY VALUE (name, log, rate, currency,\n"
         "tax, address, days, number, country, vat-id, reference, language (en, de, fr),\n"
         "service, treatment (standard, reverse-charge, exempt, outside-scope), tax-note,\n"
         "einvoice (on: its invoices must be e-invoices);\n"
         "an empty rate is the stored Rate); client list; client remove NAME (its log is\n"
         "kept). --client NAME runs a command on that client's log.\n",
         "tally client add Acme --log ~/acme.dat --rate 90 --currency EUR"},
        {"issuer", RunIssuer, kJsonOption, "[set KEY VAL]",
         "the invoices' sender: show it, or set one value",
         "The issuer's values, one KEY<TAB>VALUE a line (line breaks as \\n), or with\n"
         "'set KEY VALUE' store one: name, address, country (ISO 3166, DE), email,\n"
         "phone, tax-number, vat-id, bank, iban, bic, terms, small-business (on or off),\n"
         "small-business-note, logo (an image file). A value that fails its check (an\n"
         "IBAN's check digits, a VAT id's prefix and shape, a country code) is refused\n"
         "(exit 2). An empty VALUE clears the value.\n",
         "tally issuer set iban 'DE89 3704 0044 0532 0130 00'"},
        {"unbilled", RunUnbilled, kTsvOption | kJsonOption | kClientOption, "",
         "each client's time and amount not invoiced yet",
         "Each client's (or --client NAME's) time and amount after the last day of its\n"
         "invoices (all of it when it has none) up to today, as the next invoice would\n"
         "bill them.\n",
         "tally unbilled --json"},
        {"switch", RunSwitch, kTsvOption, "NAME", "clock out of the open client, into NAME",
         "Clock out of the client whose log holds an open In and into client NAME at\n"
         "the same second, then print NAME's status.\n",
         "tally switch Acme"},
        {"check", RunCheck, kLogOption | kTsvOption | kJsonOption | kClientOption, "",
         "where the scan of the log stops, and unusable records",
         "Read the log as the window's scan does and list every place where it stops or\n"
         "reads a record it cannot use, and the conflict copies a sync tool left beside\n"
         "it. Exit 0 when nothing is found, else 1.\n",
         "tally check --json"},
        // Run by main before the store is read: help shows even where it cannot be.
        {"help", nullptr, 0, "[COMMAND]", "this list, or one command's options and example",
         "The list of commands, or a command's synopsis, options and an example, as\n"
         "'tally COMMAND --help' prints them.\n",
         "tally help report"},
    };
    return table;
}

const CommandEntry* FindCommand(const std::string& name) {
    for (const CommandEntry& entry : Commands()) {
        if (name == entry.name) return &entry;
    }
    return nullptr;
}

std::string UnknownCommand(const std::string& name) {
    std::vector<std::string> names;
    for (const CommandEntry& entry : Commands()) names.emplace_back(entry.name);
    const auto nearest = NearestName(name, names);
    return "unknown command '" + name + "'" +
           (nearest ? " (did you mean '" + *nearest + "'?)" : "");
}

}  // namespace tally::cli
