// SPDX-License-Identifier: MIT
#include "dialogs/client_form_boxes.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include "basics/dialog_units.h"

namespace tally {

QLineEdit* TextBox(const char* name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    return box;
}

// A box for a few lines of text, as tall as the lines given.
QPlainTextEdit* LinesBox(const char* name, int lines, QWidget* parent) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    // Tab moves on, as in every other box; Enter starts a new line.
    box->setTabChangesFocus(true);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // its lines wrap
    box->setFixedHeight(DialogUnits().Y(12 * lines + 4));
    return box;
}

}  // namespace tally
