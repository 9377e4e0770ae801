// SPDX-License-Identifier: MIT
#include "invoice/invoice_register.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>

#include "clients/amount_text.h"
#include "log/time_log_file.h"
#include "log/whole_file.h"
#include "time/c_format.h"

namespace tally {
namespace {

constexpr const char* kColumnsLine =
    "# number\tclient\tfirst\tlast\tissued\tdue\tseconds\tsubtotal\ttax\ttotal\tcurrency\tstate"
    "\tpdf";
constexpr std::size_t kFieldCount = 13;
// The note of an invoice whose PDF carries its XML: the prefix, then the number.
constexpr std::string_view kXmlNotePrefix = "# e-invoice\t";
constexpr const char* kXmlNoteLine =
    "# e-invoice NUMBER, after an invoice's line: its PDF carries its XML (factur-x.xml)";
constexpr std::string_view kPaidPrefix = "paid ";
constexpr std::string_view kCancelledByPrefix = "cancelled by ";
constexpr std::string_view kCreditNotePrefix = "credit note of ";

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// [-]digits[.d[d]], read without the locale; what "%.2f" writes for an amount. More
// decimals than cents would be rounded away when the line is next written.
std::optional<double> ParseAmountText(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative) text.remove_prefix(1);
    const std::size_t dot = text.find('.');
    if (!AllDigits(text.substr(0, dot)) ||
        (dot != std::string_view::npos &&
         (!AllDigits(text.substr(dot + 1)) || text.size() - dot - 1 > 2))) {
        return std::nullopt;
    }
    const auto value = ParseAmount(std::string(text), std::numeric_limits<double>::max());
    if (!value) return std::nullopt;
    return negative ? -*value : *value;
}

bool HasBreak(const std::string& text) {
    return text.find_first_of("\t\r\n") != std::string::npos;
}

bool IsCurrency(const std::string& code) {
    return code.size() == 3 &&
           std::all_of(code.begin(), code.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

bool Before(const CalendarDate& a, const CalendarDate& b) {
    return DaysOf(a) < DaysOf(b);
}

std::string StoredStateText(const InvoiceEntry& entry) {
    switch (entry.state) {
        case InvoiceState::Paid:
            return std::string(kPaidPrefix) + IsoDayText(entry.paidOn);
        case InvoiceState::Cancelled:
            return entry.other.empty() ? "cancelled"
                                       : std::string(kCancelledByPrefix) + entry.other;
        case InvoiceState::CreditNote:
            return std::string(kCreditNotePrefix) + entry.other;
        case InvoiceState::Issued:
            break;
    }
    return "issued";
}

// The entry of a line, or what is wrong with it.
std::optional<InvoiceEntry> ParseEntryLine(std::string_view line, std::string& reason) {
    const std::vector<std::string_view> f = SplitTabs(line);
    if (f.size() != kFieldCount) {
        reason = "expected " + std::to_string(kFieldCount) + " TAB-separated fields, found " +
                 std::to_string(f.size());
        return std::nullopt;
    }
    InvoiceEntry e;
    e.number = f[0];
    e.client = f[1];
    CalendarDate* dates[] = {&e.first, &e.last, &e.issued, &e.due};
    const char* names[] = {"first day", "last day", "issue date", "due date"};
    for (int i = 0; i < 4; ++i) {
        const auto date = ParseIsoDay(f[2 + i]);
        if (!date) {
            reason = std::string("the ") + names[i] + " '" + std::string(f[2 + i]) +
                     "' is not a date (YYYY-MM-DD)";
            return std::nullopt;
        }
        *dates[i] = *date;
    }
    const std::string_view seconds = f[6];
    if (!AllDigits(seconds) || seconds.size() > 15) {
        reason = "the seconds '" + std::string(seconds) + "' are not a whole number";
        return std::nullopt;
    }
    std::from_chars(seconds.data(), seconds.data() + seconds.size(), e.seconds);
    double* amounts[] = {&e.subtotal, &e.tax, &e.total};
    const char* amountNames[] = {"subtotal", "tax", "total"};
    for (int i = 0; i < 3; ++i) {
        const auto amount = ParseAmountText(f[7 + i]);
        if (!amount) {
            reason = std::string("the ") + amountNames[i] + " '" + std::string(f[7 + i]) +
                     "' is not an amount (digits, and at most two after a '.')";
            return std::nullopt;
        }
        *amounts[i] = *amount;
    }
    e.currency = f[10];
    const std::string_view state = f[11];
    if (state == "issued") {
        e.state = InvoiceState::Issued;
    } else if (state == "cancelled") {
        e.state = InvoiceState::Cancelled;
    } else if (state.starts_with(kCancelledByPrefix) && state.size() > kCancelledByPrefix.size()) {
        e.state = InvoiceState::Cancelled;
        e.other = state.substr(kCancelledByPrefix.size());
    } else if (state.starts_with(kCreditNotePrefix) && state.size() > kCreditNotePrefix.size()) {
        e.state = InvoiceState::CreditNote;
        e.other = state.substr(kCreditNotePrefix.size());
    } else if (state.starts_with(kPaidPrefix) && ParseIsoDay(state.substr(kPaidPrefix.size()))) {
        e.state = InvoiceState::Paid;
        e.paidOn = *ParseIsoDay(state.substr(kPaidPrefix.size()));
    } else {
        reason = "the state '" + std::string(state) +
                 "' is none of issued, paid YYYY-MM-DD, cancelled [by NUMBER] and credit note "
                 "of NUMBER";
        return std::nullopt;
    }
    e.pdf = f[12];
    reason = EntryProblem(e);
    if (!reason.empty()) return std::nullopt;
    return e;
}

}  // namespace

struct RegisterParser {
    static RegisterRead Parse(std::string_view text, const std::string& path) {
        RegisterRead read;
        InvoiceRegister& reg = read.reg;
        std::map<std::string, std::size_t> lineOfNumber;
        std::vector<std::string_view> withXml;  // numbers noted, wherever their lines stand
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string_view::npos) end = text.size();
            std::string_view line = text.substr(start, end - start);
            start = end + 1;
            if (line.ends_with('\r')) line.remove_suffix(1);  // saved by a Windows editor
            const std::size_t number = reg.lines_.size() + 1;
            const auto fail = [&](const std::string& reason) {
                read.problem = path + ":" + std::to_string(number) + ": " + reason;
                return read;
            };
            if (number == 1 && line != kRegisterFormatLine)
                return fail(std::string("not an invoice register: its first line must be \"") +
                            kRegisterFormatLine + "\"");
            reg.lines_.emplace_back(line);
            if (line.starts_with(kXmlNotePrefix))
                withXml.push_back(line.substr(kXmlNotePrefix.size()));
            if (line.empty() || line.front() == '#') continue;
            std::string reason;
            const auto entry = ParseEntryLine(line, reason);
            if (!entry) return fail(reason);
            if (const auto [other, fresh] = lineOfNumber.emplace(entry->number, number); !fresh)
                return fail("the number " + entry->number + " stands on line " +
                            std::to_string(other->second) + " already");
            reg.entries_.push_back(*entry);
            reg.lineOf_.push_back(reg.lines_.size() - 1);
        }
        // A note naming no invoice (its line deleted by hand) stays a comment.
        for (InvoiceEntry& e : reg.entries_) {
            e.hasXml = std::find(withXml.begin(), withXml.end(), e.number) != withXml.end();
        }
        return read;
    }
};

const InvoiceEntry* InvoiceRegister::Find(const std::string& number) const {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const InvoiceEntry& e) { return e.number == number; });
    return found == entries_.end() ? nullptr : &*found;
}

void InvoiceRegister::Add(const InvoiceEntry& entry) {
    if (lines_.empty()) lines_ = {kRegisterFormatLine, kColumnsLine, kXmlNoteLine};
    lines_.push_back(EntryLine(entry));
    entries_.push_back(entry);
    lineOf_.push_back(lines_.size() - 1);
    if (entry.hasXml) lines_.push_back(std::string(kXmlNotePrefix) + entry.number);
}

bool InvoiceRegister::Replace(const InvoiceEntry& entry) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].number == entry.number) {
            const bool hasXml = entries_[i].hasXml;  // the note says it, not the line
            entries_[i] = entry;
            entries_[i].hasXml = hasXml;
            lines_[lineOf_[i]] = EntryLine(entry);
            return true;
        }
    }
    return false;
}

std::string InvoiceRegister::Text() const {
    std::string text;
    for (const std::string& line : lines_) text += line + '\n';
    return text;
}

RegisterRead ParseRegister(std::string_view text, const std::string& path) {
    return RegisterParser::Parse(text, path);
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

RegisterRead ReadRegister(const std::string& path) {
    const WholeFile file = ReadWholeFile(path);
    if (file.status == OpenedLog::Status::Missing) return {};
    if (file.Ok()) return ParseRegister(file.bytes, path);
    RegisterRead failed;
    failed.problem = file.Reason(path);
    return failed;
}

std::string EntryLine(const InvoiceEntry& e) {
    return e.number + '\t' + e.client + '\t' + IsoDayText(e.first) + '\t' + IsoDayText(e.last) +
           '\t' + IsoDayText(e.issued) + '\t' + IsoDayText(e.due) + '\t' +
           std::to_string(e.seconds) + '\t' +
           FormatC("%.2f\t%.2f\t%.2f", e.subtotal, e.tax, e.total) + '\t' + e.currency + '\t' +
           StoredStateText(e) + '\t' + e.pdf;
}

std::string EntryProblem(const InvoiceEntry& e) {
    if (e.number.empty() || HasBreak(e.number)) return "the number is empty or has a TAB in it";
    if (e.client.empty() || HasBreak(e.client))
        return "the client's name is empty or has a TAB in it";
    for (const CalendarDate* d : {&e.first, &e.last, &e.issued, &e.due, &e.paidOn}) {
        if (!IsRealDate(*d)) return "a date is not a calendar date";
    }
    if (Before(e.last, e.first))
        return "the last day " + IsoDayText(e.last) + " is before the first";
    if (Before(e.due, e.issued)) return "the due date is before the issue date";
    if (e.seconds < 0) return "the seconds are negative";
    // A credit note bills its invoice's amounts negated.
    const double sign = e.state == InvoiceState::CreditNote ? -1.0 : 1.0;
    for (double amount : {e.subtotal, e.tax, e.total}) {
        if (!std::isfinite(amount) || amount * sign < 0.0)
            return e.state == InvoiceState::CreditNote
                       ? "a credit note's amount is positive or not finite"
                       : "an amount is negative or not finite";
    }
    const bool names = e.state == InvoiceState::CreditNote ||
                       (e.state == InvoiceState::Cancelled && !e.other.empty());
    if (names && (e.other.empty() || HasBreak(e.other) || e.other == e.number))
        return "the state names no other number, or this one";
    if (!IsCurrency(e.currency))
        return "the currency '" + e.currency + "' is not three capital letters";
    if (e.pdf.empty() || HasBreak(e.pdf)) return "the PDF's name is empty or has a TAB in it";
    return {};
}

bool IsOverdue(const InvoiceEntry& entry, const CalendarDate& today) {
    return entry.state == InvoiceState::Issued && Before(entry.due, today);
}

std::string StateText(const InvoiceEntry& entry, const CalendarDate& today) {
    return IsOverdue(entry, today) ? "overdue" : StoredStateText(entry);
}

}  // namespace tally
