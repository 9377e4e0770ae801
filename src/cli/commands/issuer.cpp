// SPDX-License-Identifier: MIT
#include "cli/commands/issuer.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <ostream>

#include "cli/json_text.h"
#include "cli/typed_text.h"
#include "invoice/issuer.h"
#include "settings/client_store.h"
#include "settings/invoice_settings.h"

namespace tally::cli {
namespace {

// The issuer's values in the order tally issuer shows them; JSON names them with '_'.
struct IssuerKey {
    const char* key;
    std::string Issuer::*text;  // nullptr for the switch
    bool Issuer::*flag;         // nullptr for a text
};

constexpr IssuerKey kKeys[] = {
    {"name", &Issuer::name, nullptr},
    {"address", &Issuer::address, nullptr},
    {"country", &Issuer::country, nullptr},
    {"email", &Issuer::email, nullptr},
    {"phone", &Issuer::phone, nullptr},
    {"tax-number", &Issuer::taxId, nullptr},
    {"vat-id", &Issuer::vatId, nullptr},
    {"bank", &Issuer::bank, nullptr},
    {"iban", &Issuer::iban, nullptr},
    {"bic", &Issuer::bic, nullptr},
    {"terms", &Issuer::terms, nullptr},
    {"small-business", nullptr, &Issuer::smallBusiness},
    {"small-business-note", &Issuer::smallBusinessNote, nullptr},
    {"logo", &Issuer::logo, nullptr},
};

std::string JsonKey(std::string key) {
    std::replace(key.begin(), key.end(), '-', '_');
    return key;
}

int Show(CommandContext& c, const Issuer& issuer) {
    if (c.options.json) {
        Json block = Json::object();
        for (const IssuerKey& k : kKeys) {
            block[JsonKey(k.key)] = k.text ? Json(Utf8Text(issuer.*k.text)) : Json(issuer.*k.flag);
        }
        PrintJson(c.out, {{"issuer", block}});
        return kExitOk;
    }
    for (const IssuerKey& k : kKeys) {
        c.out << k.key << '\t'
              << (k.text           ? TypedLineBreaks(issuer.*k.text)
                  : issuer.*k.flag ? "on"
                                   : "off")
              << '\n';
    }
    return kExitOk;
}

// Sets one value from its text; the reason when the text is not one.
std::string SetValue(Issuer& issuer, const std::string& key, const std::string& value) {
    const auto* k = std::find_if(std::begin(kKeys), std::end(kKeys),
                                 [&](const IssuerKey& entry) { return key == entry.key; });
    if (k == std::end(kKeys)) {
        std::string list;
        for (const IssuerKey& entry : kKeys) list += std::string(", ") + entry.key;
        return "the issuer has no value " + key + " (" + list.substr(2) + ")";
    }
    if (k->flag) {
        const auto flag = ParseFlag(value);
        if (!flag) return std::string(k->key) + " is on or off, not '" + value + "'";
        issuer.*k->flag = *flag == 1;
        return {};
    }
    issuer.*k->text = LineBreaks(value);
    // A logo typed relative to here is kept where it is.
    if (k->text == &Issuer::logo && !value.empty()) {
        std::error_code error;
        const auto path = std::filesystem::absolute(value, error);
        if (error) return "the logo " + value + " cannot be found: " + error.message();
        issuer.logo = path.lexically_normal().string();
    }
    CompactIds(issuer);
    return {};
}

}  // namespace

int RunIssuer(CommandContext& c) {
    const auto& args = c.options.args;
    QSettings& settings = c.store.Raw();
    Issuer issuer = ReadIssuer(settings);
    if (args.empty()) return Show(c, issuer);
    if (args[0] != "set" || args.size() != 3)
        return c.UsageError("issuer takes nothing, or set KEY VALUE");
    if (c.options.json) return c.UsageError("issuer set takes no --json");
    if (std::string reason = SetValue(issuer, args[1], args[2]); !reason.empty())
        return c.UsageError(reason);
    return c.StoreChanged(ChangeIssuer(c.store, issuer));
}

}  // namespace tally::cli
