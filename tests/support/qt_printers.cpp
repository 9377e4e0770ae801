// SPDX-License-Identifier: MIT
#include "qt_printers.h"

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QString>

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

void PrintTo(const QDateTime& value, std::ostream* out) {
    *out << value.toString(Qt::ISODate).toStdString();
}

void PrintTo(const QColor& colour, std::ostream* out) {
    *out << colour.name().toStdString();
}

void PrintTo(const QFont& font, std::ostream* out) {
    *out << font.toString().toStdString();
}
