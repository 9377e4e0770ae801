// SPDX-License-Identifier: MIT
#include "window/main_frame.h"

#include <QCloseEvent>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

#include "basics/command_ids.h"
#include "log/messages.h"
#include "window/command_prompts.h"

namespace tally {
namespace {

// The texts that size the indicator panes; the first update replaces them.
constexpr const char* kInOutPaneSizer = "OUT";
constexpr const char* kClockPaneSizer = "99:99:99";

QIcon ToolbarImage(const char* name) {
    return QIcon(QString(":/res/toolbar/%1.xpm").arg(name));
}

}  // namespace

CMainFrame::CMainFrame(SettingsStore& store) : m_store(store) {
    setWindowTitle(kApplicationName);
    setWindowIcon(QIcon(":/res/tallybook.xpm"));
}

void CMainFrame::PreCreateWindow() {
    const WindowPosition position = m_store.ReadWindowPosition();
    move(position.x, position.y);
}

void CMainFrame::OnCreate() {
    CreateMenu();
    CreateToolBar();
    CreateStatusBar();
    CreateAccelerators();
}

QAction* CMainFrame::AddCommand(int id, const QString& text, const QList<QKeySequence>& keys) {
    auto* action = new QAction(text, this);
    action->setShortcuts(keys);
    action->setIconVisibleInMenu(false);
    ApplyPrompt(action, id);
    m_actions[id] = action;
    return action;
}

void CMainFrame::CreateMenu() {
    QMenuBar* bar = menuBar();

    m_fileMenu = bar->addMenu("&File");
    m_fileMenu->addAction(AddCommand(ID_FILE_NEW, "&New", {QKeySequence("Ctrl+N")}));
    m_fileMenu->addAction(AddCommand(ID_FILE_OPEN, "&Open...", {QKeySequence("Ctrl+O")}));
    m_fileMenu->addAction(AddCommand(ID_FILE_SAVE, "&Save", {QKeySequence("Ctrl+S")}));
    m_fileMenu->addAction(AddCommand(ID_FILE_SAVE_AS, "Save &As..."));
    // Enabled while a sync tool's conflict copy lies beside the log (CQFTBApp::UpdatePanes).
    m_fileMenu->addAction(AddCommand(ID_FILE_MERGE_COPY, "&Merge Copy..."));
    m_clientMenu = m_fileMenu->addMenu("&Client");
    m_actions[ID_FILE_CLIENT] = m_clientMenu->menuAction();
    ApplyPrompt(m_clientMenu->menuAction(), ID_FILE_CLIENT);
    m_clientMenu->menuAction()->setVisible(false);  // until there are clients
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(AddCommand(ID_FILE_PRINT, "&Print...", {QKeySequence("Ctrl+P")}));
    m_fileMenu->addAction(AddCommand(ID_FILE_PRINT_PREVIEW, "Print Pre&view"));
    m_fileMenu->addAction(AddCommand(ID_FILE_PRINT_SETUP, "P&rint Setup..."));
    m_fileMenu->addSeparator();
    m_recentPlace = AddCommand(ID_FILE_MRU_FILE1, "Recent File");
    m_recentPlace->setEnabled(false);
    m_fileMenu->addAction(m_recentPlace);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(AddCommand(ID_APP_EXIT, "E&xit"));
    connect(Action(ID_APP_EXIT), &QAction::triggered, this, &QWidget::close);

    QMenu* edit = bar->addMenu("&Edit");
    edit->addAction(AddCommand(ID_OPTIONS, "&Options"));
    edit->addAction(AddCommand(ID_REMINDERS, "&Reminders..."));
    edit->addAction(AddCommand(ID_CLIENTS, "&Clients..."));
    edit->addAction(AddCommand(ID_CLOCK_OUT_AT, "Clock Out &At..."));
    edit->addAction(AddCommand(ID_EDIT_RAW_DATA, "Edit Raw Data"));
    edit->addSeparator();

    QMenu* view = bar->addMenu("&View");
    view->addAction(AddCommand(ID_VIEW_TOOLBAR, "&Toolbar"));
    view->addAction(AddCommand(ID_VIEW_STATUS_BAR, "&Status Bar"));
    view->addSeparator();
    view->addAction(AddCommand(ID_VIEW_HOURS_CHART, "Hours &Chart"));
    view->addAction(AddCommand(ID_VIEW_INVOICES, "&Invoices"));

    bar->addAction(AddCommand(ID_CLOCK_IN, "&In"));
    bar->addAction(AddCommand(ID_CLOCK_OUT, "&Out"));
    bar->addAction(AddCommand(ID_INVOICE, "Invoi&ce"));

    QMenu* help = bar->addMenu("&Help");
    help->addAction(AddCommand(ID_APP_ABOUT, "&About QFTB..."));
}

void CMainFrame::CreateToolBar() {
    m_toolBar = new QToolBar(kApplicationName, this);
    m_toolBar->setObjectName("ToolBar");
    m_toolBar->setIconSize(QSize(16, 15));
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    addToolBar(Qt::TopToolBarArea, m_toolBar);

    const struct {
        int id;
        const char* image;
    } kButtons[] = {{ID_FILE_NEW, "new"},
                    {ID_FILE_OPEN, "open"},
                    {ID_FILE_SAVE, "save"},
                    {0, nullptr},
                    {ID_OPTIONS, "options"},
                    {ID_EDIT_RAW_DATA, "edit_raw_data"},
                    {ID_GENERATE_INVOICE, "invoice"},
                    {ID_APP_ABOUT, "about"}};
    // Generate Invoice has no handler anywhere, so its button stays disabled.
    AddCommand(ID_GENERATE_INVOICE, "Generate Invoice")->setEnabled(false);
    for (const auto& button : kButtons) {
        if (button.image == nullptr) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = Action(button.id);
        action->setIcon(ToolbarImage(button.image));
        m_toolBar->addAction(action);
    }

    QAction* toggle = Action(ID_VIEW_TOOLBAR);
    toggle->setCheckable(true);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, m_toolBar, &QWidget::setVisible);
    connect(m_toolBar, &QToolBar::visibilityChanged, toggle, &QAction::setChecked);
    // A toolbar hidden, docked elsewhere or floating changes what the form needs around it.
    for (auto signal : {&QToolBar::topLevelChanged, &QToolBar::visibilityChanged}) {
        connect(m_toolBar, signal, this, &CMainFrame::RecalcLayout, Qt::QueuedConnection);
    }
    connect(m_toolBar, &QToolBar::orientationChanged, this, &CMainFrame::RecalcLayout,
            Qt::QueuedConnection);
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(false);
    // Keeps the clock pane's border off the window's edge, where the grip would be.
    bar->setContentsMargins(0, 0, 3, 0);
    // Qt clears a status tip to an empty message; the idle text takes its place again.
    connect(bar, &QStatusBar::messageChanged, bar, [bar](const QString& message) {
        if (message.isEmpty()) bar->showMessage(kIdlePrompt);
    });
    bar->showMessage(kIdlePrompt);

    // Says without a message box that the scan stopped early; hidden while the log is sound.
    // Its icon comes with the first warning: looking it up in the icon theme takes longer
    // than the rest of the status bar.
    m_logWarning = new QLabel(bar);
    m_logWarning->setObjectName("LogWarning");
    bar->addPermanentWidget(m_logWarning);
    m_logWarning->hide();

    // The current client's name, left of In/Out; shown only once there are clients.
    auto* client = new QLabel(bar);
    client->setObjectName("ClientPane");
    client->setTextFormat(Qt::PlainText);
    client->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    client->setAlignment(Qt::AlignCenter);
    bar->addPermanentWidget(client);
    client->hide();
    m_panes[ID_INDICATOR_CLIENT] = client;

    for (const auto& [id, sizer] :
         {std::pair{ID_INDICATOR_INOUT, kInOutPaneSizer}, {ID_INDICATOR_CLOCK, kClockPaneSizer}}) {
        auto* pane = new QLabel(sizer, bar);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->sizeHint().width());
        bar->addPermanentWidget(pane);
        m_panes[id] = pane;
    }

    QAction* toggle = Action(ID_VIEW_STATUS_BAR);
    toggle->setCheckable(true);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, this, [this](bool visible) {
        statusBar()->setVisible(visible);
        RecalcLayout();
    });
}

void CMainFrame::CreateAccelerators() {
    // The edit and pane keys have no command behind them. Taking them here keeps the
    // focused control from acting on them either, so Ctrl+C in a list copies nothing.
    const struct {
        int id;
        const char* text;
        QList<QKeySequence> keys;
    } kKeys[] = {
        {ID_EDIT_UNDO, "Undo", {QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}},
        {ID_EDIT_CUT, "Cut", {QKeySequence("Ctrl+X"), QKeySequence("Shift+Del")}},
        {ID_EDIT_COPY, "Copy", {QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")}},
        {ID_EDIT_PASTE, "Paste", {QKeySequence("Ctrl+V"), QKeySequence("Shift+Ins")}},
        {ID_NEXT_PANE, "Next Pane", {QKeySequence("F6")}},
        {ID_PREV_PANE, "Previous Pane", {QKeySequence("Shift+F6")}},
    };
    for (const auto& key : kKeys) addAction(AddCommand(key.id, key.text, key.keys));
}

QAction* CMainFrame::Action(int id) const {
    const auto found = m_actions.find(id);
    return found != m_actions.end() ? found->second : nullptr;
}

QLabel* CMainFrame::Pane(int id) const {
    const auto found = m_panes.find(id);
    return found != m_panes.end() ? found->second : nullptr;
}

void CMainFrame::ShowLogWarning(const QString& toolTip) {
    if (toolTip == m_logWarning->toolTip() && toolTip.isEmpty() == m_logWarning->isHidden()) {
        return;
    }
    if (!toolTip.isEmpty() && m_logWarning->pixmap().isNull()) {
        const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize);
        m_logWarning->setPixmap(
            style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(iconSize, iconSize));
    }
    m_logWarning->setToolTip(toolTip);
    m_logWarning->setVisible(!toolTip.isEmpty());
}

void CMainFrame::ShowRecentFiles(const QStringList& files) {
    for (QAction* action : m_recentActions) {
        m_fileMenu->removeAction(action);
        action->deleteLater();
    }
    m_recentActions.clear();
    m_recentPlace->setVisible(files.isEmpty());
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        auto* action =
            new QAction(QString("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)), this);
        ApplyPrompt(action, ID_FILE_MRU_FILE1);
        connect(action, &QAction::triggered, this, [this, path] { emit RecentFileChosen(path); });
        m_fileMenu->insertAction(m_recentPlace, action);
        m_recentActions.append(action);
    }
}

void CMainFrame::ShowClients(const std::vector<Client>& clients, const std::string& timeLog) {
    // Deleted later: this runs from the triggered signal of one of these actions.
    for (QAction* action : m_clientActions) {
        m_clientMenu->removeAction(action);
        action->deleteLater();
    }
    m_clientActions.clear();
    const Client* current = ClientOfLog(clients, timeLog);
    for (std::size_t i = 0; i < clients.size(); ++i) {
        const QString name = QString::fromStdString(clients[i].name);
        QString text = QString(name).replace('&', "&&");
        if (i < 9) text = QString("&%1 %2").arg(i + 1).arg(text);
        auto* action = new QAction(text, this);
        action->setCheckable(true);
        action->setChecked(&clients[i] == current);
        ApplyPrompt(action, ID_FILE_CLIENT);
        connect(action, &QAction::triggered, this, [this, name] { emit ClientChosen(name); });
        m_clientMenu->addAction(action);
        m_clientActions.append(action);
    }
    m_clientMenu->menuAction()->setVisible(!clients.empty());
    QLabel* pane = Pane(ID_INDICATOR_CLIENT);
    pane->setText(current != nullptr ? QString::fromStdString(current->name) : "No client");
    pane->setVisible(!clients.empty());
}

void CMainFrame::RecalcLayout() {
    if (QLayout* frameLayout = layout()) {
        frameLayout->invalidate();
        frameLayout->activate();
    }
    setFixedSize(sizeHint());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    const QPoint topLeft = frameGeometry().topLeft();
    m_store.WriteWindowPosition({topLeft.x(), topLeft.y()});
    event->accept();
}

}  // namespace tally
