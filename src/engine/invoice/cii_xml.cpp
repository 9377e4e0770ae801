// SPDX-License-Identifier: MIT
#include "invoice/cii_xml.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "invoice/xml_writer.h"
#include "time/c_format.h"

namespace tally {
namespace {

// The VAT category of the document's tax (code list UNCL5305) and the reason a category
// without tax gives (code list VATEX).
struct VatCategory {
    const char* code;
    const char* reasonCode;  // or nullptr
    std::string reason;      // empty for standard rate
};

VatCategory CategoryOf(const InvoiceTax& tax) {
    switch (tax.note) {
        case TaxNote::None:
            return {"S", nullptr, {}};
        case TaxNote::ReverseCharge:
            return {"AE", "VATEX-EU-AE", "Reverse charge"};
        case TaxNote::OutsideScope:
            return {"O", "VATEX-EU-O", "Not subject to VAT"};
        case TaxNote::Exempt:
            return {"E", nullptr, tax.noteText.empty() ? "Exempt from VAT" : tax.noteText};
        case TaxNote::SmallBusiness:
            return {"E", nullptr,
                    tax.noteText.empty() ? "Exempt from VAT as a small business" : tax.noteText};
    }
    return {"S", nullptr, {}};
}

// A credit note prints its amounts negated; its XML states them as positive under type 381.
std::string Cents(std::int64_t cents) {
    return DecimalText({std::llabs(cents), 2}, 2);
}

// The percent as the tax was computed: to six places, without trailing zeros.
std::string PercentText(double percent) {
    std::string text = FormatC("%.6f", percent);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text;
}

std::string DateText(const CalendarDate& date) {
    return FormatC("%04d%02d%02d", date.year, date.month, date.day);
}

void Date(XmlWriter& xml, const char* element, const CalendarDate& date,
          const char* type = "udt:DateTimeString") {
    xml.Open(element);
    xml.Element(type, DateText(date), {{"format", "102"}});
    xml.Close();
}

void Period(XmlWriter& xml, const CalendarDate& first, const CalendarDate& last) {
    xml.Open("ram:BillingSpecifiedPeriod");
    Date(xml, "ram:StartDateTime", first);
    Date(xml, "ram:EndDateTime", last);
    xml.Close();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        if (std::string line = text.substr(start, end - start); !line.empty())
            lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

// A free-text address: its first line is the street, its last "POSTCODE CITY" (or the city
// alone, where its first word has no digit), the lines between go on the second and third.
void Address(XmlWriter& xml, const std::string& text, const std::string& country) {
    std::vector<std::string> lines = Lines(text);
    std::string postcode, city;
    if (lines.size() >= 2) {
        city = lines.back();
        lines.pop_back();
        const std::size_t space = city.find(' ');
        if (space != std::string::npos &&
            city.substr(0, space).find_first_of("0123456789") != std::string::npos) {
            postcode = city.substr(0, space);
            city = city.substr(space + 1);
        }
    }
    xml.Open("ram:PostalTradeAddress");
    if (!postcode.empty()) xml.Element("ram:PostcodeCode", postcode);
    const char* names[] = {"ram:LineOne", "ram:LineTwo", "ram:LineThree"};
    for (std::size_t i = 0; i < lines.size() && i < 3; ++i) {
        std::string line = lines[i];
        for (std::size_t k = 3; i == 2 && k < lines.size(); ++k) line += ", " + lines[k];
        xml.Element(names[i], line);
    }
    if (!city.empty()) xml.Element("ram:CityName", city);
    xml.Element("ram:CountryID", country);
    xml.Close();
}

void TaxRegistration(XmlWriter& xml, const char* scheme, const std::string& id) {
    if (id.empty()) return;
    xml.Open("ram:SpecifiedTaxRegistration");
    xml.Element("ram:ID", id, {{"schemeID", scheme}});
    xml.Close();
}

void Seller(XmlWriter& xml, const InvoiceDocument& d, bool vatIds) {
    const Issuer& issuer = d.issuer;
    xml.Open("ram:SellerTradeParty");
    // A buyer's system identifies the seller by its VAT id, or where the invoice carries none
    // by an identifier: its tax number, or its VAT id under that name.
    if (!vatIds || issuer.vatId.empty())
        xml.Element("ram:ID", issuer.taxId.empty() ? issuer.vatId : issuer.taxId);
    xml.Element("ram:Name", issuer.name);
    if (!issuer.phone.empty() || !issuer.email.empty()) {
        xml.Open("ram:DefinedTradeContact");
        if (!issuer.phone.empty()) {
            xml.Open("ram:TelephoneUniversalCommunication");
            xml.Element("ram:CompleteNumber", issuer.phone);
            xml.Close();
        }
        if (!issuer.email.empty()) {
            xml.Open("ram:EmailURIUniversalCommunication");
            xml.Element("ram:URIID", issuer.email);
            xml.Close();
        }
        xml.Close();
    }
    Address(xml, issuer.address, issuer.country);
    TaxRegistration(xml, "FC", issuer.taxId);
    if (vatIds) TaxRegistration(xml, "VA", issuer.vatId);
    xml.Close();
}

void Buyer(XmlWriter& xml, const InvoiceDocument& d, bool vatIds) {
    xml.Open("ram:BuyerTradeParty");
    if (!d.clientNumber.empty()) xml.Element("ram:ID", d.clientNumber);
    xml.Element("ram:Name", d.clientName);
    Address(xml, d.clientAddress, d.clientCountry);
    if (vatIds) TaxRegistration(xml, "VA", d.clientVatId);
    xml.Close();
}

// The line's words: the service, then its day or first and last day.
std::string LineName(const InvoiceDocument& d, const MoneyLine& line) {
    std::string dates = IsoDayText(line.date);
    if (!(line.last == line.date)) dates += " - " + IsoDayText(line.last);
    return d.service.empty() ? dates : d.service + ", " + dates;
}

void LineTax(XmlWriter& xml, const VatCategory& category, const std::string& percent) {
    xml.Open("ram:ApplicableTradeTax");
    xml.Element("ram:TypeCode", "VAT");
    xml.Element("ram:CategoryCode", category.code);
    // Outside the scope of VAT has no rate at all.
    if (!percent.empty()) xml.Element("ram:RateApplicablePercent", percent);
    xml.Close();
}

void Line(XmlWriter& xml, const InvoiceDocument& d, std::size_t index, const MoneyLine& line,
          const VatCategory& category, const std::string& percent) {
    xml.Open("ram:IncludedSupplyChainTradeLineItem");
    xml.Open("ram:AssociatedDocumentLineDocument");
    xml.Element("ram:LineID", std::to_string(index + 1));
    xml.Close();
    xml.Open("ram:SpecifiedTradeProduct");
    xml.Element("ram:Name", LineName(d, line));
    xml.Close();
    xml.Open("ram:SpecifiedLineTradeAgreement");
    xml.Open("ram:NetPriceProductTradePrice");
    xml.Element("ram:ChargeAmount", DecimalText(d.money.price, 2));
    xml.Close();
    xml.Close();
    xml.Open("ram:SpecifiedLineTradeDelivery");
    xml.Element("ram:BilledQuantity",
                DecimalText({std::llabs(line.quantity), kQuantityPlaces}, kQuantityPlaces),
                {{"unitCode", "HUR"}});
    xml.Close();
    xml.Open("ram:SpecifiedLineTradeSettlement");
    LineTax(xml, category, percent);
    Period(xml, line.date, line.last);
    xml.Open("ram:SpecifiedTradeSettlementLineMonetarySummation");
    xml.Element("ram:LineTotalAmount", Cents(line.amountCents));
    xml.Close();
    xml.Close();
    xml.Close();
}

void Settlement(XmlWriter& xml, const InvoiceDocument& d, const VatCategory& category,
                const std::string& percent) {
    const Issuer& issuer = d.issuer;
    const InvoiceMoney& money = d.money;
    xml.Open("ram:ApplicableHeaderTradeSettlement");
    xml.Element("ram:InvoiceCurrencyCode", d.currency);
    // A credit transfer names the account it goes to: without an IBAN there is none to name.
    if (!issuer.iban.empty()) {
        xml.Open("ram:SpecifiedTradeSettlementPaymentMeans");
        xml.Element("ram:TypeCode", "58");  // SEPA credit transfer
        xml.Open("ram:PayeePartyCreditorFinancialAccount");
        xml.Element("ram:IBANID", issuer.iban);
        xml.Close();
        if (!issuer.bic.empty()) {
            xml.Open("ram:PayeeSpecifiedCreditorFinancialInstitution");
            xml.Element("ram:BICID", issuer.bic);
            xml.Close();
        }
        xml.Close();
    }
    xml.Open("ram:ApplicableTradeTax");
    xml.Element("ram:CalculatedAmount", Cents(money.taxCents));
    xml.Element("ram:TypeCode", "VAT");
    if (!category.reason.empty()) xml.Element("ram:ExemptionReason", category.reason);
    xml.Element("ram:BasisAmount", Cents(money.subtotalCents));
    xml.Element("ram:CategoryCode", category.code);
    if (category.reasonCode != nullptr) xml.Element("ram:ExemptionReasonCode", category.reasonCode);
    if (!percent.empty()) xml.Element("ram:RateApplicablePercent", percent);
    xml.Close();
    Period(xml, d.first, d.last);
    xml.Open("ram:SpecifiedTradePaymentTerms");
    if (!issuer.terms.empty()) xml.Element("ram:Description", issuer.terms);
    Date(xml, "ram:DueDateDateTime", d.due);
    xml.Close();
    xml.Open("ram:SpecifiedTradeSettlementHeaderMonetarySummation");
    xml.Element("ram:LineTotalAmount", Cents(money.subtotalCents));
    xml.Element("ram:TaxBasisTotalAmount", Cents(money.subtotalCents));
    xml.Element("ram:TaxTotalAmount", Cents(money.taxCents), {{"currencyID", d.currency}});
    xml.Element("ram:GrandTotalAmount", Cents(money.totalCents));
    xml.Element("ram:DuePayableAmount", Cents(money.totalCents));
    xml.Close();
    if (d.kind == DocumentKind::CreditNote) {
        xml.Open("ram:InvoiceReferencedDocument");
        xml.Element("ram:IssuerAssignedID", d.corrects);
        Date(xml, "ram:FormattedIssueDateTime", d.correctsIssued, "qdt:DateTimeString");
        xml.Close();
    }
    xml.Close();
}

}  // namespace

std::string CiiXmlOf(const InvoiceDocument& d) {
    const VatCategory category = CategoryOf(d.tax);
    const bool outside = d.tax.note == TaxNote::OutsideScope;
    // The rules forbid VAT ids and a rate on an invoice outside the scope of VAT.
    const std::string percent = outside ? std::string() : PercentText(d.tax.percent);
    XmlWriter xml;
    xml.Open("rsm:CrossIndustryInvoice",
             {{"xmlns:rsm", "urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100"},
              {"xmlns:qdt", "urn:un:unece:uncefact:data:standard:QualifiedDataType:100"},
              {"xmlns:ram",
               "urn:un:unece:uncefact:data:standard:"
               "ReusableAggregateBusinessInformationEntity:100"},
              {"xmlns:udt", "urn:un:unece:uncefact:data:standard:UnqualifiedDataType:100"}});
    xml.Open("rsm:ExchangedDocumentContext");
    xml.Open("ram:GuidelineSpecifiedDocumentContextParameter");
    xml.Element("ram:ID", kCiiGuideline);
    xml.Close();
    xml.Close();
    xml.Open("rsm:ExchangedDocument");
    xml.Element("ram:ID", d.number);
    xml.Element("ram:TypeCode", d.kind == DocumentKind::CreditNote ? "381" : "380");
    Date(xml, "ram:IssueDateTime", d.issued);
    xml.Close();
    xml.Open("rsm:SupplyChainTradeTransaction");
    for (std::size_t i = 0; i < d.money.lines.size(); ++i)
        Line(xml, d, i, d.money.lines[i], category, percent);
    xml.Open("ram:ApplicableHeaderTradeAgreement");
    if (!d.clientReference.empty()) xml.Element("ram:BuyerReference", d.clientReference);
    Seller(xml, d, !outside);
    Buyer(xml, d, !outside);
    xml.Close();
    xml.Open("ram:ApplicableHeaderTradeDelivery");
    xml.Close();
    Settlement(xml, d, category, percent);
    xml.Close();
    xml.Close();
    return xml.Text();
}

}  // namespace tally
