// SPDX-License-Identifier: MIT
#include "interchange/import/text_lines.h"

namespace tally {

void ForEachLine(std::string_view text, const std::function<bool(std::string_view, int)>& take) {
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!take(line, ++number)) return;
    }
}

}  // namespace tally
