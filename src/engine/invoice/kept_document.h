// SPDX-License-Identifier: MIT
#pragma once
// The document of an issued invoice or credit note, kept as plain text beside its archived
// PDF: a credit note copies the lines its invoice printed, whatever the log or the rate say
// since. One value a line, KEY TAB VALUE, in a fixed order after the format line:
//
//   # TallyBook invoice document 1
//   kind        invoice
//   number      2026-001
//   ...
//   line        2026-11-02  2026-11-02  440  7.3333  660.00
//   ...
//   total       2356.20
//
// Text values write a backslash, TAB, CR and LF as \\, \t, \r and \n. Nothing in it is meant
// to be edited: a file that differs from what the writer writes is refused.

#include <string>
#include <string_view>

#include "invoice/invoice_document.h"

namespace tally {

inline constexpr const char* kKeptDocumentFormatLine = "# TallyBook invoice document 1";

std::string KeptDocumentText(const InvoiceDocument& document);

// A kept document read back: the document, or that there is none, or what is wrong with it
// (one line naming the file and the line at fault: "2026-001.txt:12: ...").
struct KeptDocumentRead {
    bool missing = false;
    InvoiceDocument document;
    std::string problem;
    bool Ok() const { return !missing && problem.empty(); }
};

KeptDocumentRead ParseKeptDocument(std::string_view text, const std::string& path);
KeptDocumentRead ReadKeptDocument(const std::string& path);

}  // namespace tally
