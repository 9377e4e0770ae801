// SPDX-License-Identifier: MIT
#include "clients/business_ids.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "clients/country_table.h"

namespace tally {
namespace {

bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A shape: 'd' a digit, 'a' a capital letter, 'x' either; any other character itself.
bool Fits(std::string_view text, std::string_view shape) {
    if (text.size() != shape.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool fits = shape[i] == 'd'   ? IsDigit(c)
                          : shape[i] == 'a' ? IsUpper(c)
                          : shape[i] == 'x' ? IsDigit(c) || IsUpper(c)
                                            : c == shape[i];
        if (!fits) return false;
    }
    return true;
}

// The shapes of the VAT ids after their prefix, as the tax offices publish them.
struct VatShapes {
    const char* prefix;
    const char* country;
    const char* shapes[4];
};

constexpr VatShapes kVatShapes[] = {
    {"AT", "AT", {"Udddddddd"}},
    {"BE", "BE", {"dddddddddd"}},
    {"BG", "BG", {"ddddddddd", "dddddddddd"}},
    {"CY", "CY", {"dddddddda"}},
    {"CZ", "CZ", {"dddddddd", "ddddddddd", "dddddddddd"}},
    {"DE", "DE", {"ddddddddd"}},
    {"DK", "DK", {"dddddddd"}},
    {"EE", "EE", {"ddddddddd"}},
    {"EL", "GR", {"ddddddddd"}},
    {"ES", "ES", {"xdddddddx"}},
    {"FI", "FI", {"dddddddd"}},
    {"FR", "FR", {"xxddddddddd"}},
    {"HR", "HR", {"ddddddddddd"}},
    {"HU", "HU", {"dddddddd"}},
    {"IE", "IE", {"ddddddda", "dddddddaa", "dxddddda"}},
    {"IT", "IT", {"ddddddddddd"}},
    {"LT", "LT", {"ddddddddd", "dddddddddddd"}},
    {"LU", "LU", {"dddddddd"}},
    {"LV", "LV", {"ddddddddddd"}},
    {"MT", "MT", {"dddddddd"}},
    {"NL", "NL", {"dddddddddBdd"}},
    {"PL", "PL", {"dddddddddd"}},
    {"PT", "PT", {"ddddddddd"}},
    {"RO", "RO", {}},  // 2 to 10 digits: FitsShapes
    {"SE", "SE", {"dddddddddd01"}},
    {"SI", "SI", {"dddddddd"}},
    {"SK", "SK", {"dddddddddd"}},
    {"XI", "GB", {"ddddddddd", "dddddddddddd", "GDddd", "HAddd"}},
    {"GB", "GB", {"ddddddddd", "dddddddddddd", "GDddd", "HAddd"}},
    {"CHE", "CH", {"ddddddddd", "dddddddddMWST", "dddddddddTVA", "dddddddddIVA"}},
    {"NO", "NO", {"dddddddddMVA"}},
};

const VatShapes* VatPrefix(const std::string& vatId) {
    for (const VatShapes& row : kVatShapes) {
        if (vatId.starts_with(row.prefix)) return &row;
    }
    return nullptr;
}

bool FitsShapes(const VatShapes& row, std::string_view rest) {
    // Romania numbers firms from 2 to 10 digits.
    if (std::string_view(row.prefix) == "RO")
        return rest.size() >= 2 && rest.size() <= 10 &&
               std::all_of(rest.begin(), rest.end(), IsDigit);
    return std::any_of(std::begin(row.shapes), std::end(row.shapes),
                       [&](const char* shape) { return shape != nullptr && Fits(rest, shape); });
}

// The Swiss UID's last digit: 11 minus the weighted sum mod 11 (weights 5 4 3 2 7 6 5 4).
bool SwissCheckDigitFits(std::string_view digits) {
    constexpr int kWeights[] = {5, 4, 3, 2, 7, 6, 5, 4};
    int sum = 0;
    for (int i = 0; i < 8; ++i) sum += (digits[i] - '0') * kWeights[i];
    const int check = (11 - sum % 11) % 11;
    return check != 10 && check == digits[8] - '0';
}

// The IBAN's remainder mod 97 with its first four characters moved to the end and each
// letter read as two digits (A = 10): 1 for a sound IBAN.
int IbanRemainder(const std::string& iban) {
    const std::string moved = iban.substr(4) + iban.substr(0, 4);
    int remainder = 0;
    for (const char c : moved) {
        const int value = IsDigit(c) ? c - '0' : c - 'A' + 10;
        remainder = (remainder * (value >= 10 ? 100 : 10) + value) % 97;
    }
    return remainder;
}

}  // namespace

std::string CompactId(std::string_view typed) {
    std::string id;
    for (const char c : typed) {
        if (c == ' ' || c == '\t' || c == '.' || c == '-') continue;
        id += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return id;
}

std::string CountryProblem(const std::string& code) {
    if (FindCountry(code) != nullptr) return {};
    return "'" + code + "' is not a country code of ISO 3166 (DE, FR, CH, ...)";
}

std::string IbanProblem(const std::string& iban) {
    const std::string quoted = "the IBAN " + iban;
    if (!std::all_of(iban.begin(), iban.end(), [](char c) { return IsDigit(c) || IsUpper(c); }))
        return quoted + " holds more than letters and digits";
    const Country* country = iban.size() >= 4 ? FindCountry(iban.substr(0, 2)) : nullptr;
    if (country == nullptr || country->ibanLength == 0 || !IsDigit(iban[2]) || !IsDigit(iban[3]))
        return quoted + " does not begin with the code of a country that has IBANs and two digits";
    if (static_cast<int>(iban.size()) != country->ibanLength)
        return quoted + " has " + std::to_string(iban.size()) + " characters; one of " +
               country->code + " has " + std::to_string(country->ibanLength);
    if (IbanRemainder(iban) != 1) return quoted + " has wrong check digits (a typing error?)";
    return {};
}

std::string BicProblem(const std::string& bic) {
    const bool shape = Fits(bic, "aaaaaaxx") || Fits(bic, "aaaaaaxxxxx");
    if (!shape)
        return "a BIC is 8 or 11 letters and digits, the first 6 letters, not '" + bic + "'";
    if (FindCountry(bic.substr(4, 2)) == nullptr)
        return "the BIC " + bic + " names no country (" + bic.substr(4, 2) + ")";
    return {};
}

std::string VatIdProblem(const std::string& vatId) {
    const VatShapes* row = VatPrefix(vatId);
    if (row == nullptr)
        return "the VAT id " + vatId +
               " does not begin with a country's prefix (DE, FR, EL, ..., GB, CHE, NO)";
    const std::string_view rest =
        std::string_view(vatId).substr(std::string_view(row->prefix).size());
    if (!FitsShapes(*row, rest))
        return "the VAT id " + vatId + " does not have the shape of " + row->prefix + "'s VAT ids";
    if (std::string_view(row->prefix) == "CHE" && !SwissCheckDigitFits(rest))
        return "the VAT id " + vatId + " has a wrong check digit (a typing error?)";
    return {};
}

std::string VatIdCountry(const std::string& vatId) {
    const VatShapes* row = VatPrefix(vatId);
    return row != nullptr ? row->country : "";
}

std::string VatIdCountryProblem(const std::string& vatId, const std::string& country,
                                const char* whose) {
    if (vatId.empty() || country.empty() || VatIdCountry(vatId) == country) return {};
    return "the VAT id " + vatId + " is one of " + VatIdCountry(vatId) + ", and " + whose +
           " country is " + country;
}

}  // namespace tally
