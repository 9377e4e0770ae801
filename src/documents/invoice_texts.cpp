// SPDX-License-Identifier: MIT
#include "documents/invoice_texts.h"

#include <QTranslator>
#include <QtGlobal>
#include <map>
#include <memory>

#include "clients/client.h"

namespace tally {
namespace {

// The English texts, which the translations' sources repeat (context "InvoicePdf").
const char* SourceText(PdfText text) {
    switch (text) {
        case PdfText::Invoice:
            return QT_TRANSLATE_NOOP("InvoicePdf", "INVOICE");
        case PdfText::CreditNote:
            return QT_TRANSLATE_NOOP("InvoicePdf", "CREDIT NOTE");
        case PdfText::CancelsInvoice:
            return QT_TRANSLATE_NOOP("InvoicePdf", "Cancels invoice %1 of %2");
        case PdfText::PageFooter:
            return QT_TRANSLATE_NOOP("InvoicePdf", "%1 \u00b7 page %2 of %3");
        case PdfText::DocumentName:
            return QT_TRANSLATE_NOOP("InvoicePdf", "Invoice %1");
        case PdfText::TaxNumber:
            return QT_TRANSLATE_NOOP("InvoicePdf", "Tax number: ");
        case PdfText::VatId:
            return QT_TRANSLATE_NOOP("InvoicePdf", "VAT ID: ");
        case PdfText::InvoiceNumber:
            return QT_TRANSLATE_NOOP("InvoicePdf", "Invoice number");
        case PdfText::IssueDate:
            return QT_TRANSLATE_NOOP("InvoicePdf", "Issue date");
        case PdfText::DueDate:
            return QT_TRANSLATE_NOOP("InvoicePdf", "Due date");
        case PdfText::Period:
            return QT_TRANSLATE_NOOP("InvoicePdf", "Period");
        case PdfText::BillTo:
            return QT_TRANSLATE_NOOP("InvoicePdf", "Bill to");
        case PdfText::ClientNumber:
            return QT_TRANSLATE_NOOP("InvoicePdf", "Client number: ");
        case PdfText::Country:
            return QT_TRANSLATE_NOOP("InvoicePdf", "Country: ");
        case PdfText::BuyerReference:
            return QT_TRANSLATE_NOOP("InvoicePdf", "Your reference: ");
        case PdfText::Description:
            return QT_TRANSLATE_NOOP("InvoicePdf", "Description");
        case PdfText::Quantity:
            return QT_TRANSLATE_NOOP("InvoicePdf", "Hours");
        case PdfText::UnitPrice:
            return QT_TRANSLATE_NOOP("InvoicePdf", "Unit price");
        case PdfText::Amount:
            return QT_TRANSLATE_NOOP("InvoicePdf", "Amount (%1)");
        case PdfText::Subtotal:
            return QT_TRANSLATE_NOOP("InvoicePdf", "Subtotal");
        case PdfText::Tax:
            return QT_TRANSLATE_NOOP("InvoicePdf", "Tax (%1)");
        case PdfText::Total:
            return QT_TRANSLATE_NOOP("InvoicePdf", "Total");
        case PdfText::BilledTime:
            return QT_TRANSLATE_NOOP(
                "InvoicePdf",
                "Hours are the whole minutes worked, to four decimal places; seconds are not "
                "billed.\nEach amount is hours \u00d7 unit price, rounded to the cent; the "
                "subtotal is their sum.");
        case PdfText::ReverseChargeNote:
            return QT_TRANSLATE_NOOP("InvoicePdf",
                                     "Reverse charge: VAT is due by the recipient (Article 196, "
                                     "Council Directive 2006/112/EC).");
        case PdfText::OutsideScopeNote:
            return QT_TRANSLATE_NOOP("InvoicePdf",
                                     "Not subject to VAT: services to a customer outside the EU "
                                     "(place of supply outside the EU).");
        case PdfText::ExemptNote:
            return QT_TRANSLATE_NOOP("InvoicePdf", "Exempt from VAT.");
        case PdfText::SmallBusinessNote:
            return QT_TRANSLATE_NOOP(
                "InvoicePdf", "No VAT is charged: the issuer is exempt as a small business.");
        case PdfText::DateFormat:
            return QT_TRANSLATE_NOOP("InvoicePdf", "d MMM yyyy");
        case PdfText::DateRange:
            return QT_TRANSLATE_NOOP("InvoicePdf", "%1 \u2013 %2");
        case PdfText::LineDescription:
            return QT_TRANSLATE_NOOP("InvoicePdf", "%1, %2");
        case PdfText::CreditNoteName:
            return QT_TRANSLATE_NOOP("InvoicePdf", "Credit note %1");
    }
    return "";
}

// The compiled translations of every invoice language, loaded once from this library's
// resources; a language without its file has none.
const QTranslator* TranslatorOf(const std::string& language) {
    static const auto translators = [] {
        std::map<std::string, std::unique_ptr<QTranslator>> loaded;
        for (const char* name : kInvoiceLanguages) {
            auto translator = std::make_unique<QTranslator>();
            if (translator->load(QStringLiteral(":/invoice_texts/invoice_%1.qm").arg(name)))
                loaded.emplace(name, std::move(translator));
        }
        return loaded;
    }();
    const auto found = translators.find(language);
    return found == translators.end() ? nullptr : found->second.get();
}

QString Translated(PdfText text, const std::string& language) {
    const QTranslator* translator = TranslatorOf(language);
    return translator == nullptr ? QString()
                                 : translator->translate("InvoicePdf", SourceText(text));
}

}  // namespace

QString InvoiceLabel(PdfText text, const std::string& language) {
    const QString translated = Translated(text, language);
    return translated.isEmpty() ? QString::fromUtf8(SourceText(text)) : translated;
}

QString DocumentName(DocumentKind kind, const std::string& number, const std::string& language) {
    const PdfText name =
        kind == DocumentKind::CreditNote ? PdfText::CreditNoteName : PdfText::DocumentName;
    return InvoiceLabel(name, language).arg(QString::fromStdString(number));
}

bool HasInvoiceTranslation(PdfText text, const std::string& language) {
    return !Translated(text, language).trimmed().isEmpty();
}

QLocale InvoiceLocale(const std::string& language) {
    if (language == "de") return QLocale(QLocale::German, QLocale::Germany);
    if (language == "fr") return QLocale(QLocale::French, QLocale::France);
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

QString TaxNoteText(const InvoiceTax& tax, const std::string& language) {
    const QString own = QString::fromStdString(tax.noteText).trimmed();
    switch (tax.note) {
        case TaxNote::None:
            return {};
        case TaxNote::ReverseCharge:
            return InvoiceLabel(PdfText::ReverseChargeNote, language);
        case TaxNote::OutsideScope:
            return InvoiceLabel(PdfText::OutsideScopeNote, language);
        case TaxNote::Exempt:
            return own.isEmpty() ? InvoiceLabel(PdfText::ExemptNote, language) : own;
        case TaxNote::SmallBusiness:
            return own.isEmpty() ? InvoiceLabel(PdfText::SmallBusinessNote, language) : own;
    }
    return {};
}

}  // namespace tally
