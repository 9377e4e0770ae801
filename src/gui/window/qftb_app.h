// SPDX-License-Identifier: MIT
#pragma once
// The application: start-up, the one document, frame and view, and the commands that the
// application itself answers (About, New, Open, Save, Save As, the recent files, Print Setup).

#include <QObject>
#include <QStringList>
#include <memory>

#include "tray/tray_icon.h"
#include "window/app_services.h"
#include "window/printer_settings.h"
#include "window/recent_file_list.h"

namespace tally {

class CMainFrame;
class CQFTBDoc;
class CQFTBView;

class CQFTBApp : public QObject {
    Q_OBJECT

  public:
    explicit CQFTBApp(const AppServices& services);
    ~CQFTBApp() override;

    // The names that --help, --version and the settings go by; InitInstance sets them too.
    static void SetApplicationIdentity();
    // Start-up with the program's arguments: false when the program should end, e.g.
    // because the document named on the command line cannot be opened. The print switches
    // are the program's main's to act on before this (no window is made for them).
    bool InitInstance(const QStringList& arguments);

    CMainFrame* MainFrame() const { return m_frame.get(); }
    CQFTBView* View() const { return m_view; }
    CQFTBDoc* Document() const { return m_document.get(); }
    // Shown where the desktop has a tray; none until start-up succeeded.
    TrayIcon* Tray() const { return m_tray.get(); }
    const RecentFileList& RecentFiles() const { return m_recentFiles; }

    void OnAppAbout();
    void OnFileNew();
    void OnFileOpen();
    // Opens the file as the document and runs the view's initial update; false when the
    // file could not be opened (the document stays as it was).
    bool OpenDocumentFile(const QString& path);
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnFilePrintSetup();
    // Another start of the program: opens its file, if it named one, and brings the window up.
    void OnAnotherStart(const QString& file);

  private:
    void CreateWindows();
    void RouteCommands();
    void UpdatePanes();
    void UpdateTray();
    // Saves under the path, asking for one when it is empty.
    bool DoSave(const QString& path);
    void SetDocumentPath(const QString& path);

    AppServices m_services;
    RecentFileList m_recentFiles;
    PrinterSettings m_printer;
    std::unique_ptr<CQFTBDoc> m_document;
    std::unique_ptr<CMainFrame> m_frame;
    CQFTBView* m_view = nullptr;  // owned by the frame
    std::unique_ptr<TrayIcon> m_tray;
};

}  // namespace tally
