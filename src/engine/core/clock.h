// SPDX-License-Identifier: MIT
#pragma once
// Where "now" comes from: the system clock in the programs, a settable one in tests.

#include "core/local_time.h"

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

}  // namespace tally
