// SPDX-License-Identifier: MIT
#include "time/clock.h"

#include <ctime>

namespace tally {

TimeValue SystemClock::Now() const {
    return static_cast<TimeValue>(std::time(nullptr));
}

}  // namespace tally
