// tallybook: the punch clock's desktop window.

#include <QApplication>
#include <clocale>
#include <exception>
#include <iostream>
#include <string>

#include "core/clock.h"
#include "core/time_log_file.h"
#include "settings/settings_store.h"
#include "ui/framework_dialogs.h"
#include "ui/qftb_app.h"
#include "widgets/message_box_reporter.h"

namespace {

int Run(int argc, char** argv) {
    using namespace tally;
    QApplication application(argc, argv);
    // QApplication takes the desktop's locale; the engine's numbers stay in the C locale.
    std::setlocale(LC_NUMERIC, "C");

    SettingsStore store;
    SystemClock clock;
    MessageBoxReporter reporter;
    QtFrameworkDialogs dialogs;
    // A store that cannot be read leaves every option at its default: say so.
    if (const std::string problem = store.ReadProblem(); !problem.empty()) {
        reporter.Report({"The options could not be read (" + problem +
                             "); the defaults are used until they are saved again.",
                         kErrorCaption, MessageIcon::Warning});
    }
    CQFTBApp app({store, clock, reporter, dialogs});
    if (!app.InitInstance(QApplication::arguments())) return 1;
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
