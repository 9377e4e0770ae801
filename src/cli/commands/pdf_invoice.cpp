// SPDX-License-Identifier: MIT
#include "cli/commands/pdf_invoice.h"

#include <ostream>

#include "cli/pdf_module.h"
#include "core/c_format.h"
#include "invoice/pdf_invoice.h"
#include "settings/invoice_settings.h"

namespace tally::cli {

int IssuePdf(CommandContext& c, const CalendarDate& first, const CalendarDate& last, double rate) {
    const Client* client = c.LogClient();
    if (client == nullptr)
        return c.UsageError("a PDF invoice is issued to a client: --client NAME");
    PdfInvoiceOrder order;
    if (const std::string reason = WritableFilePath(*c.options.pdf, "--pdf", order.pdfPath);
        !reason.empty())
        return c.UsageError(reason);
    order.client = *client;
    order.issuer = ReadIssuer(c.store.Raw());
    order.first = first;
    order.last = last;
    order.issued = c.Today();
    order.rate = rate;
    order.rounding = c.engine.Settings().Rounding();
    const InvoiceSettings settings = ReadInvoiceSettings(c.store.Raw());
    if (const std::string problem = StoredFormatProblem(settings); !problem.empty()) {
        c.err << "tally: " << problem << '\n';
        return kExitFailed;
    }
    const RegisterChange issued =
        IssuePdfInvoice(settings.registerPath, settings.numbering, order, WriteInvoicePdfFile);
    if (!issued.ok) {
        c.err << "tally: " << issued.error << '\n';
        return kExitFailed;
    }
    const InvoiceEntry& e = issued.entry;
    c.out << "Invoice " << e.number << " to " << e.client << ", " << IsoDayText(e.first) << " to "
          << IsoDayText(e.last) << ": " << FormatC("%.2f", e.total) << ' ' << e.currency << ", due "
          << IsoDayText(e.due) << ", written to " << e.pdf << '\n';
    return kExitOk;
}

}  // namespace tally::cli
