#pragma once
// JSON output without a library: strings quoted and escaped.

#include <string>

namespace tally::cli {

// The text as a JSON string, quotes included. Bytes that are not UTF-8 are written as the
// code points of the same value, so the document stays valid whatever the log holds.
std::string JsonString(const std::string& text);

}  // namespace tally::cli
