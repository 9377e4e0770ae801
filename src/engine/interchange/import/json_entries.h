// SPDX-License-Identifier: MIT
#pragma once
// The frame of the JSON import readers: the file is one array, each element an entry that is
// numbered from 1 in the problems ("entry 3: ...").

#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "interchange/import/imported_spans.h"

namespace tally {

// Hands each element of the array in text to read, with its number and the "entry N: " lead
// of its problems. Text that is no JSON array gives notArray as the only problem.
using ReadJsonEntry = std::function<void(const nlohmann::json& entry, int number,
                                         const std::string& where, ImportedSpans& result)>;
ImportedSpans ReadJsonEntries(std::string_view text, const char* notArray,
                              const ReadJsonEntry& read);

}  // namespace tally
