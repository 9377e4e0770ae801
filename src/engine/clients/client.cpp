// SPDX-License-Identifier: MIT
#include "clients/client.h"

#include <algorithm>
#include <filesystem>
#include <iterator>

#include "clients/amount_text.h"
#include "clients/business_ids.h"
#include "log/time_log_file.h"
#include "time/c_format.h"

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

// The characters of a name read as UTF-8; nothing when its bytes are not UTF-8 (overlong
// forms, surrogates and code points past U+10FFFF included).
std::optional<std::vector<char32_t>> Utf8Characters(const std::string& text) {
    std::vector<char32_t> characters;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80                   ? 0
                          : lead >= 0xC2 && lead < 0xE0 ? 1
                          : lead >= 0xE0 && lead < 0xF0 ? 2
                          : lead >= 0xF0 && lead < 0xF5 ? 3
                                                        : -1;
        if (extra < 0 || text.size() - i <= static_cast<std::size_t>(extra)) return std::nullopt;
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            c = (c << 6) | (next & 0x3F);
        }
        const char32_t least[] = {0, 0x80, 0x800, 0x10000};
        if (c < least[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
        characters.push_back(c);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return characters;
}

// C0, DEL and C1: none prints, and a line break would split the settings file's section line.
bool IsControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// The same file system object, where both exist.
bool SameObject(const std::filesystem::path& a, const std::filesystem::path& b) {
    return FileIdentity::OfPath(a.string()).IsSameFile(FileIdentity::OfPath(b.string()));
}

}  // namespace

std::string ClientProblem(const Client& c) {
    // The name is a section of the settings file and a word on the command line.
    const auto characters = Utf8Characters(c.name);
    if (!characters) return "a client's name must be UTF-8 text";
    if (characters->empty()) return "a client needs a name";
    if (characters->size() > kMaxClientNameLength)
        return "a client's name takes at most " + std::to_string(kMaxClientNameLength) +
               " characters";
    for (const char32_t ch : *characters) {
        if (IsControl(ch) || ch == '/' || ch == '\\')
            return "a client's name cannot hold '/', '\\' or control characters";
    }
    if (c.log.empty()) return "client " + c.name + " needs a time log (--log PATH)";
    if (!std::filesystem::path(c.log).is_absolute())
        return "client " + c.name + "'s time log must be an absolute path";
    if (c.rate && !IsRateInRange(*c.rate)) return "a rate runs from 0 to " + MaxRateText();
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

CalendarDate DueDate(const CalendarDate& issued, int paymentDays) {
    return DateOf(DaysOf(issued) + std::chrono::days(paymentDays));
}

bool SameLog(const std::string& a, const std::string& b) {
    const auto pathA = std::filesystem::path(a).lexically_normal();
    const auto pathB = std::filesystem::path(b).lexically_normal();
    if (pathA == pathB || SameObject(pathA, pathB)) return true;
    // A log not made yet, reached through a linked folder.
    return pathA.filename() == pathB.filename() &&
           SameObject(pathA.parent_path(), pathB.parent_path());
}

const Client* ClientOfLog(const std::vector<Client>& clients, const std::string& log) {
    for (const Client& c : clients) {
        if (SameLog(c.log, log)) return &c;
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
    if (BackupStem(a) == BackupStem(b) || SameLog(a, b)) return true;
    const std::filesystem::path pathA(a);
    const std::filesystem::path pathB(b);
    return pathA.stem() == pathB.stem() && SameObject(pathA.parent_path(), pathB.parent_path());
}

double EffectiveRate(const std::vector<Client>& clients, const std::string& log,
                     double optionsRate) {
    const Client* client = ClientOfLog(clients, log);
    return client != nullptr && client->rate ? *client->rate : optionsRate;
}

}  // namespace tally
