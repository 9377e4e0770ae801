// SPDX-License-Identifier: MIT
#pragma once
// Starts the real application on a private settings file, a temporary time log, a fake
// clock and fake framework dialogs, and reads the window as a user would.

#include <gtest/gtest.h>
#include <QLabel>
#include <QString>
#include <QStringList>
#include <QTreeView>
#include <functional>
#include <memory>

#include "settings/settings_store.h"
#include "test_support.h"
#include "window/framework_dialogs.h"
#include "window/main_frame.h"
#include "window/qftb_app.h"
#include "window/qftb_doc.h"
#include "window/qftb_view.h"

namespace tally::test {

// Framework dialogs that answer at once with what the test put in.
class FakeFrameworkDialogs final : public FrameworkDialogs {
  public:
    QString GetOpenFileName(QWidget*) override { return openFileName; }
    QString GetSaveFileName(QWidget*, const QString& proposed) override {
        proposedSaveName = proposed;
        return saveFileName;
    }
    bool RunPrintDialog(QPrinter& printer, QWidget*) override;
    void RunPrintPreview(QPrinter& printer, QWidget*, const PaintPages& paint) override;
    void RunPageSetup(QPrinter& printer, QWidget*) override {
        ++pageSetups;
        if (pageSetup) pageSetup(printer);
    }

    QString openFileName;
    QString saveFileName;
    QString proposedSaveName;
    QString printToFile;  // the print dialog chooses PDF output to this file; empty: cancel
    int previewPages = -1;
    int pageSetups = 0;
    std::function<void(QPrinter&)> pageSetup;  // the choices the page set-up dialog makes
};

class WindowHarness {
  public:
    WindowHarness();
    ~WindowHarness();

    std::string LogPath() const { return dir.File("TALLYBK.DAT"); }
    QString IniPath() const { return QString::fromStdString(dir.File("settings.ini")); }
    // The time log, given with LF line ends.
    void WriteLog(const std::string& text) const;
    std::string ReadLog() const { return ReadFile(LogPath()); }

    // Starts the application as the program's main does; false when start-up failed.
    bool Start(const QStringList& arguments = {});

    CQFTBApp& App() { return *app; }
    CMainFrame& Frame() { return *app->MainFrame(); }
    CQFTBView& View() { return *app->View(); }
    void Trigger(int commandId);
    // One timer tick, the given seconds after the previous one.
    void Tick(int seconds = 1);

    QString Text(const char* labelName);
    QString Title() { return Frame().windowTitle(); }
    QString Pane(int paneId);
    static int RowCount(const QTreeView* list) { return list->model()->rowCount(); }
    static QStringList Row(const QTreeView* list, int row);
    QStringList DailyRow(int row) { return Row(View().DailyList(), row); }
    QStringList RawRow(int row) { return Row(View().RawList(), row); }

    TempDir dir;
    FakeClock clock;
    RecordingReporter reporter;
    FakeFrameworkDialogs dialogs;
    std::unique_ptr<SettingsStore> store;
    std::chrono::milliseconds timerPeriod{std::chrono::hours(24)};  // ticks only from Tick()
    const ReminderServices* reminders = nullptr;                    // none: no reminders

  private:
    std::unique_ptr<CQFTBApp> app;
};

// Runs act on the modal dialog of the given type once it is open. A different or missing
// dialog fails the test and is closed, so the test cannot hang on it.
template <typename Dialog>
void WhenModal(std::function<void(Dialog*)> act);

void WhenModalWidget(std::function<void(QWidget*)> act);

template <typename Dialog>
void WhenModal(std::function<void(Dialog*)> act) {
    WhenModalWidget([act](QWidget* widget) {
        if (auto* dialog = qobject_cast<Dialog*>(widget)) {
            act(dialog);
            return;
        }
        ADD_FAILURE() << "unexpected modal window " << widget->metaObject()->className();
        widget->close();
    });
}

// Processes events until the condition holds or five seconds passed; the condition's value.
bool ProcessEventsUntil(const std::function<bool()>& condition);

// The caption that scrolls while clocked in, unrotated.
inline constexpr const char* kMarquee = "Quillfen TallyBook  (TallyBook V. 2.2) -- ";

}  // namespace tally::test
