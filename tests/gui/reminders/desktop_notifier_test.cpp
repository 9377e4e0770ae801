// SPDX-License-Identifier: MIT
#include "reminders/desktop_notifier.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <cstdlib>

namespace tally::test {
namespace {

TEST(DesktopNotifier, withoutANotificationServiceOrATrayAMessageBoxThatDoesNotBlock) {
    // No session bus (and none started on the fly for an X display): this binary's first and
    // only use of the bus.
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    unsetenv("DISPLAY");
    DesktopNotifier notifier;
    QSystemTrayIcon hiddenTray;
    notifier.SetTrayIcon(&hiddenTray);  // a tray icon that is not shown has no message
    notifier.Notify("TallyBook", "You have been clocked in since 08:02 (10:00:00).");

    QMessageBox* box = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* candidate = qobject_cast<QMessageBox*>(widget); candidate && widget->isVisible())
            box = candidate;
    }
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), "TallyBook");
    EXPECT_EQ(box->text(), "You have been clocked in since 08:02 (10:00:00).");
    EXPECT_FALSE(box->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    delete box;
}

}  // namespace
}  // namespace tally::test
