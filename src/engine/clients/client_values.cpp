// SPDX-License-Identifier: MIT
#include "clients/client_values.h"

#include <utility>

#include "clients/amount_text.h"

namespace tally {
namespace {

// The values kept as they are typed.
constexpr std::pair<const char*, std::string Client::*> kTextKeys[] = {
    {"currency", &Client::currency},
    {"address", &Client::address},
    {"number", &Client::number},
};
// What the buyer is named by on an invoice abroad; the ids are kept compact.
constexpr std::pair<const char*, std::string Client::*> kBuyerKeys[] = {
    {"country", &Client::country},     {"vat-id", &Client::vatId},
    {"reference", &Client::reference}, {"language", &Client::language},
    {"service", &Client::service},     {"tax-note", &Client::taxNote},
};

std::string SetRate(Client& client, const std::string& text) {
    if (text.empty()) {
        client.rate.reset();  // the Options rate again
        return {};
    }
    const auto rate = ParseRate(text);
    if (!rate) return "a rate is a number from 0 to " + MaxRateText() + ", not '" + text + "'";
    client.rate = rate;
    return {};
}

std::string UnknownKey(const std::string& key) {
    std::string keys = "log, rate, currency, tax, address, days, number";
    for (const auto& [name, field] : kBuyerKeys) keys += std::string(", ") + name;
    return "a client has no value " + key + " (" + keys + ", treatment, einvoice)";
}

}  // namespace

std::string SetClientValue(Client& client, const std::string& key, const std::string& text) {
    if (key == "rate") return SetRate(client, text);
    if (key == "tax") {
        const auto tax = ParseAmount(text, 100.0);
        if (!tax) return "a tax rate is a number from 0 to 100, not '" + text + "'";
        client.taxPercent = *tax;
        return {};
    }
    if (key == "days") {
        const auto days = ParseAmount(text, kMaxPaymentDays);
        if (!days || *days != static_cast<int>(*days))
            return "payment days are a whole number from 0 to " + std::to_string(kMaxPaymentDays);
        client.paymentDays = static_cast<int>(*days);
        return {};
    }
    for (const auto& [name, field] : kTextKeys) {
        if (key == name) {
            client.*field = text;
            return {};
        }
    }
    for (const auto& [name, field] : kBuyerKeys) {
        if (key == name) {
            client.*field = text;
            CompactIds(client);
            return {};
        }
    }
    if (key == "treatment") {
        const auto treatment = ParseTaxTreatment(text);
        if (!treatment) return "a tax treatment is " + TaxTreatmentNames() + ", not '" + text + "'";
        client.treatment = *treatment;
        return {};
    }
    if (key == "einvoice") {
        if (text != "on" && text != "off") return "einvoice is on or off, not '" + text + "'";
        client.einvoice = text == "on";
        return {};
    }
    return UnknownKey(key);
}

}  // namespace tally
