// SPDX-License-Identifier: MIT
#pragma once
// Finds a dialog's controls by what a user reads on them, and clicks them.

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace tally {
class CQFDateTimeCtrl;
}  // namespace tally

namespace tally::test {

// The child of the given type showing the text; a test failure and nullptr when there is none.
template <typename Widget>
Widget* FindByText(const QWidget& parent, const QString& text) {
    for (Widget* widget : parent.findChildren<Widget*>()) {
        if (widget->text() == text) return widget;
    }
    ADD_FAILURE() << "no control \"" << text.toStdString() << "\"";
    return nullptr;
}

inline QPushButton* FindButton(const QWidget& parent, const QString& text) {
    return FindByText<QPushButton>(parent, text);
}

// A left click near the top left corner, where buttons and check boxes take it.
inline void Click(QWidget* widget) {
    if (widget != nullptr) QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(4, 4));
}

// Replaces a box's text by typing, as a user does.
inline void Retype(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClicks(box, text);
}

// The date-time pickers of a dialog in the order of their control ids. (A template, so that
// tests of dialogs without pickers need not see the picker library.)
template <typename Picker = CQFDateTimeCtrl>
std::vector<Picker*> Pickers(const QWidget& dialog) {
    auto pickers = dialog.findChildren<Picker*>();
    std::sort(pickers.begin(), pickers.end(),
              [](auto* a, auto* b) { return a->GetDlgCtrlID() < b->GetDlgCtrlID(); });
    return {pickers.begin(), pickers.end()};
}

}  // namespace tally::test
