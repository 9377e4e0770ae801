// SPDX-License-Identifier: MIT
#include "invoice/kept_values.h"

#include <charconv>

namespace tally {

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::optional<std::string> Unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        switch (text[i]) {
            case '\\':
                out += '\\';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case 'n':
                out += '\n';
                break;
            default:
                return std::nullopt;
        }
    }
    return out;
}

std::optional<Decimal> ParseDecimal(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative) text.remove_prefix(1);
    const std::size_t point = text.find('.');
    std::string digits(text.substr(0, point));
    if (point != std::string_view::npos) digits += text.substr(point + 1);
    const int places =
        point == std::string_view::npos ? 0 : static_cast<int>(text.size() - point - 1);
    std::int64_t units = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), units);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        digits.front() == '-' || places > 18 || (point != std::string_view::npos && places == 0))
        return std::nullopt;
    return Decimal{negative ? -units : units, places};
}

std::optional<std::int64_t> FixedPlaces(std::string_view text, int places) {
    const auto value = ParseDecimal(text);
    if (!value || value->places != places) return std::nullopt;
    return value->units;
}

}  // namespace tally
