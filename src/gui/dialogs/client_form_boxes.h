// SPDX-License-Identifier: MIT
#pragma once
// What the Clients dialog and its client and issuer forms share: their caption and the text
// boxes of their forms.

#include <QString>
#include <string>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace tally {

inline constexpr const char* kClientsCaption = "Clients";

inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QLineEdit* TextBox(const char* name, QWidget* parent);
// A box for a few lines of text, as tall as the lines given.
QPlainTextEdit* LinesBox(const char* name, int lines, QWidget* parent);

}  // namespace tally
