// SPDX-License-Identifier: MIT
#include "cli/typed_text.h"

namespace tally::cli {

std::string LineBreaks(const std::string& typed) {
    std::string text;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        if (typed[i] == '\\' && i + 1 < typed.size() && typed[i + 1] == 'n') {
            text += '\n';
            ++i;
        } else {
            text += typed[i];
        }
    }
    return text;
}

std::string TypedLineBreaks(const std::string& text) {
    std::string typed;
    for (const char c : text) typed += c == '\n' ? std::string("\\n") : std::string(1, c);
    return typed;
}

std::optional<int> ParseFlag(const std::string& text) {
    for (const char* yes : {"1", "true", "yes", "on"}) {
        if (text == yes) return 1;
    }
    for (const char* no : {"0", "false", "no", "off"}) {
        if (text == no) return 0;
    }
    return std::nullopt;
}

}  // namespace tally::cli
