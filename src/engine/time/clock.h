// SPDX-License-Identifier: MIT
#pragma once
// Where "now" comes from: the system clock in the programs, a settable one in tests.

#include "time/local_time.h"

namespace tally {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual TimeValue Now() const = 0;
};

class SystemClock final : public Clock {
  public:
    TimeValue Now() const override;
};

// One instant for several punches that must carry the same second (a switch of logs).
class FixedClock final : public Clock {
  public:
    explicit FixedClock(TimeValue at) : at_(at) {}
    TimeValue Now() const override { return at_; }

  private:
    TimeValue at_;
};

}  // namespace tally
