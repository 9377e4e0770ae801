// SPDX-License-Identifier: MIT
#include "invoice/invoice_issue.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <filesystem>

#include "core/whole_file.h"
#include "entries/replacement_file.h"
#include "entries/system_error.h"
#include "invoice/register_place.h"

namespace tally {
namespace {

namespace fs = std::filesystem;

constexpr mode_t kNewFileMode = 0644;

RegisterChange Failed(std::string error) {
    RegisterChange change;
    change.error = std::move(error);
    return change;
}

// Locks the register at target; empty on success, else the message.
std::string LockRegister(TimeLogLock& lock, const std::string& target, const LockOptions& options) {
    switch (lock.Acquire(RegisterLockPath(target), true, nullptr, options)) {
        case TimeLogLock::Status::Locked:
            return {};
        case TimeLogLock::Status::Busy:
            return "The invoice register " + target + " is in use by another program.";
        case TimeLogLock::Status::NotRegular:
            return "Cannot lock the invoice register: " + RegisterLockPath(target) +
                   " is not a regular file.";
        case TimeLogLock::Status::Missing:
        case TimeLogLock::Status::OpenFailed:
            break;
    }
    return "Cannot lock the invoice register " + target + ": " + LastSystemErrorText();
}

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

std::string WriteRegister(const std::string& target, const InvoiceRegister& reg) {
    const std::string reason = ReplaceFile(target, reg.Text());
    return reason.empty() ? reason : "Cannot write the invoice register " + target + ": " + reason;
}

std::string RequestProblem(const InvoiceRequest& request, const InvoiceEntry& entry) {
    if (request.paymentDays < 0 || request.paymentDays > kMaxPaymentDays)
        return "The payment days must be from 0 to " + std::to_string(kMaxPaymentDays) + ".";
    if (request.pdfPath.empty()) return "The invoice needs a PDF file to write.";
    if (const std::string problem = EntryProblem(entry); !problem.empty())
        return "Cannot issue the invoice: " + problem + ".";
    return {};
}

// Runs change on the entry of number under the lock, and saves the register.
RegisterChange ChangeEntry(const std::string& registerPath, const std::string& number,
                           const std::function<std::string(InvoiceEntry&)>& change,
                           const LockOptions& options) {
    if (std::string problem = RegisterPlaceProblem(registerPath); !problem.empty())
        return Failed(std::move(problem));
    const std::string target = ResolvedRegisterPath(registerPath);
    const std::string unknown =
        "There is no invoice " + number + " in the register " + target + ".";
    std::error_code error;
    if (!fs::exists(fs::path(target).parent_path(), error)) return Failed(unknown);
    TimeLogLock lock;
    if (std::string problem = LockRegister(lock, target, options); !problem.empty())
        return Failed(std::move(problem));
    RegisterRead read = ReadRegister(target);
    if (!read.Ok()) return Failed(read.problem);
    const InvoiceEntry* found = read.reg.Find(number);
    if (found == nullptr) return Failed(unknown);
    RegisterChange result;
    result.entry = *found;
    const InvoiceEntry before = result.entry;
    if (std::string refusal = change(result.entry); !refusal.empty())
        return Failed(std::move(refusal));
    if (!(result.entry == before)) {
        read.reg.Replace(result.entry);
        if (std::string problem = WriteRegister(target, read.reg); !problem.empty())
            return Failed(std::move(problem));
    }
    result.ok = true;
    return result;
}

}  // namespace

RegisterChange IssueInvoice(const std::string& registerPath, const NumberingRules& rules,
                            const InvoiceRequest& request, const PdfWriter& writePdf,
                            const LockOptions& options) {
    InvoiceEntry entry;
    entry.number = "-";  // filled in under the lock
    entry.client = request.client;
    entry.first = request.first;
    entry.last = request.last;
    entry.issued = request.issued;
    entry.due = DueDate(request.issued, request.paymentDays);
    entry.seconds = request.seconds;
    entry.subtotal = request.subtotal;
    entry.tax = request.tax;
    entry.total = request.total;
    entry.currency = request.currency;
    entry.pdf = request.pdfPath;
    if (std::string problem = RequestProblem(request, entry); !problem.empty())
        return Failed(std::move(problem));
    if (std::string problem = RegisterPlaceProblem(registerPath); !problem.empty())
        return Failed(std::move(problem));
    const std::string target = ResolvedRegisterPath(registerPath);

    std::error_code error;
    fs::create_directories(fs::path(target).parent_path(), error);
    if (error)
        return Failed("Cannot make the folder of the invoice register " + target + ": " +
                      error.message());
    TimeLogLock lock;
    if (std::string problem = LockRegister(lock, target, options); !problem.empty())
        return Failed(std::move(problem));
    RegisterRead read = ReadRegister(target);
    if (!read.Ok()) return Failed(read.problem);

    KeptFiles kept = request.kept;
    AddRegisterFiles(target, kept);
    constexpr const char* kVerb = "write the invoice to";
    if (std::string problem = DocumentTargetProblem(request.pdfPath, kept, kVerb); !problem.empty())
        return Failed(std::move(problem));
    FinishArchiveCopies(read.reg, target);
    if (std::string problem = LostNumbersProblem(read.reg, target); !problem.empty())
        return Failed(std::move(problem));
    if (const InvoiceEntry* billed =
            BilledOverlap(read.reg, request.client, request.first, request.last)) {
        return Failed("The days " + IsoDayText(billed->first) + " to " + IsoDayText(billed->last) +
                      " of client " + billed->client + " are billed in invoice " + billed->number +
                      "; cancel it first to bill them again.");
    }
    std::vector<std::string> used;
    for (const InvoiceEntry& e : read.reg.Entries()) used.push_back(e.number);
    std::string problem;
    const auto number = NextInvoiceNumber(rules, request.issued.year, used, problem);
    if (!number) return Failed("Cannot number the invoice: " + problem + ".");
    entry.number = *number;

    // The PDF and its copy under temporary names, which go again with any failure before the
    // entry is saved: a number is never seen on a finished PDF that the register lacks.
    const std::string pdfTarget = DocumentFileBehind(entry.pdf, kVerb, problem);
    if (pdfTarget.empty()) return Failed(problem);
    RemoveLeftoverReplacements(pdfTarget);
    struct stat old {};
    const bool replaces = stat(pdfTarget.c_str(), &old) == 0;
    ReplacementFile pdf;
    if (!pdf.Create(pdfTarget, replaces ? old.st_mode & 07777 : NewDocumentMode(),
                    replaces ? &old : nullptr))
        return Failed("Cannot " + std::string(kVerb) + " " + entry.pdf + ": " +
                      LastSystemErrorText());
    std::string pdfError;
    if (!writePdf(entry, pdf.TempPath(), pdfError)) return Failed(pdfError);
    if (!pdf.Flush())
        return Failed("Cannot " + std::string(kVerb) + " " + entry.pdf + ": " +
                      LastSystemErrorText());
    const WholeFile written = ReadWholeFile(pdf.TempPath());
    if (!written.Ok())
        return Failed("Cannot " + std::string(kVerb) + " " + entry.pdf + ": " +
                      SystemErrorText(written.error));
    const std::string& bytes = written.bytes;

    const std::string archive = ArchiveFolder(target);
    const std::string archived = ArchivePath(target, entry.number);
    // An archive folder this call made goes again with a failure, once the copy's temporary
    // file (destroyed before it) is gone.
    struct MadeFolder {
        std::string path;
        ~MadeFolder() {
            if (!path.empty()) rmdir(path.c_str());
        }
    } madeArchive{fs::create_directories(archive, error) ? archive : std::string()};
    ReplacementFile copy;
    if (!error) RemoveLeftoverReplacements(archived);
    if (error || !copy.Create(archived, kNewFileMode, nullptr) ||
        !copy.Write(bytes.data(), bytes.size()) || !copy.Flush()) {
        return Failed("Cannot keep a copy of the PDF in " + archive + ": " +
                      (error ? error.message() : LastSystemErrorText()));
    }
    read.reg.Add(entry);
    if (std::string failure = WriteRegister(target, read.reg); !failure.empty())
        return Failed(std::move(failure));
    madeArchive.path.clear();
    // Issued: what follows only puts the finished files in place.
    if (!copy.RenameOver() || !pdf.RenameOver())
        return Failed("Invoice " + entry.number + " is issued, but its PDF could not be put in " +
                      "place: " + LastSystemErrorText());
    RegisterChange result;
    result.ok = true;
    result.entry = entry;
    return result;
}

RegisterChange MarkInvoicePaid(const std::string& registerPath, const std::string& number,
                               const CalendarDate& paidOn, const CalendarDate& today,
                               const LockOptions& options) {
    return ChangeEntry(
        registerPath, number,
        [&](InvoiceEntry& e) -> std::string {
            if (e.state == InvoiceState::Cancelled)
                return "Invoice " + number + " is cancelled; it cannot be paid.";
            if (!IsRealDate(paidOn) || DaysOf(paidOn) < DaysOf(e.issued))
                return "Invoice " + number + " was issued on " + IsoDayText(e.issued) +
                       "; it cannot be paid before.";
            if (DaysOf(paidOn) > DaysOf(today))
                return "Invoice " + number + " cannot be paid on " + IsoDayText(paidOn) +
                       ", after today (" + IsoDayText(today) + ").";
            e.state = InvoiceState::Paid;
            e.paidOn = paidOn;
            return {};
        },
        options);
}

RegisterChange CancelInvoice(const std::string& registerPath, const std::string& number,
                             const LockOptions& options) {
    return ChangeEntry(
        registerPath, number,
        [&](InvoiceEntry& e) -> std::string {
            if (e.state == InvoiceState::Cancelled)
                return "Invoice " + number + " is cancelled already.";
            e.state = InvoiceState::Cancelled;
            return {};
        },
        options);
}

}  // namespace tally
