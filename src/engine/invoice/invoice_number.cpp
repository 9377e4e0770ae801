// SPDX-License-Identifier: MIT
#include "invoice/invoice_number.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace tally {
namespace {

constexpr std::int64_t kMaxSequence = 999999999;  // nine digits, the widest {seq:N}

struct Piece {
    enum Kind { Text, Year, Sequence } kind = Text;
    std::string text;  // the literal text of a Text piece
    int width = 0;     // a Sequence's zero-padded width
};

bool IsLiteral(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The format's pieces; nothing, with the reason, when it is not one.
std::optional<std::vector<Piece>> Pieces(const std::string& format, std::string& problem) {
    std::vector<Piece> pieces;
    int years = 0;
    int sequences = 0;
    for (std::size_t i = 0; i < format.size();) {
        if (format[i] == '{') {
            const std::size_t close = format.find('}', i);
            // An unclosed field is unknown: reading on from its end would start over.
            const std::string field =
                format.substr(i + 1, close == std::string::npos ? close : close - i - 1);
            if (close == std::string::npos) {
                problem = "the invoice number format '" + format + "' has an unknown field {" +
                          field + " (it is not closed with '}'; it takes {year}, {seq} and " +
                          "{seq:N})";
                return std::nullopt;
            }
            if (field == "year") {
                pieces.push_back({Piece::Year, {}, 0});
                ++years;
            } else if (field == "seq" || (field.size() == 5 && field.starts_with("seq:") &&
                                          field[4] >= '1' && field[4] <= '9')) {
                pieces.push_back({Piece::Sequence, {}, field == "seq" ? 1 : field[4] - '0'});
                ++sequences;
            } else {
                problem = "the invoice number format '" + format + "' has an unknown field {" +
                          field + "} (it takes {year}, {seq} and {seq:N})";
                return std::nullopt;
            }
            i = close + 1;
            continue;
        }
        if (!IsLiteral(format[i])) {
            problem = "the invoice number format '" + format + "' may hold only letters, digits, " +
                      "'-', '_', '.' and its fields";
            return std::nullopt;
        }
        if (pieces.empty() || pieces.back().kind != Piece::Text) pieces.push_back({});
        pieces.back().text += format[i++];
    }
    if (sequences != 1 || years > 1) {
        problem = "the invoice number format '" + format +
                  "' needs {seq} (or {seq:N}) once and {year} at most once";
        return std::nullopt;
    }
    for (std::size_t i = 0; i + 1 < pieces.size(); ++i) {
        // The sequence is read back as a run of digits: a digit right after it would join it.
        if (pieces[i].kind == Piece::Sequence &&
            (pieces[i + 1].kind != Piece::Text || IsDigit(pieces[i + 1].text.front()))) {
            problem = "in the invoice number format '" + format +
                      "' the sequence must not be followed directly by digits or {year}";
            return std::nullopt;
        }
    }
    if (pieces.front().kind == Piece::Text && pieces.front().text.front() == '.') {
        problem = "the invoice number format '" + format + "' must not begin with '.'";
        return std::nullopt;
    }
    return pieces;
}

bool HasYear(const std::vector<Piece>& pieces) {
    return std::any_of(pieces.begin(), pieces.end(),
                       [](const Piece& p) { return p.kind == Piece::Year; });
}

struct NumberParts {
    int year = 0;  // 0 when the format has none
    std::int64_t sequence = 0;
};

// The year and sequence of a number made by this format; nothing for another number.
std::optional<NumberParts> PartsOf(const std::vector<Piece>& pieces, const std::string& number) {
    NumberParts parts;
    std::size_t at = 0;
    for (const Piece& piece : pieces) {
        if (piece.kind == Piece::Text) {
            if (number.compare(at, piece.text.size(), piece.text) != 0) return std::nullopt;
            at += piece.text.size();
            continue;
        }
        std::size_t end = at;
        while (end < number.size() && IsDigit(number[end]) &&
               (piece.kind == Piece::Sequence || end < at + 4)) {
            ++end;
        }
        const std::string digits = number.substr(at, end - at);
        if (digits.empty() || (piece.kind == Piece::Year && digits.size() != 4) ||
            digits.size() > 9) {
            return std::nullopt;
        }
        if (piece.kind == Piece::Year) {
            parts.year = std::stoi(digits);
        } else {
            parts.sequence = std::stoll(digits);
        }
        at = end;
    }
    if (at != number.size()) return std::nullopt;
    return parts;
}

std::string Make(const std::vector<Piece>& pieces, int year, std::int64_t sequence) {
    std::string number;
    char digits[32];
    for (const Piece& piece : pieces) {
        if (piece.kind == Piece::Text) {
            number += piece.text;
        } else if (piece.kind == Piece::Year) {
            std::snprintf(digits, sizeof digits, "%04d", year);
            number += digits;
        } else {
            std::snprintf(digits, sizeof digits, "%0*lld", piece.width,
                          static_cast<long long>(sequence));
            number += digits;
        }
    }
    return number;
}

}  // namespace

std::string NumberFormatProblem(const std::string& format) {
    std::string problem;
    Pieces(format, problem);
    return problem;
}

std::optional<std::string> NextInvoiceNumber(const NumberingRules& rules, int year,
                                             const std::vector<std::string>& used,
                                             std::string& problem) {
    const auto pieces = Pieces(rules.format, problem);
    if (!pieces) return std::nullopt;
    const bool yearly = HasYear(*pieces);
    std::int64_t next = 1;
    if (!rules.firstNumber.empty()) {
        const auto first = PartsOf(*pieces, rules.firstNumber);
        if (!first) {
            problem = "the first invoice number '" + rules.firstNumber +
                      "' does not follow the format '" + rules.format + "'";
            return std::nullopt;
        }
        // A series continued from elsewhere: its year goes on from there, later years restart.
        if (!yearly || first->year == year) next = std::max<std::int64_t>(first->sequence, 1);
    }
    for (const std::string& number : used) {
        const auto parts = PartsOf(*pieces, number);
        if (parts && (!yearly || parts->year == year)) next = std::max(next, parts->sequence + 1);
    }
    if (next > kMaxSequence) {
        problem = "the invoice number format '" + rules.format + "' has no number left";
        return std::nullopt;
    }
    return Make(*pieces, year, next);
}

}  // namespace tally
