// SPDX-License-Identifier: MIT
#pragma once
// A folder only this user can reach, for what must not be read or replaced by another user
// (the single-instance lock and socket). In the shared temporary folder anyone may have made
// the name first: a folder that is not a real one of this user's, with mode 0700, is refused.

#include <string>

namespace tally {

// Makes the folder (mode 0700) where it is missing. Empty when it is this user's alone; else
// why not, naming it.
std::string MakePrivateFolder(const std::string& path);

}  // namespace tally
