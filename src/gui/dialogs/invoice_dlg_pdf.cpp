// SPDX-License-Identifier: MIT
// The Invoice dialog's Save as PDF: the client's numbered invoice, issued into the register.
#include "dialogs/invoice_dlg.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QStandardPaths>

#include "documents/invoice_drawing.h"
#include "invoice/issuing_flow.h"
#include "log/messages.h"
#include "settings/client_store.h"
#include "settings/invoice_settings.h"
#include "settings/kept_files.h"
#include "time/local_time.h"

namespace tally {
namespace {

// "Invoice CLIENT START-END.pdf" in the user's documents; the number is not known before
// the invoice is issued. A slash in the name would make a folder of it.
QString ProposedPdfPath(const std::string& client, const CalendarDate& first,
                        const CalendarDate& last) {
    QString name = QString("Invoice %1 %2-%3.pdf")
                       .arg(QString::fromStdString(client))
                       .arg(QString::fromStdString(IsoDayText(first)))
                       .arg(QString::fromStdString(IsoDayText(last)));
    name.replace('/', '-');
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(name);
}

}  // namespace

void CInvoiceDlg::OnSaveAsPdf() {
    // The store as it is now: a client or the invoice settings may have changed meanwhile.
    QSettings& settings = store_.Raw();
    const std::vector<Client> clients = ReadClients(settings);
    const Client* client = ClientOfLog(clients, dataFile_);
    if (client == nullptr) {
        reporter_.Report({kNoClientTip, kErrorCaption, MessageIcon::Stop});
        return;
    }
    // A format edited by hand that makes no numbers, said before a file is chosen.
    const InvoiceSettings invoices = ReadInvoiceSettings(settings);
    if (const std::string problem = StoredFormatProblem(invoices); !problem.empty()) {
        reporter_.Report({problem, kErrorCaption, MessageIcon::Stop});
        return;
    }
    PdfInvoiceOrder order;
    order.client = *client;
    order.issuer = ReadIssuer(settings);
    order.first = First();
    order.last = Last();
    order.issued = LocalDateOf(clock_.Now());
    // The rate in the box, as Generate Invoice bills it; the PDF's lines are its whole minutes.
    order.rate = RateFromText(m_editRate->text());
    order.rounding = rounding_;
    order.lines = Grouping();
    const std::optional<QString> chosen =
        choosePdf_(ProposedPdfPath(client->name, order.first, order.last));
    if (!chosen) return;
    order.pdfPath = QFileInfo(*chosen).absoluteFilePath().toStdString();
    order.kept = KeptFilesOf(store_);
    order.requireEInvoice = client->einvoice;

    const RegisterChange change = IssuePdfInvoice(
        invoices.registerPath, invoices.numbering, order,
        [](const InvoiceDocument& document, const std::string& facturXml, const std::string& path,
           std::string& error) { return WriteInvoicePdf(document, facturXml, path, error); },
        [this](const std::string& why) {
            reporter_.Report(
                {why + "\nIt is saved as a plain PDF.", kApplicationName, MessageIcon::Warning});
        });
    if (!change.ok) {
        reporter_.Report({change.error, kErrorCaption, MessageIcon::Stop});
        return;
    }
    reporter_.Report({"Invoice " + change.entry.number + " saved as " + change.entry.pdf + ".",
                      kApplicationName, MessageIcon::Information});
}

}  // namespace tally
