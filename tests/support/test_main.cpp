// SPDX-License-Identifier: MIT
// The main of every test binary without windows.

#include <gtest/gtest.h>

#include "test_environment.h"

// Before the constants of the test files are made: some of them are local times.
[[gnu::constructor(101)]] static void PinEnvironmentFirst() {
    tally::test::PinTestEnvironment();
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
