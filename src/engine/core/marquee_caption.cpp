// SPDX-License-Identifier: MIT
#include "core/marquee_caption.h"

#include "time/c_format.h"

namespace tally {

void MarqueeCaption::Build() {
    text_ = FormatC("%s (%s) -- ", kProductPhrase, kVersionLabel);
}

void MarqueeCaption::Rotate() {
    if (text_.empty()) return;
    text_ = text_.substr(1) + text_.front();
}

}  // namespace tally
