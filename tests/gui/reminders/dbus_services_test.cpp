// SPDX-License-Identifier: MIT
// The idle time, the notifications, suspends and screen locks over D-Bus, against stand-in
// services on a private session bus and system bus. A binary of its own: the buses are chosen
// once per process.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QDBusMessage>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStringList>
#include <QThread>
#include <QVariantMap>
#include <csignal>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <vector>

#include "fake_reminder_services.h"
#include "log_text.h"
#include "process.h"
#include "reminders/dbus_absence_watch.h"
#include "reminders/dbus_idle_source.h"
#include "reminders/desktop_notifier.h"
#include "reminders/reminder_controller.h"
#include "settings/reminder_settings.h"
#include "test_support.h"

namespace tally::test {
namespace {

// GNOME's ScreenSaver name answers the idle call with an error.
class RefusingScreenSaver : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

  public slots:
    Q_SCRIPTABLE uint GetSessionIdleTime() {
        sendErrorReply(QDBusError::NotSupported, "not supported here");
        return 0;
    }
};

class IdleMonitor : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.Mutter.IdleMonitor")

  public slots:
    Q_SCRIPTABLE qulonglong GetIdletime() { return 75'999; }
};

class Notifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

  public:
    QStringList Received() {
        std::lock_guard lock(m_mutex);
        return m_received;
    }

  public slots:
    Q_SCRIPTABLE uint Notify(const QString& app, uint, const QString&, const QString& summary,
                             const QString& body, const QStringList&, const QVariantMap&, int) {
        std::lock_guard lock(m_mutex);
        m_received << app + "|" + summary + "|" + body;
        return 1;
    }

  private:
    std::mutex m_mutex;
    QStringList m_received;
};

// A session bus and a system bus of our own, and the stand-ins on connections served by a
// thread of their own (a blocking call from the main thread must not wait for itself).
class PrivateBuses : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        for (auto [address, variable] : {std::pair{&m_address, "DBUS_SESSION_BUS_ADDRESS"},
                                         {&m_systemAddress, "DBUS_SYSTEM_BUS_ADDRESS"}}) {
            const ProcessResult daemon = RunProcess(
                {"dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1"});
            ASSERT_EQ(daemon.exitCode, 0) << daemon.err;
            const QStringList lines = QString::fromStdString(daemon.out).split('\n');
            ASSERT_GE(lines.size(), 2);
            *address = lines[0];
            m_daemonPids.push_back(lines[1].toInt());
            setenv(variable, address->toLocal8Bit().constData(), 1);
        }
    }
    static void TearDownTestSuite() {
        for (int pid : m_daemonPids) kill(pid, SIGTERM);
    }
    void SetUp() override { m_thread.start(); }
    void TearDown() override {
        m_thread.quit();
        m_thread.wait();
        QDBusConnection::disconnectFromBus("stand-ins");
        QDBusConnection::disconnectFromBus("system stand-ins");
    }

    template <typename Service>
    Service* Offer(const char* name, const char* path) {
        auto* service = new Service;
        service->moveToThread(&m_thread);
        QObject::connect(&m_thread, &QThread::finished, service, &QObject::deleteLater);
        QDBusConnection bus = QDBusConnection::connectToBus(m_address, "stand-ins");
        EXPECT_TRUE(bus.registerService(name)) << name;
        EXPECT_TRUE(bus.registerObject(path, service, QDBusConnection::ExportScriptableSlots));
        return service;
    }

    inline static QString m_address;
    inline static QString m_systemAddress;
    inline static std::vector<int> m_daemonPids;
    QThread m_thread;
};

TEST_F(PrivateBuses, idleTimeFromTheFirstServiceThatGivesANumberAndNotifications) {
    EXPECT_EQ(DBusIdleSource::Open(), nullptr);  // nothing offers it yet

    Offer<RefusingScreenSaver>("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver");
    EXPECT_EQ(DBusIdleSource::Open(), nullptr);
    Offer<IdleMonitor>("org.gnome.Mutter.IdleMonitor", "/org/gnome/Mutter/IdleMonitor/Core");
    const std::unique_ptr<DBusIdleSource> idle = DBusIdleSource::Open();
    ASSERT_NE(idle, nullptr);
    EXPECT_EQ(idle->IdleSeconds(), 75);  // whole seconds of the milliseconds

    Notifications* notifications =
        Offer<Notifications>("org.freedesktop.Notifications", "/org/freedesktop/Notifications");
    DesktopNotifier notifier;
    notifier.Notify("TallyBook", "You have been clocked in since 08:02 (10:00:00).");
    EXPECT_EQ(notifications->Received(),
              QStringList{"TallyBook|TallyBook|You have been clocked in since 08:02 (10:00:00)."});
}

TEST_F(PrivateBuses, aSuspendOfThirtyMinutesThenClockOutWhenILeftAndLocks) {
    TempDir dir;
    FakeClock clock;
    RecordingReporter reporter;
    TallyEngine engine(clock, reporter);
    engine.Settings().DataLog = dir.File("TALLYBK.DAT");
    WriteFile(engine.Settings().DataLog, In("2026-12-07 12:00:00"));
    engine.ScanTimeLog();
    SettingsStore store(QString::fromStdString(dir.File("settings.ini")));
    WriteReminders(store.Raw(), {10, 0});
    RecordingNotifier notifier;
    QWidget window;
    ReminderController controller(engine, clock, store, {nullptr, notifier}, &window);
    QDBusConnection logind = QDBusConnection::connectToBus(m_systemAddress, "system stand-ins");
    ASSERT_TRUE(logind.registerService("org.freedesktop.login1"));  // before the watch listens
    DBusAbsenceWatch watch;
    controller.ListenTo(watch);
    // A stand-in's signal at the given time, once the watch has passed it on.
    const auto signal = [&](QDBusConnection bus, const char* path, const char* interface,
                            const char* name, bool value, TimeValue at) {
        clock.Set(at);
        QSignalSpy heard(&watch, value ? &DBusAbsenceWatch::Began : &DBusAbsenceWatch::Ended);
        bus.send(QDBusMessage::createSignal(path, interface, name) << value);
        return heard.wait(5000);
    };
    // Five-minute locks on either screensaver: heard, and too short to ask about.
    const QDBusConnection session = QDBusConnection::connectToBus(m_address, "stand-ins");
    for (const char* saver : {"org.freedesktop.ScreenSaver", "org.gnome.ScreenSaver"}) {
        for (bool locked : {true, false}) {
            EXPECT_TRUE(signal(session, "/ScreenSaver", saver, "ActiveChanged", locked,
                               At(2026, 12, 7, 12, locked ? 5 : 10, 0)));
        }
    }
    EXPECT_EQ(controller.IdlePrompt(), nullptr);
    for (bool start : {true, false}) {
        EXPECT_TRUE(signal(logind, "/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                           "PrepareForSleep", start,
                           At(2026, 12, 7, start ? 12 : 13, start ? 41 : 11, 7)));
    }
    ASSERT_NE(controller.IdlePrompt(), nullptr);
    EXPECT_EQ(controller.IdlePrompt()->Text()->text(),
              "You were away from 12:41 to 13:11 (0:30:00) while clocked in.");
    controller.IdlePrompt()->ClockOutButton()->click();
    EXPECT_EQ(ReadFile(engine.Settings().DataLog),
              In("2026-12-07 12:00:00") + Out("2026-12-07 12:41:07") + Elapsed("00:41:07"));
}

}  // namespace
}  // namespace tally::test

#include "dbus_services_test.moc"
