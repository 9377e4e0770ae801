// SPDX-License-Identifier: MIT
#pragma once
// The captions of the program's message boxes, shared by the engine, the settings store and
// both front ends.

namespace tally {

// The application's name: the window's title, the settings store's name and the caption of
// the raw data editor's and the window's own messages.
inline constexpr const char* kApplicationName = "Quillfen's TallyBook";

// The caption of the time log's errors: a punch, an open or the lock refused.
inline constexpr const char* kErrorCaption = "Tallybook Error";

}  // namespace tally
