// SPDX-License-Identifier: MIT
#include "window_harness.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QThread>
#include <QTimer>
#include <cstdlib>

namespace tally::test {
namespace {

constexpr int kModalAttempts = 200;

}  // namespace

bool FakeFrameworkDialogs::RunPrintDialog(QPrinter& printer, QWidget*) {
    if (printToFile.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printToFile);
    return true;
}

void FakeFrameworkDialogs::RunPrintPreview(QPrinter& printer, QWidget*, const PaintPages& paint) {
    QPrintPreviewWidget preview(&printer);
    QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, paint);
    preview.updatePreview();
    previewPages = preview.pageCount();
}

WindowHarness::WindowHarness() {
    // Nothing may reach the user's own home or settings, whatever a test forgets.
    setenv("HOME", dir.Path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", dir.File("config").c_str(), 1);
    // Tests close windows and go on with others.
    QApplication::setQuitOnLastWindowClosed(false);
    store = std::make_unique<SettingsStore>(IniPath());
    store->StoreOption("DataLog", QString::fromStdString(LogPath()));
    clock.SetLocal(2024, 3, 4, 9, 0, 0);
}

WindowHarness::~WindowHarness() = default;

void WindowHarness::WriteLog(const std::string& text) const {
    WriteFile(LogPath(), Crlf(text));
}

bool WindowHarness::Start(const QStringList& arguments) {
    app = std::make_unique<CQFTBApp>(
        AppServices{*store, clock, reporter, dialogs, timerPeriod, reminders});
    return app->InitInstance(QStringList{"tallybook"} + arguments);
}

void WindowHarness::Trigger(int commandId) {
    QAction* action = Frame().Action(commandId);
    ASSERT_NE(action, nullptr) << commandId;
    action->trigger();
}

void WindowHarness::Tick(int seconds) {
    clock.Advance(seconds);
    View().OnTimer();
}

QString WindowHarness::Text(const char* labelName) {
    const auto* label = View().findChild<QLabel*>(labelName);
    return label != nullptr ? label->text() : QString("<no %1>").arg(labelName);
}

QString WindowHarness::Pane(int paneId) {
    const QLabel* pane = Frame().Pane(paneId);
    return pane != nullptr ? pane->text() : QString("<no pane>");
}

QStringList WindowHarness::Row(const QTreeView* list, int row) {
    QStringList cells;
    const QAbstractItemModel* model = list->model();
    for (int column = 0; column < model->columnCount(); ++column) {
        cells << model->data(model->index(row, column)).toString();
    }
    return cells;
}

namespace {

void LookForModal(const std::function<void(QWidget*)>& act, int attemptsLeft) {
    QTimer::singleShot(attemptsLeft == kModalAttempts ? 0 : 10, [act, attemptsLeft] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            act(modal);
        } else if (attemptsLeft == 0) {
            ADD_FAILURE() << "no modal dialog opened";
        } else {
            LookForModal(act, attemptsLeft - 1);
        }
    });
}

}  // namespace

void WhenModalWidget(std::function<void(QWidget*)> act) {
    // The dialog opens once the command runs: look for it from inside its event loop.
    LookForModal(act, kModalAttempts);
}

bool ProcessEventsUntil(const std::function<bool()>& condition) {
    QDeadlineTimer deadline(5000);
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

}  // namespace tally::test
