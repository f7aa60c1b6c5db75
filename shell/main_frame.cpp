#include "main_frame.h"

#include "ctrl_wnd.h"
#include "edit_history.h"
#include "guide_print.h"
#include "guide_window.h"
#include "help_wnd.h"
#include "info_mapa_dialog.h"
#include "main_status_bar.h"
#include "map_document.h"
#include "map_store.h"
#include "map_tool_manager.h"
#include "map_window.h"
#include "message_box.h"
#include "messages.h"
#include "tools.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QShortcut>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace {

const QString kGeometryKey = QStringLiteral("ventana/geometria");
const QString kStateKey = QStringLiteral("ventana/barras");
const QString kPanelKey = QStringLiteral("ventana/panel");

QString WithSlash(QString dir) {
    if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

// The map a drag carries: its first local file whose name ends in ".map".
QString DroppedMap(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls()) {
        const QString path = url.toLocalFile();
        if (!path.isEmpty() && path.endsWith(QStringLiteral(".map"), Qt::CaseInsensitive))
            return path;
    }
    return {};
}

} // namespace

CMainFrame::CMainFrame(CMapDocument& document, const QString& programDir, QWidget* parent)
    : QMainWindow(parent), m_document(document), m_store(document.Store()),
      m_strProgramDir(WithSlash(programDir)), m_files(document, *this, m_strProgramDir) {
    setObjectName(QStringLiteral("mainFrame"));
    setWindowIcon(QIcon(QStringLiteral(":/shell/veltrix.svg")));

    m_pSplitter = new QSplitter(Qt::Horizontal, this);
    m_pSplitter->setObjectName(QStringLiteral("splitter"));
    m_pSplitter->setChildrenCollapsible(false);
    m_pCtrlWnd = new CCtrlWnd(m_document, m_pSplitter);
    m_pMapWnd = new CMapaWnd(m_store, m_pSplitter);
    m_pMapWnd->setObjectName(QStringLiteral("mapWnd"));
    m_pSplitter->addWidget(m_pCtrlWnd);
    m_pSplitter->addWidget(m_pMapWnd);
    m_pCtrlWnd->setMinimumWidth(kPaneMinimum);
    m_pMapWnd->setMinimumWidth(kPaneMinimum);
    m_pSplitter->setStretchFactor(0, 0);
    m_pSplitter->setStretchFactor(1, 1);
    m_pSplitter->installEventFilter(this);
    // A width the user drags the bar to is kept from then on.
    connect(m_pSplitter, &QSplitter::splitterMoved, this,
            [this] { m_nPanelWidth = m_pSplitter->sizes().front(); });
    setCentralWidget(m_pSplitter);
    setAcceptDrops(true);
    m_pCtrlWnd->SetFrame(this);
    m_pMapWnd->SetFrame(this);
    m_pMapWnd->SetHistory(&m_document.History());
    m_pStatusBar = new CMainStatusBar(this);
    setStatusBar(m_pStatusBar);

    connect(&m_document, &CMapDocument::MapReplaced, this, &CMainFrame::OnMapReplaced);
    // The pages refill themselves after an undo or a redo; the map follows.
    connect(&m_document, &CMapDocument::ContentRestored, m_pMapWnd, qOverload<>(&QWidget::update));
    connect(&m_document, &CMapDocument::ContentChanged, this, &CMainFrame::UpdateCommandUI);
    connect(&m_document, &CMapDocument::PathChanged, this, &CMainFrame::UpdateTitle);
    connect(&m_document, &CMapDocument::AutosaveFailed, this, [this](const QString& error) {
        statusBar()->showMessage(tr("No se pudo guardar la copia de recuperación: %1").arg(error));
    });
    // The title carries the "[*]" mark, shown only while there are unsaved changes.
    connect(&m_document, &CMapDocument::ModifiedChanged, this, &QWidget::setWindowModified);
    connect(m_pMapWnd, &CMapaWnd::MapPointHovered, m_pStatusBar, &CMainStatusBar::ShowMapPosition);
    // The guide also closes itself (Enter, Esc, a new map); the check mark follows it.
    connect(m_pMapWnd, &CMapaWnd::GuideClosed, this, [this] {
        m_bGuideShown = false;
        UpdateCommandUI();
    });

    CreateActions();
    ConnectCommands();
    CreateMenus();
    CreateToolBar();
    PlaceToolActions();
    // A tool registered later gets its places too.
    connect(&m_pMapWnd->Tools(), &CMapToolManager::ActionsChanged, this,
            &CMainFrame::PlaceToolActions);

    auto* next = new QShortcut(QKeySequence(Qt::Key_F6), this);
    connect(next, &QShortcut::activated, this, [this] { FocusPane(1); });
    auto* previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), this);
    connect(previous, &QShortcut::activated, this, [this] { FocusPane(-1); });

    setWindowTitle(QStringLiteral("VELTRIX"));
    resize(1024, 720);
    KeepPanelWidth();
    UpdateCommandUI();
}

CMainFrame::~CMainFrame() {
    // The document outlives the frame and must not reach the actions as they go.
    disconnect(&m_document, nullptr, this, nullptr);
    if (m_pHelpWnd)
        delete m_pHelpWnd.data();
}

CHintLabel* CMainFrame::HintPane() const {
    return m_pStatusBar->HintPane();
}

QAction* CMainFrame::AddCommand(const CommandRow& command) {
    auto* action = new QAction(QCoreApplication::translate("Command", command.text), this);
    action->setObjectName(QStringLiteral("action%1").arg(command.id));
    action->setStatusTip(QCoreApplication::translate("Command", command.prompt));
    action->setToolTip(QCoreApplication::translate("Command", command.tip));
    if (command.icon)
        action->setIcon(
            QIcon(QStringLiteral(":/shell/icons/%1.svg").arg(QLatin1String(command.icon))));
    if (command.shortcut != 0)
        action->setShortcut(QKeySequence(command.shortcut));
    action->setCheckable(command.checkable);
    // A menu draws a checked item with an icon as a faintly framed icon; without
    // the icon it shows a real tick. The tool bar keeps the icons.
    if (action->isCheckable())
        action->setIconVisibleInMenu(false);
    m_actions.insert(command.id, action);
    // Commands work from the keyboard even while the menu bar is hidden.
    addAction(action);
    return action;
}

void CMainFrame::CreateActions() {
    for (const CommandRow& command : CommandTable())
        AddCommand(command);
    for (int slot = 0; slot < CRecentMaps::kMaxMaps; ++slot)
        AddCommand(CommandRow{.id = ID_FILE_RECENT_FIRST + slot});
    // Home belongs to the lists and the slider while they have the focus; on
    // the map it shows the whole town.
    QAction* viewAll = Action(ID_VIEW_ALL);
    viewAll->setShortcut(QKeySequence(Qt::Key_Home));
    viewAll->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    removeAction(viewAll);
    m_pMapWnd->addAction(viewAll);
}

void CMainFrame::ConnectCommands() {
    const std::pair<int, void (CMainFrame::*)()> commands[] = {
        {ID_FILE_OPEN_MAP, &CMainFrame::OnFileOpen},
        {ID_FILE_OPEN_ANY, &CMainFrame::OnFileOpenAny},
        {ID_FILE_SAVE_MAP, &CMainFrame::OnFileSave},
        {ID_FILE_PREFERENCES, &CMainFrame::OnPreferences},
        {ID_COPY_MAP, &CMainFrame::OnCopyMap},
        {ID_FILE_PRINT, &CMainFrame::OnFilePrint},
        {ID_FILE_EXPORT_VIEW, &CMainFrame::OnExportView},
        {ID_FILE_PRINT_GUIDE, &CMainFrame::OnPrintGuide},
        {ID_FILE_IMPORT_GIS, &CMainFrame::OnImportGis},
        {ID_FILE_EXPORT_GIS, &CMainFrame::OnExportGis},
        {ID_VIEW_ALL, &CMainFrame::OnViewAll},
        {ID_VIEW_GUIDE, &CMainFrame::OnViewGuide},
        {ID_VIEW_PROPERTIES, &CMainFrame::OnViewProperties},
        {ID_HELP_FINDER, &CMainFrame::OnHelpFinder},
    };
    for (const auto& [id, handler] : commands)
        connect(Action(id), &QAction::triggered, this, handler);
    connect(Action(ID_FILE_SAVE_AS), &QAction::triggered, this, &CMainFrame::OnFileSaveAs);
    connect(Action(ID_APP_EXIT), &QAction::triggered, this, &QWidget::close);
    connect(Action(ID_EDIT_UNDO), &QAction::triggered, this, [this] { History().Stack().undo(); });
    connect(Action(ID_EDIT_REDO), &QAction::triggered, this, [this] { History().Stack().redo(); });
    connect(Action(ID_VIEW_SCALE_BAR), &QAction::triggered, this, [this](bool shown) {
        m_pMapWnd->SetScaleBarShown(shown);
        UpdateCommandUI();
    });
    connect(Action(ID_VIEW_PLACE_LABELS), &QAction::triggered, this, [this](bool on) {
        m_pMapWnd->SetLabelPlacement(on);
        UpdateCommandUI();
    });
    connect(Action(ID_VIEW_TOOLBAR), &QAction::triggered, this, [this](bool) {
        m_pToolBar->setVisible(!m_pToolBar->isVisible());
        UpdateCommandUI();
    });
    connect(Action(ID_VIEW_STATUS_BAR), &QAction::triggered, this, [this](bool) {
        statusBar()->setVisible(!statusBar()->isVisible());
        UpdateCommandUI();
    });
}

void CMainFrame::CreateMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(tr("&Archivo"));
    file->addAction(Action(ID_FILE_OPEN_ANY));
    file->addAction(Action(ID_FILE_OPEN_MAP));
    file->addAction(Action(ID_FILE_SAVE_MAP));
    file->addAction(Action(ID_FILE_SAVE_AS));
    file->addAction(Action(ID_COPY_MAP));
    file->addAction(Action(ID_FILE_EXPORT_VIEW));
    file->addAction(Action(ID_FILE_PRINT_GUIDE));
    file->addSeparator();
    file->addAction(Action(ID_FILE_IMPORT_GIS));
    file->addAction(Action(ID_FILE_EXPORT_GIS));
    // The recent maps, in a section of their own that shows only when there are any.
    QAction* recentSeparator = file->addSeparator();
    QList<QAction*> recent;
    for (int slot = 0; slot < CRecentMaps::kMaxMaps; ++slot)
        recent.append(Action(ID_FILE_RECENT_FIRST + slot));
    file->addActions(recent);
    m_files.ShowRecentIn(recent, recentSeparator);
    file->addSeparator();
    file->addAction(Action(ID_FILE_PREFERENCES));
    file->addSeparator();
    file->addAction(Action(ID_APP_EXIT));

    QMenu* edit = bar->addMenu(tr("&Edición"));
    edit->addAction(Action(ID_EDIT_UNDO));
    edit->addAction(Action(ID_EDIT_REDO));

    m_pViewMenu = bar->addMenu(tr("&Ver"));
    m_pToolsMenu = bar->addMenu(tr("&Herramientas"));
    FillViewMenu();

    QMenu* help = bar->addMenu(tr("Ay&uda"));
    help->addAction(Action(ID_HELP_FINDER));

    // The menus follow the open map whenever they are opened.
    for (QMenu* menu : {file, edit, m_pViewMenu, m_pToolsMenu, help})
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
}

void CMainFrame::FillViewMenu() {
    m_pViewMenu->clear();
    m_pViewMenu->addAction(Action(ID_VIEW_TOOLBAR));
    m_pViewMenu->addAction(Action(ID_VIEW_STATUS_BAR));
    m_pViewMenu->addSeparator();
    m_pViewMenu->addAction(Action(ID_VIEW_GUIDE));
    m_pViewMenu->addActions(m_pMapWnd->Tools().MenuActions(ToolMenu::View));
    m_pViewMenu->addAction(Action(ID_VIEW_ALL));
    m_pViewMenu->addAction(Action(ID_VIEW_PROPERTIES));
    m_pViewMenu->addSeparator();
    m_pViewMenu->addAction(Action(ID_VIEW_SCALE_BAR));
    m_pViewMenu->addAction(Action(ID_VIEW_PLACE_LABELS));
}

void CMainFrame::PlaceToolActions() {
    const CMapToolManager& tools = m_pMapWnd->Tools();
    // The tools' commands work from the keyboard even while the menu bar is hidden.
    addActions(tools.Actions().actions());
    FillViewMenu();
    m_pToolsMenu->clear();
    m_pToolsMenu->addActions(tools.MenuActions(ToolMenu::Tools));
    FillToolBar();
    UpdateCommandUI();
}

void CMainFrame::CreateToolBar() {
    m_pToolBar = new QToolBar(tr("Barra de herramientas"), this);
    m_pToolBar->setObjectName(QStringLiteral("toolBar"));
    m_pToolBar->setIconSize(QSize(20, 20));
    m_pToolBar->setMovable(true);
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
    connect(m_pToolBar, &QToolBar::visibilityChanged, this, &CMainFrame::UpdateCommandUI);
}

void CMainFrame::FillToolBar() {
    const QList<QAction*> previous = m_pToolBar->actions();
    m_pToolBar->clear();
    // The separators were the bar's own.
    for (QAction* action : previous) {
        if (action->isSeparator() && action->parent() == m_pToolBar)
            delete action;
    }
    const CMapToolManager& tools = m_pMapWnd->Tools();
    const QList<QAction*> groups[] = {
        {Action(ID_FILE_OPEN_MAP), Action(ID_FILE_SAVE_MAP), Action(ID_COPY_MAP),
         Action(ID_FILE_PRINT)},
        tools.BarActions(ToolBarGroup::View) << Action(ID_VIEW_GUIDE),
        tools.BarActions(ToolBarGroup::Map),
        tools.BarActions(ToolBarGroup::Measure),
    };
    for (const QList<QAction*>& group : groups) {
        if (group.isEmpty())
            continue;
        if (!m_pToolBar->actions().isEmpty())
            m_pToolBar->addSeparator();
        m_pToolBar->addActions(group);
    }
}

void CMainFrame::UpdateCommandUI() {
    const bool loaded = m_store.MapLoaded();
    for (const CommandRow& command : CommandTable()) {
        if (command.needsMap)
            Action(command.id)->setEnabled(loaded);
    }
    m_pMapWnd->Tools().EnableActions(loaded);
    Action(ID_EDIT_UNDO)->setEnabled(History().Stack().canUndo());
    Action(ID_EDIT_REDO)->setEnabled(History().Stack().canRedo());
    Action(ID_VIEW_GUIDE)->setChecked(m_bGuideShown);
    Action(ID_VIEW_SCALE_BAR)->setChecked(m_pMapWnd->Layers().m_bShowScaleBar);
    Action(ID_VIEW_PLACE_LABELS)->setChecked(m_pMapWnd->LabelPlacement());
    Action(ID_VIEW_TOOLBAR)->setChecked(m_pToolBar && !m_pToolBar->isHidden());
    Action(ID_VIEW_STATUS_BAR)->setChecked(!statusBar()->isHidden());
}

void CMainFrame::KeepPanelWidth() {
    const int total = m_pSplitter->width() - m_pSplitter->handleWidth();
    m_pSplitter->setSizes({m_nPanelWidth, std::max(kPaneMinimum, total - m_nPanelWidth)});
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    // Every new size gives the panel its width back: the frame's size goes to the map.
    if (watched == m_pSplitter && event->type() == QEvent::Resize)
        KeepPanelWidth();
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::FocusPane(int step) {
    QWidget* panes[2] = {m_pCtrlWnd, m_pMapWnd};
    QWidget* focus = QApplication::focusWidget();
    int current = 0;
    if (focus && (focus == m_pMapWnd || m_pMapWnd->isAncestorOf(focus)))
        current = 1;
    QWidget* target = panes[(current + 2 + step) % 2];
    if (target == m_pCtrlWnd)
        m_pCtrlWnd->FocusFirstControl();
    else
        target->setFocus(Qt::OtherFocusReason);
}

QAction* CMainFrame::Action(int id) const {
    if (QAction* action = m_actions.value(id))
        return action;
    return m_pMapWnd->Tools().Action(id);
}

int CMainFrame::CurrentTool() const {
    return m_pMapWnd->Tool();
}

void CMainFrame::OnTool(int tool) {
    m_pMapWnd->SetTool(tool);
}

CEditHistory& CMainFrame::History() const {
    return m_document.History();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedMap(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QString path = DroppedMap(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // The questions wait until the drag is over: the program it came from is
    // still waiting for the drop to end.
    QTimer::singleShot(0, this, [this, path] { m_files.OpenAfterAsking(path); });
}

void CMainFrame::OnMapReplaced() {
    m_pMapWnd->OnMapLoaded();
    m_pCtrlWnd->SetZoomSlider(3);
    SendUserMessage(m_pCtrlWnd, UM_REFRESH_PAGES, PAGE_ALL, REFRESH_CATEGORIES);
    m_pCtrlWnd->SetFillCheck(true);
    UpdateTitle();
    OnTool(TOOL_NAVIGATE);
    m_bGuideShown = false;
    UpdateCommandUI();
}

void CMainFrame::UpdateTitle() {
    // The map's title as it is; "[*]" is where the window marks unsaved changes
    // (a "[*]" of the title's own is doubled to stay text).
    QString title = QString::fromStdString(m_store.m_strTitle);
    title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    if (m_document.IsReadOnly())
        title = tr("%1 (solo lectura)").arg(title);
    setWindowTitle(title + QStringLiteral("[*]"));
    setWindowModified(m_document.IsModified());
}

void CMainFrame::OnCopyMap() {
    if (m_store.MapLoaded())
        m_pMapWnd->Printer().CopyToClipboard();
}

void CMainFrame::OnFilePrint() {
    if (m_store.MapLoaded())
        m_pMapWnd->Printer().PrintMap();
}

void CMainFrame::OnExportView() {
    if (!m_store.MapLoaded())
        return;
    const QString png = tr("Imagen PNG (*.png)");
    const QString pdf = tr("Documento PDF (*.pdf)");
    QString filter = png;
    QString path = QFileDialog::getSaveFileName(
        this, tr("Exportar vista"),
        m_strProgramDir + QString::fromStdString(m_store.m_strMapName) + QStringLiteral(".png"),
        png + QStringLiteral(";;") + pdf, &filter);
    if (path.isEmpty())
        return;
    // The file's ending says what is written; a name without one takes the chosen type's.
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("png") && suffix != QLatin1String("pdf"))
        path += filter == pdf ? QStringLiteral(".pdf") : QStringLiteral(".png");
    QString error;
    if (!m_pMapWnd->Printer().ExportView(path, error))
        ShowMessage(this, error, QMessageBox::Warning);
}

void CMainFrame::OnPrintGuide() {
    if (m_store.MapLoaded())
        PrintTownGuide(this, m_store, m_document.Picture(), m_strProgramDir);
}

void CMainFrame::OnViewGuide() {
    if (!m_store.MapLoaded())
        return;
    if (m_bGuideShown) {
        m_bGuideShown = false;
        CGuideWnd::CloseFor(*m_pMapWnd);
    } else {
        m_bGuideShown = true;
        CGuideWnd::ShowFor(*m_pMapWnd, m_document.Picture());
    }
    UpdateCommandUI();
}

void CMainFrame::OnViewAll() {
    m_pMapWnd->ShowWholeMap();
}

void CMainFrame::OnViewProperties() {
    if (!m_store.MapLoaded())
        return;
    CInfoMapaDlg dialog(this);
    dialog.m_nBlockCount = static_cast<unsigned>(m_store.m_blocks.size());
    dialog.m_nStreetNameCount = static_cast<unsigned>(m_store.m_labels.size());
    dialog.m_nTracedStreetCount = static_cast<unsigned>(m_store.m_listStreets.size());
    dialog.m_nReferenceCount = static_cast<unsigned>(m_store.m_listReferences.size());
    dialog.exec();
}

void CMainFrame::OnHelpFinder() {
    if (!m_pHelpWnd)
        m_pHelpWnd = new CHelpWnd(); // a window of its own; deleted with the frame
    m_pHelpWnd->ShowContents();
}

bool CMainFrame::event(QEvent* event) {
    // Prompts and hints go to the hint pane, which fits them to its width,
    // not over the whole status bar.
    if (event->type() == QEvent::StatusTip) {
        m_pStatusBar->ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool CMainFrame::SetSettings(QSettings* settings) {
    m_pSettings = settings;
    m_files.UseSettings(settings);
    if (!settings)
        return false;
    const int panel = settings->value(kPanelKey, kPanelWidth).toInt();
    m_nPanelWidth = std::clamp(panel, kPaneMinimum, 4 * kPanelWidth);
    restoreState(settings->value(kStateKey).toByteArray());
    const bool placed = restoreGeometry(settings->value(kGeometryKey).toByteArray());
    KeepPanelWidth();
    UpdateCommandUI();
    return placed;
}

void CMainFrame::SaveWindowState() {
    if (!m_pSettings)
        return;
    m_pSettings->setValue(kGeometryKey, saveGeometry());
    m_pSettings->setValue(kStateKey, saveState());
    m_pSettings->setValue(kPanelKey, m_nPanelWidth);
    m_pSettings->sync();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_files.SaveModified()) {
        event->ignore();
        return;
    }
    SaveWindowState();
    if (m_pHelpWnd)
        m_pHelpWnd->close();
    event->accept();
}
