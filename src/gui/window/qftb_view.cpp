// SPDX-License-Identifier: MIT
#include "window/qftb_view.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTextDocument>
#include <QTreeView>
#include <ctime>

#include "basics/dialog_units.h"
#include "clients/client_clock_in.h"
#include "clients/client_switch.h"
#include "core/clock.h"
#include "core/conflict_copies.h"
#include "core/local_time.h"
#include "core/log_check.h"
#include "core/messages.h"
#include "dialogs/clients_dlg.h"
#include "dialogs/clock_out_at_dlg.h"
#include "dialogs/edit_data_dlg.h"
#include "dialogs/invoice_dlg.h"
#include "dialogs/invoices_dlg.h"
#include "dialogs/merge_copy_dlg.h"
#include "dialogs/options_dlg.h"
#include "reminders/reminders_dlg.h"
#include "settings/client_store.h"
#include "settings/kept_files.h"
#include "window/chart/hours_chart_wnd.h"
#include "window/column_widths.h"
#include "window/main_frame.h"
#include "window/position_check.h"
#include "window/print/report_painter.h"
#include "window/print/report_printout.h"
#include "window/qftb_doc.h"

namespace tally {
namespace {

// The form's size in dialog units.
constexpr int kFormWidth = 346;
constexpr int kFormHeight = 200;

QLabel* AddStatic(QWidget* form, const DialogUnits& units, const char* name, const char* text,
                  Qt::Alignment alignment, int x, int y, int width, int height) {
    auto* label = new QLabel(text, form);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment | Qt::AlignTop);
    units.Place(label, x, y, width, height);
    return label;
}

QTreeView* AddList(QWidget* form, const DialogUnits& units, const char* name,
                   QAbstractItemModel* model, int x, int y, int width, int height) {
    auto* list = new QTreeView(form);
    list->setObjectName(name);
    list->setModel(model);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
    list->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    units.Place(list, x, y, width, height);
    return list;
}

// The tool tip of the status bar's warning: why the log is not read, or not to its end, and
// the conflict copies beside it; empty for a sound log alone in its folder.
QString LogWarningText(const TallyEngine& engine, const std::vector<std::string>& copies) {
    std::string text;
    const ScanStop& stop = engine.State().stop;
    if (!engine.LogError().empty()) {
        text = engine.LogError();
    } else if (stop.reason != LogFault::None) {
        text = "The time log is not read to its end.\n" + DescribeScanStop(stop) + ":\n" +
               stop.place.text + "\nMend it with Edit Raw Data; 'tally check' lists every fault.";
    }
    if (!copies.empty()) {
        if (!text.empty()) text += "\n\n";
        text +=
            "A sync tool left conflict copies of the time log beside it; punches made only "
            "in a copy count in no total:";
        for (const std::string& copy : copies) text += "\n" + copy;
    }
    if (text.empty()) return {};
    return Qt::convertFromPlainText(QString::fromStdString(text), Qt::WhiteSpaceNormal);
}

// The newest row selected and in sight, as after every scan; nothing selected in an empty list.
void SelectLastRow(QTreeView* list) {
    const int rows = list->model()->rowCount();
    if (rows == 0) return;
    const QModelIndex last = list->model()->index(rows - 1, 0);
    list->selectionModel()->setCurrentIndex(
        last, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list->scrollTo(last);
}

}  // namespace

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

void CQFTBView::CreateForm() {
    const DialogUnits units;
    setFont(DialogFont());
    // A group box's frame runs through the middle of its title, as the template assumes:
    // the texts inside start right below the title.
    setStyleSheet(QString("QGroupBox { border: 1px solid palette(mid); margin-top: %1px; }"
                          "QGroupBox::title { subcontrol-origin: margin; left: %2px;"
                          " padding: 0px 2px; }")
                      .arg(units.BaseY() / 2)
                      .arg(units.X(4)));
    m_formSize = units.Rect(0, 0, kFormWidth, kFormHeight).size();
    setFixedSize(m_formSize);

    units.Place(new QGroupBox("Time Today", this), 7, 7, 154, 40);
    m_todayFirst = AddStatic(this, units, "TodayFirst", "", Qt::AlignLeft, 13, 18, 131, 8);
    m_todaySecond = AddStatic(this, units, "TodaySecond", "", Qt::AlignLeft, 13, 30, 131, 8);
    units.Place(new QGroupBox("Time This Billing Period", this), 172, 7, 167, 40);
    m_periodFirst = AddStatic(this, units, "PeriodFirst", "", Qt::AlignLeft, 184, 19, 145, 8);
    m_periodSecond = AddStatic(this, units, "PeriodSecond", "", Qt::AlignLeft, 184, 31, 145, 8);
    AddStatic(this, units, "DailyLabel", "Daily Elapsed Time", Qt::AlignHCenter, 11, 51, 146, 8);
    AddStatic(this, units, "RawLabel", "Raw Time Data", Qt::AlignHCenter, 179, 51, 146, 8);
    m_dailyList = AddList(this, units, "DailyList", m_rows.Daily(), 7, 66, 155, 127);
    m_rawList = AddList(this, units, "RawList", m_rows.Raw(), 170, 66, 169, 127);
    m_dailyList->setAccessibleName("Daily Elapsed Time");
    m_rawList->setAccessibleName("Raw Time Data");
    // Every scan, whatever started it, ends in a reset of both models.
    for (QTreeView* list : {m_dailyList, m_rawList}) {
        connect(list->model(), &QAbstractItemModel::modelReset, list,
                [list] { SelectLastRow(list); });
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

void CQFTBView::SetColumnWidths() {
    const auto daily = DailyColumnWidths(m_dailyList->maximumViewportSize().width(), kCursorWidth);
    for (int column = 0; column < static_cast<int>(daily.size()); ++column) {
        m_dailyList->setColumnWidth(column, daily[column]);
    }
    const auto raw = RawColumnWidths(m_rawList->maximumViewportSize().width(), kCursorWidth);
    for (int column = 0; column < static_cast<int>(raw.size()); ++column) {
        m_rawList->setColumnWidth(column, raw[column]);
    }
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
    const TotalsTexts& texts = m_engine.Texts();
    m_todayFirst->setText(QString::fromStdString(texts.todayFirst));
    m_todaySecond->setText(QString::fromStdString(texts.todaySecond));
    m_periodFirst->setText(QString::fromStdString(texts.periodFirst));
    m_periodSecond->setText(QString::fromStdString(texts.periodSecond));
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

// After a Clock Out made by the Idle Time prompt: what OnClockOut shows after its own.
void CQFTBView::ShowClockedOut() {
    m_frame.setWindowTitle(QString::fromStdString(m_engine.MarqueeCaption()));
    ShowScanResults();
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
