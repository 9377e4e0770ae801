// SPDX-License-Identifier: MIT
#pragma once
// The settings of invoices as documents, each in its own section of the options store:
// "Invoices" (how numbers are made and where the register is) and "Issuer" (the sender's
// block every invoice shows). Multi-line values keep their line feeds.

#include <QSettings>
#include <string>

#include "invoice/invoice_number.h"
#include "invoice/issuer.h"

namespace tally {

inline constexpr const char* kInvoicesSection = "Invoices";
inline constexpr const char* kIssuerSection = "Issuer";
// The invoices' keys in their section, and as config names them: by their section.
inline constexpr const char* kInvoiceFormatKey = "Format";
inline constexpr const char* kInvoiceFirstNumberKey = "FirstNumber";
inline constexpr const char* kInvoiceRegisterKey = "Register";
inline constexpr const char* kInvoiceCreditFormatKey = "CreditFormat";
inline constexpr const char* kFormatSetting = "Invoices.Format";
inline constexpr const char* kFirstNumberSetting = "Invoices.FirstNumber";
inline constexpr const char* kRegisterSetting = "Invoices.Register";
inline constexpr const char* kCreditFormatSetting = "Invoices.CreditFormat";

struct InvoiceSettings {
    NumberingRules numbering;                         // Format, FirstNumber
    std::string registerPath;                         // Register
    std::string creditFormat = kDefaultCreditFormat;  // CreditFormat: the credit notes' series
    friend bool operator==(const InvoiceSettings& a, const InvoiceSettings& b) {
        return a.numbering.format == b.numbering.format && a.creditFormat == b.creditFormat &&
               a.numbering.firstNumber == b.numbering.firstNumber &&
               a.registerPath == b.registerPath;
    }
};

// The register where none is set: invoices.txt in the program's folder of the user's data
// ($XDG_DATA_HOME/tallybook, else ~/.local/share/tallybook).
std::string DefaultRegisterPath();

// What is in the store now; an empty Format, CreditFormat or Register reads as its default. A
// format that cannot make numbers is read as it is: issuing then says what is wrong with it.
InvoiceSettings ReadInvoiceSettings(QSettings& settings);
void WriteInvoiceSettings(QSettings& settings, const InvoiceSettings& values);
// Empty when the formats read make numbers; else why not, naming the setting: config refuses
// such a format, so it was written into the file by hand.
std::string StoredFormatProblem(const InvoiceSettings& values);

Issuer ReadIssuer(QSettings& settings);
void WriteIssuer(QSettings& settings, const Issuer& issuer);

}  // namespace tally
