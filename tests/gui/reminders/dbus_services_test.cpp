// SPDX-License-Identifier: MIT
// The idle time and the notifications over D-Bus, against stand-in services on a private
// session bus. A binary of its own: the session bus is chosen once per process.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QStringList>
#include <QThread>
#include <QVariantMap>
#include <cstdlib>
#include <memory>
#include <mutex>

#include "private_bus.h"
#include "reminders/dbus_idle_source.h"
#include "reminders/desktop_notifier.h"

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

// A session bus of our own, and the stand-ins on a second connection served by a thread of
// their own (a blocking call from the main thread must not wait for itself).
class PrivateSessionBus : public ::testing::Test {
  protected:
    void SetUp() override {
        m_address = QString::fromStdString(m_bus.address);
        setenv("DBUS_SESSION_BUS_ADDRESS", m_bus.address.c_str(), 1);
        m_thread.start();
    }
    void TearDown() override {
        m_thread.quit();
        m_thread.wait();
        QDBusConnection::disconnectFromBus("stand-ins");
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

    PrivateBus m_bus;
    QString m_address;
    QThread m_thread;
};

TEST_F(PrivateSessionBus, idleTimeFromTheFirstServiceThatGivesANumberAndNotifications) {
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

}  // namespace
}  // namespace tally::test

#include "dbus_services_test.moc"
