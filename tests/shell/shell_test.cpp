// The editor shell driven through its real widgets, headless.

#include "abrir_mapa_dlg.h"
#include "ctrl_wnd.h"
#include "help_wnd.h"
#include "info_mapa_dlg.h"
#include "main_frame.h"
#include "map_document.h"
#include "map_file.h"
#include "map_lock.h"
#include "map_store.h"
#include "map_window.h"
#include "mapa_app.h"
#include "message_spy.h"
#include "messages.h"
#include "preferencias_dlg.h"
#include "prop_calles.h"
#include "prop_colonias.h"
#include "prop_referencias.h"
#include "prop_rutas.h"
#include "prop_servicios.h"
#include "prop_zonas.h"
#include "propiedades.h"
#include "recovery_store.h"
#include "startup_splash.h"
#include "test_maps.h"
#include "tools.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

namespace {

// Runs `answer` on the next modal window that opens, from inside its own loop.
class ModalAnswer : public QObject {
public:
    explicit ModalAnswer(std::function<void(QWidget*)> answer) : m_answer(std::move(answer)) {
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                m_timer.stop();
                seen = modal;
                m_answer(modal);
            }
        });
        m_timer.start();
    }
    QWidget* seen = nullptr;

private:
    std::function<void(QWidget*)> m_answer;
    QTimer m_timer;
};

// Answers the modal windows that open one after another, each with the next answer.
class ModalSequence : public QObject {
public:
    explicit ModalSequence(std::vector<std::function<void(QWidget*)>> answers)
        : m_answers(std::move(answers)) {
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == m_last || m_next >= m_answers.size())
                return;
            m_last = modal;
            m_answers[m_next++](modal);
        });
        m_timer.start();
    }
    std::size_t Answered() const { return m_next; }

private:
    std::vector<std::function<void(QWidget*)>> m_answers;
    QPointer<QWidget> m_last;
    std::size_t m_next = 0;
    QTimer m_timer;
};

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString MessageText(QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    return box ? box->text() : QString();
}

// Clicks the message box button with the given text.
void ClickButton(QWidget* modal, const QString& text) {
    const auto buttons = modal->findChildren<QAbstractButton*>();
    for (QAbstractButton* button : buttons) {
        if (button->text().remove(QLatin1Char('&')) == text) {
            button->click();
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no button ") + text));
}

QStringList Lines(const QListWidget* list) {
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

template <typename List>
QStringList Names(const List& list) {
    QStringList names;
    for (const auto& element : list)
        names << QString::fromStdString(element->m_strName);
    return names;
}

const int kMapCommands[] = {
    ID_FILE_SAVE_MAP,   ID_COPY_MAP,        ID_FILE_PRINT,       ID_VIEW_GUIDE,
    ID_TOOL_ZOOM,       ID_VIEW_PROPERTIES, ID_TOOL_NAVIGATE,    ID_TOOL_TRACE_STREET,
    ID_TOOL_REFERENCE,  ID_TOOL_MARK,       ID_TOOL_COLONY,      ID_TOOL_ROUTE,
    ID_TOOL_DISTANCE,   ID_TOOL_INFO,       ID_TOOL_PAINT_BLOCK, ID_TOOL_SELECT_BLOCK,
    ID_FILE_EXPORT_GIS,
};
const int kAlwaysCommands[] = {ID_FILE_OPEN_MAP, ID_FILE_IMPORT_GIS, ID_APP_EXIT,
                               ID_VIEW_TOOLBAR,  ID_VIEW_STATUS_BAR, ID_HELP_FINDER};

} // namespace

class ShellTest : public QObject {
    Q_OBJECT

private:
    // One frame over one store, with maps in a private program directory.
    struct Editor {
        QTemporaryDir dir;
        CMapDocument document;
        MapStore& store = document.Store();
        std::unique_ptr<CMainFrame> frame;
        MessageSpy* spy = nullptr;

        Editor() {
            frame = std::make_unique<CMainFrame>(document, dir.path());
            spy = new MessageSpy(frame.get());
            frame->show();
        }
        QString Path(const QString& name) const { return dir.filePath(name); }
        CCtrlWnd* Panel() const { return frame->CtrlWnd(); }
        CPropiedades* Sheet() const { return Panel()->Sheet(); }
    };

    static QString WriteMap(const Editor& editor, const QString& name,
                            const TestMapContents& contents = {}) {
        const QString path = editor.Path(name);
        const std::string error = WriteTestMap(path, contents);
        if (!error.empty())
            qWarning("%s", error.c_str());
        return path;
    }

    QTemporaryDir m_home;

private slots:
    void initTestCase() {
        // Settings and recovery copies in this test's own folders, under the program's names.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("config"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("data"))));
        QCoreApplication::setOrganizationName(QStringLiteral("KORVEN Soft"));
        QCoreApplication::setApplicationName(QStringLiteral("Veltrix"));
    }

    void init() { CStartupSplash::EnableSplashScreen(false); }

    void CommandsNeedAnOpenMap() {
        Editor editor;
        for (int id : kMapCommands)
            QVERIFY2(!editor.frame->Action(id)->isEnabled(), qPrintable(QString::number(id)));
        for (int id : kAlwaysCommands)
            QVERIFY2(editor.frame->Action(id)->isEnabled(), qPrintable(QString::number(id)));
        QCOMPARE(editor.frame->windowTitle(), QStringLiteral("VELTRIX"));

        QVERIFY(editor.frame->OpenMap(WriteMap(editor, QStringLiteral("mitla.map"))));
        for (int id : kMapCommands)
            QVERIFY2(editor.frame->Action(id)->isEnabled(), qPrintable(QString::number(id)));
        QVERIFY(editor.frame->Action(ID_TOOL_NAVIGATE)->isChecked());
        QVERIFY(!editor.frame->Action(ID_TOOL_ZOOM)->isChecked());
    }

    void MenusAndToolBarFollowTheTable() {
        Editor editor;
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
                              QStringLiteral("-"), QStringLiteral("Importar &datos geográficos..."),
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
        Editor editor;
        QVERIFY(editor.frame->OpenMap(WriteMap(editor, QStringLiteral("mitla.map"))));
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

    void CatalogueOffersReadableLowerCaseMapFilesAndGreysTheRest() {
        Editor editor;
        const QString first = WriteMap(editor, QStringLiteral("uno.map"));
        const QString twin = WriteMap(editor, QStringLiteral("dos.map")); // same header
        WriteMap(editor, QStringLiteral("chiapas.map"),
                 {QStringLiteral("México"), QStringLiteral("Chiapas"), QStringLiteral("Comitán")});
        WriteMap(editor, QStringLiteral("MAYUS.MAP"));
        WriteMap(editor, QStringLiteral("otra.mapa"));
        QVERIFY(QDir(editor.dir.path()).mkdir(QStringLiteral("carpeta.map")));
        QFile broken(editor.Path(QStringLiteral("roto.map")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("\x05\x00\x00", 3);
        broken.close();
        // Three texts, then numbers no map has.
        QFile noise(editor.Path(QStringLiteral("ruido.map")));
        QVERIFY(noise.open(QIODevice::WriteOnly));
        noise.write(QByteArray("\x01"
                               "a"
                               "\x01"
                               "b"
                               "\x01"
                               "c") +
                    QByteArray(40, '\xEE'));
        noise.close();

        CAbrirMapaDlg dialog(editor.frame->ProgramDir(), editor.frame.get());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Abrir mapa"));
        const QStringList lines = Lines(dialog.List());
        QCOMPARE(lines.size(), 5);
        // Files that are no maps come last, greyed, with the reason, never chosen.
        QCOMPARE(lines.mid(3),
                 (QStringList{QStringLiteral("roto.map\tNo se puede abrir: Error inesperado al "
                                             "leer roto.map."),
                              QStringLiteral("ruido.map\tNo se puede abrir: Formato de archivo "
                                             "no esperado.")}));
        for (int row : {3, 4})
            QCOMPARE(dialog.List()->item(row)->flags() & (Qt::ItemIsEnabled | Qt::ItemIsSelectable),
                     Qt::ItemFlags());
        QVERIFY(lines[0].startsWith(QStringLiteral("México\tChiapas\tComitán\t=")));
        // The twins look the same and are told apart by the hidden path.
        QCOMPARE(lines[1].section(QLatin1Char('='), 0, 0),
                 lines[2].section(QLatin1Char('='), 0, 0));
        QCOMPARE(lines[1],
                 CAbrirMapaDlg::CatalogueLine(QStringLiteral("México"), QStringLiteral("Oaxaca"),
                                              QStringLiteral("Mitla"), twin));
        QCOMPARE(lines[2].section(QLatin1Char('='), 1), first);

        // OK with nothing selected, or after a click on a greyed line, leaves
        // the dialog open.
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("button1")),
                          Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QListWidget* catalogue = dialog.List();
        QTest::mouseClick(catalogue->viewport(), Qt::LeftButton, {},
                          catalogue->visualItemRect(catalogue->item(3)).center());
        QTest::mouseDClick(catalogue->viewport(), Qt::LeftButton, {},
                           catalogue->visualItemRect(catalogue->item(3)).center());
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("button1")),
                          Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.m_strPath.isEmpty());

        dialog.List()->setCurrentRow(2);
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("button1")),
                          Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.m_strPath, first);

        // A double click chooses the line under the mouse.
        CAbrirMapaDlg again(editor.frame->ProgramDir(), editor.frame.get());
        again.show();
        QListWidget* list = again.List();
        const QRect row = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(again.result(), int(QDialog::Accepted));
        QCOMPARE(again.m_strPath, twin);
    }

    void CatalogueOfAnEmptyFolderIsEmpty() {
        Editor editor;
        CAbrirMapaDlg dialog(editor.frame->ProgramDir(), editor.frame.get());
        QCOMPARE(dialog.List()->count(), 0);
    }

    void OpeningThroughTheCatalogueSetsUpTheEditor() {
        Editor editor;
        WriteMap(editor, QStringLiteral("mitla.map"));
        CCtrlWnd* panel = editor.Panel();
        panel->SetZoomSlider(12);
        editor.frame->Action(ID_TOOL_DISTANCE)->setEnabled(true);
        ModalAnswer choose([](QWidget* modal) {
            auto* dialog = qobject_cast<CAbrirMapaDlg*>(modal);
            QVERIFY(dialog);
            dialog->List()->setCurrentRow(0);
            dialog->findChild<QPushButton*>(QStringLiteral("button1"))->click();
        });
        editor.frame->Action(ID_FILE_OPEN_MAP)->trigger();
        QVERIFY(choose.seen);

        // The map's title, and where the window marks unsaved changes.
        QCOMPARE(editor.frame->windowTitle(), QStringLiteral("VELTRIX  Mitla, Oaxaca - México[*]"));
        QCOMPARE(QString::fromStdString(editor.store.m_strMapName), QStringLiteral("mitla"));
        QCOMPARE(panel->ZoomSlider()->value(), 3);
        QVERIFY(panel->Check(CCtrlWnd::IDC_FILL_BLOCKS)->isChecked());
        QCOMPARE(editor.frame->CurrentTool(), int(TOOL_NAVIGATE));
        QCOMPARE(editor.frame->MapWnd()->Tool(), int(TOOL_NAVIGATE));
        QVERIFY(!editor.frame->GuideShown());
        QCOMPARE(editor.frame->MapWnd()->Scale(), 3.0f);

        // Every page lists its elements in store order.
        CPropiedades* sheet = editor.Sheet();
        QCOMPARE(Lines(sheet->Calles()->List()), Names(editor.store.m_listStreets));
        QCOMPARE(Lines(sheet->Referencias()->List()), Names(editor.store.m_listReferences));
        QCOMPARE(Lines(sheet->Colonias()->List()), Names(editor.store.m_listColonies));
        QCOMPARE(Lines(sheet->Zonas()->List()), Names(editor.store.m_listZones));
        // The save put the unnamed route first; it shows as "Ruta" and its line number.
        QCOMPARE(Lines(sheet->Rutas()->List()),
                 (QStringList{QStringLiteral("Ruta1"), QStringLiteral("Alameda"),
                              QStringLiteral("Norte")}));
        QVERIFY(editor.store.m_listRoutes.front()->m_strName.empty());
        QCOMPARE(sheet->Servicios()->Categories()->count(), 2);
        QCOMPARE(sheet->Servicios()->Categories()->itemText(0), QStringLiteral("Escuelas"));
        QCOMPARE(sheet->Servicios()->Categories()->currentIndex(), -1);
        QCOMPARE(sheet->Servicios()->Businesses()->count(), 0);
        QVERIFY(!editor.store.m_directory.m_pCurrent);
        // Refilling the zones page asks the map to show no zone.
        const auto zoneShows = editor.spy->Of(UM_ZONE_SHOW);
        QVERIFY(!zoneShows.empty());
        QCOMPARE(zoneShows.back().lParam, -1LL);
    }

    void CancellingTheCatalogueChangesNothing() {
        Editor editor;
        WriteMap(editor, QStringLiteral("mitla.map"));
        ModalAnswer cancel([](QWidget* modal) {
            modal->findChild<QPushButton*>(QStringLiteral("button2"))->click();
        });
        editor.frame->OnFileOpen();
        QVERIFY(cancel.seen);
        QVERIFY(!editor.store.MapLoaded());
        QCOMPARE(editor.frame->windowTitle(), QStringLiteral("VELTRIX"));
    }

    void DamagedFileIsRefusedAndTheOpenMapKept() {
        Editor editor;
        QVERIFY(editor.frame->OpenMap(WriteMap(editor, QStringLiteral("mitla.map"))));
        const QString title = editor.frame->windowTitle();

        // A real map cut short: the header reads, the rest does not.
        QFile good(editor.Path(QStringLiteral("mitla.map")));
        QVERIFY(good.open(QIODevice::ReadOnly));
        const QByteArray bytes = good.readAll();
        QFile cut(editor.Path(QStringLiteral("cortado.map")));
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(bytes.left(bytes.size() / 2));
        cut.close();

        QString shown;
        ModalAnswer accept([&](QWidget* modal) {
            shown = MessageText(modal);
            ClickButton(modal, QStringLiteral("Aceptar"));
        });
        QVERIFY(!editor.frame->OpenMap(cut.fileName()));
        QVERIFY(!shown.isEmpty());
        QVERIFY2(shown.contains(QStringLiteral("cortado.map")) ||
                     shown.contains(QStringLiteral("Formato")),
                 qPrintable(shown));
        QCOMPARE(editor.frame->windowTitle(), title);
        QCOMPARE(QString::fromStdString(editor.store.m_strMapName), QStringLiteral("mitla"));
        QCOMPARE(editor.store.m_listStreets.size(), std::size_t(2));
        QCOMPARE(editor.Sheet()->Calles()->List()->count(), 2);
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
        Editor editor;
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

        const auto sent = editor.spy->Of(static_cast<UserMessage>(message));
        QCOMPARE(sent.size(), std::size_t(2));
        QCOMPARE(sent[0].wParam, initially ? 0LL : 1LL);
        QCOMPARE(sent[1].wParam, initially ? 1LL : 0LL);
    }

    void SliderSendsZoomOnlyWhenTheMouseLetsGo() {
        Editor editor;
        QSlider* slider = editor.Panel()->ZoomSlider();
        editor.Panel()->SetZoomSlider(3);
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Right);
        QCOMPARE(slider->value(), 4);
        QVERIFY(editor.spy->Of(UM_SET_ZOOM).empty());

        QTest::mouseClick(slider, Qt::LeftButton, {},
                          QPoint(slider->width() - 3, slider->height() / 2));
        const auto sent = editor.spy->Of(UM_SET_ZOOM);
        QCOMPARE(sent.size(), std::size_t(1));
        QCOMPARE(sent[0].wParam, static_cast<long long>(slider->value()));
        QVERIFY(slider->value() > 4);

        // The map window's own slider message moves the slider and sends nothing back.
        SendMessageToDescendants(editor.frame.get(), UM_SET_ZOOM_SLIDER, 17, 0);
        QCOMPARE(slider->value(), 17);
        QCOMPARE(editor.spy->Of(UM_SET_ZOOM).size(), std::size_t(1));
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
        Editor editor;
        QVERIFY(editor.frame->OpenMap(WriteMap(editor, QStringLiteral("mitla.map"))));
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
        editor.spy->received.clear();
        SendMessageToDescendants(editor.frame.get(), UM_LOCATE_ITEM, kind, index);
        QCOMPARE(panel->ZoomSlider()->value(), slider);
        if (box != 0)
            QVERIFY(panel->Check(box)->isChecked());
        // The slider and the box follow what the map window did, which it says
        // in its own messages: the map shows that scale and that layer.
        QCOMPARE(static_cast<int>(editor.frame->MapWnd()->Scale()), slider);
        QCOMPARE(editor.spy->Of(UM_SET_ZOOM_SLIDER).size(),
                 std::size_t(box != 0 || (kind == 1 && index >= 0)));
        const LayerSwitches& layers = editor.frame->MapWnd()->Layers();
        QCOMPARE(panel->Check(CCtrlWnd::IDC_ALL_ROUTES)->isChecked(), layers.m_bShowAllRoutes);
        QCOMPARE(panel->Check(CCtrlWnd::IDC_COLONIES)->isChecked(), layers.m_bShowColonies);
        QCOMPARE(panel->Check(CCtrlWnd::IDC_REFERENCES)->isChecked(), layers.m_bShowReferences);
    }

    void RefreshingTheBusinessesPage() {
        Editor editor;
        QVERIFY(editor.frame->OpenMap(WriteMap(editor, QStringLiteral("mitla.map"))));
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
        QCOMPARE(editor.spy->Of(UM_SHOW_MARKS).size(), std::size_t(1));
        QVERIFY(editor.frame->MapWnd()->Layers().m_bShowMarks);

        SendUserMessage(panel, UM_REFRESH_PAGES, 4, 1);
        QCOMPARE(page->Businesses()->count(), 0);
        QVERIFY(!editor.store.m_directory.m_pCurrent);
    }

    void RefreshingOnePageLeavesTheOthers() {
        Editor editor;
        QVERIFY(editor.frame->OpenMap(WriteMap(editor, QStringLiteral("mitla.map"))));
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

    void SaveWritesTheFileAndSaysDone() {
        Editor editor;
        const QString path = WriteMap(editor, QStringLiteral("mitla.map"));
        QVERIFY(editor.frame->OpenMap(path));
        // A rename that changes the name order: the pages must follow the saved order.
        editor.store.m_listStreets.front()->m_strName = "Zaragoza";
        editor.store.MarkChanged();

        QString shown;
        ModalAnswer accept([&](QWidget* modal) {
            shown = MessageText(modal);
            ClickButton(modal, QStringLiteral("Aceptar"));
        });
        editor.frame->Action(ID_FILE_SAVE_MAP)->trigger();
        QCOMPARE(shown, QStringLiteral("Done"));
        QVERIFY(!editor.store.IsChanged());
        QCOMPARE(Lines(editor.Sheet()->Calles()->List()),
                 (QStringList{QStringLiteral("Calle Hidalgo"), QStringLiteral("Zaragoza")}));
        QVERIFY(!editor.spy->Of(UM_REFRESH_PAGES).empty());

        std::string error;
        MapCounters counters;
        std::vector<std::uint8_t> picture;
        auto reread = LoadMapFile(QFile::encodeName(path).toStdString(), counters, picture, error);
        QVERIFY2(reread, error.c_str());
        QCOMPARE(Names(reread->m_listStreets),
                 (QStringList{QStringLiteral("Calle Hidalgo"), QStringLiteral("Zaragoza")}));
    }

    void FailedSaveSaysSoAndNotDone() {
        Editor editor;
        const QString path = WriteMap(editor, QStringLiteral("mitla.map"));
        QVERIFY(editor.frame->OpenMap(path));
        const QByteArray before = [&] {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        // The map's place is taken by a folder: nothing can be renamed over it.
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir(editor.dir.path()).mkpath(QStringLiteral("mitla.map/dentro")));
        editor.store.MarkChanged();

        QStringList shown;
        QString reason;
        ModalAnswer accept([&](QWidget* modal) {
            shown << MessageText(modal);
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                reason = box->informativeText();
            ClickButton(modal, QStringLiteral("Aceptar"));
        });
        QVERIFY(!editor.frame->SaveMap());
        QCOMPARE(shown, QStringList{QStringLiteral("- Error al guardar -")});
        // The reason under the heading.
        QCOMPARE(reason, QFileInfo(path).absoluteFilePath() +
                             QStringLiteral(" no es un archivo: el mapa no se puede guardar con "
                                            "ese nombre."));
        QVERIFY(editor.store.IsChanged());
        QVERIFY(QFileInfo(path).isDir());
        QVERIFY(!before.isEmpty());
    }

    void OpenAsksBeforeDroppingChanges() {
        Editor editor;
        const QString path = WriteMap(editor, QStringLiteral("mitla.map"));
        QVERIFY(editor.frame->OpenMap(path));
        editor.store.m_listStreets.front()->m_strName = "Cambiada";
        editor.store.MarkChanged();

        // Cancelar: no catalogue, nothing changes.
        QString question;
        {
            ModalAnswer cancel([&](QWidget* modal) {
                question = MessageText(modal);
                ClickButton(modal, QStringLiteral("Cancelar"));
            });
            editor.frame->OnFileOpen();
            QVERIFY(cancel.seen);
        }
        QVERIFY(question.contains(QStringLiteral("¿Desea guardar los cambios")));
        QVERIFY(editor.store.IsChanged());
        QCOMPARE(editor.store.m_listStreets.front()->m_strName, std::string("Cambiada"));

        // No: the catalogue comes up (and is cancelled); the file is untouched.
        bool catalogueShown = false;
        ModalAnswer no([&](QWidget* modal) {
            ClickButton(modal, QStringLiteral("No"));
            QTimer::singleShot(50, [&] {
                if (auto* dialog =
                        qobject_cast<CAbrirMapaDlg*>(QApplication::activeModalWidget())) {
                    catalogueShown = true;
                    dialog->reject();
                }
            });
        });
        editor.frame->OnFileOpen();
        QVERIFY(catalogueShown);
        std::string error;
        MapCounters counters;
        std::vector<std::uint8_t> picture;
        auto onDisk = LoadMapFile(QFile::encodeName(path).toStdString(), counters, picture, error);
        QVERIFY(onDisk);
        QCOMPARE(onDisk->m_listStreets.front()->m_strName, std::string("Avenida Juárez"));
    }

    void ExitAsksBeforeDroppingChanges() {
        Editor editor;
        const QString path = WriteMap(editor, QStringLiteral("mitla.map"));
        QVERIFY(editor.frame->OpenMap(path));

        // Unchanged: closes without a question.
        {
            ModalAnswer never(
                [](QWidget* modal) { ClickButton(modal, QStringLiteral("Cancelar")); });
            QVERIFY(editor.frame->close());
            QVERIFY(!never.seen);
        }
        editor.frame->show();
        editor.store.m_listStreets.front()->m_strName = "Cambiada";
        editor.store.MarkChanged();
        {
            ModalAnswer cancel(
                [](QWidget* modal) { ClickButton(modal, QStringLiteral("Cancelar")); });
            editor.frame->Action(ID_APP_EXIT)->trigger();
            QVERIFY(cancel.seen);
        }
        QVERIFY(editor.frame->isVisible());

        // Sí saves, says "Done" and closes.
        QStringList shown;
        ModalAnswer yes([&](QWidget* modal) {
            shown << MessageText(modal);
            ClickButton(modal, QStringLiteral("Sí"));
        });
        ModalAnswer* done = nullptr;
        QTimer::singleShot(0, [&] {
            // The second box opens after the first is answered.
            static QObject holder;
            done = new ModalAnswer([&](QWidget* modal) {
                if (MessageText(modal) == QStringLiteral("Done")) {
                    shown << MessageText(modal);
                    ClickButton(modal, QStringLiteral("Aceptar"));
                }
            });
            done->setParent(&holder);
        });
        QVERIFY(editor.frame->close());
        QVERIFY(!editor.frame->isVisible());
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1], QStringLiteral("Done"));
        std::string error;
        MapCounters counters;
        std::vector<std::uint8_t> picture;
        auto onDisk = LoadMapFile(QFile::encodeName(path).toStdString(), counters, picture, error);
        QVERIFY(onDisk);
        QCOMPARE(Names(onDisk->m_listStreets),
                 (QStringList{QStringLiteral("Calle Hidalgo"), QStringLiteral("Cambiada")}));
        delete done;
    }

    void PropertiesShowsTheCounts() {
        Editor editor;
        QVERIFY(editor.frame->OpenMap(WriteMap(editor, QStringLiteral("mitla.map"))));
        QStringList values;
        QString title;
        ModalAnswer read([&](QWidget* modal) {
            title = modal->windowTitle();
            for (int id : {1055, 1056, 1057, 1058})
                values << modal->findChild<QLineEdit*>(QStringLiteral("edit%1").arg(id))->text();
            modal->findChild<QPushButton*>(QStringLiteral("button1"))->click();
        });
        editor.frame->Action(ID_VIEW_PROPERTIES)->trigger();
        QCOMPARE(title, QStringLiteral("Propiedades"));
        QCOMPARE(values, (QStringList{QStringLiteral("4"), QStringLiteral("0"), QStringLiteral("2"),
                                      QStringLiteral("2")}));
    }

    void PanelKeepsItsWidth() {
        Editor editor;
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
        Editor editor;
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
        Editor editor;
        editor.frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(editor.frame.get()));
        editor.Panel()->ZoomSlider()->setFocus();
        QTest::keyClick(editor.frame.get(), Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(editor.frame->MapWnd()));
        QTest::keyClick(editor.frame.get(), Qt::Key_F6, Qt::ShiftModifier);
        QVERIFY(editor.Panel()->isAncestorOf(QApplication::focusWidget()));
    }

    void HelpOpensTheSpanishGuide() {
        Editor editor;
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

    void SplashSwallowsTheKeyThatClosesIt() {
        Editor editor;
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
        Editor editor;
        CStartupSplash::EnableSplashScreen(true);
        QPointer<CStartupSplash> splash = CStartupSplash::ShowSplashScreen(editor.frame.get());
        QVERIFY(splash);
        // The timer runs from the moment the splash is up.
        QTRY_VERIFY_WITH_TIMEOUT(!splash, 3000);
    }

    void SecondEditorIsWarnedAndSavesUnderANewName() {
        Editor editor;
        const QString path = WriteMap(editor, QStringLiteral("mitla.map"));
        const QByteArray before = FileBytes(path);
        OtherEditor other;
        QVERIFY(other.Lock(path));

        QString question;
        {
            ModalAnswer no([&](QWidget* modal) {
                question = MessageText(modal);
                ClickButton(modal, QStringLiteral("No"));
            });
            QVERIFY(!editor.frame->OpenMap(path));
        }
        const QString who = QStringLiteral("El mapa mitla.map ya está abierto en otro editor: "
                                           "usuario otra, equipo %1, proceso %2, desde el ")
                                .arg(QString::fromStdString(MapLock::Self().host))
                                .arg(other.Pid());
        QVERIFY2(question.startsWith(who), qPrintable(question));
        QVERIFY2(question.contains(QStringLiteral(" de noviembre de 2023 a las ")),
                 qPrintable(question));
        QVERIFY2(question.endsWith(QStringLiteral(".\n¿Desea abrirlo de solo lectura? Los "
                                                  "cambios sólo se podrán guardar con otro "
                                                  "nombre.")),
                 qPrintable(question));
        QVERIFY(!editor.document.IsOpen());

        {
            ModalAnswer yes([](QWidget* modal) { ClickButton(modal, QStringLiteral("Sí")); });
            QVERIFY(editor.frame->OpenMap(path));
        }
        QVERIFY(editor.document.IsReadOnly());
        QCOMPARE(editor.frame->windowTitle(),
                 QStringLiteral("VELTRIX  Mitla, Oaxaca - México (solo lectura)[*]"));
        editor.document.History().Record(QStringLiteral("Renombrar"), [&] {
            editor.store.m_listStreets.front()->m_strName = "Cambiada";
        });

        // Guardar cannot write over the other editor's map: it asks for a new name.
        const QString mine = editor.Path(QStringLiteral("mia.map"));
        QStringList shown;
        ModalSequence answers({[&](QWidget* modal) {
                                   auto* dialog = qobject_cast<QFileDialog*>(modal);
                                   QVERIFY(dialog);
                                   shown << dialog->windowTitle();
                                   dialog->selectFile(mine);
                                   static_cast<QDialog*>(dialog)->accept();
                               },
                               [&](QWidget* modal) {
                                   shown << MessageText(modal);
                                   ClickButton(modal, QStringLiteral("Aceptar"));
                               }});
        editor.frame->Action(ID_FILE_SAVE_MAP)->trigger();
        QCOMPARE(shown, (QStringList{QStringLiteral("Guardar como"), QStringLiteral("Done")}));
        QCOMPARE(editor.document.Path(), mine);
        QVERIFY(!editor.document.IsReadOnly());
        QVERIFY(!editor.document.IsModified());
        QCOMPARE(editor.frame->windowTitle(), QStringLiteral("VELTRIX  Mitla, Oaxaca - México[*]"));
        QCOMPARE(FileBytes(path), before);
        std::string error;
        MapCounters counters;
        std::vector<std::uint8_t> picture;
        auto saved = LoadMapFile(QFile::encodeName(mine).toStdString(), counters, picture, error);
        QVERIFY2(saved, error.c_str());
        QVERIFY(Names(saved->m_listStreets).contains(QStringLiteral("Cambiada")));
    }

    void RecoveryIsOfferedWhenTheMapOpens() {
        for (const bool take : {false, true}) {
            Editor editor;
            const QString path = WriteMap(editor, QStringLiteral("mitla.map"));
            // What an editor that stopped had copied aside.
            CRecoveryStore recovery;
            MapStore edited;
            FillTestTown(edited, {});
            edited.m_listStreets.front()->m_strName = "Reforma";
            QString error;
            QVERIFY(recovery.Write(edited, {}, path, error));

            QString question;
            ModalAnswer answer([&](QWidget* modal) {
                question = MessageText(modal);
                ClickButton(modal, take ? QStringLiteral("Sí") : QStringLiteral("No"));
            });
            QVERIFY(editor.frame->OpenMap(path));
            QVERIFY2(QRegularExpression(
                         QStringLiteral("^Se encontró una copia de recuperación de mitla\\.map "
                                        "guardada el \\d{1,2} de [a-z]+ de \\d{4} a las "
                                        "\\d\\d:\\d\\d\\.\n¿Desea recuperarla\\?$"))
                         .match(question)
                         .hasMatch(),
                     qPrintable(question));
            const QStringList shown = Lines(editor.Sheet()->Calles()->List());
            if (take) {
                // The copy's work, as unsaved changes of the map, in the pages too.
                QVERIFY(editor.document.IsModified());
                QVERIFY(shown.contains(QStringLiteral("Reforma")));
                QVERIFY(QFile::exists(recovery.CopyPath(path)));
            } else {
                QVERIFY(!editor.document.IsModified());
                QVERIFY(shown.contains(QStringLiteral("Avenida Juárez")));
                QVERIFY(!QFile::exists(recovery.CopyPath(path)));
            }
        }
    }

    void PreferencesSetTheAutosaveInterval() {
        Editor editor;
        QCOMPARE(editor.document.AutosaveInterval(),
                 std::chrono::milliseconds(std::chrono::minutes(2)));
        for (const int minutes : {5, 0}) {
            int shown = -1;
            ModalAnswer answer([&](QWidget* modal) {
                auto* spin = modal->findChild<QSpinBox*>(QStringLiteral("autosaveMinutes"));
                QVERIFY(spin);
                shown = spin->value();
                spin->setValue(minutes);
                ClickButton(modal, QStringLiteral("Aceptar"));
            });
            editor.frame->Action(ID_FILE_PREFERENCES)->trigger();
            QCOMPARE(shown, minutes == 5 ? 2 : 5);
            QCOMPARE(editor.document.AutosaveInterval(),
                     std::chrono::milliseconds(std::chrono::minutes(minutes)));
            QCOMPARE(QSettings().value(QStringLiteral("autosave/minutes")).toInt(), minutes);
        }
        // Kept for the next start.
        CPreferenciasDlg::StoreAutosaveMinutes(7);
        CMapaApp app;
        QVERIFY(app.InitInstance({QStringLiteral("veltrix"), QStringLiteral("--no-splash")}));
        QCOMPARE(app.m_document.AutosaveInterval(),
                 std::chrono::milliseconds(std::chrono::minutes(7)));
        CPreferenciasDlg::StoreAutosaveMinutes(CPreferenciasDlg::kDefaultMinutes);
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

QTEST_MAIN(ShellTest)
#include "shell_test.moc"
