// SPDX-License-Identifier: MIT
#include "clients/amount_text.h"

#include <charconv>

#include "time/c_format.h"

namespace tally {

std::string MaxRateText() {
    return FormatC("%.0f", kMaxRate);
}

bool IsRateInRange(double rate) {
    return rate >= 0.0 && rate <= kMaxRate;
}

std::optional<double> ParseAmount(const std::string& text, double maximum) {
    // from_chars reads the C locale's form whatever the desktop's locale, and takes no
    // blanks or "+"; it does take "-", "inf" and "nan", which the checks below refuse.
    if (text.empty() || text.starts_with('-')) return std::nullopt;
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || !(value >= 0.0 && value <= maximum)) return std::nullopt;
    return value;
}

std::optional<double> ParseRate(const std::string& text) {
    return ParseAmount(text, kMaxRate);
}

}  // namespace tally
