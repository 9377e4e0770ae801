// SPDX-License-Identifier: MIT
#include "tray/tray_icon.h"

#include <QAction>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace tally {

TrayIcon::TrayIcon(QWidget& window, QAction* clockIn, QAction* clockOut, QAction* exit)
    : m_window(window) {
    m_menu.addAction(clockIn);
    m_menu.addAction(clockOut);
    m_menu.addSeparator();
    m_menu.addAction("&Show/Hide TallyBook", this, &TrayIcon::ShowOrHideWindow);
    m_menu.addSeparator();
    m_menu.addAction(exit);
    m_tray.setContextMenu(&m_menu);
    connect(&m_tray, &QSystemTrayIcon::activated, this, &TrayIcon::OnActivated);
    Update(false, {}, {});
}

QIcon TrayIcon::StateIcon(bool clockedIn) {
    QPixmap pixmap = QIcon(":/res/tallybook.xpm").pixmap(32, 32);
    if (clockedIn) {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::white, 2));
        painter.setBrush(QColor(0, 160, 0));
        painter.drawEllipse(QRectF(17, 17, 14, 14));
    }
    return QIcon(pixmap);
}

void TrayIcon::Update(bool clockedIn, const QString& today, const QString& period) {
    if (m_state != int{clockedIn}) {
        m_state = int{clockedIn};
        m_tray.setIcon(StateIcon(clockedIn));
    }
    // Every tick asks; a desktop tray hears only of a real change. The state in words first:
    // a screen reader cannot see the icon's green mark.
    const QString tip = QString("%1\nTime Today: %2\nTime This Billing Period: %3")
                            .arg(clockedIn ? "Clocked in" : "Clocked out", today, period);
    if (tip != m_tray.toolTip()) m_tray.setToolTip(tip);
}

void TrayIcon::ShowOrHideWindow() {
    if (m_window.isVisible() && !m_window.isMinimized()) {
        m_window.hide();
    } else {
        ShowWindow();
    }
}

void TrayIcon::OnActivated(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) ShowWindow();
}

void TrayIcon::ShowWindow() {
    m_window.showNormal();
    m_window.raise();
    m_window.activateWindow();
}

}  // namespace tally
