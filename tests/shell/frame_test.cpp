// The editor's frame driven through its real widgets, headless: which commands
// need an open map, the menus, tool bar and status bar, the control panel and
// its messages to the map window, the property sheet, the help, the splash and
// the start-up.

#include "ctrl_wnd.h"
#include "editor_fixture.h"
#include "help_wnd.h"
#include "main_frame.h"
#include "map_tool.h"
#include "map_tool_manager.h"
#include "map_window.h"
#include "mapa_app.h"
#include "messages.h"
#include "modal_script.h"
#include "private_home.h"
#include "prop_calles.h"
#include "prop_referencias.h"
#include "prop_rutas.h"
#include "prop_servicios.h"
#include "propiedades.h"
#include "qt_helpers.h"
#include "startup_splash.h"
#include "tools.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>

#include <memory>

namespace {

const int kMapCommands[] = {
    ID_FILE_SAVE_MAP,   ID_COPY_MAP,        ID_FILE_PRINT,       ID_VIEW_GUIDE,
    ID_TOOL_ZOOM,       ID_VIEW_PROPERTIES, ID_TOOL_NAVIGATE,    ID_TOOL_TRACE_STREET,
    ID_TOOL_REFERENCE,  ID_TOOL_MARK,       ID_TOOL_COLONY,      ID_TOOL_ROUTE,
    ID_TOOL_DISTANCE,   ID_TOOL_INFO,       ID_TOOL_PAINT_BLOCK, ID_TOOL_SELECT_BLOCK,
    ID_FILE_EXPORT_GIS,
};
const int kAlwaysCommands[] = {ID_FILE_OPEN_MAP, ID_FILE_IMPORT_GIS, ID_APP_EXIT,
                               ID_VIEW_TOOLBAR,  ID_VIEW_STATUS_BAR, ID_HELP_FINDER};

// A tool only this file knows, declared as every tool declares itself: it
// writes down when it becomes current and when it stops being current.
class CSurveyTool : public CMapTool {
public:
    static constexpr int kCommand = 32850;
    static constexpr MapToolEntry kEntry{.value = 150,
                                         .command = kCommand,
                                         .text = "&Medir área",
                                         .prompt = "Mide el área de una zona del mapa",
                                         .tip = "Área",
                                         .icon = ":/shell/icons/select.svg",
                                         .shortcut =
                                             QKeyCombination(Qt::CTRL | Qt::Key_M).toCombined(),
                                         .menu = ToolMenu::Tools,
                                         .menuRank = 75,
                                         .bar = ToolBarGroup::Measure,
                                         .barRank = 15};

    CSurveyTool(CMapToolHost& host, QStringList& log) : CMapTool(host), m_log(log) {}
    void Activate() override { m_log << QStringLiteral("activate"); }
    void Deactivate() override { m_log << QStringLiteral("deactivate"); }
    QCursor Cursor() const override { return QCursor(Qt::CrossCursor); }

private:
    QStringList& m_log;
};

QStringList MenuTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* a : menu->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
}

} // namespace

class FrameTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_home;

private slots:
    void initTestCase() { UsePrivateHome(m_home); }
    void init() { CStartupSplash::EnableSplashScreen(false); }

    void CommandsNeedAnOpenMap() {
        EditorFixture editor;
        for (int id : kMapCommands)
            QVERIFY2(!editor.frame->Action(id)->isEnabled(), qPrintable(QString::number(id)));
        for (int id : kAlwaysCommands)
            QVERIFY2(editor.frame->Action(id)->isEnabled(), qPrintable(QString::number(id)));
        QCOMPARE(editor.frame->windowTitle(), QStringLiteral("VELTRIX"));

        QVERIFY(editor.frame->OpenMap(editor.WriteMap(QStringLiteral("mitla.map"))));
        for (int id : kMapCommands)
            QVERIFY2(editor.frame->Action(id)->isEnabled(), qPrintable(QString::number(id)));
        QVERIFY(editor.frame->Action(ID_TOOL_NAVIGATE)->isChecked());
        QVERIFY(!editor.frame->Action(ID_TOOL_ZOOM)->isChecked());
    }

    void MenusAndToolBarFollowTheTable() {
        EditorFixture editor;
        const QStringList menus = [&] {
            QStringList titles;
            for (QAction* a : editor.frame->menuBar()->actions())
                titles << a->text();
            return titles;
        }();
        QCOMPARE(menus, (QStringList{QStringLiteral("&Archivo"), QStringLiteral("&Edición"),
                                     QStringLiteral("&Ver"), QStringLiteral("&Herramientas"),
                                     QStringLiteral("Ay&uda")}));
        QCOMPARE(editor.frame->Action(ID_FILE_OPEN_MAP)->text(), QStringLiteral("&Abrir paquete"));
        QStringList fileMenu;
        // The recent maps' section shows only when there are any.
        for (QAction* a : editor.frame->menuBar()->actions().front()->menu()->actions()) {
            if (a->isVisible())
                fileMenu << (a->isSeparator() ? QStringLiteral("-") : a->text());
        }
        QCOMPARE(fileMenu,
                 (QStringList{QStringLiteral("A&brir..."), QStringLiteral("&Abrir paquete"),
                              QStringLiteral("&Guardar"), QStringLiteral("Guardar &como..."),
                              QStringLiteral("&Copiar mapa"), QStringLiteral("&Exportar vista..."),
                              QStringLiteral("Imprimir &guía..."), QStringLiteral("-"),
                              QStringLiteral("Importar &datos geográficos..."),
                              QStringLiteral("E&xportar datos geográficos..."), QStringLiteral("-"),
                              QStringLiteral("Pre&ferencias..."), QStringLiteral("-"),
                              QStringLiteral("&Salir")}));
        QCOMPARE(editor.frame->Action(ID_FILE_SAVE_AS)->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+Shift+S")));
        QCOMPARE(editor.frame->Action(ID_VIEW_GUIDE)->statusTip(),
                 QStringLiteral("Despliega una ventana con toda la extensión del mapa y ubica "
                                "el área desplegada"));
        QCOMPARE(editor.frame->Action(ID_TOOL_PAINT_BLOCK)->toolTip(),
                 QStringLiteral("Zonas verdes"));

        auto* bar = editor.frame->findChild<QToolBar*>(QStringLiteral("toolBar"));
        QVERIFY(bar);
        QStringList order;
        for (QAction* a : bar->actions())
            order << (a->isSeparator() ? QStringLiteral("|") : a->objectName().mid(6));
        QCOMPARE(order.join(QLatin1Char(' ')),
                 QStringLiteral("32771 32800 32804 57607 | 32779 32806 | 32772 32773 32790 32777 "
                                "32791 32782 32778 32783 | 32801 32775"));
        for (QAction* a : bar->actions())
            QVERIFY(a->isSeparator() || !a->icon().pixmap(20, 20).isNull());

        auto* idle = editor.frame->findChild<QLabel*>(QStringLiteral("idleText"));
        QCOMPARE(idle->text(), QStringLiteral("Preparado"));
        QCOMPARE(editor.frame->findChild<QLabel*>(QStringLiteral("indicatorCaps"))->text(),
                 QStringLiteral("MAY"));
        QCOMPARE(editor.frame->findChild<QLabel*>(QStringLiteral("indicatorNum"))->text(),
                 QStringLiteral("NUM"));
        QCOMPARE(editor.frame->findChild<QLabel*>(QStringLiteral("indicatorScroll"))->text(),
                 QStringLiteral("DESP"));

        // The bar toggles hide and show the bars and keep their marks in step.
        editor.frame->Action(ID_VIEW_STATUS_BAR)->trigger();
        QVERIFY(editor.frame->statusBar()->isHidden());
        QVERIFY(!editor.frame->Action(ID_VIEW_STATUS_BAR)->isChecked());
        editor.frame->Action(ID_VIEW_TOOLBAR)->trigger();
        QVERIFY(bar->isHidden());
        QVERIFY(!editor.frame->Action(ID_VIEW_TOOLBAR)->isChecked());
        editor.frame->Action(ID_VIEW_TOOLBAR)->trigger();
        QVERIFY(!bar->isHidden());
        QVERIFY(editor.frame->Action(ID_VIEW_TOOLBAR)->isChecked());
    }

    void ToolCommandsReachTheMapWindow() {
        EditorFixture editor;
        QVERIFY(editor.frame->OpenMap(editor.WriteMap(QStringLiteral("mitla.map"))));
        const std::pair<int, int> tools[] = {
            {ID_TOOL_ZOOM, TOOL_ZOOM},
            {ID_TOOL_TRACE_STREET, TOOL_TRACE_STREET},
            {ID_TOOL_REFERENCE, TOOL_REFERENCE},
            {ID_TOOL_MARK, TOOL_MARK},
            {ID_TOOL_COLONY, TOOL_COLONY},
            {ID_TOOL_ROUTE, TOOL_ROUTE},
            {ID_TOOL_DISTANCE, TOOL_DISTANCE},
            {ID_TOOL_INFO, TOOL_INFO},
            {ID_TOOL_PAINT_BLOCK, TOOL_PAINT_BLOCK},
            {ID_TOOL_SELECT_BLOCK, TOOL_SELECT_BLOCK},
            {ID_TOOL_NAVIGATE, TOOL_NAVIGATE},
        };
        for (const auto& [id, tool] : tools) {
            editor.frame->Action(id)->trigger();
            QCOMPARE(editor.frame->CurrentTool(), tool);
            QCOMPARE(editor.frame->MapWnd()->Tool(), tool);
            for (const auto& [other, otherTool] : tools)
                QCOMPARE(editor.frame->Action(other)->isChecked(), other == id);
        }
        // The current tool chosen again stays current and checked.
        editor.frame->Action(ID_TOOL_NAVIGATE)->trigger();
        QVERIFY(editor.frame->Action(ID_TOOL_NAVIGATE)->isChecked());
        QCOMPARE(editor.frame->MapWnd()->Tool(), int(TOOL_NAVIGATE));
    }

    void ToolOfItsOwnClassJoinsMenuToolBarAndGroup() {
        EditorFixture editor;
        CMapToolManager& tools = editor.Map()->Tools();
        QStringList log;
        QVERIFY(tools.Register<CSurveyTool>(log));
        // One value, one tool.
        QVERIFY(!tools.Register<CSurveyTool>(log));

        QAction* survey = editor.frame->Action(CSurveyTool::kCommand);
        QVERIFY(survey);
        QCOMPARE(survey->objectName(), QStringLiteral("action32850"));
        QCOMPARE(survey->text(), QStringLiteral("&Medir área"));
        QCOMPARE(survey->statusTip(), QStringLiteral("Mide el área de una zona del mapa"));
        QCOMPARE(survey->toolTip(), QStringLiteral("Área"));
        QCOMPARE(survey->shortcut(), QKeySequence(QStringLiteral("Ctrl+M")));
        QCOMPARE(survey->actionGroup(), &tools.Actions());
        QVERIFY(tools.Actions().isExclusive());
        QCOMPARE(tools.Actions().actions().size(), 12);
        QVERIFY(editor.frame->actions().contains(survey));

        // In the Herramientas menu by its rank, the Ver menu as it was.
        const QList<QAction*> menus = editor.frame->menuBar()->actions();
        QCOMPARE(MenuTexts(menus[3]->menu()),
                 (QStringList{"&Navegar", "Trazar &Calle", "&Marcar referencia",
                              "Marcar Comercio/&Servicio", "Marcar c&olonia", "&Trazar ruta",
                              "&Distancia", "&Medir área", "&Información", "Pintar man&zana",
                              "Seleccionar Manzana"}));
        QCOMPARE(MenuTexts(menus[2]->menu()),
                 (QStringList{"Barra de &herramientas", "Barra de &estado", "-", "Mostrar &Guía",
                              "&Zoom", "Ver &todo", "&Propiedades", "-", "Es&cala gráfica",
                              "Nombres sin &encimarse"}));
        // On the tool bar among the measures, with its picture.
        auto* bar = editor.frame->findChild<QToolBar*>(QStringLiteral("toolBar"));
        QStringList order;
        for (QAction* a : bar->actions())
            order << (a->isSeparator() ? QStringLiteral("|") : a->objectName().mid(6));
        QCOMPARE(order.join(QLatin1Char(' ')),
                 QStringLiteral("32771 32800 32804 57607 | 32779 32806 | 32772 32773 32790 32777 "
                                "32791 32782 32778 32783 | 32801 32850 32775"));
        QVERIFY(!survey->icon().pixmap(20, 20).isNull());

        // Greyed until a map is open, like every tool.
        QVERIFY(!survey->isEnabled());
        QVERIFY(editor.frame->OpenMap(editor.WriteMap(QStringLiteral("mitla.map"))));
        QVERIFY(survey->isEnabled());
        QVERIFY(log.isEmpty());

        auto checkedOnly = [&](const QAction* expected) {
            for (const QAction* a : tools.Actions().actions())
                QVERIFY2(a->isChecked() == (a == expected), qPrintable(a->objectName()));
        };
        survey->trigger();
        QCOMPARE(editor.frame->CurrentTool(), 150);
        QCOMPARE(editor.Map()->Tool(), 150);
        QCOMPARE(editor.Map()->cursor().shape(), Qt::CrossCursor);
        QCOMPARE(log, QStringList{"activate"});
        checkedOnly(survey);
        // Chosen again, it stays current without starting over.
        survey->trigger();
        QCOMPARE(log, QStringList{"activate"});
        checkedOnly(survey);

        editor.frame->Action(ID_TOOL_ZOOM)->trigger();
        QCOMPARE(editor.frame->CurrentTool(), int(TOOL_ZOOM));
        QCOMPARE(log, (QStringList{"activate", "deactivate"}));
        checkedOnly(editor.frame->Action(ID_TOOL_ZOOM));
        // Chosen by the program, it is checked all the same.
        editor.frame->OnTool(150);
        QCOMPARE(log, (QStringList{"activate", "deactivate", "activate"}));
        checkedOnly(survey);
    }

    void LayerBoxesReachTheMapWindow_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<int>("message");
        QTest::addColumn<bool>("initially");
        QTest::newRow("street names")
            << int(CCtrlWnd::IDC_STREET_NAMES) << int(UM_SHOW_STREET_NAMES) << false;
        QTest::newRow("marks") << int(CCtrlWnd::IDC_MARKS) << int(UM_SHOW_MARKS) << false;
        QTest::newRow("references")
            << int(CCtrlWnd::IDC_REFERENCES) << int(UM_SHOW_REFERENCES) << true;
        QTest::newRow("colonies") << int(CCtrlWnd::IDC_COLONIES) << int(UM_SHOW_COLONIES) << false;
        QTest::newRow("traced streets")
            << int(CCtrlWnd::IDC_TRACED_STREETS) << int(UM_SHOW_TRACED_STREETS) << false;
        QTest::newRow("all routes")
            << int(CCtrlWnd::IDC_ALL_ROUTES) << int(UM_SHOW_ALL_ROUTES) << false;
        QTest::newRow("fill") << int(CCtrlWnd::IDC_FILL_BLOCKS) << int(UM_FILL_BLOCKS) << false;
    }

    void LayerBoxesReachTheMapWindow() {
        QFETCH(int, box);
        QFETCH(int, message);
        QFETCH(bool, initially);
        EditorFixture editor;
        QCheckBox* check = editor.Panel()->Check(box);
        QVERIFY(check);
        QCOMPARE(check->isChecked(), initially);
        auto layer = [&]() {
            const LayerSwitches& l = editor.frame->MapWnd()->Layers();
            switch (box) {
            case CCtrlWnd::IDC_STREET_NAMES:
                return l.m_bShowStreetNames;
            case CCtrlWnd::IDC_MARKS:
                return l.m_bShowMarks;
            case CCtrlWnd::IDC_REFERENCES:
                return l.m_bShowReferences;
            case CCtrlWnd::IDC_COLONIES:
                return l.m_bShowColonies;
            case CCtrlWnd::IDC_TRACED_STREETS:
                return l.m_bShowTracedStreets;
            case CCtrlWnd::IDC_ALL_ROUTES:
                return l.m_bShowAllRoutes;
            default:
                return l.m_bFillBlocks;
            }
        };
        QCOMPARE(layer(), initially);
        editor.Panel()->ensureWidgetVisible(check);
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
        QCOMPARE(check->isChecked(), !initially);
        QCOMPARE(layer(), !initially);
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
        QCOMPARE(layer(), initially);

        const auto sent = editor.recorder->Of(static_cast<UserMessage>(message));
        QCOMPARE(sent.size(), std::size_t(2));
        QCOMPARE(sent[0].wParam, initially ? 0LL : 1LL);
        QCOMPARE(sent[1].wParam, initially ? 1LL : 0LL);
    }

    void SliderSendsZoomOnlyWhenTheMouseLetsGo() {
        EditorFixture editor;
        QSlider* slider = editor.Panel()->ZoomSlider();
        editor.Panel()->SetZoomSlider(3);
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Right);
        QCOMPARE(slider->value(), 4);
        QVERIFY(editor.recorder->Of(UM_SET_ZOOM).empty());

        QTest::mouseClick(slider, Qt::LeftButton, {},
                          QPoint(slider->width() - 3, slider->height() / 2));
        const auto sent = editor.recorder->Of(UM_SET_ZOOM);
        QCOMPARE(sent.size(), std::size_t(1));
        QCOMPARE(sent[0].wParam, static_cast<long long>(slider->value()));
        QVERIFY(slider->value() > 4);

        // The map window's own slider message moves the slider and sends nothing back.
        SendMessageToDescendants(editor.frame.get(), UM_SET_ZOOM_SLIDER, 17, 0);
        QCOMPARE(slider->value(), 17);
        QCOMPARE(editor.recorder->Of(UM_SET_ZOOM).size(), std::size_t(1));
    }

    void LocatingAnElementMovesTheSlider_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("slider");
        QTest::addColumn<int>("box");
        QTest::newRow("reference at 8")
            << 4 << QStringLiteral("Mercado") << 15 << int(CCtrlWnd::IDC_REFERENCES);
        QTest::newRow("reference at 18")
            << 4 << QStringLiteral("Zócalo") << 18 << int(CCtrlWnd::IDC_REFERENCES);
        QTest::newRow("street at 7.5") << 1 << QStringLiteral("Avenida Juárez") << 7 << 0;
        QTest::newRow("colony at 5")
            << 3 << QStringLiteral("Centro") << 15 << int(CCtrlWnd::IDC_COLONIES);
        QTest::newRow("route") << 6 << QStringLiteral("Alameda") << 10
                               << int(CCtrlWnd::IDC_ALL_ROUTES);
        QTest::newRow("deleted element") << 0 << QString() << 3 << 0;
        QTest::newRow("no street") << 1 << QString() << 3 << 0;
    }

    void LocatingAnElementMovesTheSlider() {
        QFETCH(int, kind);
        QFETCH(QString, name);
        QFETCH(int, slider);
        QFETCH(int, box);
        EditorFixture editor;
        QVERIFY(editor.frame->OpenMap(editor.WriteMap(QStringLiteral("mitla.map"))));
        CCtrlWnd* panel = editor.Panel();
        panel->Check(CCtrlWnd::IDC_REFERENCES)->click(); // references off, on the map too

        long long index = -1;
        const QStringList names = kind == 1   ? Names(editor.store.m_listStreets)
                                  : kind == 3 ? Names(editor.store.m_listColonies)
                                  : kind == 4 ? Names(editor.store.m_listReferences)
                                  : kind == 6 ? Names(editor.store.m_listRoutes)
                                              : QStringList();
        if (!name.isEmpty())
            index = names.indexOf(name);
        QVERIFY(name.isEmpty() || index >= 0);
        editor.recorder->Clear();
        SendMessageToDescendants(editor.frame.get(), UM_LOCATE_ITEM, kind, index);
        QCOMPARE(panel->ZoomSlider()->value(), slider);
        if (box != 0)
            QVERIFY(panel->Check(box)->isChecked());
        // The slider and the box follow what the map window did, which it says
        // in its own messages: the map shows that scale and that layer.
        QCOMPARE(static_cast<int>(editor.frame->MapWnd()->Scale()), slider);
        QCOMPARE(editor.recorder->Of(UM_SET_ZOOM_SLIDER).size(),
                 std::size_t(box != 0 || (kind == 1 && index >= 0)));
        const LayerSwitches& layers = editor.frame->MapWnd()->Layers();
        QCOMPARE(panel->Check(CCtrlWnd::IDC_ALL_ROUTES)->isChecked(), layers.m_bShowAllRoutes);
        QCOMPARE(panel->Check(CCtrlWnd::IDC_COLONIES)->isChecked(), layers.m_bShowColonies);
        QCOMPARE(panel->Check(CCtrlWnd::IDC_REFERENCES)->isChecked(), layers.m_bShowReferences);
    }

    void RefreshingTheBusinessesPage() {
        EditorFixture editor;
        QVERIFY(editor.frame->OpenMap(editor.WriteMap(QStringLiteral("mitla.map"))));
        CCtrlWnd* panel = editor.Panel();
        CPropServicios* page = editor.Sheet()->Servicios();
        QVERIFY(!panel->Check(CCtrlWnd::IDC_MARKS)->isChecked());
        editor.store.m_directory.SelectCategory("Farmacias");
        QVERIFY(editor.store.m_directory.m_pCurrent);
        editor.store.m_directory.SelectBusiness("Botica Sol");

        SendUserMessage(panel, UM_REFRESH_PAGES, 4, 0);
        // Sorted by name, none current, and the marks box ticked with the map's
        // marks layer switched on, so that the box says what the map shows.
        QCOMPARE(Lines(page->Businesses()),
                 (QStringList{QStringLiteral("Botica Sol"), QStringLiteral("Farmacia Luz")}));
        QVERIFY(!editor.store.m_directory.m_pCurrent->m_pCurrent);
        QVERIFY(panel->Check(CCtrlWnd::IDC_MARKS)->isChecked());
        QCOMPARE(editor.recorder->Of(UM_SHOW_MARKS).size(), std::size_t(1));
        QVERIFY(editor.frame->MapWnd()->Layers().m_bShowMarks);

        SendUserMessage(panel, UM_REFRESH_PAGES, 4, 1);
        QCOMPARE(page->Businesses()->count(), 0);
        QVERIFY(!editor.store.m_directory.m_pCurrent);
    }

    void RefreshingOnePageLeavesTheOthers() {
        EditorFixture editor;
        QVERIFY(editor.frame->OpenMap(editor.WriteMap(QStringLiteral("mitla.map"))));
        auto street = std::make_unique<CmCalles>();
        street->m_strName = "Calle Nueva";
        MapStore::AddHead(editor.store.m_listStreets, std::move(street));
        editor.store.m_listReferences.clear();

        SendMessageToDescendants(editor.frame.get(), UM_REFRESH_PAGES, 1, 0);
        QCOMPARE(editor.Sheet()->Calles()->List()->item(0)->text(), QStringLiteral("Calle Nueva"));
        QCOMPARE(editor.Sheet()->Referencias()->List()->count(), 2); // not refilled

        // An unnamed second route is "Ruta2", whatever the names around it.
        std::swap(editor.store.m_listRoutes[0], editor.store.m_listRoutes[1]);
        editor.Sheet()->setCurrentIndex(0);
        SendMessageToDescendants(editor.frame.get(), UM_REFRESH_ROUTES_PAGE, 0, 0);
        QCOMPARE(Lines(editor.Sheet()->Rutas()->List()),
                 (QStringList{QStringLiteral("Alameda"), QStringLiteral("Ruta2"),
                              QStringLiteral("Norte")}));
        QCOMPARE(editor.Sheet()->currentIndex(), int(CPropiedades::kRoutesPage));
    }

    void PropertiesShowsTheCounts() {
        EditorFixture editor;
        QVERIFY(editor.frame->OpenMap(editor.WriteMap(QStringLiteral("mitla.map"))));
        QStringList values;
        QString title;
        CModalScript read{[&](QWidget* modal) {
            title = modal->windowTitle();
            for (int id : {1055, 1056, 1057, 1058})
                values << modal->findChild<QLineEdit*>(QStringLiteral("edit%1").arg(id))->text();
            modal->findChild<QPushButton*>(QStringLiteral("button1"))->click();
        }};
        editor.frame->Action(ID_VIEW_PROPERTIES)->trigger();
        QCOMPARE(title, QStringLiteral("Propiedades"));
        QCOMPARE(values, (QStringList{QStringLiteral("4"), QStringLiteral("0"), QStringLiteral("2"),
                                      QStringLiteral("2")}));
    }

    void PanelKeepsItsWidth() {
        EditorFixture editor;
        QSplitter* splitter = editor.frame->Splitter();
        for (int width : {1200, 700, 900}) {
            editor.frame->resize(width, 700);
            QCoreApplication::processEvents();
            QCOMPARE(splitter->sizes().front(), CMainFrame::kPanelWidth);
            QCOMPARE(editor.Sheet()->height(), CCtrlWnd::kSheetHeight);
        }
        // A dragged bar comes back to the panel's width at the next resize.
        splitter->setSizes({400, 500});
        editor.frame->resize(950, 700);
        QCoreApplication::processEvents();
        QCOMPARE(splitter->sizes().front(), CMainFrame::kPanelWidth);
    }

    void SheetHasTheSixPages() {
        EditorFixture editor;
        CPropiedades* sheet = editor.Sheet();
        QStringList tabs;
        for (int i = 0; i < sheet->count(); ++i)
            tabs << sheet->tabText(i);
        QCOMPARE(tabs, (QStringList{QStringLiteral("Calles"), QStringLiteral("Referencias"),
                                    QStringLiteral("Rutas"), QStringLiteral("Marcas"),
                                    QStringLiteral("Colonias"), QStringLiteral("Zonas")}));
        auto buttons = [&](int page) {
            QStringList texts;
            for (auto* b : sheet->widget(page)->findChildren<QPushButton*>())
                texts << b->objectName() + QLatin1Char('=') + b->text();
            texts.sort();
            return texts.join(QLatin1Char(' '));
        };
        QCOMPARE(buttons(0),
                 QStringLiteral("button1004=Editar button1005=Eliminar button1102=Buscar"));
        QCOMPARE(buttons(2), QStringLiteral("button1004=Editar button1005=Eliminar"));
        QCOMPARE(buttons(3),
                 QStringLiteral("button1004=Editar button1005=Eliminar button1067=Categorias"));
        QCOMPARE(buttons(5), QStringLiteral("button1004=Editar button1005=Eliminar "
                                            "button1010=Nueva button1084=Asignar"));
        QVERIFY(sheet->widget(5)->findChild<QPlainTextEdit*>(QStringLiteral("edit1098")));
        QVERIFY(sheet->widget(3)->findChild<QComboBox*>(QStringLiteral("combo1003")));
        for (int i = 0; i < 6; ++i)
            QVERIFY(sheet->widget(i)->findChild<QListWidget*>(QStringLiteral("list1001")));
    }

    void F6MovesFocusBetweenThePanes() {
        EditorFixture editor;
        editor.frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(editor.frame.get()));
        editor.Panel()->ZoomSlider()->setFocus();
        QTest::keyClick(editor.frame.get(), Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(editor.frame->MapWnd()));
        QTest::keyClick(editor.frame.get(), Qt::Key_F6, Qt::ShiftModifier);
        QVERIFY(editor.Panel()->isAncestorOf(QApplication::focusWidget()));
    }

    void HelpOpensTheSpanishGuide() {
        EditorFixture editor;
        editor.frame->Action(ID_HELP_FINDER)->trigger();
        auto* help = QApplication::topLevelWidgets().isEmpty() ? nullptr : [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* h = qobject_cast<CHelpWnd*>(w))
                    return h;
            return static_cast<CHelpWnd*>(nullptr);
        }();
        QVERIFY(help);
        QVERIFY(help->isVisible());
        const QString text = help->Browser()->toPlainText();
        QVERIFY(text.contains(QStringLiteral("Ayuda de Veltrix")));
        // Every tool of the menu has its entry in the guide.
        help->Browser()->setSource(QUrl(QStringLiteral("qrc:/shell/help/herramientas.html")));
        const QString tools = help->Browser()->toPlainText();
        for (QAction* action : editor.frame->menuBar()->actions()[3]->menu()->actions())
            QVERIFY2(tools.contains(action->text().remove(QLatin1Char('&'))),
                     qPrintable(action->text()));
    }

    void EveryLinkOfTheHelpLeadsToAPageOfItsLanguageThatExists() {
        const QString spanish = QStringLiteral(":/shell/help/");
        const QString english = QStringLiteral(":/shell/help/en/");
        const QStringList pages = QDir(spanish).entryList({QStringLiteral("*.html")}, QDir::Files);
        QVERIFY(pages.contains(QStringLiteral("index.html")));
        // Every page has its English one under the same name, and no more.
        QCOMPARE(QDir(english).entryList({QStringLiteral("*.html")}, QDir::Files), pages);
        static const QRegularExpression reference(QStringLiteral("(href|src)=\"([^\"]*)\""));
        QStringList broken;
        int links = 0;
        for (const QString& folder : {spanish, english}) {
            for (const QString& page : pages) {
                QFile file(folder + page);
                QVERIFY(file.open(QIODevice::ReadOnly));
                const QString html = QString::fromUtf8(file.readAll());
                for (const QRegularExpressionMatch& match : reference.globalMatch(html)) {
                    const QString target = match.captured(2);
                    const QString where = folder + page + QStringLiteral(" → ") + target;
                    const qsizetype hash = target.indexOf(QLatin1Char('#'));
                    const QString path = target.left(hash);
                    const QString anchor = hash < 0 ? QString() : target.mid(hash + 1);
                    // Pictures are named by their resource path; pages and the
                    // style sheet relative to the page.
                    const QString resolved = path.isEmpty() ? folder + page
                                             : path.startsWith(":/")
                                                 ? path
                                                 : QDir::cleanPath(folder + path);
                    if (!QFile::exists(resolved)) {
                        broken << where;
                        continue;
                    }
                    if (resolved.endsWith(QLatin1String(".html"))) {
                        ++links;
                        // A page of one language never leads to the other's.
                        if (QFileInfo(resolved).path() + QLatin1Char('/') != folder)
                            broken << where;
                    }
                    if (!anchor.isEmpty()) {
                        QFile linked(resolved);
                        QVERIFY(linked.open(QIODevice::ReadOnly));
                        const QString text = QString::fromUtf8(linked.readAll());
                        if (!text.contains(QStringLiteral("id=\"%1\"").arg(anchor)) &&
                            !text.contains(QStringLiteral("name=\"%1\"").arg(anchor)))
                            broken << where;
                    }
                }
            }
        }
        QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1Char('\n'))));
        // Each page's bar leads to every page, in both languages.
        QVERIFY(links >= 2 * pages.size() * pages.size());
    }

    void SplashSwallowsTheKeyThatClosesIt() {
        EditorFixture editor;
        CStartupSplash::EnableSplashScreen(true);
        QPointer<CStartupSplash> splash = CStartupSplash::ShowSplashScreen(editor.frame.get());
        QVERIFY(splash);
        QCOMPARE(splash->size(), QSize(575, 388));
        QVERIFY(!CStartupSplash::ShowSplashScreen(editor.frame.get())); // one at a time
        QLineEdit* edit = new QLineEdit(editor.frame.get());
        edit->show();
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A);
        QVERIFY(edit->text().isEmpty());
        QTRY_VERIFY(!splash);
        QTest::keyClick(edit, Qt::Key_B);
        QCOMPARE(edit->text(), QStringLiteral("b"));
    }

    void SplashClosesOnItsTimer() {
        EditorFixture editor;
        CStartupSplash::EnableSplashScreen(true);
        QPointer<CStartupSplash> splash = CStartupSplash::ShowSplashScreen(editor.frame.get());
        QVERIFY(splash);
        // The timer runs from the moment the splash is up.
        QTRY_VERIFY_WITH_TIMEOUT(!splash, 3000);
    }

    void StartUpPausesUnderTheSplashThenUncoversTheFrame() {
        QElapsedTimer clock;
        clock.start();
        CMapaApp app;
        QVERIFY(app.InitInstance({QStringLiteral("veltrix")}));
        // The pause is over and the frame is up; no timer ran in the pause, so
        // the splash is still there, but its timer came due long ago...
        QVERIFY(clock.elapsed() >= 2000);
        QVERIFY(app.MainFrame()->isVisible());
        QPointer<CStartupSplash> splash = CStartupSplash::Current();
        QVERIFY(splash);
        QVERIFY(splash->isVisible());
        // ...and the first turn of the event loop closes it.
        QCoreApplication::processEvents();
        QVERIFY(!splash || !splash->isVisible());
        QVERIFY(app.MainFrame()->isVisible());
    }
};

QTEST_MAIN(FrameTest)
#include "frame_test.moc"
