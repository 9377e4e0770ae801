// SPDX-License-Identifier: MIT
#include "invoice/kept_document.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

#include "invoice/invoice_register.h"
#include "invoice/kept_values.h"
#include "log/whole_file.h"

namespace tally {
namespace {

constexpr const char* kKindNames[] = {"invoice", "credit-note"};
constexpr const char* kTaxNoteNames[] = {"none", "reverse-charge", "exempt", "outside-scope",
                                         "small-business"};
constexpr const char* kFlagNames[] = {"no", "yes"};
constexpr const char* kLineKey = "line";
constexpr std::size_t kLineFields = 5;  // date, last day, minutes, quantity, amount

class Writer {
  public:
    void Text(const char* key, const std::string& value) { Put(key, Escaped(value)); }
    void Date(const char* key, const CalendarDate& value) { Put(key, IsoDayText(value)); }
    template <class E, std::size_t N>
    void Choice(const char* key, const E& value, const char* const (&names)[N]) {
        Put(key, names[static_cast<std::size_t>(value)]);
    }
    void Percent(const char* key, double value) {
        char text[64];
        const auto end = std::to_chars(text, text + sizeof text, value).ptr;
        Put(key, std::string(text, end));
    }
    void Price(const char* key, const Decimal& value) {
        Put(key, DecimalText(value, value.places));
    }
    void Count(const char* key, std::int64_t value) { Put(key, std::to_string(value)); }
    void Cents(const char* key, std::int64_t value) { Put(key, DecimalText({value, 2}, 2)); }
    void Lines(const std::vector<MoneyLine>& lines) {
        for (const MoneyLine& l : lines) {
            Put(kLineKey, IsoDayText(l.date) + '\t' + IsoDayText(l.last) + '\t' +
                              std::to_string(l.minutes) + '\t' +
                              DecimalText({l.quantity, kQuantityPlaces}, kQuantityPlaces) + '\t' +
                              DecimalText({l.amountCents, 2}, 2));
        }
    }
    std::string text = std::string(kKeptDocumentFormatLine) + '\n';

  private:
    void Put(const char* key, const std::string& value) { text += key + ('\t' + value) + '\n'; }
};

// Takes the values in the writer's order; the first fault stops it.
class Reader {
  public:
    Reader(std::string_view text, const std::string& path) : path_(path) {
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string_view::npos) end = text.size();
            lines_.push_back(text.substr(start, end - start));
            start = end + 1;
        }
        if (lines_.empty() || lines_[0] != kKeptDocumentFormatLine)
            Fail(0, std::string("not a kept invoice document: its first line must be \"") +
                        kKeptDocumentFormatLine + "\"");
        next_ = 1;
    }

    void Text(const char* key, std::string& value) {
        Take(key, [&](std::string_view v) { return Set(value, Unescaped(v)); });
    }
    void Date(const char* key, CalendarDate& value) {
        Take(key, [&](std::string_view v) { return Set(value, ParseIsoDay(v)); });
    }
    template <class E, std::size_t N>
    void Choice(const char* key, E& value, const char* const (&names)[N]) {
        Take(key, [&](std::string_view v) {
            for (std::size_t i = 0; i < N; ++i) {
                if (v == names[i]) {
                    value = static_cast<E>(i);
                    return true;
                }
            }
            return false;
        });
    }
    void Percent(const char* key, double& value) {
        Take(key, [&](std::string_view v) {
            const auto [end, error] = std::from_chars(v.data(), v.data() + v.size(), value);
            return !v.empty() && error == std::errc() && end == v.data() + v.size() &&
                   std::isfinite(value);
        });
    }
    void Price(const char* key, Decimal& value) {
        Take(key, [&](std::string_view v) {
            return Set(value, ParseDecimal(v)) && value.units >= 0 && value.places <= 9;
        });
    }
    void Count(const char* key, std::int64_t& value) {
        Take(key, [&](std::string_view v) { return Set(value, FixedPlaces(v, 0)) && value >= 0; });
    }
    void Cents(const char* key, std::int64_t& value) {
        Take(key, [&](std::string_view v) { return Set(value, FixedPlaces(v, 2)); });
    }
    void Lines(std::vector<MoneyLine>& lines) {
        while (problem_.empty() && next_ < lines_.size() && Key(lines_[next_]) == kLineKey) {
            Take(kLineKey, [&](std::string_view v) {
                const auto f = SplitTabs(v);
                MoneyLine l;
                const bool read = f.size() == kLineFields && Set(l.date, ParseIsoDay(f[0])) &&
                                  Set(l.last, ParseIsoDay(f[1])) &&
                                  Set(l.minutes, FixedPlaces(f[2], 0)) && l.minutes >= 0 &&
                                  Set(l.quantity, FixedPlaces(f[3], kQuantityPlaces)) &&
                                  Set(l.amountCents, FixedPlaces(f[4], 2));
                if (read) lines.push_back(l);
                return read;
            });
        }
    }

    // Empty when every line was taken and none was wrong.
    std::string Finish() {
        if (problem_.empty() && next_ < lines_.size())
            Fail(next_, "'" + std::string(Key(lines_[next_])) + "' stands after the last value");
        return problem_;
    }
    void Fail(std::size_t line, const std::string& reason) {
        if (problem_.empty()) problem_ = path_ + ":" + std::to_string(line + 1) + ": " + reason;
    }

  private:
    static std::string_view Key(std::string_view line) { return line.substr(0, line.find('\t')); }
    template <class T>
    static bool Set(T& value, const std::optional<T>& read) {
        if (read) value = *read;
        return read.has_value();
    }
    template <class Parse>
    void Take(const char* key, const Parse& parse) {
        if (!problem_.empty()) return;
        if (next_ == lines_.size())
            return Fail(next_, std::string("the file ends before the value '") + key + "'");
        const std::string_view line = lines_[next_];
        const std::size_t tab = line.find('\t');
        if (Key(line) != key || tab == std::string_view::npos)
            return Fail(next_, std::string("expected the value '") + key + "', found '" +
                                   std::string(line.substr(0, 40)) + "'");
        if (!parse(line.substr(tab + 1)))
            return Fail(next_, std::string("the value '") + key + "' cannot be read: '" +
                                   std::string(line.substr(tab + 1, 60)) + "'");
        ++next_;
    }

    const std::string& path_;
    std::vector<std::string_view> lines_;
    std::size_t next_ = 0;
    std::string problem_;
};

// Every value of the document, in the file's order, for the writer and the reader alike.
template <class Visitor, class Document>
void Values(Visitor& v, Document& d) {
    v.Choice("kind", d.kind, kKindNames);
    v.Text("number", d.number);
    v.Date("issued", d.issued);
    v.Date("due", d.due);
    v.Date("first", d.first);
    v.Date("last", d.last);
    v.Text("corrects", d.corrects);
    v.Date("corrects-issued", d.correctsIssued);
    v.Text("issuer-name", d.issuer.name);
    v.Text("issuer-address", d.issuer.address);
    v.Text("issuer-email", d.issuer.email);
    v.Text("issuer-tax-id", d.issuer.taxId);
    v.Text("issuer-bank", d.issuer.bank);
    v.Text("issuer-terms", d.issuer.terms);
    v.Text("issuer-country", d.issuer.country);
    v.Text("issuer-phone", d.issuer.phone);
    v.Text("issuer-vat-id", d.issuer.vatId);
    v.Text("issuer-iban", d.issuer.iban);
    v.Text("issuer-bic", d.issuer.bic);
    v.Choice("issuer-small-business", d.issuer.smallBusiness, kFlagNames);
    v.Text("issuer-small-business-note", d.issuer.smallBusinessNote);
    v.Text("issuer-logo", d.issuer.logo);
    v.Text("client-name", d.clientName);
    v.Text("client-address", d.clientAddress);
    v.Text("client-number", d.clientNumber);
    v.Text("client-country", d.clientCountry);
    v.Text("client-vat-id", d.clientVatId);
    v.Text("client-reference", d.clientReference);
    v.Text("service", d.service);
    v.Text("currency", d.currency);
    v.Text("language", d.language);
    v.Percent("tax-percent", d.tax.percent);
    v.Choice("tax-note", d.tax.note, kTaxNoteNames);
    v.Text("tax-note-text", d.tax.noteText);
    v.Price("price", d.money.price);
    v.Lines(d.money.lines);
    v.Count("billed-seconds", d.money.billedSeconds);
    v.Cents("subtotal", d.money.subtotalCents);
    v.Cents("tax", d.money.taxCents);
    v.Cents("total", d.money.totalCents);
}

// Empty when the figures add up as the writer made them: a value changed since is refused.
std::string SumsProblem(const InvoiceMoney& money) {
    std::int64_t cents = 0;
    std::int64_t minutes = 0;
    for (const MoneyLine& l : money.lines) {
        cents += l.amountCents;
        minutes += l.minutes;
    }
    if (cents != money.subtotalCents) return "the lines do not add up to the subtotal";
    if (money.subtotalCents + money.taxCents != money.totalCents)
        return "the subtotal and the tax do not add up to the total";
    if (minutes * 60 != money.billedSeconds) return "the lines' minutes are not the time billed";
    return {};
}

}  // namespace

std::string KeptDocumentText(const InvoiceDocument& document) {
    Writer writer;
    Values(writer, document);
    return writer.text;
}

KeptDocumentRead ParseKeptDocument(std::string_view text, const std::string& path) {
    KeptDocumentRead read;
    Reader reader(text, path);
    Values(reader, read.document);
    read.problem = reader.Finish();
    if (read.problem.empty()) {
        if (const std::string sums = SumsProblem(read.document.money); !sums.empty())
            read.problem = path + ": " + sums;
    }
    return read;
}

KeptDocumentRead ReadKeptDocument(const std::string& path) {
    const WholeFile file = ReadWholeFile(path);
    if (file.Ok()) return ParseKeptDocument(file.bytes, path);
    KeptDocumentRead read;
    read.missing = file.status == OpenedLog::Status::Missing;
    if (!read.missing) read.problem = file.Reason(path);
    return read;
}

}  // namespace tally
