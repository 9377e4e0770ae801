// SPDX-License-Identifier: MIT
#include "cli/commands/invoice.h"

#include <ostream>

#include "cli/commands/invoice_pdf_command.h"
#include "cli/commands/invoices.h"
#include "invoice/invoice.h"
#include "settings/settings_store.h"
#include "time/c_format.h"
#include "time/iso_date.h"

namespace tally::cli {

int RunInvoice(CommandContext& c) {
    const auto& args = c.options.args;
    if (!args.empty() && (args[0] == "paid" || args[0] == "cancel")) return RunInvoiceState(c);
    if (args.empty() || args.size() > 2)
        return c.UsageError("invoice needs two dates: START END (YYYY-MM-DD), or a range word");
    std::string reason;
    const auto range = ParseIsoRange(args, c.Today(), c.engine.Settings().WeekStartDay, reason);
    if (!range) return c.UsageError(reason);
    const std::optional<double> rateOption = c.Rate();
    if (!rateOption) return kExitUsage;
    const double rate = *rateOption;
    if (!c.LogReadableOrMissing()) return kExitFailed;
    const bool issues = c.options.pdf || c.options.xml;
    if (c.options.lines && !issues) return c.UsageError("--lines goes with --pdf FILE");
    if (c.options.einvoice && !issues)
        return c.UsageError("--einvoice goes with --pdf FILE or --xml FILE");
    if (issues) return IssuePdf(c, range->first, range->second, rate);
    const CurrentSettings& settings = c.engine.Settings();
    const auto text =
        GenerateInvoice(settings.DataLog, range->first, range->second, rate, settings.Rounding());
    if (!text) return kExitOk;
    std::string lines;
    for (char ch : *text) {
        if (ch != '\r') lines += ch;
    }
    if (lines.empty() || lines.back() != '\n') lines += '\n';
    c.out << lines;
    return kExitOk;
}

}  // namespace tally::cli
