#pragma once
// Time log text for the invoice tests, written as the punch writer writes it.

#include <string>

namespace tally::test {

// One triple from local wall times "YYYY-MM-DD HH:MM:SS": In record, Out record and the
// Elapsed line of their difference.
std::string Triple(const std::string& in, const std::string& out);

// An In record alone, as a clocked-in log ends.
std::string OpenIn(const std::string& in);

}  // namespace tally::test
