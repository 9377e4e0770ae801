// SPDX-License-Identifier: MIT
#include "cli/pdf_module_loader.h"

#include <dlfcn.h>

#include <filesystem>
#include <map>

#include "invoice/invoice_document_abi.h"

namespace tally::cli {
namespace {

constexpr const char* kModuleName = "tally_pdf.so";

// The entry of the module at path, loaded once for the process; it is never unloaded, as Qt
// keeps state that outlives a call. Empty, with dlerror's text in error, when it fails.
TallyWriteInvoicePdfFn LoadEntry(const std::string& path, std::string& error) {
    static std::map<std::string, TallyWriteInvoicePdfFn> loaded;
    if (const auto it = loaded.find(path); it != loaded.end()) return it->second;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = dlerror();
        error = why != nullptr ? why : path + ": cannot be loaded";
        return nullptr;
    }
    auto entry = reinterpret_cast<TallyWriteInvoicePdfFn>(dlsym(handle, kPdfModuleEntry));
    if (entry == nullptr) {
        error = path + " has no " + kPdfModuleEntry + " (a module of another version)";
        return nullptr;
    }
    loaded.emplace(path, entry);
    return entry;
}

// Beside the running program (the build tree), then in the installed library folder.
std::string FindModule() {
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return kModuleName;
    const std::filesystem::path folder = program.parent_path();
    const std::filesystem::path candidates[] = {folder / kModuleName,
                                                folder / TALLY_PDF_MODULE_FROM_BIN / kModuleName};
    for (const auto& candidate : candidates) {
        if (std::filesystem::exists(candidate, ec)) return candidate.string();
    }
    return candidates[1].lexically_normal().string();
}

}  // namespace

bool WriteInvoicePdfWith(const std::string& modulePath, const InvoiceDocument& document,
                         const std::string& facturXml, const std::string& path,
                         std::string& error) {
    std::string why;
    const TallyWriteInvoicePdfFn entry = LoadEntry(modulePath, why);
    if (entry == nullptr) {
        error = "cannot load the PDF module: " + why;
        return false;
    }
    const InvoiceDocumentView view = ViewOf(document);
    char message[1024] = "";
    const int status =
        entry(&view.c, facturXml.data(), facturXml.size(), path.c_str(), message, sizeof message);
    if (status == 0) return true;
    error = message;
    return false;
}

bool WriteInvoicePdfFile(const InvoiceDocument& document, const std::string& facturXml,
                         const std::string& path, std::string& error) {
    return WriteInvoicePdfWith(FindModule(), document, facturXml, path, error);
}

}  // namespace tally::cli
