// SPDX-License-Identifier: MIT
#pragma once
// The lines of a text file for the import readers: LF or CR LF ends, numbered from 1.

#include <functional>
#include <string_view>

namespace tally {

// Calls each line (without its end) with its number; stops when it returns false.
void ForEachLine(std::string_view text, const std::function<bool(std::string_view, int)>& take);

}  // namespace tally
