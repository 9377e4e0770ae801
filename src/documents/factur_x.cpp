// SPDX-License-Identifier: MIT
#include "documents/factur_x.h"

#include <exception>
#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFEFStreamObjectHelper.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFFileSpecObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "documents/factur_x_metadata.h"

namespace tally {
namespace {

// An Info entry as UTF-8; empty when it is missing or no string.
std::string InfoText(QPDFObjectHandle info, const char* key) {
    QPDFObjectHandle value = info.getKey(key);
    return value.isString() ? value.getUTF8Value() : std::string();
}

// The Info dictionary dated at now; what the XMP must repeat of it.
DocumentInfo DatedInfo(QPDF& pdf, std::time_t now) {
    QPDFObjectHandle trailer = pdf.getTrailer();
    QPDFObjectHandle info = trailer.getKey("/Info");
    if (!info.isDictionary()) {
        info = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
        trailer.replaceKey("/Info", info);
    }
    const std::string date = PdfDateText(now);
    info.replaceKey("/CreationDate", QPDFObjectHandle::newString(date));
    info.replaceKey("/ModDate", QPDFObjectHandle::newString(date));
    return {InfoText(info, "/Title"),
            InfoText(info, "/Author"),
            InfoText(info, "/Subject"),
            InfoText(info, "/Keywords"),
            InfoText(info, "/Creator"),
            InfoText(info, "/Producer"),
            now,
            now};
}

// The catalogue's metadata stream holds text, unfiltered, as PDF/A asks.
void ReplaceMetadata(QPDF& pdf, const std::string& xmp) {
    QPDFObjectHandle root = pdf.getRoot();
    QPDFObjectHandle metadata = root.getKey("/Metadata");
    if (!metadata.isStream()) {
        metadata = pdf.newStream();
        root.replaceKey("/Metadata", metadata);
    }
    metadata.replaceStreamData(xmp, QPDFObjectHandle::newNull(), QPDFObjectHandle::newNull());
    QPDFObjectHandle dict = metadata.getDict();
    dict.replaceKey("/Type", QPDFObjectHandle::newName("/Metadata"));
    dict.replaceKey("/Subtype", QPDFObjectHandle::newName("/XML"));
}

void EmbedXml(QPDF& pdf, const std::string& xml, std::time_t now) {
    // createEFStream adds the size and the checksum to /Params.
    QPDFEFStreamObjectHelper stream = QPDFEFStreamObjectHelper::createEFStream(pdf, xml);
    stream.setSubtype("text/xml").setModDate(PdfDateText(now));
    QPDFFileSpecObjectHelper attachment =
        QPDFFileSpecObjectHelper::createFileSpec(pdf, kFacturXFileName, stream);
    attachment.setDescription("The invoice as EN 16931 XML (Factur-X)");
    QPDFObjectHandle attachmentObject = attachment.getObjectHandle();
    attachmentObject.replaceKey("/AFRelationship", QPDFObjectHandle::newName("/Alternative"));
    QPDFEmbeddedFileDocumentHelper(pdf).replaceEmbeddedFile(kFacturXFileName, attachment);
    pdf.getRoot().replaceKey("/AF", QPDFObjectHandle::newArray({attachmentObject}));
}

}  // namespace

bool FinishFacturX(const std::string& pdf, const std::string& xml, std::time_t now,
                   std::string& out, std::string& error) {
    try {
        QPDF document;
        document.setSuppressWarnings(true);
        document.processMemoryFile("the invoice's PDF/A-1b", pdf.data(), pdf.size());
        const DocumentInfo info = DatedInfo(document, now);
        ReplaceMetadata(document, FacturXMetadata(info));
        EmbedXml(document, xml, now);
        // Qt's /ID is random: without it, qpdf makes both halves from the content.
        document.getTrailer().removeKey("/ID");
        QPDFWriter writer(document);
        writer.setOutputMemory();
        writer.forcePDFVersion("1.7");
        // PDF/A asks for a line end before every endstream; a digest of the content, not the
        // clock, makes the /ID.
        writer.setNewlineBeforeEndstream(true);
        writer.setDeterministicID(true);
        writer.write();
        const std::shared_ptr<Buffer> bytes = writer.getBufferSharedPointer();
        out.assign(reinterpret_cast<const char*>(bytes->getBuffer()), bytes->getSize());
        return true;
    } catch (const std::exception& e) {
        error = std::string("cannot make the PDF/A-3 of the invoice: ") + e.what();
        return false;
    }
}

bool ReadFacturXml(const std::string& path, std::string& xml, std::string& error) {
    try {
        QPDF document;
        document.setSuppressWarnings(true);
        document.processFile(path.c_str());
        const auto attachment =
            QPDFEmbeddedFileDocumentHelper(document).getEmbeddedFile(kFacturXFileName);
        if (!attachment) {
            error = path + " carries no " + kFacturXFileName;
            return false;
        }
        QPDFObjectHandle stream = attachment->getEmbeddedFileStream();
        if (!stream.isStream()) {
            error = path + " names " + kFacturXFileName + " but holds no such file";
            return false;
        }
        const std::shared_ptr<Buffer> bytes = stream.getStreamData(qpdf_dl_all);
        xml.assign(reinterpret_cast<const char*>(bytes->getBuffer()), bytes->getSize());
        return true;
    } catch (const std::exception& e) {
        error = "cannot read " + path + ": " + e.what();
        return false;
    }
}

}  // namespace tally
