// SPDX-License-Identifier: MIT
#pragma once
// The form in the main window: today's and the billing period's totals, the daily and raw
// lists, and the commands that act on the time log. It holds the engine with the current
// settings, runs the one-second timer, and gives the status panes their texts. Its form is laid
// out in qftb_view_form.cpp, the commands that open a dialog are in qftb_view_dialogs.cpp.

#include <QString>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <vector>

#include "clients/open_client.h"
#include "core/tally_engine.h"
#include "interchange/conflict_copies.h"
#include "reminders/reminder_controller.h"
#include "reports/report_text.h"
#include "window/app_services.h"
#include "window/list_rows_sink.h"
#include "window/log_change_watch.h"

class QLabel;
class QPrinter;
class QTreeView;

namespace tally {

class CHoursChartWnd;
class CMainFrame;
class CQFTBDoc;

class CQFTBView : public QWidget {
    Q_OBJECT

  public:
    CQFTBView(const AppServices& services, CQFTBDoc& document, CMainFrame& frame);

    // Runs when the window is first shown and on every File New and File Open.
    void OnInitialUpdate();

    void OnClockIn();
    void OnClockOut();
    // Edit > Clock Out At: the picker, then the Out at the instant picked, or the refusal.
    void OnClockOutAt();
    // File > Merge Copy: a conflict copy beside the log merged into it, then the log read again.
    void OnMergeCopy();
    void OnEditRawData();
    void OnOptions();
    void OnReminders();
    void OnInvoice();
    // Edit > Clients: the dialog, then the menu, pane and rate as the clients are now.
    void OnClients();
    // File > Client: the client's log becomes the time log, as an Options change would make it.
    void OnChooseClient(const QString& name);
    // Opens the Hours Chart, or brings it up; it follows every scan while it is shown.
    void OnHoursChart();
    // View > Invoices: the invoice register, to mark invoices paid or cancel them.
    void OnInvoices();
    void OnFilePrint(QPrinter& printer);
    void OnFilePrintPreview(QPrinter& printer);
    // What Print and Print Preview show: the lists and totals as the window shows them now.
    std::vector<ReportLine> Report() const;
    // One tick of the timer.
    void OnTimer();

    void OnUpdateInOutPane(QLabel* pane) const;
    void OnUpdateClockPane(QLabel* pane) const;

    QSize sizeHint() const override { return m_formSize; }

    const TallyEngine& Engine() const { return m_engine; }
    const std::vector<Client>& Clients() const { return m_clients; }
    // The file names of the sync tools' conflict copies beside the log, as last looked for.
    const std::vector<std::string>& ConflictCopies() const { return m_copyWatch.Copies(); }
    // None without reminder services.
    ReminderController* Reminders() const { return m_reminders.get(); }
    QTreeView* DailyList() const { return m_dailyList; }
    QTreeView* RawList() const { return m_rawList; }
    // None until View > Hours Chart first opened it.
    CHoursChartWnd* HoursChart() const { return m_hoursChart; }

  signals:
    // The In/Out and clock panes want their texts again.
    void PanesNeedUpdate();

  private:
    void CreateForm();
    void SetColumnWidths();
    void ScanTimeLog();
    // After every engine operation: the lists' models and the totals texts.
    void ShowScanResults();
    void ShowTotalsTexts();
    void ShowCaption(const QString& caption);
    void RescanChangedLog();
    void ShowClockedOut();
    void ShowScanInChart();
    // The clients as the store holds them now, the rate they give the time log, and the
    // File > Client menu and client pane that show them.
    void TakeClients();
    // Clock In while another client's log holds an open In: refused, or on the user's word a
    // Clock Out there and a Clock In here at the same second.
    void ClockInWhileOpenElsewhere(const OpenClient& open);
    // After a dialog's values went to the store: a store that cannot be written is said.
    void WarnIfNotSaved(const std::string& what);

    const AppServices m_services;
    CQFTBDoc& m_document;
    CMainFrame& m_frame;
    TallyEngine m_engine;
    ListRowsSink m_rows;
    ScanState m_scanEnd;  // of the last scan, for the chart's days
    LogChangeWatch m_logWatch;
    LogChangeWatch m_storeWatch;    // the settings file, for the clients that tally client changes
    ConflictCopyWatch m_copyWatch;  // the sync tools' copies beside the log, for the warning
    std::unique_ptr<ReminderController> m_reminders;
    QTimer m_timer;
    bool m_bColumnsAdded = false;
    QSize m_formSize;
    std::vector<Client> m_clients;
    double m_optionsRate = 0.0;  // the Options rate; the engine's may be a client's

    QLabel* m_todayFirst = nullptr;    // 1003
    QLabel* m_todaySecond = nullptr;   // 1002
    QLabel* m_periodFirst = nullptr;   // 1000
    QLabel* m_periodSecond = nullptr;  // 1001
    QTreeView* m_dailyList = nullptr;  // 1004
    QTreeView* m_rawList = nullptr;    // 1005

    CHoursChartWnd* m_hoursChart = nullptr;  // owned by the frame
};

}  // namespace tally
