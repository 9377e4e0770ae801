// SPDX-License-Identifier: MIT
#include "settings/client_store.h"

#include <QLocale>
#include <algorithm>
#include <iterator>

#include "core/c_format.h"

namespace tally {
namespace {

constexpr const char* kClientSectionPrefix = "Client ";

QString Section(const std::string& name) {
    return kClientSectionPrefix + QString::fromStdString(name);
}

// Keys added later: written only where they differ from the default, so a section that never
// used them stays as it was.
constexpr std::pair<const char*, std::string Client::*> kBuyerKeys[] = {
    {"Country", &Client::country},     {"VatId", &Client::vatId},
    {"Reference", &Client::reference}, {"Language", &Client::language},
    {"Service", &Client::service},     {"TaxNote", &Client::taxNote},
};
constexpr const char* kTreatmentKey = "Treatment";

std::string Text(QSettings& s, const char* key) {
    const QVariant value = s.value(key);
    // An unquoted comma makes Qt read a list (an address typed by hand).
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(',').toStdString();
    return value.toString().toStdString();
}

}  // namespace

std::string DefaultCurrency() {
    const QString code = QLocale::system().currencySymbol(QLocale::CurrencyIsoCode);
    return code.size() == 3 ? code.toStdString() : "USD";
}

std::vector<Client> ReadClients(QSettings& settings) {
    settings.sync();
    std::vector<Client> clients;
    const QString prefix = kClientSectionPrefix;
    for (const QString& group : settings.childGroups()) {
        if (!group.startsWith(prefix) || group.size() == prefix.size()) continue;
        settings.beginGroup(group);
        Client c;
        c.name = group.mid(prefix.size()).toStdString();
        c.log = Text(settings, "Log");
        c.rate = ParseAmount(Text(settings, "Rate"), kMaxRate);
        c.currency = Text(settings, "Currency");
        if (c.currency.empty()) c.currency = DefaultCurrency();
        c.taxPercent = ParseAmount(Text(settings, "Tax"), 100.0).value_or(0.0);
        c.address = Text(settings, "Address");
        bool ok = false;
        const int days = settings.value("PaymentDays").toInt(&ok);
        c.paymentDays = ok && days >= 0 && days <= kMaxPaymentDays ? days : kDefaultPaymentDays;
        c.number = Text(settings, "Number");
        for (const auto& [key, field] : kBuyerKeys) {
            if (settings.contains(key)) c.*field = Text(settings, key);
        }
        // A language typed by hand that no invoice has: the default.
        if (std::find(std::begin(kInvoiceLanguages), std::end(kInvoiceLanguages), c.language) ==
            std::end(kInvoiceLanguages))
            c.language = Client().language;
        c.treatment = ParseTaxTreatment(Text(settings, kTreatmentKey)).value_or(c.treatment);
        settings.endGroup();
        clients.push_back(std::move(c));
    }
    return clients;
}

void WriteClient(QSettings& settings, const Client& c) {
    settings.beginGroup(Section(c.name));
    settings.setValue("Log", QString::fromStdString(c.log));
    settings.setValue("Rate",
                      c.rate ? QString::fromStdString(FormatC("%.2f", *c.rate)) : QString());
    settings.setValue("Currency", QString::fromStdString(c.currency));
    settings.setValue("Tax", QString::fromStdString(FormatC("%g", c.taxPercent)));
    settings.setValue("Address", QString::fromStdString(c.address));
    settings.setValue("PaymentDays", c.paymentDays);
    settings.setValue("Number", QString::fromStdString(c.number));
    const Client defaults;
    for (const auto& [key, field] : kBuyerKeys) {
        if (c.*field == defaults.*field) {
            settings.remove(key);
        } else {
            settings.setValue(key, QString::fromStdString(c.*field));
        }
    }
    if (c.treatment == defaults.treatment) {
        settings.remove(kTreatmentKey);
    } else {
        settings.setValue(kTreatmentKey, TaxTreatmentName(c.treatment));
    }
    settings.endGroup();
    settings.sync();
}

void RemoveClient(QSettings& settings, const std::string& name) {
    settings.remove(Section(name));
    settings.sync();
}

std::string ClientConflict(const std::vector<Client>& clients, const Client& client,
                           const std::string& replacing, const std::string& issuerCountry) {
    if (std::string problem = ClientProblem(client, issuerCountry); !problem.empty())
        return problem;
    for (const Client& other : clients) {
        if (other.name == replacing) continue;
        if (other.name == client.name) return "there is a client " + client.name + " already";
        if (LogsShareBackups(other.log, client.log))
            return "client " + other.name + " keeps its time log (or its backups) at " + other.log +
                   " already";
    }
    return {};
}

}  // namespace tally
