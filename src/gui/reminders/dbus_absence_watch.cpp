// SPDX-License-Identifier: MIT
#include "reminders/dbus_absence_watch.h"

#include <QDBusConnection>

namespace tally {

DBusAbsenceWatch::DBusAbsenceWatch(QObject* parent) : QObject(parent) {
    QDBusConnection system = QDBusConnection::systemBus();
    if (system.isConnected()) {
        system.connect("org.freedesktop.login1", "/org/freedesktop/login1",
                       "org.freedesktop.login1.Manager", "PrepareForSleep", this,
                       SLOT(OnPrepareForSleep(bool)));
    }
    QDBusConnection session = QDBusConnection::sessionBus();
    if (session.isConnected()) {
        // From any sender and path: KDE sends on two paths, GNOME's shell owns its name under
        // another, and the rules count a lock told twice once.
        for (const char* interface : {"org.freedesktop.ScreenSaver", "org.gnome.ScreenSaver"}) {
            session.connect(QString(), QString(), interface, "ActiveChanged", this,
                            SLOT(OnScreenSaverActive(bool)));
        }
    }
}

void DBusAbsenceWatch::OnPrepareForSleep(bool start) {
    if (start) {
        emit Began(Absence::Suspend);
    } else {
        emit Ended(Absence::Suspend);
    }
}

void DBusAbsenceWatch::OnScreenSaverActive(bool active) {
    if (active) {
        emit Began(Absence::Lock);
    } else {
        emit Ended(Absence::Lock);
    }
}

}  // namespace tally
