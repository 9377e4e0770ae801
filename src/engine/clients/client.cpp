// SPDX-License-Identifier: MIT
#include "clients/client.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iterator>

#include "clients/business_ids.h"
#include "core/c_format.h"

namespace tally {
namespace {

bool IsCurrencyCode(const std::string& code) {
    return code.size() == 3 &&
           std::all_of(code.begin(), code.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

// The name of the backups' stem: the path without its extension, as the backups use it.
std::string BackupStem(const std::string& log) {
    std::filesystem::path path = std::filesystem::path(log).lexically_normal();
    return path.replace_extension().string();
}

// The values an invoice abroad names the buyer by, each on its own.
std::string BuyerProblem(const Client& c) {
    if (!c.country.empty()) {
        if (std::string problem = CountryProblem(c.country); !problem.empty()) return problem;
    }
    if (!c.vatId.empty()) {
        if (std::string problem = VatIdProblem(c.vatId); !problem.empty()) return problem;
        if (std::string problem = VatIdCountryProblem(c.vatId, c.country, "the client's");
            !problem.empty())
            return problem;
    }
    if (std::find(std::begin(kInvoiceLanguages), std::end(kInvoiceLanguages), c.language) ==
        std::end(kInvoiceLanguages)) {
        std::string list;
        for (const char* language : kInvoiceLanguages) list += std::string(", ") + language;
        return "an invoice's language is one of " + list.substr(2) + ", not '" + c.language + "'";
    }
    if (c.treatment == TaxTreatment::Exempt && c.taxNote.empty())
        return "an exempt client needs the note that says why (tax-note)";
    return {};
}

}  // namespace

std::string ClientProblem(const Client& c) {
    if (c.name.empty()) return "a client needs a name";
    if (c.name.size() > 100) return "a client's name takes at most 100 characters";
    // The name is a section of the settings file and a word on the command line.
    for (const unsigned char ch : c.name) {
        if (ch < 0x20 || ch == 0x7f || ch == '/' || ch == '\\')
            return "a client's name cannot hold '/', '\\' or control characters";
    }
    if (c.log.empty()) return "client " + c.name + " needs a time log (--log PATH)";
    if (!std::filesystem::path(c.log).is_absolute())
        return "client " + c.name + "'s time log must be an absolute path";
    if (c.rate && !(*c.rate >= 0.0 && *c.rate <= kMaxRate))
        return "a rate runs from 0 to 1000000000";
    if (!IsCurrencyCode(c.currency))
        return "a currency is three capital letters (EUR, USD), not '" + c.currency + "'";
    if (!(c.taxPercent >= 0.0 && c.taxPercent <= 100.0)) return "a tax rate runs from 0 to 100";
    if (c.paymentDays < 0 || c.paymentDays > kMaxPaymentDays)
        return "payment days run from 0 to " + std::to_string(kMaxPaymentDays);
    return BuyerProblem(c);
}

std::string ClientProblem(const Client& client, const std::string& issuerCountry) {
    if (std::string problem = ClientProblem(client); !problem.empty()) return problem;
    return TaxTreatmentProblem(client.treatment, client.country, client.vatId, issuerCountry);
}

void CompactIds(Client& client) {
    client.country = CompactId(client.country);
    client.vatId = CompactId(client.vatId);
}

std::optional<double> ParseAmount(const std::string& text, double maximum) {
    // strtod takes "inf", "nan", hex and leading blanks; an amount is digits and one point.
    if (text.empty() || text.size() > 20) return std::nullopt;
    int points = 0;
    for (const char ch : text) {
        if (ch == '.') {
            ++points;
        } else if (ch < '0' || ch > '9') {
            return std::nullopt;
        }
    }
    if (points > 1 || text == ".") return std::nullopt;
    const double value = AtofC(text.c_str());
    if (!std::isfinite(value) || value > maximum) return std::nullopt;
    return value;
}

const Client* ClientOfLog(const std::vector<Client>& clients, const std::string& log) {
    const auto normal = std::filesystem::path(log).lexically_normal();
    for (const Client& c : clients) {
        if (std::filesystem::path(c.log).lexically_normal() == normal) return &c;
    }
    return nullptr;
}

const Client* FindClient(const std::vector<Client>& clients, const std::string& name) {
    for (const Client& c : clients) {
        if (c.name == name) return &c;
    }
    return nullptr;
}

bool LogsShareBackups(const std::string& a, const std::string& b) {
    return BackupStem(a) == BackupStem(b);
}

double EffectiveRate(const std::vector<Client>& clients, const std::string& log,
                     double optionsRate) {
    const Client* client = ClientOfLog(clients, log);
    return client != nullptr && client->rate ? *client->rate : optionsRate;
}

}  // namespace tally
