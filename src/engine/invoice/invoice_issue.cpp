// SPDX-License-Identifier: MIT
#include "invoice/invoice_issue.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cmath>
#include <filesystem>

#include "invoice/einvoice_gaps.h"
#include "invoice/kept_document.h"
#include "invoice/register_place.h"
#include "invoice/register_write.h"
#include "log/backup_rotation.h"
#include "log/replacement_file.h"
#include "log/system_error.h"
#include "log/time_log_file.h"
#include "log/whole_file.h"
#include "time/c_format.h"

namespace tally {
namespace {

namespace fs = std::filesystem;

std::string RequestProblem(const InvoiceRequest& request, const InvoiceEntry& entry) {
    if (request.paymentDays < 0 || request.paymentDays > kMaxPaymentDays)
        return "The payment days must be from 0 to " + std::to_string(kMaxPaymentDays) + ".";
    if (request.pdfPath.empty() && request.xmlPath.empty())
        return "The invoice needs a PDF file to write.";
    if (!request.keptDocument) return "The invoice has no document to keep.";
    if (const std::string problem = EntryProblem(entry); !problem.empty())
        return "Cannot issue the invoice: " + problem + ".";
    return {};
}

// Runs body on the register and the entry of number, read under the lock, which it keeps.
RegisterChange WithEntry(
    const std::string& registerPath, const std::string& number, const LockOptions& options,
    const std::function<RegisterChange(const std::string& target, InvoiceRegister& reg,
                                       const InvoiceEntry& entry)>& body) {
    if (std::string problem = RegisterPlaceProblem(registerPath); !problem.empty())
        return Failed(std::move(problem));
    const std::string target = ResolvedRegisterPath(registerPath);
    const std::string unknown =
        "There is no invoice " + number + " in the register " + target + ".";
    std::error_code error;
    if (!fs::exists(fs::path(target).parent_path(), error)) return Failed(unknown);
    FileLock lock;
    if (std::string problem = LockRegister(lock, target, options); !problem.empty())
        return Failed(std::move(problem));
    RegisterRead read = ReadRegister(target);
    if (!read.Ok()) return Failed(read.problem);
    const InvoiceEntry* found = read.reg.Find(number);
    if (found == nullptr) return Failed(unknown);
    const InvoiceEntry entry = *found;  // found goes with an entry added
    return body(target, read.reg, entry);
}

// Runs change on the entry of number under the lock, and saves the register.
RegisterChange ChangeEntry(const std::string& registerPath, const std::string& number,
                           const std::function<std::string(InvoiceEntry&)>& change,
                           const LockOptions& options) {
    return WithEntry(
        registerPath, number, options,
        [&](const std::string& target, InvoiceRegister& reg, const InvoiceEntry& before) {
            RegisterChange result;
            result.entry = before;
            if (std::string refusal = change(result.entry); !refusal.empty())
                return Failed(std::move(refusal));
            if (!(result.entry == before)) {
                reg.Replace(result.entry);
                if (std::string problem = WriteRegister(target, reg); !problem.empty())
                    return Failed(std::move(problem));
            }
            result.ok = true;
            return result;
        });
}

// Empty when the document bills what the register says the invoice billed.
std::string FiguresProblem(const InvoiceDocument& document, const InvoiceEntry& entry) {
    const InvoiceMoney& money = document.money;
    const auto cents = [](double amount) { return std::llround(amount * 100.0); };
    if (money.billedSeconds == entry.seconds && money.subtotalCents == cents(entry.subtotal) &&
        money.taxCents == cents(entry.tax) && money.totalCents == cents(entry.total))
        return {};
    return FormatC(
        "its lines bill %s (subtotal), %s (tax) and %s (total) for %lld seconds, the "
        "register %.2f, %.2f and %.2f for %lld seconds",
        DecimalText({money.subtotalCents, 2}, 2).c_str(),
        DecimalText({money.taxCents, 2}, 2).c_str(), DecimalText({money.totalCents, 2}, 2).c_str(),
        static_cast<long long>(money.billedSeconds), entry.subtotal, entry.tax, entry.total,
        static_cast<long long>(entry.seconds));
}

// The document the invoice was issued with: the one kept beside its PDF, or for an invoice
// issued before documents were kept, the one the request recovers, where it bills what the
// register holds. Nothing, with the reason, else.
std::optional<InvoiceDocument> DocumentOf(const InvoiceEntry& invoice, const std::string& target,
                                          const CreditRequest& request, std::string& problem) {
    const std::string path = KeptDocumentPath(target, invoice.number);
    KeptDocumentRead kept = ReadKeptDocument(path);
    if (kept.missing) {
        std::optional<InvoiceDocument> recovered = request.recover(invoice, problem);
        if (!recovered) {
            problem =
                "its document was not kept (it was issued before documents were kept), " + problem;
        } else if (problem = FiguresProblem(*recovered, invoice); !problem.empty()) {
            problem =
                "its document was not kept (it was issued before documents were kept), and "
                "the client's time log and rate now give other figures: " +
                problem + ". A credit note must bill exactly what the invoice did.";
            recovered.reset();
        }
        return recovered;
    }
    if (!kept.Ok()) {
        problem = "its kept document cannot be used: " + kept.problem + ".";
        return std::nullopt;
    }
    if (kept.document.kind != DocumentKind::Invoice || kept.document.number != invoice.number) {
        problem = "its kept document " + path + " is not the invoice's.";
        return std::nullopt;
    }
    if (problem = FiguresProblem(kept.document, invoice); !problem.empty()) {
        problem = "its kept document " + path +
                  " does not bill what the register holds: " + problem + ".";
        return std::nullopt;
    }
    return kept.document;
}

// Issues the credit note of the invoice in the register at target, read under the lock.
RegisterChange AddCreditNote(const std::string& target, InvoiceRegister& reg, InvoiceEntry invoice,
                             const NumberingRules& creditRules, const CreditRequest& request) {
    const std::string number = invoice.number;
    if (invoice.state == InvoiceState::Cancelled)
        return Failed("Invoice " + number + " is cancelled already" +
                      (invoice.other.empty() ? "" : " by credit note " + invoice.other) + ".");
    if (invoice.state == InvoiceState::CreditNote)
        return Failed(number + " is a credit note (of invoice " + invoice.other +
                      "); only an invoice can be cancelled.");
    std::string problem;
    const std::optional<InvoiceDocument> document = DocumentOf(invoice, target, request, problem);
    if (!document) return Failed("Cannot cancel invoice " + number + ": " + problem);
    FinishArchiveCopies(reg, target);
    if (problem = LostNumbersProblem(reg, target); !problem.empty())
        return Failed(std::move(problem));

    std::vector<std::string> used;
    for (const InvoiceEntry& e : reg.Entries()) used.push_back(e.number);
    const auto noteNumber = NextInvoiceNumber(creditRules, request.issued.year, used, problem);
    if (!noteNumber) return Failed("Cannot number the credit note: " + problem + ".");
    const InvoiceDocument credit = CreditNoteOf(*document, *noteNumber, request.issued);
    InvoiceEntry note = invoice;
    note.number = credit.number;
    note.issued = credit.issued;
    note.due = credit.due;
    note.subtotal = static_cast<double>(credit.money.subtotalCents) / 100.0;
    note.tax = static_cast<double>(credit.money.taxCents) / 100.0;
    note.total = static_cast<double>(credit.money.totalCents) / 100.0;
    note.state = InvoiceState::CreditNote;
    note.paidOn = {};
    note.other = number;
    note.pdf = ArchivePath(target, note.number);
    // The note's PDF carries its XML where it can be an e-invoice (IssueCreditNote's writer).
    note.hasXml = EInvoiceGaps(credit).empty();
    if (problem = EntryProblem(note); !problem.empty())
        return Failed("Cannot issue the credit note: " + problem + ".");
    invoice.state = InvoiceState::Cancelled;
    invoice.other = note.number;
    reg.Replace(invoice);
    reg.Add(note);
    return SaveNewEntry(target, reg, note, DocumentFiles{false, KeptDocumentText(credit)},
                        [&](const std::string& path, std::string& pdfError) {
                            return request.writePdf(credit, path, pdfError);
                        });
}

}  // namespace

RegisterChange IssueInvoice(const std::string& registerPath, const NumberingRules& rules,
                            const InvoiceRequest& request, const PdfWriter& writePdf,
                            const LockOptions& options, const XmlMaker& makeXml) {
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
    entry.hasXml = request.hasXml;
    // A PDF in the archive alone is checked under the XML's path until it has its number.
    InvoiceEntry checked = entry;
    if (checked.pdf.empty()) checked.pdf = request.xmlPath;
    if (std::string problem = RequestProblem(request, checked); !problem.empty())
        return Failed(std::move(problem));
    if (std::string problem = RegisterPlaceProblem(registerPath); !problem.empty())
        return Failed(std::move(problem));
    const std::string target = ResolvedRegisterPath(registerPath);

    std::error_code error;
    fs::create_directories(fs::path(target).parent_path(), error);
    if (error)
        return Failed("Cannot make the folder of the invoice register " + target + ": " +
                      error.message());
    FileLock lock;
    if (std::string problem = LockRegister(lock, target, options); !problem.empty())
        return Failed(std::move(problem));
    RegisterRead read = ReadRegister(target);
    if (!read.Ok()) return Failed(read.problem);

    KeptFiles kept = request.kept;
    AddRegisterFiles(target, kept);
    constexpr const char* kVerb = "write the invoice to";
    if (!request.pdfPath.empty()) {
        if (std::string problem = DocumentTargetProblem(request.pdfPath, kept, kVerb);
            !problem.empty())
            return Failed(std::move(problem));
    }
    if (!request.xmlPath.empty()) {
        if (std::string problem = DocumentTargetProblem(request.xmlPath, kept, kVerb, kXmlDocument);
            !problem.empty())
            return Failed(std::move(problem));
        if (NamesSameFile(request.xmlPath, request.pdfPath))
            return Failed("The invoice's PDF and XML need two files: " + request.xmlPath + " is " +
                          request.pdfPath + ".");
    }
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

    // Without a PDF of the user's, the archive's copy is the invoice's only PDF.
    const bool userCopy = !request.pdfPath.empty();
    if (!userCopy) entry.pdf = ArchivePath(target, entry.number);
    read.reg.Add(entry);
    const std::string xml = makeXml ? makeXml(entry) : std::string();
    return SaveNewEntry(target, read.reg, entry,
                        DocumentFiles{userCopy, request.keptDocument(entry), request.xmlPath, xml},
                        [&](const std::string& path, std::string& pdfError) {
                            return writePdf(entry, path, pdfError);
                        });
}

RegisterChange MarkInvoicePaid(const std::string& registerPath, const std::string& number,
                               const CalendarDate& paidOn, const CalendarDate& today,
                               const LockOptions& options) {
    return ChangeEntry(
        registerPath, number,
        [&](InvoiceEntry& e) -> std::string {
            if (e.state == InvoiceState::Cancelled)
                return "Invoice " + number + " is cancelled; it cannot be paid.";
            if (e.state == InvoiceState::CreditNote)
                return number + " is a credit note; only an invoice can be paid.";
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

RegisterChange CancelInvoice(const std::string& registerPath, const NumberingRules& creditRules,
                             const CreditRequest& request, const LockOptions& options) {
    return WithEntry(
        registerPath, request.number, options,
        [&](const std::string& target, InvoiceRegister& reg, const InvoiceEntry& found) {
            return AddCreditNote(target, reg, found, creditRules, request);
        });
}

}  // namespace tally
