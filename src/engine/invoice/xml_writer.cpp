// SPDX-License-Identifier: MIT
#include "invoice/xml_writer.h"

namespace tally {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The length of the well-formed UTF-8 sequence at text[i], or 0 where none starts there.
std::size_t SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the second byte's range (RFC 3629)
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else
        return 0;
    if (i + length > text.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    }
    // U+FFFE and U+FFFF are not XML characters.
    if (length == 3 && lead == 0xEF && byte(i + 1) == 0xBF && byte(i + 2) >= 0xBE) return 0;
    return length;
}

}  // namespace

std::string XmlEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        const std::size_t length = SequenceLength(text, i);
        if (length == 0) {
            out += kReplacement;
            ++i;
            continue;
        }
        if (length > 1) {
            out.append(text.substr(i, length));
            i += length;
            continue;
        }
        ++i;
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            // A line end within a value is kept; a carriage return would be read back as one.
            case '\r':
                out += "&#13;";
                break;
            default:
                // XML 1.0 holds no other control character than tab and line end.
                if ((static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t') || c == 0x7F)
                    out += kReplacement;
                else
                    out += c;
        }
    }
    return out;
}

XmlWriter::XmlWriter() : text_("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n") {}

void XmlWriter::StartTag(std::string_view name, const XmlAttributes& attributes) {
    text_.append(2 * open_.size(), ' ');
    text_ += '<';
    text_ += name;
    for (const auto& [key, value] : attributes) {
        text_ += ' ';
        text_ += key;
        text_ += "=\"";
        text_ += XmlEscaped(value);
        text_ += '"';
    }
    text_ += '>';
}

void XmlWriter::Open(std::string_view name, const XmlAttributes& attributes) {
    StartTag(name, attributes);
    text_ += '\n';
    open_.emplace_back(name);
}

void XmlWriter::Close() {
    const std::string name = std::move(open_.back());
    open_.pop_back();
    text_.append(2 * open_.size(), ' ');
    text_ += "</" + name + ">\n";
}

void XmlWriter::Element(std::string_view name, std::string_view text,
                        const XmlAttributes& attributes) {
    StartTag(name, attributes);
    text_ += XmlEscaped(text);
    text_ += "</";
    text_ += name;
    text_ += ">\n";
}

}  // namespace tally
