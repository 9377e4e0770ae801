// SPDX-License-Identifier: MIT
#pragma once
// Suspends and screen locks as the desktop tells them over D-Bus: logind's PrepareForSleep on
// the system bus, and the ActiveChanged of org.freedesktop.ScreenSaver or GNOME's
// org.gnome.ScreenSaver on the session bus. The system bus is the one DBUS_SYSTEM_BUS_ADDRESS
// names, else the usual one.

#include <QObject>

#include "reminders/reminder_rules.h"

namespace tally {

class DBusAbsenceWatch : public QObject {
    Q_OBJECT

  public:
    // Listens on whichever of the two buses is there; neither: it never signals.
    explicit DBusAbsenceWatch(QObject* parent = nullptr);

  signals:
    void Began(tally::Absence kind);
    void Ended(tally::Absence kind);

  private slots:
    void OnPrepareForSleep(bool start);
    void OnScreenSaverActive(bool active);
};

}  // namespace tally
