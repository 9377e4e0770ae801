// SPDX-License-Identifier: MIT
#pragma once
// The currencies an electronic invoice may be in: ISO 4217's alphabetic codes, as the
// EN 16931 rules list them.

#include <string_view>

namespace tally {

bool IsIso4217Currency(std::string_view code);

}  // namespace tally
