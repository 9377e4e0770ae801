// SPDX-License-Identifier: MIT
// The Invoices dialog's documents: the PDF opened or sent, the XML it carries saved.
#include "dialogs/invoices_dlg.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "documents/factur_x.h"
#include "documents/invoice_texts.h"
#include "entries/document_target.h"
#include "invoice/register_place.h"
#include "log/messages.h"
#include "settings/client_store.h"
#include "settings/kept_files.h"

namespace tally {
namespace {

// The subject of the mail, in the language of the client's invoices: the PDF's own name.
QString MailSubject(const std::string& language, const InvoiceEntry& entry) {
    const DocumentKind kind =
        entry.state == InvoiceState::CreditNote ? DocumentKind::CreditNote : DocumentKind::Invoice;
    return DocumentName(kind, entry.number, language);
}

}  // namespace

std::string CInvoicesDlg::PdfOf(const InvoiceEntry& entry) {
    // The archive's copy is the one issued; the user's may since have moved or changed.
    const std::string archived = ArchivePath(registerPath_, entry.number);
    for (const std::string& candidate : {archived, entry.pdf}) {
        if (QFileInfo(QString::fromStdString(candidate)).isFile()) return candidate;
    }
    reporter_.Report({"The PDF of invoice " + entry.number + " is neither at " + archived +
                          " nor at " + entry.pdf + ".",
                      kErrorCaption, MessageIcon::Stop});
    return {};
}

void CInvoicesDlg::OnOpenPdf() {
    const InvoiceEntry* entry = Selected();
    if (entry == nullptr) return;
    const std::string path = PdfOf(*entry);
    if (path.empty()) return;
    if (!prompts_.openUrl(QUrl::fromLocalFile(QString::fromStdString(path)))) {
        reporter_.Report({"No program opened " + path + ".", kErrorCaption, MessageIcon::Stop});
    }
}

void CInvoicesDlg::OnSendByEmail() {
    const InvoiceEntry* entry = Selected();
    if (entry == nullptr) return;
    const std::string path = PdfOf(*entry);
    if (path.empty()) return;
    // A client removed since the invoice was issued gets the subject in English.
    const std::vector<Client> clients = ReadClients(store_.Raw());
    const Client* client = FindClient(clients, entry->client);
    const std::string language = client != nullptr ? client->language : kInvoiceLanguages[0];
    const QStringList args{"--subject", MailSubject(language, *entry), "--attach",
                           QString::fromStdString(path)};
    if (!runMail_("xdg-email", args)) {
        reporter_.Report({"No mail program took invoice " + entry->number +
                              ": xdg-email is missing or no mail program is set up. Its PDF "
                              "is " +
                              path + ".",
                          kErrorCaption, MessageIcon::Stop});
    }
}

void CInvoicesDlg::OnSaveXml() {
    const InvoiceEntry* entry = Selected();
    if (entry == nullptr || !entry->hasXml) return;
    const InvoiceEntry shown = *entry;  // a reload may come before the file is chosen
    const std::string pdf = PdfOf(shown);
    if (pdf.empty()) return;
    std::string xml;
    std::string error;
    if (!ReadFacturXml(pdf, xml, error)) {
        reporter_.Report({error, kErrorCaption, MessageIcon::Stop});
        return;
    }
    // Beside the PDF the user saved, under its name.
    const QFileInfo saved(QString::fromStdString(shown.pdf));
    const std::optional<QString> chosen =
        chooseXml_(saved.dir().filePath(saved.completeBaseName() + ".xml"));
    if (!chosen) return;
    const std::string path = QFileInfo(*chosen).absoluteFilePath().toStdString();
    // The files the PDF may not replace, nor may the XML.
    KeptFiles kept = KeptFilesOf(store_);
    AddRegisterFiles(registerPath_, kept);
    if (std::string problem = WriteDocumentFile(path, xml, kept, "save the XML to", kXmlDocument);
        !problem.empty()) {
        reporter_.Report({problem, kErrorCaption, MessageIcon::Stop});
        return;
    }
    reporter_.Report({"The XML of invoice " + shown.number + " saved as " + path + ".",
                      kApplicationName, MessageIcon::Information});
}

}  // namespace tally
