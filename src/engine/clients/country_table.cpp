// SPDX-License-Identifier: MIT
#include "clients/country_table.h"

#include <algorithm>
#include <iterator>

namespace tally {
namespace {

constexpr bool kEu = true;
constexpr bool kNotEu = false;

// Sorted by code, for the binary search. IBAN lengths as the IBAN registry lists them.
constexpr Country kCountries[] = {
    {"AD", 24, kNotEu}, {"AE", 23, kNotEu}, {"AF", 0, kNotEu},  {"AG", 0, kNotEu},
    {"AI", 0, kNotEu},  {"AL", 28, kNotEu}, {"AM", 0, kNotEu},  {"AO", 0, kNotEu},
    {"AQ", 0, kNotEu},  {"AR", 0, kNotEu},  {"AS", 0, kNotEu},  {"AT", 20, kEu},
    {"AU", 0, kNotEu},  {"AW", 0, kNotEu},  {"AX", 0, kNotEu},  {"AZ", 28, kNotEu},
    {"BA", 20, kNotEu}, {"BB", 0, kNotEu},  {"BD", 0, kNotEu},  {"BE", 16, kEu},
    {"BF", 0, kNotEu},  {"BG", 22, kEu},    {"BH", 22, kNotEu}, {"BI", 27, kNotEu},
    {"BJ", 0, kNotEu},  {"BL", 0, kNotEu},  {"BM", 0, kNotEu},  {"BN", 0, kNotEu},
    {"BO", 0, kNotEu},  {"BQ", 0, kNotEu},  {"BR", 29, kNotEu}, {"BS", 0, kNotEu},
    {"BT", 0, kNotEu},  {"BV", 0, kNotEu},  {"BW", 0, kNotEu},  {"BY", 28, kNotEu},
    {"BZ", 0, kNotEu},  {"CA", 0, kNotEu},  {"CC", 0, kNotEu},  {"CD", 0, kNotEu},
    {"CF", 0, kNotEu},  {"CG", 0, kNotEu},  {"CH", 21, kNotEu}, {"CI", 0, kNotEu},
    {"CK", 0, kNotEu},  {"CL", 0, kNotEu},  {"CM", 0, kNotEu},  {"CN", 0, kNotEu},
    {"CO", 0, kNotEu},  {"CR", 22, kNotEu}, {"CU", 0, kNotEu},  {"CV", 0, kNotEu},
    {"CW", 0, kNotEu},  {"CX", 0, kNotEu},  {"CY", 28, kEu},    {"CZ", 24, kEu},
    {"DE", 22, kEu},    {"DJ", 27, kNotEu}, {"DK", 18, kEu},    {"DM", 0, kNotEu},
    {"DO", 28, kNotEu}, {"DZ", 0, kNotEu},  {"EC", 0, kNotEu},  {"EE", 20, kEu},
    {"EG", 29, kNotEu}, {"EH", 0, kNotEu},  {"ER", 0, kNotEu},  {"ES", 24, kEu},
    {"ET", 0, kNotEu},  {"FI", 18, kEu},    {"FJ", 0, kNotEu},  {"FK", 18, kNotEu},
    {"FM", 0, kNotEu},  {"FO", 18, kNotEu}, {"FR", 27, kEu},    {"GA", 0, kNotEu},
    {"GB", 22, kNotEu}, {"GD", 0, kNotEu},  {"GE", 22, kNotEu}, {"GF", 0, kNotEu},
    {"GG", 0, kNotEu},  {"GH", 0, kNotEu},  {"GI", 23, kNotEu}, {"GL", 18, kNotEu},
    {"GM", 0, kNotEu},  {"GN", 0, kNotEu},  {"GP", 0, kNotEu},  {"GQ", 0, kNotEu},
    {"GR", 27, kEu},    {"GS", 0, kNotEu},  {"GT", 28, kNotEu}, {"GU", 0, kNotEu},
    {"GW", 0, kNotEu},  {"GY", 0, kNotEu},  {"HK", 0, kNotEu},  {"HM", 0, kNotEu},
    {"HN", 28, kNotEu}, {"HR", 21, kEu},    {"HT", 0, kNotEu},  {"HU", 28, kEu},
    {"ID", 0, kNotEu},  {"IE", 22, kEu},    {"IL", 23, kNotEu}, {"IM", 0, kNotEu},
    {"IN", 0, kNotEu},  {"IO", 0, kNotEu},  {"IQ", 23, kNotEu}, {"IR", 0, kNotEu},
    {"IS", 26, kNotEu}, {"IT", 27, kEu},    {"JE", 0, kNotEu},  {"JM", 0, kNotEu},
    {"JO", 30, kNotEu}, {"JP", 0, kNotEu},  {"KE", 0, kNotEu},  {"KG", 0, kNotEu},
    {"KH", 0, kNotEu},  {"KI", 0, kNotEu},  {"KM", 0, kNotEu},  {"KN", 0, kNotEu},
    {"KP", 0, kNotEu},  {"KR", 0, kNotEu},  {"KW", 30, kNotEu}, {"KY", 0, kNotEu},
    {"KZ", 20, kNotEu}, {"LA", 0, kNotEu},  {"LB", 28, kNotEu}, {"LC", 32, kNotEu},
    {"LI", 21, kNotEu}, {"LK", 0, kNotEu},  {"LR", 0, kNotEu},  {"LS", 0, kNotEu},
    {"LT", 20, kEu},    {"LU", 20, kEu},    {"LV", 21, kEu},    {"LY", 25, kNotEu},
    {"MA", 0, kNotEu},  {"MC", 27, kNotEu}, {"MD", 24, kNotEu}, {"ME", 22, kNotEu},
    {"MF", 0, kNotEu},  {"MG", 0, kNotEu},  {"MH", 0, kNotEu},  {"MK", 19, kNotEu},
    {"ML", 0, kNotEu},  {"MM", 0, kNotEu},  {"MN", 20, kNotEu}, {"MO", 0, kNotEu},
    {"MP", 0, kNotEu},  {"MQ", 0, kNotEu},  {"MR", 27, kNotEu}, {"MS", 0, kNotEu},
    {"MT", 31, kEu},    {"MU", 30, kNotEu}, {"MV", 0, kNotEu},  {"MW", 0, kNotEu},
    {"MX", 0, kNotEu},  {"MY", 0, kNotEu},  {"MZ", 0, kNotEu},  {"NA", 0, kNotEu},
    {"NC", 0, kNotEu},  {"NE", 0, kNotEu},  {"NF", 0, kNotEu},  {"NG", 0, kNotEu},
    {"NI", 28, kNotEu}, {"NL", 18, kEu},    {"NO", 15, kNotEu}, {"NP", 0, kNotEu},
    {"NR", 0, kNotEu},  {"NU", 0, kNotEu},  {"NZ", 0, kNotEu},  {"OM", 23, kNotEu},
    {"PA", 0, kNotEu},  {"PE", 0, kNotEu},  {"PF", 0, kNotEu},  {"PG", 0, kNotEu},
    {"PH", 0, kNotEu},  {"PK", 24, kNotEu}, {"PL", 28, kEu},    {"PM", 0, kNotEu},
    {"PN", 0, kNotEu},  {"PR", 0, kNotEu},  {"PS", 29, kNotEu}, {"PT", 25, kEu},
    {"PW", 0, kNotEu},  {"PY", 0, kNotEu},  {"QA", 29, kNotEu}, {"RE", 0, kNotEu},
    {"RO", 24, kEu},    {"RS", 22, kNotEu}, {"RU", 33, kNotEu}, {"RW", 0, kNotEu},
    {"SA", 24, kNotEu}, {"SB", 0, kNotEu},  {"SC", 31, kNotEu}, {"SD", 18, kNotEu},
    {"SE", 24, kEu},    {"SG", 0, kNotEu},  {"SH", 0, kNotEu},  {"SI", 19, kEu},
    {"SJ", 0, kNotEu},  {"SK", 24, kEu},    {"SL", 0, kNotEu},  {"SM", 27, kNotEu},
    {"SN", 0, kNotEu},  {"SO", 23, kNotEu}, {"SR", 0, kNotEu},  {"SS", 0, kNotEu},
    {"ST", 25, kNotEu}, {"SV", 28, kNotEu}, {"SX", 0, kNotEu},  {"SY", 0, kNotEu},
    {"SZ", 0, kNotEu},  {"TC", 0, kNotEu},  {"TD", 0, kNotEu},  {"TF", 0, kNotEu},
    {"TG", 0, kNotEu},  {"TH", 0, kNotEu},  {"TJ", 0, kNotEu},  {"TK", 0, kNotEu},
    {"TL", 23, kNotEu}, {"TM", 0, kNotEu},  {"TN", 24, kNotEu}, {"TO", 0, kNotEu},
    {"TR", 26, kNotEu}, {"TT", 0, kNotEu},  {"TV", 0, kNotEu},  {"TW", 0, kNotEu},
    {"TZ", 0, kNotEu},  {"UA", 29, kNotEu}, {"UG", 0, kNotEu},  {"UM", 0, kNotEu},
    {"US", 0, kNotEu},  {"UY", 0, kNotEu},  {"UZ", 0, kNotEu},  {"VA", 22, kNotEu},
    {"VC", 0, kNotEu},  {"VE", 0, kNotEu},  {"VG", 24, kNotEu}, {"VI", 0, kNotEu},
    {"VN", 0, kNotEu},  {"VU", 0, kNotEu},  {"WF", 0, kNotEu},  {"WS", 0, kNotEu},
    {"YE", 30, kNotEu}, {"YT", 0, kNotEu},  {"ZA", 0, kNotEu},  {"ZM", 0, kNotEu},
    {"ZW", 0, kNotEu},
};

}  // namespace

const Country* FindCountry(std::string_view code) {
    const auto* found = std::lower_bound(
        std::begin(kCountries), std::end(kCountries), code,
        [](const Country& row, std::string_view key) { return std::string_view(row.code) < key; });
    return found != std::end(kCountries) && std::string_view(found->code) == code ? found : nullptr;
}

bool IsEuMember(std::string_view code) {
    const Country* country = FindCountry(code);
    return country != nullptr && country->eu;
}

}  // namespace tally
