// SPDX-License-Identifier: MIT
// The main view's commands that open a dialog or a window: the options, the reminders, the
// raw data, invoices, clients, a conflict copy's merge, the Hours Chart and the printout.
#include "window/qftb_view.h"

#include <QPrinter>

#include "dialogs/clients_dlg.h"
#include "dialogs/edit_data_dlg.h"
#include "dialogs/invoice_dlg.h"
#include "dialogs/invoices_dlg.h"
#include "dialogs/merge_copy_dlg.h"
#include "dialogs/options_dlg.h"
#include "log/messages.h"
#include "reminders/reminders_dlg.h"
#include "settings/kept_files.h"
#include "window/chart/hours_chart_wnd.h"
#include "window/main_frame.h"
#include "window/print/report_painter.h"
#include "window/print/report_printout.h"

namespace tally {

void CQFTBView::OnMergeCopy() {
    if (m_copyWatch.Copies().empty()) return;
    CMergeCopyDlg dialog(m_engine.Settings(), m_copyWatch.Copies(), m_services.clock,
                         m_services.reporter, &m_frame);
    dialog.exec();
    // A merge wrote the log and renamed the copy; a refused one may still have changed the
    // log (saved, but the copy not renamed). Read both again either way, as another
    // program's change is read: a pair from the copy may have closed the open In.
    RescanChangedLog();
    emit PanesNeedUpdate();
}

void CQFTBView::OnOptions() {
    // Offer what the store holds now, which tally config or a second copy may have changed
    // since the last load: OK without a change must not write older values back over it.
    CurrentSettings stored = m_engine.Settings();
    m_services.store.Load(stored);
    COptionsDlg dialog(this);
    dialog.SetValues(SettingsStore::ToOptionValues(stored));
    if (dialog.exec() != QDialog::Accepted) return;
    m_services.store.Save(dialog.Values(), m_engine.Settings());
    WarnIfNotSaved("options");
    m_optionsRate = m_engine.Settings().Rate;
    TakeClients();
    ScanTimeLog();
    emit PanesNeedUpdate();
}

void CQFTBView::OnReminders() {
    CRemindersDlg dialog(m_reminders && m_reminders->IdleTimeAvailable(), &m_frame);
    dialog.SetValues(ReadReminders(m_services.store.Raw()));
    if (dialog.exec() != QDialog::Accepted) return;
    WriteReminders(m_services.store.Raw(), dialog.Values());
    WarnIfNotSaved("reminder settings");
}

void CQFTBView::WarnIfNotSaved(const std::string& what) {
    const std::string problem = m_services.store.WriteProblem();
    if (problem.empty()) return;
    // They still apply in this window: the settings in memory are the new ones.
    m_services.reporter.Report({"The " + what + " could not be saved (" + problem +
                                    "); they apply until TallyBook is closed.",
                                kErrorCaption, MessageIcon::Warning});
}

void CQFTBView::OnEditRawData() {
    // Owned by the main window, as every dialog of the program is, so it opens over it.
    CEditDataDlg dialog(m_services.clock, &m_services.reporter, &m_frame);
    dialog.SetDataFile(m_engine.Settings().DataLog);
    dialog.exec();
    // OK has rewritten the log, Cancel may have followed a change by another program:
    // either way the lists are read again.
    ScanTimeLog();
    emit PanesNeedUpdate();
}

void CQFTBView::OnInvoice() {
    TakeClients();
    CInvoiceDlg dialog(m_services.store, m_services.clock, &m_frame);
    dialog.SetDataFile(m_engine.Settings().DataLog);  // offers the client's own rate, if any
    dialog.exec();
}

void CQFTBView::OnClients() {
    CClientsDlg dialog(m_services.store, m_services.reporter, &m_frame);
    dialog.exec();
    // A rate, a log or the client of the time log may have changed.
    TakeClients();
    ScanTimeLog();
    emit PanesNeedUpdate();
}

void CQFTBView::OnHoursChart() {
    // Owned by the main window, so that it stays above it and closes with it.
    if (m_hoursChart == nullptr) m_hoursChart = new CHoursChartWnd(&m_frame);
    ShowScanInChart();
    m_hoursChart->show();
    m_hoursChart->raise();
    m_hoursChart->activateWindow();
}

void CQFTBView::ShowScanInChart() {
    m_hoursChart->ShowScan(m_rows.Days(m_scanEnd), m_engine.State(), m_engine.Settings());
}

void CQFTBView::OnInvoices() {
    CInvoicesDlg dialog(m_services.store, m_services.clock, &m_frame, &m_services.reporter);
    dialog.exec();
}

std::vector<ReportLine> CQFTBView::Report() const {
    return BuildReport(kApplicationName, m_engine, m_rows.Rows(), m_services.clock.Now());
}

void CQFTBView::OnFilePrint(QPrinter& printer) {
    if (!m_services.dialogs.RunPrintDialog(printer, &m_frame)) return;
    KeptFiles kept = KeptFilesOf(m_services.store);
    kept.logs.push_back(m_engine.Settings().DataLog);  // the log shown, a switch's included
    if (const std::string problem = PrintReport(printer, Report(), kept); !problem.empty()) {
        m_services.reporter.Report({problem, kErrorCaption, MessageIcon::Stop});
    }
}

void CQFTBView::OnFilePrintPreview(QPrinter& printer) {
    // The preview paints again whenever its page settings change: the same report each time.
    const std::vector<ReportLine> lines = Report();
    m_services.dialogs.RunPrintPreview(
        printer, &m_frame, [&lines](QPrinter* preview) { PaintReport(*preview, lines); });
}

}  // namespace tally
