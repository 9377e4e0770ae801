// SPDX-License-Identifier: MIT
// Suspends and screen locks told by stand-ins of logind, on a private bus that the program
// takes for the system bus (DBUS_SYSTEM_BUS_ADDRESS), and of the screensavers, on a private
// session bus. A binary of its own: the buses are chosen once per process.

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <cstdlib>
#include <memory>

#include "fake_reminder_services.h"
#include "log_text.h"
#include "private_bus.h"
#include "reminders/dbus_absence_watch.h"
#include "reminders/reminder_controller.h"
#include "settings/reminder_settings.h"
#include "test_support.h"

namespace tally::test {
namespace {

class AbsenceOverDBus : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        system = new PrivateBus;
        session = new PrivateBus;
        setenv("DBUS_SYSTEM_BUS_ADDRESS", system->address.c_str(), 1);
        setenv("DBUS_SESSION_BUS_ADDRESS", session->address.c_str(), 1);
        // Owned before the watch listens for it.
        ASSERT_TRUE(StandIn(*system).registerService("org.freedesktop.login1"));
    }
    static void TearDownTestSuite() {
        for (PrivateBus* bus : {system, session}) {
            QDBusConnection::disconnectFromBus(QString::fromStdString(bus->address));
            delete bus;
        }
    }
    static QDBusConnection StandIn(const PrivateBus& bus) {
        const QString address = QString::fromStdString(bus.address);
        return QDBusConnection::connectToBus(address, address);
    }

    AbsenceOverDBus()
        : engine(clock, reporter),
          store(QString::fromStdString(dir.File("settings.ini"))),
          services{nullptr, notifier},
          controller(engine, clock, store, services, &window) {
        engine.Settings().DataLog = dir.File("TALLYBK.DAT");
        WriteReminders(store.Raw(), {10, 0});
        controller.ListenTo(watch);
    }

    // The stand-in's signal at the given time, once the watch has passed it on.
    void Signal(const PrivateBus& bus, const char* path, const char* interface, const char* name,
                bool value, TimeValue at) {
        clock.Set(at);
        QSignalSpy heard(&watch, value ? &DBusAbsenceWatch::Began : &DBusAbsenceWatch::Ended);
        ASSERT_TRUE(StandIn(bus).send(QDBusMessage::createSignal(path, interface, name) << value));
        ASSERT_TRUE(heard.wait(5000)) << interface;
    }

    inline static PrivateBus* system = nullptr;
    inline static PrivateBus* session = nullptr;
    TempDir dir;
    FakeClock clock;
    RecordingReporter reporter;
    TallyEngine engine;
    SettingsStore store;
    RecordingNotifier notifier;
    ReminderServices services;
    QWidget window;
    ReminderController controller;
    DBusAbsenceWatch watch;
};

TEST_F(AbsenceOverDBus, aSuspendOfThirtyMinutesThenClockOutWhenILeft) {
    WriteFile(engine.Settings().DataLog, In("2026-12-07 12:00:00"));
    engine.ScanTimeLog();
    const char* logind[] = {"/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                            "PrepareForSleep"};
    Signal(*system, logind[0], logind[1], logind[2], true, At(2026, 12, 7, 12, 41, 7));
    EXPECT_EQ(controller.IdlePrompt(), nullptr);
    Signal(*system, logind[0], logind[1], logind[2], false, At(2026, 12, 7, 13, 11, 7));
    ASSERT_NE(controller.IdlePrompt(), nullptr);
    EXPECT_EQ(controller.IdlePrompt()->Text()->text(),
              "You were away from 12:41 to 13:11 (0:30:00) while clocked in.");
    controller.IdlePrompt()->ClockOutButton()->click();
    EXPECT_EQ(ReadFile(engine.Settings().DataLog),
              In("2026-12-07 12:00:00") + Out("2026-12-07 12:41:07") + Elapsed("00:41:07"));
}

TEST_F(AbsenceOverDBus, aLockOnEitherScreenSaver) {
    WriteFile(engine.Settings().DataLog, In("2026-12-07 12:00:00"));
    engine.ScanTimeLog();
    for (const char* saver : {"org.freedesktop.ScreenSaver", "org.gnome.ScreenSaver"}) {
        Signal(*session, "/ScreenSaver", saver, "ActiveChanged", true, At(2026, 12, 7, 12, 5, 0));
        Signal(*session, "/ScreenSaver", saver, "ActiveChanged", false, At(2026, 12, 7, 12, 20, 0));
        ASSERT_NE(controller.IdlePrompt(), nullptr) << saver;
        EXPECT_EQ(controller.IdlePrompt()->Away(),
                  (AwayTime{At(2026, 12, 7, 12, 5, 0), At(2026, 12, 7, 12, 20, 0)}));
        controller.IdlePrompt()->KeepButton()->click();
    }
}

}  // namespace
}  // namespace tally::test
