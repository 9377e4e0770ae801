// tallybook: the punch clock's desktop window.

#include <QApplication>
#include <clocale>

#include "core/clock.h"
#include "core/time_log_file.h"
#include "settings/settings_store.h"
#include "ui/framework_dialogs.h"
#include "ui/qftb_app.h"
#include "widgets/message_box_reporter.h"

int main(int argc, char** argv) {
    using namespace tally;
    IgnoreFileSizeSignal();
    QApplication application(argc, argv);
    // QApplication takes the desktop's locale; the engine's numbers stay in the C locale.
    std::setlocale(LC_NUMERIC, "C");

    SettingsStore store;
    SystemClock clock;
    MessageBoxReporter reporter;
    QtFrameworkDialogs dialogs;
    CQFTBApp app({store, clock, reporter, dialogs});
    if (!app.InitInstance(QApplication::arguments())) return 1;
    return QApplication::exec();
}
