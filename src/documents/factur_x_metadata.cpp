// SPDX-License-Identifier: MIT
#include "documents/factur_x_metadata.h"

#include <cstdlib>

#include "invoice/xml_writer.h"
#include "time/c_format.h"

namespace tally {
namespace {

constexpr const char* kFacturXNamespace = "urn:factur-x:pdfa:CrossIndustryDocument:invoice:1p0#";

struct LocalTime {
    std::tm parts{};
    long offsetMinutes = 0;  // east of UTC
};

LocalTime LocalTimeOf(std::time_t instant) {
    LocalTime local;
    localtime_r(&instant, &local.parts);
    local.offsetMinutes = local.parts.tm_gmtoff / 60;
    return local;
}

// One rdf:Description holding the properties of one namespace.
std::string Description(const char* prefix, const char* uri, const std::string& properties) {
    return std::string("  <rdf:Description rdf:about=\"\" xmlns:") + prefix + "=\"" + uri +
           "\">\n" + properties + "  </rdf:Description>\n";
}

std::string Property(const char* name, const std::string& value) {
    return std::string("   <") + name + ">" + XmlEscaped(value) + "</" + name + ">\n";
}

// A language alternative (dc:title, dc:description) with its one default entry.
std::string Alternative(const char* name, const std::string& value) {
    return std::string("   <") + name + "><rdf:Alt><rdf:li xml:lang=\"x-default\">" +
           XmlEscaped(value) + "</rdf:li></rdf:Alt></" + name + ">\n";
}

// The extension schema entry of one Factur-X property: every one is external text.
std::string ExtensionProperty(const char* name, const char* description) {
    return std::string(
               "       <rdf:li rdf:parseType=\"Resource\">\n"
               "        <pdfaProperty:name>") +
           name +
           "</pdfaProperty:name>\n"
           "        <pdfaProperty:valueType>Text</pdfaProperty:valueType>\n"
           "        <pdfaProperty:category>external</pdfaProperty:category>\n"
           "        <pdfaProperty:description>" +
           description +
           "</pdfaProperty:description>\n"
           "       </rdf:li>\n";
}

std::string ExtensionSchema() {
    return std::string(
               "  <rdf:Description rdf:about=\"\"\n"
               "    xmlns:pdfaExtension=\"http://www.aiim.org/pdfa/ns/extension/\"\n"
               "    xmlns:pdfaSchema=\"http://www.aiim.org/pdfa/ns/schema#\"\n"
               "    xmlns:pdfaProperty=\"http://www.aiim.org/pdfa/ns/property#\">\n"
               "   <pdfaExtension:schemas>\n"
               "    <rdf:Bag>\n"
               "     <rdf:li rdf:parseType=\"Resource\">\n"
               "      <pdfaSchema:schema>Factur-X PDFA Extension Schema</pdfaSchema:schema>\n"
               "      <pdfaSchema:namespaceURI>") +
           kFacturXNamespace +
           "</pdfaSchema:namespaceURI>\n"
           "      <pdfaSchema:prefix>fx</pdfaSchema:prefix>\n"
           "      <pdfaSchema:property>\n"
           "       <rdf:Seq>\n" +
           ExtensionProperty("DocumentFileName", "The name of the embedded XML invoice") +
           ExtensionProperty("DocumentType", "INVOICE") +
           ExtensionProperty("Version", "The version of the Factur-X XML schema") +
           ExtensionProperty("ConformanceLevel", "The Factur-X profile of the XML invoice") +
           "       </rdf:Seq>\n"
           "      </pdfaSchema:property>\n"
           "     </rdf:li>\n"
           "    </rdf:Bag>\n"
           "   </pdfaExtension:schemas>\n"
           "  </rdf:Description>\n";
}

}  // namespace

std::string PdfDateText(std::time_t instant) {
    const LocalTime t = LocalTimeOf(instant);
    return FormatC("D:%04d%02d%02d%02d%02d%02d%c%02ld'%02ld'", t.parts.tm_year + 1900,
                   t.parts.tm_mon + 1, t.parts.tm_mday, t.parts.tm_hour, t.parts.tm_min,
                   t.parts.tm_sec, t.offsetMinutes < 0 ? '-' : '+', std::labs(t.offsetMinutes) / 60,
                   std::labs(t.offsetMinutes) % 60);
}

std::string XmpDateText(std::time_t instant) {
    const LocalTime t = LocalTimeOf(instant);
    return FormatC("%04d-%02d-%02dT%02d:%02d:%02d%c%02ld:%02ld", t.parts.tm_year + 1900,
                   t.parts.tm_mon + 1, t.parts.tm_mday, t.parts.tm_hour, t.parts.tm_min,
                   t.parts.tm_sec, t.offsetMinutes < 0 ? '-' : '+', std::labs(t.offsetMinutes) / 60,
                   std::labs(t.offsetMinutes) % 60);
}

std::string FacturXMetadata(const DocumentInfo& info) {
    std::string dc = Property("dc:format", "application/pdf");
    if (!info.title.empty()) dc += Alternative("dc:title", info.title);
    if (!info.author.empty())
        dc += "   <dc:creator><rdf:Seq><rdf:li>" + XmlEscaped(info.author) +
              "</rdf:li></rdf:Seq></dc:creator>\n";
    if (!info.subject.empty()) dc += Alternative("dc:description", info.subject);
    std::string xmp = Property("xmp:CreateDate", XmpDateText(info.created)) +
                      Property("xmp:ModifyDate", XmpDateText(info.modified)) +
                      Property("xmp:MetadataDate", XmpDateText(info.modified));
    if (!info.creator.empty()) xmp += Property("xmp:CreatorTool", info.creator);
    std::string pdf;
    if (!info.producer.empty()) pdf += Property("pdf:Producer", info.producer);
    if (!info.keywords.empty()) pdf += Property("pdf:Keywords", info.keywords);
    const std::string fx =
        Property("fx:DocumentType", "INVOICE") + Property("fx:DocumentFileName", kFacturXFileName) +
        Property("fx:Version", "1.0") + Property("fx:ConformanceLevel", "EN 16931");
    return "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
           "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
           " <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n" +
           Description("pdfaid", "http://www.aiim.org/pdfa/ns/id/",
                       Property("pdfaid:part", "3") + Property("pdfaid:conformance", "B")) +
           Description("dc", "http://purl.org/dc/elements/1.1/", dc) +
           Description("xmp", "http://ns.adobe.com/xap/1.0/", xmp) +
           (pdf.empty() ? std::string() : Description("pdf", "http://ns.adobe.com/pdf/1.3/", pdf)) +
           Description("fx", kFacturXNamespace, fx) + ExtensionSchema() +
           " </rdf:RDF>\n"
           "</x:xmpmeta>\n"
           "<?xpacket end=\"w\"?>";
}

}  // namespace tally
