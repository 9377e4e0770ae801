// SPDX-License-Identifier: MIT
#pragma once
// The hybrid invoice (Factur-X, EN 16931 profile): the PDF people read, carrying the same
// invoice as XML that an accounts system reads. Qt writes PDF/A-1b, which may hold no file;
// libqpdf finishes it as the PDF/A-3b that holds the XML, and reads the XML back.

#include <ctime>
#include <string>

namespace tally {

// The PDF/A-1b in pdf made a PDF/A-3b (PDF 1.7) in out: xml embedded as factur-x.xml (an
// alternative of what the pages show, referenced from the catalogue's /AF and its
// /EmbeddedFiles), the XMP rewritten for PDF/A-3b and Factur-X, the Info dictionary and the
// file dated at the instant now. The same pdf, xml and now give the same bytes. False, with
// the reason in error, when pdf cannot be read.
bool FinishFacturX(const std::string& pdf, const std::string& xml, std::time_t now,
                   std::string& out, std::string& error);

// The XML that the PDF at path carries as factur-x.xml; false, with the reason in error, when
// it cannot be read or carries none.
bool ReadFacturXml(const std::string& path, std::string& xml, std::string& error);

}  // namespace tally
