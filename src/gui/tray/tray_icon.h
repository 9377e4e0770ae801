// SPDX-License-Identifier: MIT
#pragma once
// The punch clock in the desktop's tray: an In or Out icon by state, the two totals in its
// tool tip, and a menu with In, Out, Show/Hide TallyBook and Exit; a click shows the window.

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>

class QAction;
class QWidget;

namespace tally {

class TrayIcon : public QObject {
    Q_OBJECT

  public:
    // The menu's In, Out and Exit are the window's own commands.
    TrayIcon(QWidget& window, QAction* clockIn, QAction* clockOut, QAction* exit);

    // State and the first lines of the Time Today and Time This Billing Period boxes.
    void Update(bool clockedIn, const QString& today, const QString& period);
    void Show() { m_tray.show(); }

    QSystemTrayIcon& Icon() { return m_tray; }
    QMenu& Menu() { return m_menu; }
    // The icon by state: the program's icon, with a green mark while clocked in.
    static QIcon StateIcon(bool clockedIn);

  private:
    void ShowOrHideWindow();
    void OnActivated(QSystemTrayIcon::ActivationReason reason);
    void ShowWindow();

    QWidget& m_window;
    QMenu m_menu;
    QSystemTrayIcon m_tray;
    int m_state = -1;  // the icon's state, to set it only when it changes
};

}  // namespace tally
