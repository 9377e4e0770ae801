// SPDX-License-Identifier: MIT
#include "settings/invoice_settings.h"

#include <QStandardPaths>
#include <QString>
#include <utility>

namespace tally {
namespace {

// The Issuer's keys and the fields they fill, in the order of the struct.
constexpr std::pair<const char*, std::string Issuer::*> kIssuerKeys[] = {
    {"Name", &Issuer::name},   {"Address", &Issuer::address}, {"Email", &Issuer::email},
    {"TaxId", &Issuer::taxId}, {"Bank", &Issuer::bank},       {"Terms", &Issuer::terms},
};
// Keys added later: written only where set, so a store that never used them stays as it was.
constexpr std::pair<const char*, std::string Issuer::*> kLaterIssuerKeys[] = {
    {"Country", &Issuer::country}, {"Phone", &Issuer::phone},
    {"VatId", &Issuer::vatId},     {"Iban", &Issuer::iban},
    {"Bic", &Issuer::bic},         {"SmallBusinessNote", &Issuer::smallBusinessNote},
    {"Logo", &Issuer::logo},
};
constexpr const char* kSmallBusinessKey = "SmallBusiness";

QString Key(const char* section, const char* key) {
    return QString(section) + '/' + key;
}

std::string Text(QSettings& settings, const char* section, const char* key) {
    return settings.value(Key(section, key)).toString().toStdString();
}

void Store(QSettings& settings, const char* section, const char* key, const std::string& text) {
    settings.setValue(Key(section, key), QString::fromStdString(text));
}

}  // namespace

std::string DefaultRegisterPath() {
    // The generic folder: tally runs without an application object, so the application's
    // own data folder would have no name.
    return (QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
            "/tallybook/invoices.txt")
        .toStdString();
}

InvoiceSettings ReadInvoiceSettings(QSettings& settings) {
    // Another program may have written the file since this one last looked.
    settings.sync();
    InvoiceSettings values;
    values.numbering.format = Text(settings, kInvoicesSection, kInvoiceFormatKey);
    values.numbering.firstNumber = Text(settings, kInvoicesSection, kInvoiceFirstNumberKey);
    values.registerPath = Text(settings, kInvoicesSection, kInvoiceRegisterKey);
    values.creditFormat = Text(settings, kInvoicesSection, kInvoiceCreditFormatKey);
    if (QString::fromStdString(values.numbering.format).trimmed().isEmpty())
        values.numbering.format = kDefaultNumberFormat;
    if (QString::fromStdString(values.creditFormat).trimmed().isEmpty())
        values.creditFormat = kDefaultCreditFormat;
    if (QString::fromStdString(values.registerPath).trimmed().isEmpty())
        values.registerPath = DefaultRegisterPath();
    return values;
}

void WriteInvoiceSettings(QSettings& settings, const InvoiceSettings& values) {
    Store(settings, kInvoicesSection, kInvoiceFormatKey, values.numbering.format);
    Store(settings, kInvoicesSection, kInvoiceFirstNumberKey, values.numbering.firstNumber);
    Store(settings, kInvoicesSection, kInvoiceRegisterKey, values.registerPath);
    // Written only where set, so a store that never used it stays as it was.
    if (values.creditFormat != kDefaultCreditFormat ||
        settings.contains(Key(kInvoicesSection, kInvoiceCreditFormatKey)))
        Store(settings, kInvoicesSection, kInvoiceCreditFormatKey, values.creditFormat);
    settings.sync();
}

std::string StoredFormatProblem(const InvoiceSettings& values) {
    for (const auto& [setting, format] : {std::pair{kFormatSetting, &values.numbering.format},
                                          std::pair{kCreditFormatSetting, &values.creditFormat}}) {
        if (const std::string problem = NumberFormatProblem(*format); !problem.empty())
            return std::string(setting) + " in the settings: " + problem +
                   "; set one with tally config " + setting + " FORMAT";
    }
    return {};
}

Issuer ReadIssuer(QSettings& settings) {
    settings.sync();
    Issuer issuer;
    for (const auto& [key, field] : kIssuerKeys)
        issuer.*field = Text(settings, kIssuerSection, key);
    for (const auto& [key, field] : kLaterIssuerKeys)
        issuer.*field = Text(settings, kIssuerSection, key);
    issuer.smallBusiness = settings.value(Key(kIssuerSection, kSmallBusinessKey)).toBool();
    return issuer;
}

void WriteIssuer(QSettings& settings, const Issuer& issuer) {
    for (const auto& [key, field] : kIssuerKeys)
        Store(settings, kIssuerSection, key, issuer.*field);
    for (const auto& [key, field] : kLaterIssuerKeys) {
        if ((issuer.*field).empty()) {
            settings.remove(Key(kIssuerSection, key));
        } else {
            Store(settings, kIssuerSection, key, issuer.*field);
        }
    }
    if (issuer.smallBusiness) {
        settings.setValue(Key(kIssuerSection, kSmallBusinessKey), true);
    } else {
        settings.remove(Key(kIssuerSection, kSmallBusinessKey));
    }
    settings.sync();
}

}  // namespace tally
