// SPDX-License-Identifier: MIT
#pragma once
// A small XML writer: nested elements with attributes and text, indented by two spaces, every
// value escaped. It writes what it is told; the element names are its caller's.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tally {

using XmlAttributes = std::vector<std::pair<std::string_view, std::string_view>>;

class XmlWriter {
  public:
    // Starts the document with its UTF-8 declaration.
    XmlWriter();
    // An element left open until Close.
    void Open(std::string_view name, const XmlAttributes& attributes = {});
    void Close();
    // An element holding only text.
    void Element(std::string_view name, std::string_view text,
                 const XmlAttributes& attributes = {});
    // The document; every element opened must be closed.
    const std::string& Text() const { return text_; }

  private:
    void StartTag(std::string_view name, const XmlAttributes& attributes);
    std::string text_;
    std::vector<std::string> open_;
};

// The text as XML character data or an attribute value: & < > " escaped, the control
// characters XML 1.0 cannot hold (and DEL) and bytes that are not UTF-8 replaced by U+FFFD.
std::string XmlEscaped(std::string_view text);

}  // namespace tally
