// SPDX-License-Identifier: MIT
#include "invoice/register_place.h"

#include <sys/stat.h>
#include <cstdio>
#include <filesystem>
#include <set>

#include "log/replacement_file.h"

namespace tally {
namespace {

namespace fs = std::filesystem;

constexpr const char* kArchiveFolderName = "invoices";

// Where a link at path leads; empty when it is none or cannot be read.
std::string LinkDestination(const std::string& path) {
    std::error_code error;
    const fs::path destination = fs::read_symlink(path, error);
    return error ? std::string() : destination.string();
}

// Empty unless path is a link that leads nowhere: replacing it would put a plain file where
// the user keeps a link (into a synced folder, say).
std::string DanglingLinkProblem(const std::string& path, const std::string& what) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode) || stat(path.c_str(), &st) == 0)
        return {};
    return "The " + what + " " + path + " is a link to " + LinkDestination(path) +
           ", which does not exist; mend the link or choose another place.";
}

// The numbers of the PDFs in the archive (NUMBER.pdf; hidden files are unfinished copies).
std::set<std::string> ArchivedNumbers(const std::string& archive) {
    std::set<std::string> numbers;
    std::error_code error;
    fs::directory_iterator files(archive, error);
    for (; !error && files != fs::directory_iterator(); files.increment(error)) {
        const fs::path name = files->path().filename();
        if (name.extension() == ".pdf" && name.string().front() != '.')
            numbers.insert(name.stem().string());
    }
    return numbers;
}

}  // namespace

// The file a path names, links followed, as far as it exists: a register kept in a synced
// folder through a link is replaced there, and shares its lock with every path to it.
std::string ResolvedRegisterPath(const std::string& path) {
    std::error_code error;
    const fs::path resolved = fs::weakly_canonical(fs::absolute(path), error);
    return error ? path : resolved.string();
}

// The lock is a file of its own beside the register, which is replaced by rename.
std::string RegisterLockPath(const std::string& target) {
    return target + ".lock";
}

// Empty when the register, its lock and its archive are what their paths say: no link that
// leads nowhere, a folder where a folder belongs, a file where the register belongs.
std::string RegisterPlaceProblem(const std::string& registerPath) {
    std::error_code error;
    const fs::path given = fs::absolute(registerPath, error);
    for (fs::path folder = given.parent_path(); !folder.empty(); folder = folder.parent_path()) {
        struct stat st {};
        if (stat(folder.c_str(), &st) == 0) {
            if (!S_ISDIR(st.st_mode))
                return "The folder of the invoice register, " + folder.string() +
                       ", is not a folder.";
            break;
        }
        if (std::string dangling = DanglingLinkProblem(folder, "folder of the invoice register");
            !dangling.empty())
            return dangling;
        if (folder == folder.parent_path()) break;
    }
    const std::string target = ResolvedRegisterPath(registerPath);
    for (const auto& [path, what] :
         {std::pair{given.string(), "invoice register"}, std::pair{target, "invoice register"},
          std::pair{RegisterLockPath(target), "lock of the invoice register"},
          std::pair{ArchiveFolder(target), "invoice archive"}}) {
        if (std::string dangling = DanglingLinkProblem(path, what); !dangling.empty())
            return dangling;
    }
    struct stat st {};
    if (stat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return "The invoice register " + target + " is not a regular file.";
    const std::string archive = ArchiveFolder(target);
    if (stat(archive.c_str(), &st) == 0 && !S_ISDIR(st.st_mode))
        return "The invoice archive " + archive +
               " is not a folder; move that file away to issue invoices.";
    return {};
}

// Empty unless the archive holds numbers the register lacks: a register restored from an
// older copy would hand them out again.
std::string LostNumbersProblem(const InvoiceRegister& reg, const std::string& target) {
    std::string lost;
    for (const std::string& number : ArchivedNumbers(ArchiveFolder(target))) {
        if (reg.Find(number) == nullptr) lost += (lost.empty() ? "" : ", ") + number;
    }
    if (lost.empty()) return {};
    return "The invoice register " + target + " lacks the invoices " + lost +
           " whose PDFs its archive " + ArchiveFolder(target) +
           " holds (a register restored from an older copy?). Nothing was issued: restore the "
           "newer register, or move those PDFs out of the archive if they were never sent.";
}

// Puts in place the archive copies and kept documents that an issue killed after saving its
// entry left under their temporary names: saved entries have finished ones.
void FinishArchiveCopies(const InvoiceRegister& reg, const std::string& target) {
    for (const InvoiceEntry& e : reg.Entries()) {
        for (const std::string& archived :
             {ArchivePath(target, e.number), KeptDocumentPath(target, e.number)}) {
            struct stat st {};
            if (lstat(archived.c_str(), &st) == 0) continue;
            if (const auto leftovers = LeftoverReplacements(archived); !leftovers.empty())
                rename(leftovers.front().c_str(), archived.c_str());  // else tried next time
        }
    }
}

std::string ArchiveFolder(const std::string& registerPath) {
    return (fs::path(ResolvedRegisterPath(registerPath)).parent_path() / kArchiveFolderName)
        .string();
}

std::string ArchivePath(const std::string& registerPath, const std::string& number) {
    return (fs::path(ArchiveFolder(registerPath)) / (number + ".pdf")).string();
}

std::string KeptDocumentPath(const std::string& registerPath, const std::string& number) {
    return (fs::path(ArchiveFolder(registerPath)) / (number + ".txt")).string();
}

void AddRegisterFiles(const std::string& registerPath, KeptFiles& kept) {
    const std::string target = ResolvedRegisterPath(registerPath);
    kept.files.push_back({target, "the invoice register"});
    kept.files.push_back({RegisterLockPath(target), "the lock of the invoice register"});
    kept.folders.push_back({ArchiveFolder(target), "the invoice archive"});
}

}  // namespace tally
