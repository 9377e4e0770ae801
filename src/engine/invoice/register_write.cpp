// SPDX-License-Identifier: MIT
#include "invoice/register_write.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <filesystem>

#include "invoice/register_place.h"
#include "log/backup_rotation.h"
#include "log/replacement_file.h"
#include "log/system_error.h"
#include "log/time_log_file.h"
#include "log/whole_file.h"

namespace tally {
namespace {

namespace fs = std::filesystem;

constexpr mode_t kNewFileMode = 0644;

// Replaces the file at target with bytes: temporary file, flush, rename. Empty on success,
// else the system's reason; the file is then as it was.
std::string ReplaceFile(const std::string& target, const std::string& bytes) {
    RemoveLeftoverReplacements(target);  // what a run killed before its rename left
    struct stat old {};
    const bool exists = stat(target.c_str(), &old) == 0;
    ReplacementFile file;
    if (!file.Create(target, exists ? (old.st_mode & 07777) : kNewFileMode,
                     exists ? &old : nullptr) ||
        !file.Write(bytes.data(), bytes.size()) || !file.Flush() || !file.RenameOver()) {
        return LastSystemErrorText();
    }
    return {};
}

// Creates the temporary file of a document for path (or the file its link leads to), with
// the mode of the file it replaces or a new document's; false, with the message.
bool CreateDocument(ReplacementFile& file, const std::string& path, const char* verb,
                    std::string& problem) {
    const std::string target = DocumentFileBehind(path, verb, problem);
    if (target.empty()) return false;
    RemoveLeftoverReplacements(target);
    struct stat old {};
    const bool replaces = stat(target.c_str(), &old) == 0;
    if (file.Create(target, replaces ? old.st_mode & 07777 : NewDocumentMode(),
                    replaces ? &old : nullptr))
        return true;
    problem = "Cannot " + std::string(verb) + " " + path + ": " + LastSystemErrorText();
    return false;
}

}  // namespace

RegisterChange Failed(std::string error) {
    RegisterChange change;
    change.error = std::move(error);
    return change;
}

std::string LockRegister(FileLock& lock, const std::string& target, const LockOptions& options) {
    switch (lock.Acquire(RegisterLockPath(target), true, nullptr, options)) {
        case FileLock::Status::Locked:
            return {};
        case FileLock::Status::Busy:
            return "The invoice register " + target + " is in use by another program.";
        case FileLock::Status::NotRegular:
            return "Cannot lock the invoice register: " + RegisterLockPath(target) +
                   " is not a regular file.";
        case FileLock::Status::Missing:
        case FileLock::Status::OpenFailed:
            break;
    }
    return "Cannot lock the invoice register " + target + ": " + LastSystemErrorText();
}

std::string WriteRegister(const std::string& target, const InvoiceRegister& reg) {
    const std::string reason = ReplaceFile(target, reg.Text());
    return reason.empty() ? reason : "Cannot write the invoice register " + target + ": " + reason;
}

RegisterChange SaveNewEntry(const std::string& target, const InvoiceRegister& reg,
                            const InvoiceEntry& entry, const DocumentFiles& files,
                            const std::function<bool(const std::string&, std::string&)>& writePdf) {
    constexpr const char* kVerb = "write the invoice to";
    std::string problem;
    ReplacementFile pdf;
    std::string bytes;
    if (files.userCopy) {
        if (!CreateDocument(pdf, entry.pdf, kVerb, problem)) return Failed(problem);
        std::string pdfError;
        if (!writePdf(pdf.TempPath(), pdfError)) return Failed(pdfError);
        if (!pdf.Flush())
            return Failed("Cannot " + std::string(kVerb) + " " + entry.pdf + ": " +
                          LastSystemErrorText());
        WholeFile written = ReadWholeFile(pdf.TempPath());
        if (!written.Ok())
            return Failed("Cannot " + std::string(kVerb) + " " + entry.pdf + ": " +
                          SystemErrorText(written.error));
        bytes = std::move(written.bytes);
    }

    const std::string archive = ArchiveFolder(target);
    const std::string archived = ArchivePath(target, entry.number);
    const std::string keptPath = KeptDocumentPath(target, entry.number);
    // An archive folder this call made goes again with a failure, once the temporary files
    // in it (destroyed before it) are gone.
    std::error_code error;
    struct MadeFolder {
        std::string path;
        ~MadeFolder() {
            if (!path.empty()) rmdir(path.c_str());
        }
    } madeArchive{fs::create_directories(archive, error) ? archive : std::string()};
    const auto keepFailed = [&](const std::string& what) {
        return Failed("Cannot keep " + what + " in " + archive + ": " +
                      (error ? error.message() : LastSystemErrorText()));
    };
    ReplacementFile copy;
    if (!error) RemoveLeftoverReplacements(archived);
    if (error || !copy.Create(archived, kNewFileMode, nullptr))
        return keepFailed("a copy of the PDF");
    if (!files.userCopy) {
        std::string pdfError;
        if (!writePdf(copy.TempPath(), pdfError)) return Failed(pdfError);
    } else if (!copy.Write(bytes.data(), bytes.size())) {
        return keepFailed("a copy of the PDF");
    }
    if (!copy.Flush()) return keepFailed("a copy of the PDF");
    RemoveLeftoverReplacements(keptPath);
    ReplacementFile kept;
    if (!kept.Create(keptPath, kNewFileMode, nullptr) ||
        !kept.Write(files.keptText.data(), files.keptText.size()) || !kept.Flush())
        return keepFailed("the document of " + entry.number);
    ReplacementFile xml;
    const bool withXml = !files.xmlPath.empty();
    if (withXml) {
        if (!CreateDocument(xml, files.xmlPath, kVerb, problem)) return Failed(problem);
        if (!xml.Write(files.xmlText.data(), files.xmlText.size()) || !xml.Flush())
            return Failed("Cannot " + std::string(kVerb) + " " + files.xmlPath + ": " +
                          LastSystemErrorText());
    }
    if (std::string failure = WriteRegister(target, reg); !failure.empty())
        return Failed(std::move(failure));
    madeArchive.path.clear();
    // Saved: what follows only puts the finished files in place.
    if (!copy.RenameOver() || !kept.RenameOver() || (files.userCopy && !pdf.RenameOver()) ||
        (withXml && !xml.RenameOver()))
        return Failed(
            (entry.state == InvoiceState::CreditNote ? "Credit note " : "Invoice ") + entry.number +
            " is issued, but its files could not be put in place: " + LastSystemErrorText());
    RegisterChange result;
    result.ok = true;
    result.entry = entry;
    return result;
}

}  // namespace tally
