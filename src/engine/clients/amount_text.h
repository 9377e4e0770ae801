// SPDX-License-Identifier: MIT
#pragma once
// Rates and other amounts as people type them: on the command line, in the dialogs, in
// `tally config` and in the clients' settings. A stored Options rate is read as the invoice
// has always read it (RateFromC), not here.

#include <optional>
#include <string>

namespace tally {

// kMaxRate in figures, for the messages and help that name it.
std::string MaxRateText();
// True for a rate from 0 to kMaxRate; a NaN is none.
bool IsRateInRange(double rate);
// A finite number from 0 to maximum in the C locale, the whole text: digits with at most
// one point and an exponent, no sign, no blanks ("-0" would print amounts as "-0.00");
// nothing for anything else.
std::optional<double> ParseAmount(const std::string& text, double maximum);
// ParseAmount up to kMaxRate.
std::optional<double> ParseRate(const std::string& text);

}  // namespace tally
