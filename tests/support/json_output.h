// SPDX-License-Identifier: MIT
#pragma once
// Reading what tally prints with --json: exactly one document on one line, and its keys in
// the order they stand.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace tally::test {

using OrderedJson = nlohmann::ordered_json;

// The document of a --json run's standard output; a failed expectation (and null) when the
// output is not one JSON document ending in one line feed.
inline OrderedJson ParseJsonOutput(const std::string& out) {
    EXPECT_TRUE(out.ends_with("\n") && out.find('\n') == out.size() - 1) << out;
    OrderedJson document = OrderedJson::parse(out, nullptr, false);
    EXPECT_FALSE(document.is_discarded()) << out;
    return document.is_discarded() ? OrderedJson() : document;
}

// The keys of an object in their order; none for anything else.
inline std::vector<std::string> KeysOf(const OrderedJson& value) {
    std::vector<std::string> keys;
    if (!value.is_object()) return keys;
    for (const auto& item : value.items()) keys.push_back(item.key());
    return keys;
}

}  // namespace tally::test
