// SPDX-License-Identifier: MIT
#include "core/clock.h"

#include <ctime>

namespace tally {

TimeValue SystemClock::Now() const {
    return static_cast<TimeValue>(std::time(nullptr));
}

}  // namespace tally
