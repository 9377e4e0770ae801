// SPDX-License-Identifier: MIT
#pragma once
// The forms of a kept document's values: text with its line breaks and TABs escaped, and
// decimals exactly as DecimalText writes them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "invoice/invoice_money.h"

namespace tally {

// Writes a backslash, TAB, CR and LF as \\, \t, \r and \n.
std::string Escaped(const std::string& text);
// The text Escaped wrote; nothing for an escape it never writes.
std::optional<std::string> Unescaped(std::string_view text);
// [-]digits[.digits], its places as written; what DecimalText writes.
std::optional<Decimal> ParseDecimal(std::string_view text);
// ParseDecimal's units where the text has exactly that many places.
std::optional<std::int64_t> FixedPlaces(std::string_view text, int places);

}  // namespace tally
