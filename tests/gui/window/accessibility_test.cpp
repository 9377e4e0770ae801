// SPDX-License-Identifier: MIT
// Every control a keyboard can reach carries a name that a screen reader can say, and no
// mnemonic is given twice in one window, dialog or menu.

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAccessible>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <map>

#include "basics/command_ids.h"
#include "sample_dialogs.h"
#include "window/about_dlg.h"
#include "window/chart/hours_chart_wnd.h"
#include "window_harness.h"

namespace tally::test {
namespace {

// Texts by the key of their mnemonic, as Qt reads one ("&&" is none).
void CountMnemonic(const QString& text, std::map<QString, QStringList>& seen) {
    const QString key = QKeySequence::mnemonic(text).toString();
    if (!key.isEmpty()) seen[key].append(text);
}

QStringList Repeats(const QString& scope, const std::map<QString, QStringList>& seen) {
    QStringList problems;
    for (const auto& [key, texts] : seen) {
        if (texts.size() > 1) problems << scope + ": mnemonic '" + key + "' in " + texts.join(", ");
    }
    return problems;
}

// The controls a user reaches with Tab, less the inner parts of a composite control (the
// editor inside a spin box, the viewport of a list), which speak through their owner.
bool ReachedByKeyboard(const QWidget* widget, const QWidget* top) {
    if (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(top)) return false;
    if (widget->focusProxy() || qobject_cast<const QMenu*>(widget)) return false;
    for (const QWidget* up = widget->parentWidget(); up && up != top; up = up->parentWidget()) {
        if (up->focusPolicy() != Qt::NoFocus && !qobject_cast<const QGroupBox*>(up)) return false;
    }
    return true;
}

QStringList Walk(const QString& scope, QWidget& top) {
    QStringList problems;
    std::map<QString, QStringList> seen;
    for (QWidget* widget : top.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&top)) continue;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            CountMnemonic(button->text(), seen);
        } else if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy()) {
            CountMnemonic(label->text(), seen);
        }
        if (auto* group = qobject_cast<QGroupBox*>(widget)) CountMnemonic(group->title(), seen);
        if (!ReachedByKeyboard(widget, &top)) continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        if (!accessible || accessible->text(QAccessible::Name).trimmed().isEmpty()) {
            problems << scope + ": a " + widget->metaObject()->className() + " without a name (" +
                            widget->objectName() + ")";
        }
    }
    problems << Repeats(scope, seen);
    return problems;
}

QStringList WalkMenus(QMenuBar& bar) {
    QStringList problems;
    std::map<QString, QStringList> titles;
    for (QAction* action : bar.actions()) {
        CountMnemonic(action->text(), titles);
        if (QMenu* menu = action->menu()) {
            std::map<QString, QStringList> items;
            for (QAction* item : menu->actions()) CountMnemonic(item->text(), items);
            problems << Repeats("menu " + action->text(), items);
        }
    }
    problems << Repeats("menu bar", titles);
    return problems;
}

TEST(Accessibility, everyControlHasANameAndNoMnemonicRepeatsInAWindowDialogOrMenu) {
    QStringList problems;
    SampleData sample;
    for (const std::string& name : SampleDialogNames()) {
        std::unique_ptr<QDialog> dlg = MakeSampleDialog(name, sample);
        dlg->show();
        PrepareSampleDialog(name, *dlg);
        problems << Walk(QString::fromStdString(name), *dlg);
    }
    CAboutDlg about;
    about.show();
    problems << Walk("about", about);

    WindowHarness w;
    ASSERT_TRUE(w.Start());
    problems << Walk("main window", w.Frame()) << WalkMenus(*w.Frame().menuBar());
    w.Trigger(ID_VIEW_HOURS_CHART);
    ASSERT_NE(w.View().HoursChart(), nullptr);
    problems << Walk("hours chart", *w.View().HoursChart());

    EXPECT_TRUE(problems.isEmpty()) << problems.join("\n").toStdString();
}

}  // namespace
}  // namespace tally::test
