// SPDX-License-Identifier: MIT
#pragma once
// The sender of every invoice, as its block in a document shows it.

#include <string>

namespace tally {

struct Issuer {
    std::string name;
    std::string address;  // lines separated by LF
    std::string email;
    std::string taxId;
    std::string bank;   // bank details, lines separated by LF
    std::string terms;  // payment terms, a line or two
    friend bool operator==(const Issuer&, const Issuer&) = default;
};

}  // namespace tally
