// SPDX-License-Identifier: MIT
#pragma once
// A reminder through the desktop's notification service (org.freedesktop.Notifications over
// D-Bus) where one answers, else through the tray icon's message where there is a tray icon,
// else in a message box that does not block the window.

#include <QPointer>
#include <QSystemTrayIcon>

#include "reminders/notifier.h"

namespace tally {

class DesktopNotifier final : public Notifier {
  public:
    // The tray icon whose message is the second choice; none: no tray.
    void SetTrayIcon(QSystemTrayIcon* tray) { m_tray = tray; }
    void Notify(const QString& title, const QString& text) override;

  private:
    static bool NotifyOverDBus(const QString& title, const QString& text);

    QPointer<QSystemTrayIcon> m_tray;
};

}  // namespace tally
