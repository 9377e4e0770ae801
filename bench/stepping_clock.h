// SPDX-License-Identifier: MIT
#pragma once
// A clock that moves on by a fixed step each time it is read, so that punch after punch
// lands later than the one before, as on a real day.

#include "time/clock.h"

namespace tally::bench {

class SteppingClock final : public Clock {
  public:
    SteppingClock(TimeValue start, TimeValue step) : next_(start), step_(step) {}

    TimeValue Now() const override {
        const TimeValue now = next_;
        next_ += step_;
        return now;
    }

  private:
    mutable TimeValue next_;
    TimeValue step_;
};

}  // namespace tally::bench
