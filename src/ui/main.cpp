// tallybook: the punch clock's desktop window.

#include <QApplication>
#include <clocale>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <memory>
#include <string>

#include "core/clock.h"
#include "core/messages.h"
#include "core/time_log_file.h"
#include "settings/settings_store.h"
#include "ui/framework_dialogs.h"
#include "ui/print/command_line_print.h"
#include "ui/qftb_app.h"
#include "ui/reminders/desktop_notifier.h"
#include "ui/reminders/idle_source.h"
#include "ui/startup_switches.h"
#include "widgets/message_box_reporter.h"

namespace {

constexpr int kExitUsage = 2;

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
    MessageBoxReporter reporter;
    QtFrameworkDialogs dialogs;
    // A store that cannot be read leaves every option at its default: say so.
    if (const std::string problem = store.ReadProblem(); !problem.empty()) {
        reporter.Report({"The options could not be read (" + problem +
                             "); the defaults are used until they are saved again.",
                         kErrorCaption, MessageIcon::Warning});
    }
    const std::unique_ptr<IdleSource> idle = PlatformIdleSource();
    DesktopNotifier notifier;
    const ReminderServices reminders{idle.get(), notifier};
    CQFTBApp app({store, clock, reporter, dialogs, kTimerPeriod, &reminders});
    if (!app.InitInstance(QApplication::arguments())) return 1;
    notifier.SetTrayIcon(&app.Tray()->Icon());
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
