// SPDX-License-Identifier: MIT
#pragma once
// The main window: menu, toolbar, status bar with the client, In/Out and clock panes, the
// accelerators, and the window's position kept in the settings store. The user cannot
// resize it; it is fitted around the form.

#include <QMainWindow>
#include <QStringList>
#include <map>
#include <string>
#include <vector>

#include "clients/client.h"
#include "settings/settings_store.h"

class QLabel;
class QMenu;
class QToolBar;

namespace tally {

class CMainFrame : public QMainWindow {
    Q_OBJECT

  public:
    explicit CMainFrame(SettingsStore& store);

    // Before the window exists: the requested left and top from "Settings" X and Y.
    void PreCreateWindow();
    // Menu, toolbar and status bar, with an action for every command.
    void OnCreate();

    QAction* Action(int id) const;
    QLabel* Pane(int id) const;
    QLabel* LogWarning() const { return m_logWarning; }

    // Shows the warning icon before the panes with this tool tip; an empty text hides it.
    void ShowLogWarning(const QString& toolTip);
    QToolBar* ToolBar() const { return m_toolBar; }

    // Lists the files under the File menu's recent-file place.
    void ShowRecentFiles(const QStringList& files);
    // Lists the clients in File > Client, the one of the time log checked, and names that
    // one in the client pane; both are hidden while there are no clients.
    void ShowClients(const std::vector<Client>& clients, const std::string& timeLog);
    QMenu* ClientMenu() const { return m_clientMenu; }

    // Lays the bars out again and fits the window exactly around the form.
    void RecalcLayout();

  signals:
    void RecentFileChosen(const QString& path);
    void ClientChosen(const QString& name);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QAction* AddCommand(int id, const QString& text, const QList<QKeySequence>& keys = {});
    void CreateMenu();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateAccelerators();

    SettingsStore& m_store;
    std::map<int, QAction*> m_actions;
    std::map<int, QLabel*> m_panes;
    QLabel* m_logWarning = nullptr;  // the log is not read to its end, or has conflict copies
    QToolBar* m_toolBar = nullptr;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentPlace = nullptr;
    QList<QAction*> m_recentActions;
    QMenu* m_clientMenu = nullptr;
    QList<QAction*> m_clientActions;
};

}  // namespace tally
