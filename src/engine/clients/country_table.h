// SPDX-License-Identifier: MIT
#pragma once
// The countries of ISO 3166-1 (alpha-2), with what invoices need to know of each: whether it
// is a member state of the European Union, and the length of its IBANs (ISO 13616).

#include <string_view>

namespace tally {

struct Country {
    char code[3];    // "DE"
    int ibanLength;  // 0: the country has no IBANs
    bool eu;         // a member state of the European Union
};

// The country of that code (two capital letters); nullptr for none.
const Country* FindCountry(std::string_view code);
bool IsEuMember(std::string_view code);

}  // namespace tally
