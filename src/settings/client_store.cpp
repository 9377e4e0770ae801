// SPDX-License-Identifier: MIT
#include "settings/client_store.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cstring>
#include <iterator>

#include "clients/amount_text.h"
#include "clients/open_client.h"
#include "settings/invoice_settings.h"
#include "time/c_format.h"

namespace tally {
namespace {

constexpr const char* kClientSectionPrefix = "Client ";

// The store's section of a name. QSettings reads the bytes as UTF-8, dropping a byte-order
// mark at their start.
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
constexpr const char* kEInvoiceKey = "EInvoice";

// Two names in one section: the store on Windows (the registry) and macOS folds case, so the
// same settings file would merge them there; '/' splits a section, which names refuse.
bool SameSection(const std::string& a, const std::string& b) {
    return Section(a).compare(Section(b), Qt::CaseInsensitive) == 0;
}

std::string Text(QSettings& s, const char* key) {
    const QVariant value = s.value(key);
    // An unquoted comma makes Qt read a list (an address typed by hand).
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(',').toStdString();
    return value.toString().toStdString();
}

// The shortest text that reads back as the same amount, without an exponent: rounding to
// cents or to six digits would change a rate or tax typed with more.
QString AmountText(double amount) {
    char text[64];
    const auto [end, error] =
        std::to_chars(std::begin(text), std::end(text), amount, std::chars_format::fixed);
    return QString::fromLatin1(text, error == std::errc() ? end - text : 0);
}

// Takes the clients lock beside the settings file; the refusal's line when it cannot.
std::string LockClients(QSettings& settings, ClientsLock& lock) {
    const std::string lockPath = ClientsLockPath(settings);
    QDir().mkpath(QFileInfo(QString::fromStdString(lockPath)).absolutePath());
    const auto refusal = lock.Acquire(lockPath);
    if (!refusal) return {};
    std::string text = refusal->text;
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
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
        c.rate = ParseRate(Text(settings, "Rate"));
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
        c.einvoice = settings.value(kEInvoiceKey, false).toBool();
        settings.endGroup();
        clients.push_back(std::move(c));
    }
    return clients;
}

void WriteClient(QSettings& settings, const Client& c) {
    settings.beginGroup(Section(c.name));
    settings.setValue("Log", QString::fromStdString(c.log));
    settings.setValue("Rate", c.rate ? AmountText(*c.rate) : QString());
    settings.setValue("Currency", QString::fromStdString(c.currency));
    settings.setValue("Tax", AmountText(c.taxPercent));
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
    if (c.einvoice == defaults.einvoice) {
        settings.remove(kEInvoiceKey);
    } else {
        settings.setValue(kEInvoiceKey, c.einvoice);
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
    const QString section = Section(client.name);
    if (section.mid(static_cast<qsizetype>(std::strlen(kClientSectionPrefix))).toStdString() !=
        client.name)
        return "the settings cannot keep the name " + client.name + " as it is typed";
    for (const Client& other : clients) {
        if (other.name == replacing) continue;
        if (SameSection(other.name, client.name))
            return "there is a client " + other.name + " already";
        if (LogsShareBackups(other.log, client.log))
            return "client " + other.name + " keeps its time log (or its backups) at " + other.log +
                   " already";
    }
    return {};
}

std::string ClientsLockPath(QSettings& settings) {
    const QFileInfo file(settings.fileName());
    // Not the settings file's own name with ".lock": QSettings locks that one while it writes.
    return (file.absolutePath() + '/' + file.completeBaseName() + ".clients.lock").toStdString();
}

ClientBook ClientBookOf(QSettings& settings) {
    return {ClientsLockPath(settings), [&settings] { return ReadClients(settings); }};
}

ClientStoreChange ChangeClient(SettingsStore& store, const std::optional<Client>& client,
                               const std::string& replacing) {
    using Result = ClientStoreChange::Result;
    // A value refused before the lock: a refusal leaves no lock file behind.
    if (client) {
        if (std::string problem = ClientProblem(*client); !problem.empty())
            return {Result::BadValue, problem};
    }
    QSettings& settings = store.Raw();
    ClientsLock lock;
    if (std::string refusal = LockClients(settings, lock); !refusal.empty())
        return {Result::Failed, refusal};
    const std::vector<Client> clients = ReadClients(settings);
    const Client* current = replacing.empty() ? nullptr : FindClient(clients, replacing);
    if (!replacing.empty() && current == nullptr)
        return {Result::BadValue, "there is no client " + replacing};
    if (client) {
        // The issuer's country as it is now: a treatment is checked against it.
        const std::string issuerCountry = ReadIssuer(settings).country;
        if (std::string conflict = ClientConflict(clients, *client, replacing, issuerCountry);
            !conflict.empty())
            return {Result::BadValue, conflict};
    }
    if (std::string problem = OpenInChangeProblem(clients, current, client ? &*client : nullptr);
        !problem.empty())
        return {Result::ClockedIn, problem};
    if (current != nullptr && (!client || client->name != current->name))
        RemoveClient(settings, current->name);
    if (client) WriteClient(settings, *client);
    if (std::string problem = store.WriteProblem(); !problem.empty())
        return {Result::Failed, problem};
    return {};
}

ClientStoreChange ChangeIssuer(SettingsStore& store, const Issuer& issuer) {
    using Result = ClientStoreChange::Result;
    // Its own values refused before the lock, as a client's are.
    if (std::string problem = IssuerProblem(issuer, {}); !problem.empty())
        return {Result::BadValue, problem};
    QSettings& settings = store.Raw();
    ClientsLock lock;
    if (std::string refusal = LockClients(settings, lock); !refusal.empty())
        return {Result::Failed, refusal};
    if (std::string problem = IssuerProblem(issuer, ReadClients(settings)); !problem.empty())
        return {Result::BadValue, problem};
    WriteIssuer(settings, issuer);
    if (std::string problem = store.WriteProblem(); !problem.empty())
        return {Result::Failed, problem};
    return {};
}

}  // namespace tally
