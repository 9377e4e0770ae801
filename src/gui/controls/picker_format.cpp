// SPDX-License-Identifier: MIT
#include "controls/picker_format.h"

#include <algorithm>

namespace tally {
namespace {

bool IsAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Builds a Qt format, quoting literal letters (Qt would read them as fields) and leaving
// other literal characters bare, so that common formats translate to what one would write.
class QtFormatWriter {
  public:
    void Literal(QChar c) {
        if (c == u'\'') {
            out_ += u"''";  // a quote, inside a quoted run or outside one
        } else if (IsAsciiLetter(c)) {
            if (!quoted_) out_ += u'\'';
            quoted_ = true;
            out_ += c;
        } else {
            out_ += c;
        }
    }

    void Field(const QString& field) {
        CloseQuote();
        out_ += field;
    }

    QString Finish() {
        CloseQuote();
        return out_;
    }

  private:
    void CloseQuote() {
        if (quoted_) out_ += u'\'';
        quoted_ = false;
    }

    QString out_;
    bool quoted_ = false;
};

// Reads a quoted literal that starts after the opening quote at `i`; returns the index after
// its closing quote (or the end of the format).
qsizetype ReadQuoted(QStringView format, qsizetype i, QtFormatWriter& writer) {
    while (i < format.size()) {
        if (format[i] == u'\'') {
            if (i + 1 < format.size() && format[i + 1] == u'\'') {
                writer.Literal(u'\'');
                i += 2;
                continue;
            }
            return i + 1;
        }
        writer.Literal(format[i]);
        ++i;
    }
    return i;
}

}  // namespace

std::optional<QString> TranslatePickerFormat(QStringView format) {
    QtFormatWriter writer;
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar c = format[i];
        if (c == u'\'') {
            if (i + 1 < format.size() && format[i + 1] == u'\'') {
                writer.Literal(u'\'');
                i += 2;
            } else {
                i = ReadQuoted(format, i + 1, writer);
            }
            continue;
        }
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run] == c) ++run;
        const auto repeated = [&](qsizetype longest) { return QString(std::min(run, longest), c); };
        switch (c.unicode()) {
            case u'd':
            case u'M':
                writer.Field(repeated(4));
                break;
            case u'y':
                writer.Field(run <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy"));
                break;
            case u'h':
            case u'H':
            case u'm':
            case u's':
                writer.Field(repeated(2));
                break;
            case u't':
                writer.Field(QStringLiteral("AP"));
                break;
            case u'X':
                return std::nullopt;
            default:
                for (qsizetype k = 0; k < run; ++k) writer.Literal(c);
                break;
        }
        i += run;
    }
    return writer.Finish();
}

}  // namespace tally
