// SPDX-License-Identifier: MIT
#pragma once
// The steps every change of the invoice register takes: its lock, the register replaced
// whole, and a new entry's files written under temporary names and put in place only once the
// register holds it.

#include <functional>
#include <string>

#include "invoice/invoice_issue.h"
#include "invoice/invoice_register.h"
#include "log/file_lock.h"

namespace tally {

RegisterChange Failed(std::string error);
// Locks the register at target; empty on success, else the message.
std::string LockRegister(FileLock& lock, const std::string& target, const LockOptions& options);
// Replaces the register at target with reg; empty on success, else the message.
std::string WriteRegister(const std::string& target, const InvoiceRegister& reg);

// What an entry's files are besides its archived PDF.
struct DocumentFiles {
    bool userCopy = false;  // the PDF also goes to the entry's path
    std::string keptText;   // the document kept beside the archived PDF
    std::string xmlPath{};  // where the user wants the e-invoice XML, or empty
    std::string xmlText{};
};

// Saves the register, which holds the new entry, with the entry's files: its PDF (written by
// writePdf into a new file), the archive's copy, the kept document and the XML. All stand under
// temporary names, which go again with any failure, until the register is saved: a number is
// never seen on a finished file that the register lacks. Only then are they put in place.
RegisterChange SaveNewEntry(const std::string& target, const InvoiceRegister& reg,
                            const InvoiceEntry& entry, const DocumentFiles& files,
                            const std::function<bool(const std::string&, std::string&)>& writePdf);

}  // namespace tally
