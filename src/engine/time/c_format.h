// SPDX-License-Identifier: MIT
#pragma once
// Number formatting and parsing in the C locale, whatever locale the desktop has set.

#include <string>

namespace tally {

std::string FormatC(const char* format, ...) __attribute__((format(printf, 1, 2)));

// atof in the C locale: leading blanks skipped, the longest numeric prefix, else 0.
double AtofC(const char* text);

// The highest hourly rate the program takes: more than any currency needs, and low enough
// that every amount it can compute stays finite.
inline constexpr double kMaxRate = 1000000000;

// An hourly rate as AtofC reads it; one that is not finite ("inf", "nan") or above kMaxRate
// counts as 0, so that no total or invoice shows "inf" or "nan".
double RateFromC(const char* text);

// Replaces the first %s of a message template with a value.
std::string FillTemplate(const char* templ, const std::string& value);

}  // namespace tally
