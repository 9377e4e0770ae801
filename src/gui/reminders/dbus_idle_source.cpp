// SPDX-License-Identifier: MIT
#include "reminders/dbus_idle_source.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariant>

namespace tally {
namespace {

// A call once a second must not hold up the window when the service hangs.
constexpr int kCallTimeoutMs = 200;

}  // namespace

std::unique_ptr<DBusIdleSource> DBusIdleSource::Open() {
    static const Service kServices[] = {
        {"org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
         "org.freedesktop.ScreenSaver", "GetSessionIdleTime"},
        {"org.gnome.Mutter.IdleMonitor", "/org/gnome/Mutter/IdleMonitor/Core",
         "org.gnome.Mutter.IdleMonitor", "GetIdletime"},
    };
    if (!QDBusConnection::sessionBus().isConnected()) return nullptr;
    // GNOME registers the ScreenSaver name but answers its idle call with an error: only a
    // service that gives a number counts.
    for (const Service& service : kServices) {
        if (Ask(service)) return std::unique_ptr<DBusIdleSource>(new DBusIdleSource(service));
    }
    return nullptr;
}

std::optional<std::int64_t> DBusIdleSource::IdleSeconds() {
    return Ask(m_service);
}

std::optional<std::int64_t> DBusIdleSource::Ask(const Service& service) {
    const QDBusMessage call = QDBusMessage::createMethodCall(service.name, service.path,
                                                             service.interface, service.method);
    const QDBusMessage reply =
        QDBusConnection::sessionBus().call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return std::nullopt;
    }
    bool ok = false;
    const qulonglong milliseconds = reply.arguments().first().toULongLong(&ok);
    if (!ok) return std::nullopt;
    return static_cast<std::int64_t>(milliseconds / 1000);
}

}  // namespace tally
