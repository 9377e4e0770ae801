// SPDX-License-Identifier: MIT
#pragma once
// The time zone, locale and display every test binary runs with, set by its main before any
// test, so that a binary gives the same results run by hand as under ctest. Programs the tests
// start inherit them.

namespace tally::test {

// Central European time with its summer time: the zone every expected text is written in.
inline constexpr const char* kTestTimeZone = "CET-1CEST,M3.5.0,M10.5.0/3";

// Sets TZ (and applies it) and LC_ALL for this process and the programs it starts.
void PinTestEnvironment();

}  // namespace tally::test
