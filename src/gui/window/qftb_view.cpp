// SPDX-License-Identifier: MIT
// The main view: its start, the tick and rescans, the punches and the clients; the form is
// laid out in qftb_view_form.cpp, the commands that open a dialog are in qftb_view_dialogs.cpp.
#include "window/qftb_view.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <ctime>

#include "clients/client_clock_in.h"
#include "clients/client_switch.h"
#include "dialogs/clock_out_at_dlg.h"
#include "log/messages.h"
#include "settings/client_store.h"
#include "time/clock.h"
#include "time/local_time.h"
#include "window/chart/hours_chart_wnd.h"
#include "window/log_warning_text.h"
#include "window/main_frame.h"
#include "window/position_check.h"
#include "window/qftb_doc.h"

namespace tally {

CQFTBView::CQFTBView(const AppServices& services, CQFTBDoc& document, CMainFrame& frame)
    : m_services(services),
      m_document(document),
      m_frame(frame),
      m_engine(services.clock, services.reporter),
      m_rows([this] { m_logWatch.Remember(m_engine.Settings().DataLog); }) {
    m_engine.SetRowSink(&m_rows);
    CreateForm();
    connect(&m_timer, &QTimer::timeout, this, &CQFTBView::OnTimer);
    if (services.reminders != nullptr) {
        m_reminders = std::make_unique<ReminderController>(m_engine, services.clock, services.store,
                                                           *services.reminders, &frame);
        connect(m_reminders.get(), &ReminderController::ClockedOut, this,
                &CQFTBView::ShowClockedOut);
    }
}

void CQFTBView::OnInitialUpdate() {
    m_frame.RecalcLayout();

    const PositionCheck check =
        CheckWindowPosition(m_frame.frameGeometry().topLeft(), PlatformScreenMetrics(this));
    if (check.moved) m_frame.move(check.topLeft);

    if (!m_bColumnsAdded) {
        SetColumnWidths();
        m_bColumnsAdded = true;
    }

    m_services.store.Load(m_engine.Settings(), [this](const CurrentSettings&) {
        m_engine.SetClockedIn(m_engine.IsLastRecordIn());
    });
    m_optionsRate = m_engine.Settings().Rate;
    TakeClients();
    m_engine.BuildMarqueeCaption();
    ScanTimeLog();
    m_timer.start(m_services.timerPeriod);
    emit PanesNeedUpdate();
}

void CQFTBView::ScanTimeLog() {
    m_engine.ScanTimeLog();
    m_copyWatch.Refresh(m_engine.Settings().DataLog);
    ShowScanResults();
}

void CQFTBView::ShowScanResults() {
    if (m_rows.Finish()) {
        m_scanEnd = m_engine.State();
        if (m_hoursChart != nullptr && m_hoursChart->isVisible()) ShowScanInChart();
    }
    ShowTotalsTexts();
    m_frame.ShowLogWarning(LogWarningText(m_engine, m_copyWatch.Copies()));
}

void CQFTBView::ShowCaption(const QString& caption) {
    setWindowTitle(caption);
    m_document.SetTitle(caption);
    m_frame.setWindowTitle(caption);
}

void CQFTBView::OnTimer() {
    const std::string& log = m_engine.Settings().DataLog;
    if (m_logWatch.Changed(log)) RescanChangedLog();
    if (m_storeWatch.Changed(m_services.store.Raw().fileName().toStdString())) {
        // tally client added, removed or changed a client: the menu, pane and rate follow.
        const double rate = m_engine.Settings().Rate;
        TakeClients();
        if (m_engine.Settings().Rate != rate) ScanTimeLog();
    }
    // One stat of the folder; it is listed only when it changed.
    m_copyWatch.Refresh(log);
    if (m_reminders) m_reminders->OnTick();
    if (m_engine.OnTimer()) ShowCaption(QString::fromStdString(m_engine.MarqueeCaption()));
    ShowScanResults();
    emit PanesNeedUpdate();
}

void CQFTBView::RescanChangedLog() {
    // Another program punched or rewrote the log. A Clock Out there ends the scrolling
    // here just as one made in this window would.
    const bool wasClockedIn = m_engine.ClockedIn();
    ScanTimeLog();
    if (wasClockedIn && !m_engine.ClockedIn()) {
        m_engine.BuildMarqueeCaption();
        m_frame.setWindowTitle(QString::fromStdString(m_engine.MarqueeCaption()));
    }
}

void CQFTBView::OnClockIn() {
    TakeClients();
    const ClientClockIn in = ClockInForClient(m_engine, ClientBookOf(m_services.store.Raw()));
    if (in.openElsewhere) ClockInWhileOpenElsewhere(*in.openElsewhere);
    ShowScanResults();
    emit PanesNeedUpdate();
}

void CQFTBView::ClockInWhileOpenElsewhere(const OpenClient& open) {
    QMessageBox box(QMessageBox::Warning, kApplicationName,
                    QString::fromStdString(StillClockedInText(open)), QMessageBox::Cancel,
                    &m_frame);
    const QPushButton* switchHere = box.addButton("&Switch Here", QMessageBox::AcceptRole);
    box.setDefaultButton(QMessageBox::Cancel);
    box.exec();
    if (box.clickedButton() != switchHere) return;
    // The switch looks at every log again: the other may have been closed meanwhile.
    const SwitchResult result = SwitchToLog(m_engine, ClientBookOf(m_services.store.Raw()));
    if (!result.refusal.empty())
        m_services.reporter.Report({result.refusal, kApplicationName, MessageIcon::Stop});
}

void CQFTBView::OnClockOut() {
    if (m_engine.OnClockOut()) {
        m_frame.setWindowTitle(QString::fromStdString(m_engine.MarqueeCaption()));
    }
    ShowScanResults();
    emit PanesNeedUpdate();
}

void CQFTBView::OnClockOutAt() {
    if (!m_engine.ClockedIn()) return;
    CClockOutAtDlg dialog(m_services.clock.Now(), &m_frame);
    if (dialog.exec() != QDialog::Accepted) return;
    if (m_engine.OnClockOutBackdated(dialog.When())) {
        m_frame.setWindowTitle(QString::fromStdString(m_engine.MarqueeCaption()));
    }
    ShowScanResults();
    emit PanesNeedUpdate();
}

// After a Clock Out made by the Idle Time prompt: what OnClockOut shows after its own.
void CQFTBView::ShowClockedOut() {
    m_frame.setWindowTitle(QString::fromStdString(m_engine.MarqueeCaption()));
    ShowScanResults();
    emit PanesNeedUpdate();
}

void CQFTBView::OnChooseClient(const QString& name) {
    m_clients = ReadClients(m_services.store.Raw());
    if (const Client* client = FindClient(m_clients, name.toStdString())) {
        // As the Options dialog changes the data file: stored, and read in place of the old.
        m_services.store.StoreOption(kDataLogKey, QString::fromStdString(client->log));
        WarnIfNotSaved("options");
        m_engine.Settings().DataLog = client->log;
    }
    TakeClients();
    // The old log may have been clocked in: its scrolling caption stops as after a Clock Out.
    // None of its figures stays beside an empty or missing log of the client chosen.
    m_engine.ForgetLastScan();
    RescanChangedLog();
    emit PanesNeedUpdate();
}

void CQFTBView::TakeClients() {
    m_storeWatch.Remember(m_services.store.Raw().fileName().toStdString());
    m_clients = ReadClients(m_services.store.Raw());
    CurrentSettings& settings = m_engine.Settings();
    settings.Rate = EffectiveRate(m_clients, settings.DataLog, m_optionsRate);
    m_frame.ShowClients(m_clients, settings.DataLog);
}

void CQFTBView::OnUpdateInOutPane(QLabel* pane) const {
    pane->setText(m_engine.ClockedIn() ? "In" : "Out");
}

void CQFTBView::OnUpdateClockPane(QLabel* pane) const {
    const std::tm now = ToLocalTm(m_services.clock.Now());
    char text[16] = {};
    std::strftime(text, sizeof text, "%H:%M:%S", &now);
    pane->setText(text);
}

}  // namespace tally
