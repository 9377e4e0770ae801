// SPDX-License-Identifier: MIT
#pragma once
// Invoice numbers: a format such as "{year}-{seq:3}" (2026-001), the sequence starting again
// each year when the format has a year in it, and never a number that was used before.

#include <optional>
#include <string>
#include <vector>

namespace tally {

inline constexpr const char* kDefaultNumberFormat = "{year}-{seq:3}";
// The credit notes' own series, apart from the invoices'.
inline constexpr const char* kDefaultCreditFormat = "{year}-C{seq:3}";

// How numbers are made. The format holds {seq} (or {seq:N}, zero-padded to N digits, N 1-9)
// once, {year} (the issue date's, four digits) at most once, and around them letters,
// digits, '-', '_' and '.', so that a number is also a file name. A first number continues a
// series kept elsewhere: its year (if the format has one) starts at its sequence.
struct NumberingRules {
    std::string format = kDefaultNumberFormat;
    std::string firstNumber;  // empty: the series starts at 1
};

// Empty when the format can make numbers; else one line saying why not.
std::string NumberFormatProblem(const std::string& format);

// The number for an invoice issued in year: one past the highest of that year's series among
// the used numbers (cancelled ones included), not below the first number, and none of the
// used numbers themselves. Nothing, with the reason, when the rules cannot make one.
std::optional<std::string> NextInvoiceNumber(const NumberingRules& rules, int year,
                                             const std::vector<std::string>& used,
                                             std::string& problem);

}  // namespace tally
