// SPDX-License-Identifier: MIT
#pragma once
// Where the invoice register and its archive of PDF copies are: their paths with links
// followed, the checks that they are what their paths say, and the archive's numbers.

#include <string>

#include "entries/document_target.h"
#include "invoice/invoice_register.h"

namespace tally {

// The file a path names, links followed, as far as it exists: a register kept in a synced
// folder through a link is replaced there, and shares its lock with every path to it.
std::string ResolvedRegisterPath(const std::string& path);
// The lock is a file of its own beside the register, which is replaced by rename.
std::string RegisterLockPath(const std::string& target);

// The archive of PDF copies beside the register (links followed), and one number's copy.
std::string ArchiveFolder(const std::string& registerPath);
std::string ArchivePath(const std::string& registerPath, const std::string& number);
// The document kept beside that copy (kept_document.h).
std::string KeptDocumentPath(const std::string& registerPath, const std::string& number);
// The register's own files, which no document replaces: the register, its lock, the archive.
void AddRegisterFiles(const std::string& registerPath, KeptFiles& kept);

// Empty when the register, its lock and its archive are what their paths say: no link that
// leads nowhere, a folder where a folder belongs, a file where the register belongs.
std::string RegisterPlaceProblem(const std::string& registerPath);
// Empty unless the archive holds numbers the register lacks: a register restored from an
// older copy would hand them out again.
std::string LostNumbersProblem(const InvoiceRegister& reg, const std::string& target);
// Puts in place the archive copies and kept documents that an issue killed after saving its
// entry left under their temporary names: saved entries have finished ones.
void FinishArchiveCopies(const InvoiceRegister& reg, const std::string& target);

}  // namespace tally
