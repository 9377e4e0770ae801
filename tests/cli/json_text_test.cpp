// SPDX-License-Identifier: MIT
// The JSON writer and Utf8Text agree on what is UTF-8: whatever bytes a text holds, the
// output parses back.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>

#include "cli/json_text.h"
#include "json_output.h"

namespace tally::test {
namespace {

// Each byte as the code point of its value, UTF-8 encoded.
std::string CodePointsOf(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80) text += static_cast<char>(0xC0 | (b >> 6));
        text += static_cast<char>(b < 0x80 ? b : 0x80 | (b & 0x3F));
    }
    return text;
}

// Raw bytes reach the writer as they are when UTF-8, else as U+FFFD; Utf8Text keeps exactly
// the same bytes and reads the others as their code points, which the writer keeps.
TEST(JsonText, utf8TextKeepsExactlyWhatTheWriterTakesAsUtf8) {
    const struct {
        const char* name;
        std::string bytes;
        bool utf8;
    } kCases[] = {
        {"one byte", "A~\x7F", true},
        {"two bytes, lowest and highest", "\xC2\x80 \xDF\xBF", true},
        {"three bytes, lowest", "\xE0\xA0\x80", true},
        {"three bytes around the surrogates", "\xED\x9F\xBF \xEE\x80\x80", true},
        {"three bytes, highest", "\xEF\xBF\xBF", true},
        {"four bytes, lowest and highest", "\xF0\x90\x80\x80 \xF4\x8F\xBF\xBF", true},
        {"overlong two bytes", "\xC0\xAF \xC1\xBF", false},
        {"overlong three bytes", "\xE0\x80\xAF \xE0\x9F\xBF", false},
        {"overlong four bytes", "\xF0\x80\x80\xAF \xF0\x8F\xBF\xBF", false},
        {"surrogates", "\xED\xA0\x80 \xED\xBF\xBF", false},
        {"past U+10FFFF", "\xF4\x90\x80\x80 \xF5\x80\x80\x80 \xF7\xBF\xBF\xBF", false},
        {"cut short", "\xC3 \xE2\x82 \xF0\x9F\x98", false},
        {"lone continuation bytes", "\x80 \xBF", false},
        {"never in UTF-8", "\xF8\x88\x80\x80\x80 \xFE \xFF", false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        std::ostringstream out;
        cli::PrintJson(out, {{"raw", c.bytes}, {"text", cli::Utf8Text(c.bytes)}});
        const OrderedJson document = ParseJsonOutput(out.str());
        const std::string raw = document.value("raw", "");
        if (c.utf8) {
            EXPECT_EQ(raw, c.bytes);
        } else {
            EXPECT_NE(raw.find("\xEF\xBF\xBD"), std::string::npos) << raw;
        }
        EXPECT_EQ(document.value("text", ""), c.utf8 ? c.bytes : CodePointsOf(c.bytes));
    }
}

}  // namespace
}  // namespace tally::test
