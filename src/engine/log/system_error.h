// SPDX-License-Identifier: MIT
#pragma once
// The system's message text for an error number.

#include <string>

namespace tally {

// The text of the calling thread's last error (errno), unchanged.
std::string LastSystemErrorText();
std::string SystemErrorText(int errorNumber);

}  // namespace tally
