// SPDX-License-Identifier: MIT
#include "cli/commands/invoice_pdf_command.h"

#include <filesystem>
#include <ostream>

#include "cli/pdf_module_loader.h"
#include "invoice/issuing_flow.h"
#include "settings/invoice_settings.h"
#include "settings/kept_files.h"
#include "time/c_format.h"

namespace tally::cli {

int IssuePdf(CommandContext& c, const CalendarDate& first, const CalendarDate& last, double rate) {
    const Client* client = c.LogClient();
    if (client == nullptr)
        return c.UsageError("a PDF invoice is issued to a client: --client NAME");
    if (c.options.pdf && c.options.pdf->empty()) return c.UsageError("--pdf needs a file path");
    if (c.options.xml && c.options.xml->empty()) return c.UsageError("--xml needs a file path");
    PdfInvoiceOrder order;
    if (c.options.lines && *c.options.lines == "period")
        order.lines = LineGrouping::Period;
    else if (c.options.lines && *c.options.lines != "day")
        return c.UsageError("--lines is day or period, not " + *c.options.lines);
    // Where they may be written is the issue's to say: it knows the files the program keeps.
    const std::pair<const std::optional<std::string>&, std::string&> paths[] = {
        {c.options.pdf, order.pdfPath}, {c.options.xml, order.xmlPath}};
    for (const auto& [given, absolute] : paths) {
        if (!given) continue;
        std::error_code error;
        absolute = std::filesystem::absolute(*given, error).lexically_normal().string();
        if (error) return c.UsageError("cannot use " + *given + ": " + error.message());
    }
    order.requireEInvoice = c.options.einvoice || client->einvoice;
    order.kept = KeptFilesOf(c.store);
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
        IssuePdfInvoice(settings.registerPath, settings.numbering, order, WriteInvoicePdfFile,
                        [&](const std::string& why) {
                            c.err << "tally: " << why
                                  << "\n  It is issued as a plain PDF; --einvoice refuses it.\n";
                        });
    if (!issued.ok) {
        c.err << "tally: " << issued.error << '\n';
        return kExitFailed;
    }
    const InvoiceEntry& e = issued.entry;
    c.out << "Invoice " << e.number << " to " << e.client << ", " << IsoDayText(e.first) << " to "
          << IsoDayText(e.last) << ": " << FormatC("%.2f", e.total) << ' ' << e.currency << ", due "
          << IsoDayText(e.due) << ", written to " << e.pdf;
    if (!order.xmlPath.empty()) c.out << " and " << order.xmlPath;
    c.out << '\n';
    return kExitOk;
}

}  // namespace tally::cli
