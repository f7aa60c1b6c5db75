#include "main_frame.h"

#include "abrir_mapa_dlg.h"
#include "ctrl_wnd.h"
#include "edit_history.h"
#include "gis_export_dlg.h"
#include "gis_import_dlg.h"
#include "guide_window.h"
#include "help_wnd.h"
#include "hint_label.h"
#include "info_mapa_dlg.h"
#include "lock_keys.h"
#include "map_document.h"
#include "map_file.h"
#include "map_save.h"
#include "map_store.h"
#include "map_window.h"
#include "message_box.h"
#include "messages.h"
#include "preferencias_dlg.h"
#include "propiedades.h"
#include "tools.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <algorithm>
#include <chrono>
#include <sys/stat.h>
#include <utility>

namespace {

struct ToolCommand {
    int id;
    int tool;
};

constexpr ToolCommand kToolCommands[] = {
    {ID_TOOL_ZOOM, TOOL_ZOOM},
    {ID_TOOL_NAVIGATE, TOOL_NAVIGATE},
    {ID_TOOL_TRACE_STREET, TOOL_TRACE_STREET},
    {ID_TOOL_REFERENCE, TOOL_REFERENCE},
    {ID_TOOL_MARK, TOOL_MARK},
    {ID_TOOL_COLONY, TOOL_COLONY},
    {ID_TOOL_ROUTE, TOOL_ROUTE},
    {ID_TOOL_DISTANCE, TOOL_DISTANCE},
    {ID_TOOL_INFO, TOOL_INFO},
    {ID_TOOL_PAINT_BLOCK, TOOL_PAINT_BLOCK},
    {ID_TOOL_SELECT_BLOCK, TOOL_SELECT_BLOCK},
};

// Commands that need an open map.
constexpr int kMapCommands[] = {
    ID_FILE_SAVE_MAP,    ID_COPY_MAP,        ID_FILE_PRINT,       ID_VIEW_GUIDE,
    ID_TOOL_ZOOM,        ID_VIEW_PROPERTIES, ID_TOOL_NAVIGATE,    ID_TOOL_TRACE_STREET,
    ID_TOOL_REFERENCE,   ID_TOOL_MARK,       ID_TOOL_COLONY,      ID_TOOL_ROUTE,
    ID_TOOL_DISTANCE,    ID_TOOL_INFO,       ID_TOOL_PAINT_BLOCK, ID_TOOL_SELECT_BLOCK,
    ID_FILE_EXPORT_VIEW, ID_FILE_SAVE_AS,    ID_VIEW_ALL,         ID_FILE_EXPORT_GIS,
};

// "1 de mayo de 2024 a las 10:22".
QString SpanishDateTime(const QDateTime& when) {
    return QLocale(QLocale::Spanish, QLocale::Mexico)
        .toString(when.toLocalTime(), QStringLiteral("d 'de' MMMM 'de' yyyy 'a las' HH:mm"));
}

QString LockedQuestion(const QString& path, const LockOwner& holder) {
    QString who;
    if (!holder.unknown) {
        who = QStringLiteral(": usuario %1, equipo %2, proceso %3")
                  .arg(QString::fromStdString(holder.user), QString::fromStdString(holder.host))
                  .arg(holder.pid);
        if (holder.since > 0)
            who += QStringLiteral(", desde el %1")
                       .arg(SpanishDateTime(QDateTime::fromSecsSinceEpoch(holder.since)));
    }
    return QStringLiteral("El mapa %1 ya está abierto en otro editor%2.\n¿Desea abrirlo de solo "
                          "lectura? Los cambios sólo se podrán guardar con otro nombre.")
        .arg(QFileInfo(path).fileName(), who);
}

const QString kGeometryKey = QStringLiteral("ventana/geometria");
const QString kStateKey = QStringLiteral("ventana/barras");
const QString kPanelKey = QStringLiteral("ventana/panel");

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

// A menu shows '&' as a mnemonic; a file name shows it as it is.
QString MenuText(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QString IconPath(const char* name) {
    return QStringLiteral(":/shell/icons/%1.svg").arg(QLatin1String(name));
}

} // namespace

CMainFrame::CMainFrame(CMapDocument& document, const QString& programDir, QWidget* parent)
    : QMainWindow(parent), m_document(document), m_store(document.Store()),
      m_strProgramDir(programDir) {
    if (!m_strProgramDir.isEmpty() && !m_strProgramDir.endsWith(QLatin1Char('/')))
        m_strProgramDir += QLatin1Char('/');
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
    connect(&m_document, &CMapDocument::MapReplaced, this, &CMainFrame::OnMapReplaced);
    // The pages refill themselves after an undo or a redo; the map follows.
    connect(&m_document, &CMapDocument::ContentRestored, m_pMapWnd, qOverload<>(&QWidget::update));
    connect(&m_document, &CMapDocument::ContentChanged, this, &CMainFrame::UpdateCommandUI);
    connect(&m_document, &CMapDocument::PathChanged, this, &CMainFrame::UpdateTitle);
    connect(&m_document, &CMapDocument::AutosaveFailed, this, [this](const QString& error) {
        statusBar()->showMessage(
            QStringLiteral("No se pudo guardar la copia de recuperación: %1").arg(error));
    });
    // The title carries the "[*]" mark, shown only while there are unsaved changes.
    connect(&m_document, &CMapDocument::ModifiedChanged, this, &QWidget::setWindowModified);
    connect(&m_document, &CMapDocument::Saved, this, [this] {
        m_recent.Add(m_document.Path());
        UpdateRecentMenu();
    });
    connect(m_pMapWnd, &CMapaWnd::MapPointHovered, this, &CMainFrame::ShowMapPosition);
    // The guide also closes itself (Enter, Esc, a new map); the check mark follows it.
    connect(m_pMapWnd, &CMapaWnd::GuideClosed, this, [this] {
        m_bGuideShown = false;
        UpdateCommandUI();
    });

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();

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

QAction* CMainFrame::AddCommand(int id, const QString& text, const QString& prompt,
                                const QString& tip) {
    auto* action = new QAction(text, this);
    action->setObjectName(QStringLiteral("action%1").arg(id));
    action->setStatusTip(prompt);
    action->setToolTip(tip.isEmpty() ? QString() : tip);
    m_actions.insert(id, action);
    // Commands work from the keyboard even while the menu bar is hidden.
    addAction(action);
    return action;
}

void CMainFrame::CreateActions() {
    AddCommand(ID_FILE_OPEN_ANY, QStringLiteral("A&brir..."),
               QStringLiteral("Abre un mapa de cualquier carpeta"), QStringLiteral("Abrir mapa"));
    AddCommand(ID_FILE_OPEN_MAP, QStringLiteral("&Abrir paquete"),
               QStringLiteral("Abre un archivo de mapas"), QStringLiteral("Abrir"));
    AddCommand(ID_FILE_SAVE_MAP, QStringLiteral("&Guardar"),
               QStringLiteral("Guarda los cambios en el archivo"), QStringLiteral("Guardar"));
    AddCommand(ID_FILE_SAVE_AS, QStringLiteral("Guardar &como..."),
               QStringLiteral("Guarda el mapa con otro nombre o en otra carpeta"),
               QStringLiteral("Guardar como"));
    AddCommand(ID_FILE_PREFERENCES, QStringLiteral("Pre&ferencias..."),
               QStringLiteral("Cambia cada cuántos minutos se guarda una copia de recuperación"),
               QString());
    AddCommand(ID_COPY_MAP, QStringLiteral("&Copiar mapa"),
               QStringLiteral("Copiar al portapapeles el mapa en pantalla"),
               QStringLiteral("Copiar"));
    AddCommand(ID_FILE_PRINT, QStringLiteral("&Imprimir"), QStringLiteral("Imprime el mapa"),
               QStringLiteral("Imprimir"));
    AddCommand(ID_FILE_EXPORT_VIEW, QStringLiteral("&Exportar vista..."),
               QStringLiteral("Guarda la vista del mapa en un archivo PNG o PDF"),
               QStringLiteral("Exportar"));
    AddCommand(ID_FILE_IMPORT_GIS, QStringLiteral("Importar &datos geográficos..."),
               QStringLiteral("Crea un mapa a partir de datos geográficos: OpenStreetMap, "
                              "shapefiles, GeoPackage, GeoJSON, KML o CSV"),
               QString());
    AddCommand(ID_FILE_EXPORT_GIS, QStringLiteral("E&xportar datos geográficos..."),
               QStringLiteral("Escribe las capas del mapa para programas de información "
                              "geográfica: GeoJSON, GeoPackage, Shapefile, KML o CSV"),
               QString());
    AddCommand(ID_EDIT_UNDO, QStringLiteral("&Deshacer"),
               QStringLiteral("Deshace la última acción"), QStringLiteral("Deshacer"));
    AddCommand(ID_EDIT_REDO, QStringLiteral("&Rehacer"),
               QStringLiteral("Rehace la acción previamente deshecha"), QStringLiteral("Rehacer"));
    AddCommand(ID_APP_EXIT, QStringLiteral("&Salir"),
               QStringLiteral("Sale de la aplicación; le pide que guarde los documentos"),
               QStringLiteral("Salir"));
    AddCommand(ID_VIEW_TOOLBAR, QStringLiteral("Barra de &herramientas"),
               QStringLiteral("Muestra u oculta la barra de herramientas"),
               QStringLiteral("Alternar Barra de herramientas"));
    AddCommand(ID_VIEW_STATUS_BAR, QStringLiteral("Barra de &estado"),
               QStringLiteral("Muestra u oculta la barra de estado"),
               QStringLiteral("Alternar Barra de estado"));
    AddCommand(
        ID_VIEW_GUIDE, QStringLiteral("Mostrar &Guía"),
        QStringLiteral(
            "Despliega una ventana con toda la extensión del mapa y ubica el área desplegada"),
        QStringLiteral("Guía"));
    AddCommand(ID_TOOL_ZOOM, QStringLiteral("&Zoom"),
               QStringLiteral("Acerca a aleja la escala del mapa"), QStringLiteral("Zoom"));
    AddCommand(ID_VIEW_ALL, QStringLiteral("Ver &todo"),
               QStringLiteral("Muestra la ciudad completa en la ventana"),
               QStringLiteral("Ver todo"));
    AddCommand(ID_VIEW_SCALE_BAR, QStringLiteral("Es&cala gráfica"),
               QStringLiteral("Muestra u oculta la escala gráfica del mapa"),
               QStringLiteral("Escala gráfica"));
    AddCommand(ID_VIEW_PROPERTIES, QStringLiteral("&Propiedades"),
               QStringLiteral("Muestra las propiedades del mapa cargado"),
               QStringLiteral("Propiedades"));
    AddCommand(ID_TOOL_NAVIGATE, QStringLiteral("&Navegar"),
               QStringLiteral("Cambia al modo de navegación en el mapa"), QStringLiteral("Paneo"));
    AddCommand(ID_TOOL_TRACE_STREET, QStringLiteral("Trazar &Calle"),
               QStringLiteral("Trazar calles"), QStringLiteral("Calle"));
    AddCommand(ID_TOOL_REFERENCE, QStringLiteral("&Marcar referencia"),
               QStringLiteral("Permite marcar lugares en el mapa"), QStringLiteral("Referencias"));
    AddCommand(ID_TOOL_MARK, QStringLiteral("Marcar Comercio/&Servicio"),
               QStringLiteral("Marca comercios y/o servicios"), QStringLiteral("Marcas"));
    AddCommand(ID_TOOL_COLONY, QStringLiteral("Marcar c&olonia"), QStringLiteral("Marca colonias"),
               QStringLiteral("Colonia"));
    AddCommand(ID_TOOL_ROUTE, QStringLiteral("&Trazar ruta"),
               QStringLiteral("Permite trazar una ruta en el mapa"), QStringLiteral("Rutas"));
    AddCommand(ID_TOOL_DISTANCE, QStringLiteral("&Distancia"),
               QStringLiteral("Regla para medir distancias"), QStringLiteral("Distancia"));
    AddCommand(ID_TOOL_INFO, QStringLiteral("&Información"),
               QStringLiteral("Muestra información sobre el punto seleccionado"),
               QStringLiteral("Info"));
    AddCommand(ID_TOOL_PAINT_BLOCK, QStringLiteral("Pintar man&zana"),
               QStringLiteral("Permite marcar una manzana con un color diferente"),
               QStringLiteral("Zonas verdes"));
    AddCommand(ID_TOOL_SELECT_BLOCK, QStringLiteral("Seleccionar Manzana"),
               QStringLiteral("Seleccionar manzana para edicion"), QStringLiteral("Manzana"));
    AddCommand(ID_HELP_FINDER, QStringLiteral("Ayuda en &linea..."), QString(), QString());
    for (int slot = 0; slot < CRecentMaps::kMaxMaps; ++slot) {
        QAction* recent = AddCommand(ID_FILE_RECENT_FIRST + slot, QString(), QString(), QString());
        recent->setVisible(false);
        connect(recent, &QAction::triggered, this, [this, slot] { OnOpenRecent(slot); });
    }

    Action(ID_FILE_OPEN_ANY)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    // Home belongs to the lists and the slider while they have the focus; on
    // the map it shows the whole town.
    QAction* viewAll = Action(ID_VIEW_ALL);
    viewAll->setShortcut(QKeySequence(Qt::Key_Home));
    viewAll->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    removeAction(viewAll);
    m_pMapWnd->addAction(viewAll);
    Action(ID_FILE_SAVE_MAP)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    Action(ID_FILE_SAVE_AS)->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    Action(ID_FILE_PRINT)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    Action(ID_APP_EXIT)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    Action(ID_EDIT_UNDO)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    Action(ID_EDIT_REDO)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));

    const std::pair<int, const char*> icons[] = {
        {ID_FILE_OPEN_ANY, "open"},       {ID_FILE_OPEN_MAP, "open"},
        {ID_FILE_SAVE_MAP, "save"},       {ID_COPY_MAP, "copy"},
        {ID_FILE_PRINT, "print"},         {ID_TOOL_ZOOM, "zoom"},
        {ID_VIEW_GUIDE, "guide"},         {ID_TOOL_NAVIGATE, "navigate"},
        {ID_TOOL_REFERENCE, "reference"}, {ID_TOOL_MARK, "mark"},
        {ID_TOOL_ROUTE, "route"},         {ID_TOOL_COLONY, "colony"},
        {ID_TOOL_TRACE_STREET, "street"}, {ID_TOOL_PAINT_BLOCK, "paint"},
        {ID_TOOL_SELECT_BLOCK, "select"}, {ID_TOOL_DISTANCE, "distance"},
        {ID_TOOL_INFO, "info"},
    };
    for (const auto& [id, name] : icons)
        Action(id)->setIcon(QIcon(IconPath(name)));

    for (const ToolCommand& command : kToolCommands) {
        QAction* action = Action(command.id);
        action->setCheckable(true);
        m_toolOfCommand.insert(command.id, command.tool);
        connect(action, &QAction::triggered, this, [this, tool = command.tool] { OnTool(tool); });
    }
    Action(ID_VIEW_GUIDE)->setCheckable(true);
    Action(ID_VIEW_TOOLBAR)->setCheckable(true);
    Action(ID_VIEW_STATUS_BAR)->setCheckable(true);
    Action(ID_VIEW_SCALE_BAR)->setCheckable(true);
    // A menu draws a checked item with an icon as a faintly framed icon; without
    // the icon it shows a real tick. The tool bar keeps the icons.
    for (QAction* action : std::as_const(m_actions)) {
        if (action->isCheckable())
            action->setIconVisibleInMenu(false);
    }

    connect(Action(ID_FILE_OPEN_MAP), &QAction::triggered, this, &CMainFrame::OnFileOpen);
    connect(Action(ID_FILE_OPEN_ANY), &QAction::triggered, this, &CMainFrame::OnFileOpenAny);
    connect(Action(ID_VIEW_ALL), &QAction::triggered, this, &CMainFrame::OnViewAll);
    connect(Action(ID_VIEW_SCALE_BAR), &QAction::triggered, this, [this](bool shown) {
        m_pMapWnd->SetScaleBarShown(shown);
        UpdateCommandUI();
    });
    connect(Action(ID_FILE_SAVE_MAP), &QAction::triggered, this, &CMainFrame::OnFileSave);
    connect(Action(ID_FILE_SAVE_AS), &QAction::triggered, this, &CMainFrame::OnFileSaveAs);
    connect(Action(ID_FILE_PREFERENCES), &QAction::triggered, this, &CMainFrame::OnPreferences);
    connect(Action(ID_COPY_MAP), &QAction::triggered, this, &CMainFrame::OnCopyMap);
    connect(Action(ID_FILE_PRINT), &QAction::triggered, this, &CMainFrame::OnFilePrint);
    connect(Action(ID_FILE_EXPORT_VIEW), &QAction::triggered, this, &CMainFrame::OnExportView);
    connect(Action(ID_FILE_IMPORT_GIS), &QAction::triggered, this, &CMainFrame::OnImportGis);
    connect(Action(ID_FILE_EXPORT_GIS), &QAction::triggered, this, &CMainFrame::OnExportGis);
    connect(Action(ID_APP_EXIT), &QAction::triggered, this, &QWidget::close);
    connect(Action(ID_EDIT_UNDO), &QAction::triggered, this, [this] { History().Stack().undo(); });
    connect(Action(ID_EDIT_REDO), &QAction::triggered, this, [this] { History().Stack().redo(); });
    connect(Action(ID_VIEW_GUIDE), &QAction::triggered, this, &CMainFrame::OnViewGuide);
    connect(Action(ID_VIEW_PROPERTIES), &QAction::triggered, this, &CMainFrame::OnViewProperties);
    connect(Action(ID_HELP_FINDER), &QAction::triggered, this, &CMainFrame::OnHelpFinder);
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
    QMenu* file = bar->addMenu(QStringLiteral("&Archivo"));
    file->addAction(Action(ID_FILE_OPEN_ANY));
    file->addAction(Action(ID_FILE_OPEN_MAP));
    file->addAction(Action(ID_FILE_SAVE_MAP));
    file->addAction(Action(ID_FILE_SAVE_AS));
    file->addAction(Action(ID_COPY_MAP));
    file->addAction(Action(ID_FILE_EXPORT_VIEW));
    file->addSeparator();
    file->addAction(Action(ID_FILE_IMPORT_GIS));
    file->addAction(Action(ID_FILE_EXPORT_GIS));
    // The recent maps, in a section of their own that shows only when there are any.
    m_pRecentSeparator = file->addSeparator();
    for (int slot = 0; slot < CRecentMaps::kMaxMaps; ++slot)
        file->addAction(Action(ID_FILE_RECENT_FIRST + slot));
    file->addSeparator();
    file->addAction(Action(ID_FILE_PREFERENCES));
    file->addSeparator();
    file->addAction(Action(ID_APP_EXIT));

    QMenu* edit = bar->addMenu(QStringLiteral("&Edición"));
    edit->addAction(Action(ID_EDIT_UNDO));
    edit->addAction(Action(ID_EDIT_REDO));

    QMenu* view = bar->addMenu(QStringLiteral("&Ver"));
    view->addAction(Action(ID_VIEW_TOOLBAR));
    view->addAction(Action(ID_VIEW_STATUS_BAR));
    view->addSeparator();
    view->addAction(Action(ID_VIEW_GUIDE));
    view->addAction(Action(ID_TOOL_ZOOM));
    view->addAction(Action(ID_VIEW_ALL));
    view->addAction(Action(ID_VIEW_PROPERTIES));
    view->addSeparator();
    view->addAction(Action(ID_VIEW_SCALE_BAR));

    QMenu* tools = bar->addMenu(QStringLiteral("&Herramientas"));
    for (int id :
         {ID_TOOL_NAVIGATE, ID_TOOL_TRACE_STREET, ID_TOOL_REFERENCE, ID_TOOL_MARK, ID_TOOL_COLONY,
          ID_TOOL_ROUTE, ID_TOOL_DISTANCE, ID_TOOL_INFO, ID_TOOL_PAINT_BLOCK, ID_TOOL_SELECT_BLOCK})
        tools->addAction(Action(id));

    QMenu* help = bar->addMenu(QStringLiteral("Ay&uda"));
    help->addAction(Action(ID_HELP_FINDER));

    // The menus follow the open map and the tool whenever they are opened.
    for (QMenu* menu : {file, edit, view, tools, help})
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
    UpdateRecentMenu();
}

void CMainFrame::UpdateRecentMenu() {
    const QStringList& paths = m_recent.Paths();
    for (int slot = 0; slot < CRecentMaps::kMaxMaps; ++slot) {
        QAction* action = Action(ID_FILE_RECENT_FIRST + slot);
        const bool used = slot < paths.size();
        action->setVisible(used);
        if (!used)
            continue;
        // The name in the menu, the whole path in the status bar.
        const QFileInfo file(paths[slot]);
        action->setText(QStringLiteral("&%1 %2").arg(slot + 1).arg(MenuText(file.fileName())));
        action->setStatusTip(QDir::toNativeSeparators(file.absoluteFilePath()));
    }
    if (m_pRecentSeparator)
        m_pRecentSeparator->setVisible(!paths.isEmpty());
}

void CMainFrame::CreateToolBar() {
    m_pToolBar = new QToolBar(QStringLiteral("Barra de herramientas"), this);
    m_pToolBar->setObjectName(QStringLiteral("toolBar"));
    m_pToolBar->setIconSize(QSize(20, 20));
    m_pToolBar->setMovable(true);
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    const int groups[][8] = {
        {ID_FILE_OPEN_MAP, ID_FILE_SAVE_MAP, ID_COPY_MAP, ID_FILE_PRINT},
        {ID_TOOL_ZOOM, ID_VIEW_GUIDE},
        {ID_TOOL_NAVIGATE, ID_TOOL_REFERENCE, ID_TOOL_MARK, ID_TOOL_ROUTE, ID_TOOL_COLONY,
         ID_TOOL_TRACE_STREET, ID_TOOL_PAINT_BLOCK, ID_TOOL_SELECT_BLOCK},
        {ID_TOOL_DISTANCE, ID_TOOL_INFO},
    };
    bool first = true;
    for (const auto& group : groups) {
        if (!first)
            m_pToolBar->addSeparator();
        first = false;
        for (int id : group) {
            if (id != 0)
                m_pToolBar->addAction(Action(id));
        }
    }
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
    connect(m_pToolBar, &QToolBar::visibilityChanged, this, &CMainFrame::UpdateCommandUI);
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    // Prompts and hints go to this pane (see event()), which shortens them to
    // its width; the idle text shows whenever none applies.
    m_pHint = new CHintLabel(QStringLiteral("Preparado"), bar);
    m_pHint->setObjectName(QStringLiteral("idleText"));
    bar->addWidget(m_pHint, 1);
    m_pPosition = new QLabel(bar);
    m_pPosition->setObjectName(QStringLiteral("mapPosition"));
    m_pPosition->setMinimumWidth(
        fontMetrics().horizontalAdvance(QStringLiteral("x -0000000  y -0000000")));
    bar->addPermanentWidget(m_pPosition);
    const char* texts[3] = {"MAY", "NUM", "DESP"};
    const char* names[3] = {"indicatorCaps", "indicatorNum", "indicatorScroll"};
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(QString::fromLatin1(texts[i]), bar);
        label->setObjectName(QString::fromLatin1(names[i]));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("DESP")) + 12);
        bar->addPermanentWidget(label);
        m_pIndicators[i] = label;
    }
    m_pLockTimer = new QTimer(this);
    m_pLockTimer->setInterval(250);
    connect(m_pLockTimer, &QTimer::timeout, this, &CMainFrame::UpdateLockIndicators);
    UpdateLockIndicators();
    // Only worth polling where the window system answers at all.
    if (QueryLockKeys())
        m_pLockTimer->start();
}

void CMainFrame::UpdateLockIndicators() {
    const std::optional<LockKeys> keys = QueryLockKeys();
    // Where the state is unknown the panes stay greyed, as they are with the keys off.
    const bool on[3] = {keys && keys->caps, keys && keys->num, keys && keys->scroll};
    for (int i = 0; i < 3; ++i)
        m_pIndicators[i]->setEnabled(on[i]);
}

void CMainFrame::ShowMapPosition(int x, int y) {
    m_pPosition->setText(QStringLiteral("x %1  y %2").arg(x).arg(y));
}

void CMainFrame::UpdateCommandUI() {
    const bool loaded = m_store.MapLoaded();
    for (int id : kMapCommands)
        Action(id)->setEnabled(loaded);
    for (const ToolCommand& command : kToolCommands)
        Action(command.id)->setChecked(m_nCurrentTool == command.tool);
    Action(ID_EDIT_UNDO)->setEnabled(History().Stack().canUndo());
    Action(ID_EDIT_REDO)->setEnabled(History().Stack().canRedo());
    Action(ID_VIEW_GUIDE)->setChecked(m_bGuideShown);
    Action(ID_VIEW_SCALE_BAR)->setChecked(m_pMapWnd->Layers().m_bShowScaleBar);
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

void CMainFrame::OnTool(int tool) {
    m_nCurrentTool = tool;
    m_pMapWnd->SetTool(tool);
    UpdateCommandUI();
}

CEditHistory& CMainFrame::History() const {
    return m_document.History();
}

bool CMainFrame::SaveModified() {
    if (!m_document.IsModified())
        return true;
    const QString question =
        QStringLiteral("El mapa %1 tiene cambios que no se han guardado.\n¿Desea guardar los "
                       "cambios antes de continuar?")
            .arg(QString::fromStdString(m_store.m_strMapName));
    switch (AskYesNoCancel(this, question)) {
    case QMessageBox::Yes:
        return SaveMap();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

void CMainFrame::OnFileOpen() {
    if (!SaveModified())
        return;
    CAbrirMapaDlg dialog(m_strProgramDir, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    OpenMap(dialog.m_strPath);
}

void CMainFrame::OnFileOpenAny() {
    if (!SaveModified())
        return;
    // Where the user last worked: the open map's folder, else the newest recent one's.
    QString folder = m_strProgramDir;
    if (!m_document.Path().isEmpty())
        folder = QFileInfo(m_document.Path()).absolutePath();
    else if (!m_recent.Paths().isEmpty())
        folder = QFileInfo(m_recent.Paths().front()).absolutePath();
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Abrir mapa"), folder,
                                     QStringLiteral("Mapas (*.map *.MAP);;Todos los archivos (*)"));
    if (!path.isEmpty())
        OpenMap(path);
}

void CMainFrame::OnOpenRecent(int slot) {
    if (slot < 0 || slot >= m_recent.Paths().size())
        return;
    const QString path = m_recent.Paths()[slot];
    if (!QFileInfo(path).isFile()) {
        const QString question = QStringLiteral("El mapa %1 ya no existe.\n¿Desea quitarlo de la "
                                                "lista de mapas recientes?")
                                     .arg(QDir::toNativeSeparators(path));
        if (AskYesNo(this, question, QMessageBox::Warning)) {
            m_recent.Remove(path);
            UpdateRecentMenu();
        }
        return;
    }
    OpenAfterAsking(path);
}

void CMainFrame::OpenAfterAsking(const QString& path) {
    if (SaveModified())
        OpenMap(path);
}

bool CMainFrame::OpenMap(const QString& path) {
    bool readOnly = false;
    if (const std::optional<LockOwner> holder = CMapDocument::OpenElsewhere(path)) {
        if (!AskYesNo(this, LockedQuestion(path, *holder), QMessageBox::Warning))
            return false;
        readOnly = true;
    }
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool opened = m_document.Open(path, error, readOnly);
    QApplication::restoreOverrideCursor();
    if (!opened) {
        ShowMessage(this, error, QMessageBox::Warning);
        return false;
    }
    m_recent.Add(path);
    UpdateRecentMenu();
    OfferRecovery();
    return true;
}

void CMainFrame::OfferRecovery() {
    const std::optional<CRecoveryCopy> copy = m_document.RecoveryCopy();
    if (!copy)
        return;
    const QString question =
        QStringLiteral("Se encontró una copia de recuperación de %1 guardada el %2.\n¿Desea "
                       "recuperarla?")
            .arg(QFileInfo(copy->mapPath).fileName(), SpanishDateTime(copy->saved));
    if (!AskYesNo(this, question, QMessageBox::Question)) {
        m_document.DiscardRecovery();
        return;
    }
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool recovered = m_document.Recover(error);
    QApplication::restoreOverrideCursor();
    if (!recovered)
        ShowMessage(this, error, QMessageBox::Warning);
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
    QTimer::singleShot(0, this, [this, path] { OpenAfterAsking(path); });
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
        title += QStringLiteral(" (solo lectura)");
    setWindowTitle(title + QStringLiteral("[*]"));
    setWindowModified(m_document.IsModified());
}

bool CMainFrame::SaveMap() {
    if (!m_document.IsOpen())
        return false;
    if (m_document.IsReadOnly())
        return OnFileSaveAs();
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool saved = m_document.Save(error);
    QApplication::restoreOverrideCursor();
    // A save puts the named lists in name order even when writing then fails, and
    // the pages address elements by line, so they are refilled either way.
    SendMessageToDescendants(this, UM_REFRESH_PAGES, PAGE_ALL, REFRESH_BUSINESSES);
    if (!saved) {
        ShowMessage(this, QString::fromStdString(SaveErrorText()), QMessageBox::Warning, error);
        return false;
    }
    ShowMessage(this, QStringLiteral("Done"));
    return true;
}

void CMainFrame::OnFileSave() {
    SaveMap();
}

bool CMainFrame::OnFileSaveAs() {
    if (!m_document.IsOpen())
        return false;
    QFileDialog dialog(this, QStringLiteral("Guardar como"), m_document.Path(),
                       QStringLiteral("Mapas (*.map)"));
    dialog.setObjectName(QStringLiteral("saveAsDialog"));
    // Qt's own dialog, so that every word of it is Spanish.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("map"));
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Guardar en:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Nombre:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Tipo:"));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Guardar"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Cancelar"));
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        const QString path = dialog.selectedFiles().front();
        if (!QFileInfo::exists(path) ||
            AskYesNo(this,
                     QStringLiteral("Ya existe %1.\n¿Desea reemplazarlo?")
                         .arg(QFileInfo(path).fileName()),
                     QMessageBox::Warning))
            return SaveMapAs(path);
    }
}

bool CMainFrame::SaveMapAs(const QString& path) {
    if (!m_document.IsOpen())
        return false;
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool saved = m_document.SaveAs(path, error);
    QApplication::restoreOverrideCursor();
    SendMessageToDescendants(this, UM_REFRESH_PAGES, PAGE_ALL, REFRESH_BUSINESSES);
    if (!saved) {
        ShowMessage(this, QString::fromStdString(SaveErrorText()), QMessageBox::Warning, error);
        return false;
    }
    ShowMessage(this, QStringLiteral("Done"));
    return true;
}

void CMainFrame::OnPreferences() {
    const auto minutes =
        std::chrono::duration_cast<std::chrono::minutes>(m_document.AutosaveInterval());
    CPreferenciasDlg dialog(static_cast<int>(minutes.count()), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    CPreferenciasDlg::StoreAutosaveMinutes(dialog.Minutes());
    m_document.SetAutosaveInterval(std::chrono::minutes(dialog.Minutes()));
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
    const QString png = QStringLiteral("Imagen PNG (*.png)");
    const QString pdf = QStringLiteral("Documento PDF (*.pdf)");
    QString filter = png;
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Exportar vista"),
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

void CMainFrame::OnImportGis() {
    if (!SaveModified())
        return;
    CGisImportDlg dialog(m_strProgramDir, this);
    if (dialog.exec() != QDialog::Accepted || !OpenMap(dialog.MapPath()))
        return;
    ShowMessage(this,
                QStringLiteral("Se creó el mapa %1.").arg(QFileInfo(dialog.MapPath()).fileName()),
                QMessageBox::Information, dialog.Summary().join(QLatin1Char('\n')));
}

void CMainFrame::OnExportGis() {
    if (!m_store.MapLoaded())
        return;
    CGisExportDlg dialog(m_document, this);
    dialog.exec();
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
        m_pHint->SetHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool CMainFrame::SetSettings(QSettings* settings) {
    m_pSettings = settings;
    m_recent.UseSettings(settings);
    UpdateRecentMenu();
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
    if (!SaveModified()) {
        event->ignore();
        return;
    }
    SaveWindowState();
    if (m_pHelpWnd)
        m_pHelpWnd->close();
    event->accept();
}
