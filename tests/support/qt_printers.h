// SPDX-License-Identifier: MIT
#pragma once
// Lets GoogleTest print Qt values readably in its failure messages.

#include <ostream>

class QColor;
class QDateTime;
class QFont;
class QString;

void PrintTo(const QString& text, std::ostream* out);
void PrintTo(const QDateTime& value, std::ostream* out);
void PrintTo(const QColor& colour, std::ostream* out);
void PrintTo(const QFont& font, std::ostream* out);
