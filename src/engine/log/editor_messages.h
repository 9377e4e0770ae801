// SPDX-License-Identifier: MIT
#pragma once
// What the raw writer tells the user, shown in the application's message box under its
// name (kApplicationName).

#include "log/messages.h"

namespace tally {

inline constexpr const char* kSaveOpenFailedText = "Failed to open '%s'.\n%s";
inline constexpr const char* kSaveWriteFailedText = "Failed to write '%s'.\n%s";
inline constexpr const char* kFileChangedText =
    "The data file was changed by another program since it was loaded. Your changes were "
    "not saved.";

}  // namespace tally
