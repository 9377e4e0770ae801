// SPDX-License-Identifier: MIT
#pragma once
// The XMP metadata of a Factur-X invoice: PDF/A-3b's identification, the document's own
// properties as its Info dictionary gives them, and the four Factur-X properties with the
// extension schema that declares them to a PDF/A reader.

#include <ctime>
#include <string>

namespace tally {

// The name the invoice's XML carries inside the PDF.
inline constexpr const char* kFacturXFileName = "factur-x.xml";

// The Info dictionary's entries that PDF/A asks the XMP to repeat; empty ones are left out.
struct DocumentInfo {
    std::string title;
    std::string author;
    std::string subject;
    std::string keywords;
    std::string creator;   // the program that made the content (xmp:CreatorTool)
    std::string producer;  // the one that wrote the PDF (pdf:Producer)
    std::time_t created = 0;
    std::time_t modified = 0;
};

// The instant as a PDF date in local time ("D:20261207090000+01'00'") and as XMP writes it
// ("2026-12-07T09:00:00+01:00"), so that both name the same second.
std::string PdfDateText(std::time_t instant);
std::string XmpDateText(std::time_t instant);

// The whole XMP packet (UTF-8) for a Factur-X invoice of the EN 16931 profile.
std::string FacturXMetadata(const DocumentInfo& info);

}  // namespace tally
