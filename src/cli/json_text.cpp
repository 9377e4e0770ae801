// SPDX-License-Identifier: MIT
#include "cli/json_text.h"

#include <charconv>
#include <ostream>

#include "time/c_format.h"

namespace tally::cli {
namespace {

// The length of the UTF-8 sequence at text[i], or 0 when it is not one. Valid as nlohmann's
// writer reads it: no overlong form, no surrogate, nothing past U+10FFFF, so the writer never
// has to replace a byte that passed here.
std::size_t Utf8Length(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    if (lead >= 0xE0 && lead <= 0xEF) length = 3;
    if (lead >= 0xF0 && lead <= 0xF4) length = 4;
    if (length == 0 || i + length > text.size()) return 0;
    // The second byte's range is narrower after the leads where a wider one would give an
    // overlong form (E0, F0), a surrogate (ED) or a code point past U+10FFFF (F4).
    const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    }
    return length;
}

}  // namespace

std::string Utf8Text(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            text += static_cast<char>(c);
        } else if (const std::size_t length = Utf8Length(bytes, i)) {
            text.append(bytes, i, length);
            i += length - 1;
        } else {
            text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return text;
}

double Cents(double amount) {
    const std::string text = FormatC("%.2f", amount);
    double cents = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), cents);
    return cents + 0.0;  // no -0 for nothing earned
}

namespace {

// Replacing is a last guard: every text from the log has gone through Utf8Text.
std::string Dump(const Json& value) {
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace

void PrintJson(std::ostream& out, const Json& document) {
    out << Dump(document) << '\n';
}

void JsonArrayPrinter::Open() {
    out_ << '{' << Dump(key_) << ":[";
    open_ = true;
}

void JsonArrayPrinter::Add(const Json& element) {
    if (open_) {
        out_ << ',';
    } else {
        Open();
    }
    out_ << Dump(element);
}

void JsonArrayPrinter::Finish() {
    if (!open_) Open();
    out_ << "]}\n";
}

}  // namespace tally::cli
