// SPDX-License-Identifier: MIT
// The PDF module that tally loads when a PDF is asked for: the renderer behind a C entry.

#include <QGuiApplication>
#include <QHashFunctions>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "documents/invoice_drawing.h"
#include "invoice/invoice_document_abi.h"

namespace {

// A command's output: Qt's notes on the offscreen platform (no XDG_RUNTIME_DIR, say) are
// not the user's business, its errors are.
void ErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "tally: %s\n", message.toLocal8Bit().constData());
}

void CopyError(const std::string& message, char* error, std::size_t size) {
    if (error == nullptr || size == 0) return;
    const std::size_t n = std::min(message.size(), size - 1);
    std::memcpy(error, message.data(), n);
    error[n] = '\0';
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int tally_write_invoice_pdf_v5(
    const TallyInvoiceDocument* document, const char* xml, std::size_t xmlSize, const char* path,
    char* error, std::size_t errorSize) {
    if (document == nullptr || path == nullptr || (xml == nullptr && xmlSize != 0)) {
        CopyError("no document, no path or no XML", error, errorSize);
        return 1;
    }
    // Fonts need a QGuiApplication. tally has no application at all: one on the offscreen
    // platform for this call, whatever desktop the command runs on.
    std::unique_ptr<QGuiApplication> app;
    QtMessageHandler previous = nullptr;
    if (QCoreApplication::instance() == nullptr) {
        previous = qInstallMessageHandler(ErrorsOnly);
        // Locals: the application takes the arguments it reads out of argv.
        int argc = 3;
        char arg0[] = "tally";
        char arg1[] = "-platform";
        char arg2[] = "offscreen";
        char* argv[] = {arg0, arg1, arg2, nullptr};
        // The application sets the C library's locale from the environment; the command
        // prints its numbers in the C locale after this call too.
        const std::string cLocale = std::setlocale(LC_ALL, nullptr);
        // Qt names its font subsets in the order of a hash: a fixed seed gives the same PDF
        // for the same invoice, in this process that holds no other hash of ours.
        QHashSeed::setDeterministicGlobalSeed();
        app = std::make_unique<QGuiApplication>(argc, argv);
        std::setlocale(LC_ALL, cLocale.c_str());
    } else if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        CopyError("the PDF renderer needs a QGuiApplication", error, errorSize);
        return 1;
    }
    std::string message;
    const std::string facturXml = xmlSize == 0 ? std::string() : std::string(xml, xmlSize);
    const bool written =
        tally::WriteInvoicePdf(tally::DocumentOf(*document), facturXml, path, message);
    if (!written) CopyError(message, error, errorSize);
    if (app) {
        app.reset();
        qInstallMessageHandler(previous);
    }
    return written ? 0 : 1;
}
