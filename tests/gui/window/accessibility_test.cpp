// SPDX-License-Identifier: MIT
// Every control a keyboard can reach carries a name that a screen reader can say, and no
// mnemonic is given twice in one window, dialog or menu.

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <map>

#include "sample_dialogs.h"
#include "widgets/command_ids.h"
#include "window/about_dlg.h"
#include "window/chart/hours_chart_wnd.h"
#include "window_harness.h"

namespace tally::test {
namespace {

// The letter after a single '&', lower case; 0 when the text has none.
QChar Mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return QChar();
}

void CountMnemonic(const QString& text, std::map<QChar, QStringList>& seen) {
    const QChar key = Mnemonic(text);
    if (!key.isNull()) seen[key].append(text);
}

QStringList Repeats(const QString& scope, const std::map<QChar, QStringList>& seen) {
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
    std::map<QChar, QStringList> seen;
    for (QWidget* widget : top.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&top)) continue;
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            CountMnemonic(button->text(), seen);
        if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy()) {
            CountMnemonic(label->text(), seen);
        }
        if (auto* group = qobject_cast<QGroupBox*>(widget)) CountMnemonic(group->title(), seen);
        if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
            for (int i = 0; i < tabs->count(); ++i) CountMnemonic(tabs->tabText(i), seen);
        }
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
    std::map<QChar, QStringList> titles;
    for (QAction* action : bar.actions()) {
        CountMnemonic(action->text(), titles);
        if (QMenu* menu = action->menu()) {
            std::map<QChar, QStringList> items;
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
