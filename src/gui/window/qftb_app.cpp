// SPDX-License-Identifier: MIT
#include "window/qftb_app.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QRegularExpression>

#include "basics/command_ids.h"
#include "core/version.h"
#include "log/messages.h"
#include "window/about_dlg.h"
#include "window/main_frame.h"
#include "window/qftb_doc.h"
#include "window/qftb_view.h"
#include "window/startup_switches.h"

namespace tally {
namespace {

// The name offered for a document without a file: its title up to the first character
// that is doubtful in a file name.
QString ProposedFileName(const QString& title) {
    const qsizetype bad = title.indexOf(QRegularExpression("[ #%;/\\\\]"));
    return bad < 0 ? title : title.left(bad);
}

}  // namespace

CQFTBApp::CQFTBApp(const AppServices& services)
    : m_services(services), m_recentFiles(services.store.Raw()) {}

CQFTBApp::~CQFTBApp() = default;

void CQFTBApp::SetApplicationIdentity() {
    QCoreApplication::setOrganizationName(kOrganisationName);
    QCoreApplication::setApplicationName(kApplicationName);
    QCoreApplication::setApplicationVersion(kVersionString);
    // The compositor finds the desktop entry, and so the icon and name, by this id.
    QGuiApplication::setDesktopFileName(kDesktopFileName);
}

bool CQFTBApp::InitInstance(const QStringList& arguments) {
    SetApplicationIdentity();
    QString usageError;
    const auto switches = ParseStartupSwitches(arguments, usageError);
    if (!switches) return false;
    m_recentFiles.Load();

    CreateWindows();

    if (switches->file.isEmpty()) {
        OnFileNew();
    } else if (!OpenDocumentFile(switches->file)) {
        m_frame.reset();
        m_view = nullptr;
        return false;
    }

    UpdatePanes();
    m_frame->show();
    // The server maps the window while the tray icon is made.
    m_tray =
        std::make_unique<TrayIcon>(*m_frame, m_frame->Action(ID_CLOCK_IN),
                                   m_frame->Action(ID_CLOCK_OUT), m_frame->Action(ID_APP_EXIT));
    UpdateTray();
    if (QSystemTrayIcon::isSystemTrayAvailable()) m_tray->Show();
    return true;
}

void CQFTBApp::CreateWindows() {
    m_document = std::make_unique<CQFTBDoc>(m_services.reporter);
    m_frame = std::make_unique<CMainFrame>(m_services.store);
    m_frame->PreCreateWindow();
    m_frame->OnCreate();
    m_view = new CQFTBView(m_services, *m_document, *m_frame);
    m_frame->setCentralWidget(m_view);
    m_frame->ShowRecentFiles(m_recentFiles.Files());
    RouteCommands();
}

void CQFTBApp::RouteCommands() {
    CMainFrame* frame = m_frame.get();
    CQFTBView* view = m_view;
    const auto route = [frame](int id, QObject* receiver, auto handler) {
        connect(frame->Action(id), &QAction::triggered, receiver, handler);
    };
    route(ID_APP_ABOUT, this, [this] { OnAppAbout(); });
    route(ID_FILE_NEW, this, [this] { OnFileNew(); });
    route(ID_FILE_OPEN, this, [this] { OnFileOpen(); });
    route(ID_FILE_SAVE, this, [this] { OnFileSave(); });
    route(ID_FILE_SAVE_AS, this, [this] { OnFileSaveAs(); });
    route(ID_FILE_PRINT_SETUP, this, [this] { OnFilePrintSetup(); });
    connect(frame, &CMainFrame::RecentFileChosen, this, [this](const QString& path) {
        // A recent file that cannot be opened any more leaves the list.
        if (!OpenDocumentFile(path)) {
            m_recentFiles.Remove(path);
            m_frame->ShowRecentFiles(m_recentFiles.Files());
        }
    });

    route(ID_CLOCK_IN, view, [view] { view->OnClockIn(); });
    route(ID_CLOCK_OUT, view, [view] { view->OnClockOut(); });
    route(ID_CLOCK_OUT_AT, view, [view] { view->OnClockOutAt(); });
    route(ID_FILE_MERGE_COPY, view, [view] { view->OnMergeCopy(); });
    route(ID_OPTIONS, view, [view] { view->OnOptions(); });
    route(ID_REMINDERS, view, [view] { view->OnReminders(); });
    route(ID_EDIT_RAW_DATA, view, [view] { view->OnEditRawData(); });
    route(ID_INVOICE, view, [view] { view->OnInvoice(); });
    route(ID_CLIENTS, view, [view] { view->OnClients(); });
    connect(frame, &CMainFrame::ClientChosen, view, &CQFTBView::OnChooseClient);
    route(ID_VIEW_HOURS_CHART, view, [view] { view->OnHoursChart(); });
    route(ID_VIEW_INVOICES, view, [view] { view->OnInvoices(); });
    route(ID_FILE_PRINT, view, [this, view] { view->OnFilePrint(m_printer.Printer()); });
    route(ID_FILE_PRINT_PREVIEW, view,
          [this, view] { view->OnFilePrintPreview(m_printer.Printer()); });
    connect(view, &CQFTBView::PanesNeedUpdate, this, &CQFTBApp::UpdatePanes);
}

void CQFTBApp::UpdatePanes() {
    m_frame->Action(ID_CLOCK_OUT_AT)->setEnabled(m_view->Engine().ClockedIn());
    // Every tick looks for copies, so a copy that comes or goes changes this within a second.
    m_frame->Action(ID_FILE_MERGE_COPY)->setEnabled(!m_view->ConflictCopies().empty());
    m_view->OnUpdateInOutPane(m_frame->Pane(ID_INDICATOR_INOUT));
    m_view->OnUpdateClockPane(m_frame->Pane(ID_INDICATOR_CLOCK));
    UpdateTray();
}

void CQFTBApp::UpdateTray() {
    if (!m_tray) return;
    const TotalsTexts& texts = m_view->Engine().Texts();
    m_tray->Update(m_view->Engine().ClockedIn(), QString::fromStdString(texts.todayFirst),
                   QString::fromStdString(texts.periodFirst));
}

void CQFTBApp::OnAppAbout() {
    CAboutDlg dialog(m_frame.get());
    dialog.exec();
}

void CQFTBApp::OnFileNew() {
    if (!m_document->OnNewDocument()) return;
    m_document->ClearPathName();
    m_document->SetTitle(kUntitled);
    m_view->OnInitialUpdate();
}

void CQFTBApp::OnFileOpen() {
    const QString path = m_services.dialogs.GetOpenFileName(m_frame.get());
    if (!path.isEmpty()) OpenDocumentFile(path);
}

bool CQFTBApp::OpenDocumentFile(const QString& path) {
    if (!m_document->OnOpenDocument(path)) return false;
    SetDocumentPath(path);
    m_view->OnInitialUpdate();
    return true;
}

void CQFTBApp::OnAnotherStart(const QString& file) {
    if (!file.isEmpty()) OpenDocumentFile(file);
    m_frame->setWindowState(m_frame->windowState() & ~Qt::WindowMinimized);
    m_frame->show();
    m_frame->raise();
    m_frame->activateWindow();
}

bool CQFTBApp::OnFileSave() {
    return DoSave(m_document->PathName());
}

bool CQFTBApp::OnFileSaveAs() {
    return DoSave(QString());
}

bool CQFTBApp::DoSave(const QString& path) {
    QString target = path;
    if (target.isEmpty()) {
        const QString proposed = m_document->PathName().isEmpty()
                                     ? ProposedFileName(m_document->Title())
                                     : m_document->PathName();
        target = m_services.dialogs.GetSaveFileName(m_frame.get(), proposed);
        if (target.isEmpty()) return false;
    }
    if (!m_document->OnSaveDocument(target, m_view->Engine().Settings().DataLog)) return false;
    if (target != m_document->PathName()) SetDocumentPath(target);
    return true;
}

void CQFTBApp::SetDocumentPath(const QString& path) {
    m_document->SetPathName(path);
    m_recentFiles.Add(path);
    m_frame->ShowRecentFiles(m_recentFiles.Files());
}

void CQFTBApp::OnFilePrintSetup() {
    m_services.dialogs.RunPageSetup(m_printer.Printer(), m_frame.get());
}

}  // namespace tally
