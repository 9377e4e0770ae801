// SPDX-License-Identifier: MIT
#include "reminders/desktop_notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QMessageBox>
#include <QStringList>
#include <QSystemTrayIcon>
#include <QVariantMap>

namespace tally {
namespace {

// A notification daemon is started on the first call; give it a moment.
constexpr int kCallTimeoutMs = 2000;

}  // namespace

void DesktopNotifier::Notify(const QString& title, const QString& text) {
    if (NotifyOverDBus(title, text)) return;
    if (m_tray && m_tray->isVisible() && QSystemTrayIcon::supportsMessages()) {
        m_tray->showMessage(title, text);
        return;
    }
    auto* box = new QMessageBox(QMessageBox::Information, title, text, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

bool DesktopNotifier::NotifyOverDBus(const QString& title, const QString& text) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.Notifications",
                                                       "/org/freedesktop/Notifications",
                                                       "org.freedesktop.Notifications", "Notify");
    // app name, id to replace, icon, summary, body, actions, hints, timeout (-1: the server's)
    call << QString("TallyBook") << 0u << QString("tallybook") << title << text << QStringList()
         << QVariantMap() << -1;
    return bus.call(call, QDBus::Block, kCallTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

}  // namespace tally
