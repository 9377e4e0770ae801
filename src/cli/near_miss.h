// SPDX-License-Identifier: MIT
#pragma once
// The name a mistyped word was most likely meant to be, for "did you mean ...?".

#include <optional>
#include <string>
#include <vector>

namespace tally::cli {

// The first of names that word is closest to, counting a letter added, dropped, changed or
// two neighbours swapped as one edit; nothing unless it is at most two edits and at most a
// third of the name (one for a short name) away.
std::optional<std::string> NearestName(const std::string& word,
                                       const std::vector<std::string>& names);

}  // namespace tally::cli
