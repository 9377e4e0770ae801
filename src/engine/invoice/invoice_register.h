// SPDX-License-Identifier: MIT
#pragma once
// The invoice register: every invoice issued, one line each, in a plain-text file that people
// can read and mend by hand. The first line names the format:
//
//   # TallyBook invoice register 1
//   # number  client  first  last  issued  due  seconds  subtotal  tax  total  currency  state  pdf
//   2026-001  Acme  2026-11-01  2026-11-30  2026-12-01  2026-12-15  540000  1200.00  228.00  ...
//
// Fields are separated by one TAB and hold no TAB or line break; dates are YYYY-MM-DD,
// amounts have a '.', the state is "issued", "paid YYYY-MM-DD", "cancelled" (before credit
// notes), "cancelled by NUMBER" (its credit note) or "credit note of NUMBER". A credit note's
// line bills the days of the invoice it cancels, its amounts negated; every other amount has
// no sign. Other lines starting with '#', and empty lines, are comments and are kept as they
// are.
// An invoice or credit note whose PDF carries its XML (factur-x.xml) has a note after its
// line:
//
//   # e-invoice  2026-001
//
// A note, not a field: a register with notes reads in the programs that knew none.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "time/calendar_date.h"

namespace tally {

inline constexpr const char* kRegisterFormatLine = "# TallyBook invoice register 1";

enum class InvoiceState { Issued, Paid, Cancelled, CreditNote };

struct InvoiceEntry {
    std::string number;
    std::string client;
    CalendarDate first;  // the days billed, both included
    CalendarDate last;
    CalendarDate issued;
    CalendarDate due;
    std::int64_t seconds = 0;  // the time billed
    double subtotal = 0.0;
    double tax = 0.0;
    double total = 0.0;
    std::string currency;  // ISO 4217 code
    InvoiceState state = InvoiceState::Issued;
    CalendarDate paidOn;  // when Paid
    std::string pdf;      // where the PDF was written for the user
    // Cancelled: its credit note (empty when cancelled before notes); CreditNote: the
    // invoice it cancels.
    std::string other{};
    bool hasXml = false;  // the PDF carries the invoice's XML
    friend bool operator==(const InvoiceEntry&, const InvoiceEntry&) = default;
};

// The register's lines as read, and its entries. Changes touch only the line they concern,
// so a rewrite keeps every other byte, comments included.
class InvoiceRegister {
  public:
    const std::vector<InvoiceEntry>& Entries() const { return entries_; }
    // The entry of that number; nullptr for none.
    const InvoiceEntry* Find(const std::string& number) const;
    // Appends the entry as the last line (after the header when the register is new), and
    // its note when it has its XML.
    void Add(const InvoiceEntry& entry);
    // Rewrites the line of the entry with the same number (its note stays); false when there
    // is none.
    bool Replace(const InvoiceEntry& entry);
    // The whole file, each line ending in LF.
    std::string Text() const;

  private:
    friend struct RegisterParser;
    std::vector<std::string> lines_;
    std::vector<InvoiceEntry> entries_;
    std::vector<std::size_t> lineOf_;  // entries_[i] stands on lines_[lineOf_[i]]
};

// A register read from text or a file. problem is empty, or one line naming the file and the
// line at fault ("invoices.txt:7: ..."); the register is then not to be written.
struct RegisterRead {
    InvoiceRegister reg;
    std::string problem;
    bool Ok() const { return problem.empty(); }
};

// A line's TAB-separated fields.
std::vector<std::string_view> SplitTabs(std::string_view line);

RegisterRead ParseRegister(std::string_view text, const std::string& path);
// A missing file is an empty register; one that cannot be read is a problem.
RegisterRead ReadRegister(const std::string& path);

// The entry's line, without its line feed.
std::string EntryLine(const InvoiceEntry& entry);
// Empty when the entry can stand in the register as it is; else what is wrong.
std::string EntryProblem(const InvoiceEntry& entry);

// An issued invoice not paid by its due date, on the given day.
bool IsOverdue(const InvoiceEntry& entry, const CalendarDate& today);
// "issued", "overdue", "paid YYYY-MM-DD", "cancelled [by NUMBER]" or "credit note of
// NUMBER", as lists show the state on a day.
std::string StateText(const InvoiceEntry& entry, const CalendarDate& today);
// An issued or paid invoice: the days of a cancelled one or a credit note may be billed again.
bool BillsItsDays(const InvoiceEntry& entry);

// The invoice, issued or paid (a cancelled one bills nothing), of the client whose days
// share one with first to last; nullptr for none.
const InvoiceEntry* BilledOverlap(const InvoiceRegister& reg, const std::string& client,
                                  const CalendarDate& first, const CalendarDate& last);
// The client's last day on an issued or paid invoice: its time after that day is unbilled.
std::optional<CalendarDate> LastInvoicedDay(const InvoiceRegister& reg, const std::string& client);

}  // namespace tally
