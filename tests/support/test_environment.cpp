// SPDX-License-Identifier: MIT
#include "test_environment.h"

#include <cstdlib>
#include <ctime>

namespace tally::test {

void PinTestEnvironment() {
    setenv("TZ", kTestTimeZone, 1);
    tzset();
    // Expected messages hold the system's English error texts and numbers with a point.
    setenv("LC_ALL", "C.UTF-8", 1);
    unsetenv("LANGUAGE");
}

}  // namespace tally::test
