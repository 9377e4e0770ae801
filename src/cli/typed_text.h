// SPDX-License-Identifier: MIT
#pragma once
// Values as a command line types them: "\n" for a line break, on/off for a switch.

#include <optional>
#include <string>

namespace tally::cli {

// "\n" typed on a command line is a line break.
std::string LineBreaks(const std::string& typed);
// The text as a command line would type it: each line break as "\n".
std::string TypedLineBreaks(const std::string& text);
// 1 for 1, true, yes and on; 0 for 0, false, no and off; nothing for anything else.
std::optional<int> ParseFlag(const std::string& text);

}  // namespace tally::cli
