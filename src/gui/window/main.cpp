// SPDX-License-Identifier: MIT
// tallybook: the punch clock's desktop window.

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QTimer>
#include <clocale>
#include <cstdlib>
#include <exception>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <utility>

#include "basics/message_box_reporter.h"
#include "log/messages.h"
#include "log/time_log_file.h"
#include "reminders/dbus_absence_watch.h"
#include "reminders/desktop_notifier.h"
#include "reminders/idle_source.h"
#include "settings/settings_store.h"
#include "time/clock.h"
#include "window/framework_dialogs.h"
#include "window/main_frame.h"
#include "window/print/command_line_print.h"
#include "window/qftb_app.h"
#include "window/qftb_view.h"
#include "window/single_instance.h"
#include "window/startup_switches.h"

namespace {

constexpr int kExitUsage = 2;

// Runs work once, when the event loop is free after the window's first paint, or after the
// timer's first period if the window is not painted by then (started on a hidden desktop).
class FirstPaintWatch : public QObject {
  public:
    FirstPaintWatch(QWidget& window, std::function<void()> work)
        : QObject(&window), window_(window), work_(std::move(work)) {
        window.installEventFilter(this);
        QTimer::singleShot(tally::kTimerPeriod, this, &FirstPaintWatch::Run);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            window_.removeEventFilter(this);
            QTimer::singleShot(0, this, &FirstPaintWatch::Run);
        }
        return false;
    }

  private:
    void Run() {
        if (!work_) return;
        window_.removeEventFilter(this);
        std::exchange(work_, nullptr)();
        deleteLater();
    }

    QWidget& window_;
    std::function<void()> work_;
};

void AfterFirstPaint(QWidget& window, std::function<void()> work) {
    new FirstPaintWatch(window, std::move(work));
}

int Run(int argc, char** argv) {
    using namespace tally;
    if (ShowsNoWindow(argc, argv)) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    // QApplication takes the desktop's locale; the engine's numbers stay in the C locale.
    std::setlocale(LC_NUMERIC, "C");

    CQFTBApp::SetApplicationIdentity();
    QString usageError;
    const auto switches = ParseStartupSwitches(QApplication::arguments(), usageError);
    if (!switches) {
        std::cerr << "tallybook: " << usageError.toStdString()
                  << "\nTry 'tallybook --help' for more information.\n";
        return kExitUsage;
    }
    SettingsStore store;
    SystemClock clock;
    if (switches->print != StartupSwitches::Print::None) {
        return PrintFromCommandLine(*switches, store, clock, std::cerr);
    }
    // A second start hands its file to the first window and ends.
    SingleInstance instance;
    const QString file =
        switches->file.isEmpty() ? QString() : QFileInfo(switches->file).absoluteFilePath();
    if (instance.Claim(file) == SingleInstance::Role::HandedOver) return 0;
    if (!instance.Refusal().empty()) {
        std::cerr << "tallybook: " << instance.Refusal()
                  << "; this window runs alone, and a later start opens a window of its own.\n";
    }
    MessageBoxReporter reporter;
    QtFrameworkDialogs dialogs;
    // A store that cannot be read leaves every option at its default: say so.
    if (const std::string problem = store.ReadProblem(); !problem.empty()) {
        reporter.Report({"The options could not be read (" + problem +
                             "); the defaults are used until they are saved again.",
                         kErrorCaption, MessageIcon::Warning});
    }
    std::unique_ptr<IdleSource> idle;
    std::unique_ptr<DBusAbsenceWatch> absence;
    DesktopNotifier notifier;
    const ReminderServices reminders{nullptr, notifier};
    CQFTBApp app({store, clock, reporter, dialogs, kTimerPeriod, &reminders});
    if (!app.InitInstance(QApplication::arguments())) return 1;
    notifier.SetTrayIcon(&app.Tray()->Icon());
    QObject::connect(&instance, &SingleInstance::MessageReceived, &app, &CQFTBApp::OnAnotherStart);
    // The reminders want the idle time from the first tick on, a second away. Finding where
    // the desktop tells it can wait on its D-Bus session, so it waits for the first paint, as
    // does listening for suspends and screen locks.
    AfterFirstPaint(*app.MainFrame(), [&idle, &absence, &app, &clock] {
        idle = PlatformIdleSource(clock);
        app.View()->Reminders()->SetIdleSource(idle.get());
        absence = std::make_unique<DBusAbsenceWatch>();
        app.View()->Reminders()->ListenTo(*absence);
    });
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
    tally::IgnoreFileSizeSignal();
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "tallybook: " << e.what() << '\n';
    } catch (...) {
        std::cerr << "tallybook: unexpected failure\n";
    }
    return 1;
}
