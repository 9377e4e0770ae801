// SPDX-License-Identifier: MIT
#include "interchange/import/json_entries.h"

namespace tally {

ImportedSpans ReadJsonEntries(std::string_view text, const char* notArray,
                              const ReadJsonEntry& read) {
    ImportedSpans result;
    result.sourceWord = "entry";
    // Never throws: a parse error is a discarded value.
    const nlohmann::json document = nlohmann::json::parse(text, nullptr, false);
    if (document.is_discarded() || !document.is_array()) {
        result.problems.push_back(notArray);
        return result;
    }
    int number = 0;
    for (const nlohmann::json& entry : document) {
        ++number;
        read(entry, number, "entry " + std::to_string(number) + ": ", result);
    }
    return result;
}

}  // namespace tally
