// SPDX-License-Identifier: MIT
#pragma once
// The caption that scrolls in the title bar while the user is clocked in.

#include <string>

namespace tally {

inline constexpr const char* kVersionLabel = "TallyBook V. 2.2";
inline constexpr const char* kProductPhrase = "Quillfen TallyBook ";

class MarqueeCaption {
  public:
    MarqueeCaption() { Build(); }
    // Formats the caption anew, undoing any rotation.
    void Build();
    // Moves the first character to the end.
    void Rotate();
    const std::string& Text() const { return text_; }

  private:
    std::string text_;
};

}  // namespace tally
