// SPDX-License-Identifier: MIT
#pragma once
// JSON output of tally: one document per run, keys in the order they are set.

#include <iosfwd>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <utility>

namespace tally::cli {

using Json = nlohmann::ordered_json;

// The text as valid UTF-8: bytes that are not UTF-8 (overlong forms, surrogates and code
// points past U+10FFFF included) become the code points of the same value, so a damaged log
// line or an odd path still reads back as the bytes it holds.
std::string Utf8Text(std::string_view bytes);

// An amount as the texts show it, rounded to cents ("%.2f").
double Cents(double amount);

// Writes the document on one line, ending in a line feed. A text that did not pass Utf8Text
// gets U+FFFD for bytes that are not UTF-8: the output is valid JSON whatever it holds.
void PrintJson(std::ostream& out, const Json& document);

// Writes {"KEY":[...]} element by element, so a long log never stands in memory as one
// document. Nothing is written before the first element or Finish: a command that fails
// before either prints nothing.
class JsonArrayPrinter {
  public:
    JsonArrayPrinter(std::ostream& out, std::string key) : out_(out), key_(std::move(key)) {}

    void Add(const Json& element);
    void Finish();

  private:
    void Open();

    std::ostream& out_;
    std::string key_;
    bool open_ = false;
};

}  // namespace tally::cli
