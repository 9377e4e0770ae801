// SPDX-License-Identifier: MIT
// The main of every GUI test binary: one QApplication for all tests of the binary.

#include <gtest/gtest.h>
#include <QApplication>
#include <clocale>
#include <cstdlib>

#include "test_environment.h"

// Before the constants of the test files are made: some of them are local times. Headless
// wherever it runs, test discovery included.
[[gnu::constructor(101)]] static void PinEnvironmentFirst() {
    tally::test::PinTestEnvironment();
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // QApplication takes the number format from the environment; the engine reads and
    // writes numbers in the C locale.
    std::setlocale(LC_NUMERIC, "C");
    return RUN_ALL_TESTS();
}
