#include "cli/iso_date.h"

#include <cctype>

namespace tally::cli {

std::optional<CalendarDate> ParseIsoDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    auto number = [&](std::size_t from, std::size_t length) {
        int value = 0;
        for (std::size_t i = from; i < from + length; ++i) {
            if (std::isdigit(static_cast<unsigned char>(text[i])) == 0) return -1;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const CalendarDate date{number(0, 4), number(5, 2), number(8, 2)};
    if (!IsRealDate(date)) return std::nullopt;
    return date;
}

}  // namespace tally::cli
