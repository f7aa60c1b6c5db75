// The editor as a desktop program, driven through its real widgets: maps
// opened from any folder, dropped on the window or picked from the recent
// list, the window found where it was left, the whole town at one key, Qt's
// dialogs in Spanish, every page one click away, a status bar that never
// overlaps itself, and a control panel that always says what the map shows.
// Settings live in a private file, never in the user's.

#include "ctrl_wnd.h"
#include "edit_history.h"
#include "hint_label.h"
#include "main_frame.h"
#include "map_document.h"
#include "map_file.h"
#include "map_fit.h"
#include "map_save.h"
#include "map_store.h"
#include "map_transform.h"
#include "map_window.h"
#include "message_spy.h"
#include "messages.h"
#include "modal_script.h"
#include "prop_servicios.h"
#include "prop_zonas.h"
#include "propiedades.h"
#include "qt_translations.h"
#include "stacked_tab_bar.h"
#include "startup_splash.h"
#include "test_maps.h"
#include "tools.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QSlider>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <QUrl>

#include <cmath>
#include <memory>

Q_DECLARE_METATYPE(FloatPoint)

namespace {

// The seven boxes of the panel and the layers they stand for.
const std::pair<int, bool LayerSwitches::*> kBoxes[] = {
    {CCtrlWnd::IDC_STREET_NAMES, &LayerSwitches::m_bShowStreetNames},
    {CCtrlWnd::IDC_MARKS, &LayerSwitches::m_bShowMarks},
    {CCtrlWnd::IDC_REFERENCES, &LayerSwitches::m_bShowReferences},
    {CCtrlWnd::IDC_COLONIES, &LayerSwitches::m_bShowColonies},
    {CCtrlWnd::IDC_TRACED_STREETS, &LayerSwitches::m_bShowTracedStreets},
    {CCtrlWnd::IDC_ALL_ROUTES, &LayerSwitches::m_bShowAllRoutes},
    {CCtrlWnd::IDC_FILL_BLOCKS, &LayerSwitches::m_bFillBlocks},
};

QString Canonical(const QString& path) {
    return QFileInfo(path).canonicalFilePath();
}

// The test town with its blocks grown `size` times about (0,0) and moved by `shift`.
std::string WriteTown(const QString& path, float size, FloatPoint shift) {
    MapStore town;
    FillTestTown(town, {});
    MapStore store;
    FillTestTown(store, {});
    store.ClearBlocks();
    for (const CmBlock& block : town.m_blocks) {
        std::vector<FloatPoint> outline;
        for (const FloatPoint& p : town.Outline(block))
            outline.push_back({p.x * size + shift.x, p.y * size + shift.y});
        store.AddBlock(outline, block.m_nType);
    }
    std::string error;
    if (!SaveMapFile(store, QFile::encodeName(path).toStdString(), {}, error))
        return error.empty() ? std::string("no se pudo guardar") : error;
    return {};
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT

private:
    // One frame over one document, with maps in a private folder; with a
    // settings file, the frame remembers through it as the program does.
    struct Editor {
        QTemporaryDir dir;
        CMapDocument document;
        MapStore& store = document.Store();
        std::unique_ptr<QSettings> settings;
        std::unique_ptr<CMainFrame> frame;
        MessageSpy* spy = nullptr;

        explicit Editor(const QString& settingsFile = QString()) {
            frame = std::make_unique<CMainFrame>(document, dir.path());
            if (!settingsFile.isEmpty()) {
                settings = std::make_unique<QSettings>(settingsFile, QSettings::IniFormat);
                frame->SetSettings(settings.get());
            }
            spy = new MessageSpy(frame.get());
            frame->show();
        }
        QString Write(const QString& name, const TestMapContents& contents = {}) const {
            const QString path = dir.filePath(name);
            const std::string error = WriteTestMap(path, contents);
            if (!error.empty())
                qWarning("%s", error.c_str());
            return path;
        }
        CCtrlWnd* Panel() const { return frame->CtrlWnd(); }
        CMapaWnd* Map() const { return frame->MapWnd(); }
        QAction* Recent(int slot) const { return frame->Action(ID_FILE_RECENT_FIRST + slot); }
    };

    // The panel says what the map shows: every box its layer, the slider the
    // map's scale as a whole step.
    static void CheckPanelAgrees(const Editor& e, const char* step) {
        const LayerSwitches& layers = e.Map()->Layers();
        for (const auto& [box, layer] : kBoxes)
            QVERIFY2(e.Panel()->Check(box)->isChecked() == layers.*layer,
                     qPrintable(QStringLiteral("%1: box %2").arg(QLatin1String(step)).arg(box)));
        const int scale = static_cast<int>(e.Map()->Scale());
        QVERIFY2(e.Panel()->ZoomSlider()->value() == scale, step);
        QVERIFY2(e.Panel()->ZoomValue()->text() == QString::number(scale), step);
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { CStartupSplash::EnableSplashScreen(false); }

    void OpenAsksFirstThenTakesAMapFromAnyFolder() {
        Editor e;
        const QString near = e.Write(QStringLiteral("mitla.map"));
        QVERIFY(QDir(e.dir.path()).mkdir(QStringLiteral("lejos")));
        const QString far = e.Write(
            QStringLiteral("lejos/comitan.map"),
            {QStringLiteral("México"), QStringLiteral("Chiapas"), QStringLiteral("Comitán")});
        QVERIFY(e.frame->OpenMap(near));
        e.store.MarkChanged();
        QCOMPARE(e.frame->Action(ID_FILE_OPEN_ANY)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
        QVERIFY(e.frame->Action(ID_FILE_OPEN_MAP)->shortcut().isEmpty());

        // Cancelar at the question: no file dialog, nothing changes.
        {
            ModalScript cancel{Answer(QStringLiteral("Cancelar"))};
            e.frame->Action(ID_FILE_OPEN_ANY)->trigger();
            QCOMPARE(cancel.answered, 1);
        }
        QCOMPARE(e.document.Path(), near);

        // No: the file dialog opens in the open map's folder and takes any map.
        QString startedIn;
        {
            ModalScript open{Answer(QStringLiteral("No")), [&](QWidget* modal) {
                                 // A failed check must not leave the dialog waiting.
                                 const auto close = qScopeGuard([modal] {
                                     if (modal->isVisible())
                                         static_cast<QDialog*>(modal)->reject();
                                 });
                                 auto* dialog = qobject_cast<QFileDialog*>(modal);
                                 QVERIFY(dialog);
                                 startedIn = dialog->directory().absolutePath();
                                 // Typed into the name box, as a person would.
                                 auto* name =
                                     dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                                 QVERIFY(name);
                                 name->setText(far);
                                 static_cast<QDialog*>(dialog)->accept();
                             }};
            e.frame->Action(ID_FILE_OPEN_ANY)->trigger();
            QCOMPARE(open.answered, 2);
        }
        QCOMPARE(Canonical(startedIn), Canonical(e.dir.path()));
        QCOMPARE(e.document.Path(), far);
        QCOMPARE(e.frame->windowTitle(), QStringLiteral("VELTRIX  Comitán, Chiapas - México[*]"));
        QCOMPARE(e.frame->RecentMaps().Paths(), (QStringList{Canonical(far), Canonical(near)}));
    }

    void DroppedMapOpensOnceTheDropIsOver() {
        Editor e;
        const QString first = e.Write(QStringLiteral("mitla.map"));
        const QString dropped = e.Write(QStringLiteral("ARRASTRADO.MAP"));
        QVERIFY(e.frame->OpenMap(first));
        e.store.MarkChanged();
        const QPoint on(200, 200);

        // A drag without a map is refused wherever it comes.
        QMimeData notes;
        notes.setUrls({QUrl::fromLocalFile(e.dir.filePath(QStringLiteral("notas.txt")))});
        QDragEnterEvent refused(on, Qt::CopyAction, &notes, Qt::LeftButton, {});
        QApplication::sendEvent(e.Map(), &refused);
        QVERIFY(!refused.isAccepted());

        QMimeData map;
        map.setUrls({QUrl::fromLocalFile(dropped)});
        const auto drop = [&] {
            QDragEnterEvent enter(on, Qt::CopyAction, &map, Qt::LeftButton, {});
            QApplication::sendEvent(e.Map(), &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent release(QPointF(on), Qt::CopyAction, &map, Qt::LeftButton, {});
            QApplication::sendEvent(e.Map(), &release);
            QVERIFY(release.isAccepted());
        };
        {
            ModalScript cancel{Answer(QStringLiteral("Cancelar"))};
            drop();
            // The question comes only after the drop has returned.
            QCOMPARE(cancel.answered, 0);
            QTRY_COMPARE(cancel.answered, 1);
        }
        QCOMPARE(e.document.Path(), first);
        {
            ModalScript no{Answer(QStringLiteral("No"))};
            drop();
            QTRY_COMPARE(e.document.Path(), dropped);
        }
        QCOMPARE(e.frame->RecentMaps().Paths().front(), Canonical(dropped));
    }

    void RecentMapsNewestFirstKeptAndGoneOnesOffered() {
        QTemporaryDir home;
        const QString settingsFile = home.filePath(QStringLiteral("veltrix.ini"));
        QStringList expected;
        QString gone;
        {
            Editor e(settingsFile);
            QVERIFY(!e.frame->Action(ID_FILE_RECENT_FIRST)->isVisible());
            // The maps outlive this editor: the next start finds them.
            QStringList maps;
            for (int i = 1; i <= 9; ++i) {
                maps << home.filePath(QStringLiteral("mapa%1.map").arg(i));
                QVERIFY(WriteTestMap(maps.back()).empty());
            }
            for (const QString& path : maps)
                QVERIFY(e.frame->OpenMap(path));
            // Reopening one moves it to the top, once.
            QVERIFY(e.frame->OpenMap(maps[4]));
            expected = {maps[4], maps[8], maps[7], maps[6], maps[5], maps[3], maps[2], maps[1]};
            for (QString& path : expected)
                path = Canonical(path);
            QCOMPARE(e.frame->RecentMaps().Paths(), expected);
            // The menu lists them numbered, newest first, the full path as the prompt.
            QStringList texts;
            for (int slot = 0; slot < 8; ++slot) {
                QVERIFY(e.Recent(slot)->isVisible());
                texts << e.Recent(slot)->text();
            }
            QCOMPARE(texts.first(), QStringLiteral("&1 mapa5.map"));
            QCOMPARE(texts.last(), QStringLiteral("&8 mapa2.map"));
            QCOMPARE(e.Recent(1)->statusTip(), QDir::toNativeSeparators(expected[1]));
            gone = expected[1];
        }

        // At the next start the list is there; a map deleted since is not opened
        // but offered for removal.
        QVERIFY(QFile::remove(gone));
        Editor again(settingsFile);
        QCOMPARE(again.frame->RecentMaps().Paths(), expected);
        QString asked;
        {
            ModalScript keep{Answer(QStringLiteral("No"), &asked)};
            again.Recent(1)->trigger();
            QCOMPARE(keep.answered, 1);
        }
        QCOMPARE(asked, QStringLiteral("El mapa %1 ya no existe.\n¿Desea quitarlo de la lista de "
                                       "mapas recientes?")
                            .arg(QDir::toNativeSeparators(gone)));
        QVERIFY(!again.store.MapLoaded());
        QCOMPARE(again.frame->RecentMaps().Paths(), expected);
        {
            ModalScript remove{Answer(QStringLiteral("Sí"))};
            again.Recent(1)->trigger();
            QCOMPARE(remove.answered, 1);
        }
        expected.removeAt(1);
        QCOMPARE(again.frame->RecentMaps().Paths(), expected);
        QVERIFY(!again.Recent(7)->isVisible());
        QCOMPARE(
            QSettings(settingsFile, QSettings::IniFormat).value("mapasRecientes").toStringList(),
            expected);
        // One that is there opens at once.
        again.Recent(2)->trigger();
        QCOMPARE(again.document.Path(), expected[2]);
        QCOMPARE(again.frame->RecentMaps().Paths().front(), expected[2]);
    }

    void WindowComesBackWhereAndAsItWasLeft() {
        QTemporaryDir home;
        const QString settingsFile = home.filePath(QStringLiteral("veltrix.ini"));
        int dragged = 0;
        {
            Editor e(settingsFile);
            e.frame->resize(900, 650);
            QCoreApplication::processEvents();
            // The user drags the bar between the panel and the map 60 pixels right.
            QSplitterHandle* handle = e.frame->Splitter()->handle(1);
            const QPoint grip(handle->width() / 2, handle->height() / 2);
            const auto mouse = [&](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
                QMouseEvent event(type, QPointF(at), QPointF(handle->mapToGlobal(at)),
                                  Qt::LeftButton, held, Qt::NoModifier);
                QApplication::sendEvent(handle, &event);
            };
            mouse(QEvent::MouseButtonPress, grip, Qt::LeftButton);
            mouse(QEvent::MouseMove, grip + QPoint(60, 0), Qt::LeftButton);
            mouse(QEvent::MouseButtonRelease, grip + QPoint(60, 0), Qt::NoButton);
            dragged = e.frame->Splitter()->sizes().front();
            QCOMPARE(dragged, CMainFrame::kPanelWidth + 60);
            // A new size leaves the dragged width alone.
            e.frame->resize(950, 660);
            QCoreApplication::processEvents();
            QCOMPARE(e.frame->Splitter()->sizes().front(), dragged);
            QVERIFY(e.frame->close());
        }
        Editor again(settingsFile);
        QCoreApplication::processEvents();
        QCOMPARE(again.frame->size(), QSize(950, 660));
        QCOMPARE(again.frame->Splitter()->sizes().front(), dragged);
    }

    void ViewAllShowsTheWholeTownCentred_data() {
        QTest::addColumn<float>("size");
        QTest::addColumn<FloatPoint>("shift");
        QTest::addColumn<float>("scale"); // 0: somewhere between the limits
        QTest::newRow("a few blocks: closest scale") << 0.2f << FloatPoint{} << 20.0f;
        QTest::newRow("a town") << 4.0f << FloatPoint{} << 0.0f;
        QTest::newRow("a town off the origin") << 2.0f << FloatPoint{30000, -12000} << 0.0f;
        QTest::newRow("a province: farthest scale") << 80.0f << FloatPoint{500, 500} << 1.0f;
    }

    void ViewAllShowsTheWholeTownCentred() {
        QFETCH(float, size);
        QFETCH(FloatPoint, shift);
        QFETCH(float, scale);
        Editor e;
        const QString path = e.dir.filePath(QStringLiteral("pueblo.map"));
        const std::string error = WriteTown(path, size, shift);
        QVERIFY2(error.empty(), error.c_str());
        QVERIFY(e.frame->OpenMap(path));
        e.Map()->ZoomTo(3.0f, MapPoint{-90000, 90000}); // far away from the town
        e.frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(e.frame.get()));
        e.Map()->setFocus();
        QTest::keyClick(e.Map(), Qt::Key_Home);

        // Where the blocks are, worked out afresh (not the store's bounds, which
        // also hold the origin).
        MapRect town{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (const CmBlock& block : e.store.m_blocks) {
            for (const FloatPoint& p : e.store.Outline(block)) {
                town.left = std::min(town.left, static_cast<std::int32_t>(std::floor(p.x)));
                town.top = std::min(town.top, static_cast<std::int32_t>(std::floor(p.y)));
                town.right = std::max(town.right, static_cast<std::int32_t>(std::ceil(p.x)));
                town.bottom = std::max(town.bottom, static_cast<std::int32_t>(std::ceil(p.y)));
            }
        }
        const MapTransform view = e.Map()->Transform();
        const QRect client = e.Map()->rect();
        const QRect inner = client.adjusted(kFitMargin, kFitMargin, -kFitMargin, -kFitMargin);
        const QPoint corners[] = {view.ToPixel(town.left, town.top),
                                  view.ToPixel(town.right, town.bottom)};
        const MapPoint middle{static_cast<std::int32_t>(town.left + town.Width() / 2),
                              static_cast<std::int32_t>(town.top + town.Height() / 2)};
        // Centred: the town's middle is at the client's middle, to a pixel.
        const QPoint centre = view.ToPixel(middle);
        QVERIFY(std::abs(centre.x() - client.width() / 2) <= 1);
        QVERIFY(std::abs(centre.y() - client.height() / 2) <= 1);
        const float shown = e.Map()->Scale();
        if (scale != 0.0f)
            QCOMPARE(shown, scale);
        else
            QVERIFY2(shown > 1.0f && shown < 20.0f, qPrintable(QString::number(shown)));
        if (scale != 1.0f) {
            for (const QPoint& corner : corners)
                QVERIFY2(
                    inner.contains(corner),
                    qPrintable(QStringLiteral("%1,%2 outside").arg(corner.x()).arg(corner.y())));
        }
        if (scale == 0.0f) {
            // The largest such scale: a little closer and a corner is out.
            const MapTransform probe(client.size(), shown * 1.02f, QPoint());
            const MapTransform closer(client.size(), shown * 1.02f, probe.OriginCentering(middle));
            QVERIFY(!inner.contains(closer.ToPixel(town.left, town.top)) ||
                    !inner.contains(closer.ToPixel(town.right, town.bottom)));
        }
        // The slider follows, and the menu entry does the same.
        QCOMPARE(e.Panel()->ZoomSlider()->value(), static_cast<int>(shown));
        e.Map()->ZoomTo(7.0f, MapPoint{-90000, 90000});
        e.frame->Action(ID_VIEW_ALL)->trigger();
        QCOMPARE(e.Map()->Scale(), shown);
    }

    void PrintOffersAPdfFileInSpanish() {
        Editor e;
        QVERIFY(e.frame->OpenMap(e.Write(QStringLiteral("mitla.map"))));
        const std::unique_ptr<QTranslator> spanish = InstallQtTranslations();
        QVERIFY2(spanish, "Qt's Spanish translations are not installed");
        const QString pdf = e.dir.filePath(QStringLiteral("plano.pdf"));
        QString title;
        QStringList buttons;
        QStringList printers;
        {
            ModalScript print{[&](QWidget* modal) {
                const auto close = qScopeGuard([modal] {
                    if (modal->isVisible())
                        static_cast<QDialog*>(modal)->reject();
                });
                auto* dialog = qobject_cast<QPrintDialog*>(modal);
                QVERIFY(dialog);
                title = dialog->windowTitle();
                for (QAbstractButton* b : dialog->findChild<QDialogButtonBox*>()->buttons())
                    buttons << b->text().remove(QLatin1Char('&'));
                auto* choice = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
                QVERIFY(choice);
                for (int i = 0; i < choice->count(); ++i)
                    printers << choice->itemText(i);
                // Whether or not the machine has printers, a PDF file is on offer.
                const int file = choice->findText(QStringLiteral("Imprimir a archivo (PDF)"));
                QVERIFY(file >= 0);
                choice->setCurrentIndex(file);
                dialog->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(pdf);
                static_cast<QDialog*>(dialog)->accept();
            }};
            e.frame->Action(ID_FILE_PRINT)->trigger();
            QCOMPARE(print.answered, 1);
        }
        QCoreApplication::removeTranslator(spanish.get());
        QCOMPARE(title, QStringLiteral("Imprimir"));
        // The dialog's own buttons in Spanish (the accepting one reads "Imprimir"
        // under X11 and "Aceptar" headless).
        QVERIFY2(buttons.contains(QStringLiteral("Cancelar")) &&
                     buttons.contains(QStringLiteral("Opciones >>")) &&
                     (buttons.contains(QStringLiteral("Imprimir")) ||
                      buttons.contains(QStringLiteral("Aceptar"))),
                 qPrintable(buttons.join(QLatin1Char(','))));
        QFile file(pdf);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(printers.join(QLatin1Char(','))));
        QVERIFY(file.read(4) == "%PDF");
    }

    void EveryPageIsInSightAndOneClickAway() {
        Editor e;
        CPropiedades* sheet = e.Panel()->Sheet();
        CStackedTabBar* tabs = sheet->Tabs();
        QCOMPARE(e.frame->Splitter()->sizes().front(), CMainFrame::kPanelWidth);
        QCOMPARE(tabs->RowCount(), 2);
        QVERIFY(tabs->width() <= CMainFrame::kPanelWidth);
        for (int i = 0; i < sheet->count(); ++i) {
            const QRect tab = tabs->TabRect(i);
            QVERIFY2(tabs->rect().contains(tab), qPrintable(sheet->tabText(i)));
            // Room for the whole name and the tab's own margins.
            QVERIFY2(tab.width() >= tabs->fontMetrics().horizontalAdvance(sheet->tabText(i)) + 8,
                     qPrintable(sheet->tabText(i)));
            for (int j = 0; j < i; ++j)
                QVERIFY(!tab.intersects(tabs->TabRect(j)));
        }
        // Each tab takes one click wherever it is, and its row comes next to the page.
        for (int i : {4, 1, 5, 0, 3, 2}) {
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->TabRect(i).center());
            QCOMPARE(sheet->currentIndex(), i);
            QVERIFY(sheet->widget(i)->isVisible());
            QCOMPARE(tabs->TabRect(i).bottom(), tabs->height() - 1);
        }
    }

    void StatusBarHintFitsItsPaneAndIdleSaysPreparado() {
        Editor e;
        CHintLabel* hint = e.frame->HintPane();
        QCOMPARE(hint->text(), QStringLiteral("Preparado"));
        QEnterEvent enter(QPointF(50, 50), QPointF(50, 50), QPointF(50, 50));
        QEvent leave(QEvent::Leave);
        // No map: the pointer on the map changes nothing.
        QApplication::sendEvent(e.Map(), &enter);
        QCOMPARE(hint->text(), QStringLiteral("Preparado"));

        QVERIFY(e.frame->OpenMap(e.Write(QStringLiteral("mitla.map"))));
        const QString navigate = e.Map()->Tools().Find(TOOL_NAVIGATE)->Hint();
        QCOMPARE(hint->Hint(), navigate);
        QApplication::sendEvent(e.Map(), &leave);
        QCOMPARE(hint->text(), QStringLiteral("Preparado"));
        QApplication::sendEvent(e.Map(), &enter);
        QCOMPARE(hint->Hint(), navigate);

        // The longest hint in a narrow window: cut short, clear of the coordinates.
        e.frame->OnTool(TOOL_ROUTE);
        const QString route = e.Map()->Tools().Find(TOOL_ROUTE)->Hint();
        QCOMPARE(hint->Hint(), route);
        e.frame->resize(640, 480);
        QCoreApplication::processEvents();
        auto* position = e.frame->findChild<QLabel*>(QStringLiteral("mapPosition"));
        QVERIFY(hint->geometry().right() < position->geometry().left());
        QVERIFY(hint->text() != route);
        QVERIFY(hint->text().endsWith(QChar(0x2026)));
        QVERIFY(hint->fontMetrics().horizontalAdvance(hint->text()) <=
                hint->contentsRect().width());
        QCOMPARE(hint->toolTip(), route);
        // A menu's prompt shows while its item is under the pointer.
        QStatusTipEvent prompt(e.frame->Action(ID_FILE_SAVE_MAP)->statusTip());
        QApplication::sendEvent(e.frame.get(), &prompt);
        QCOMPARE(hint->text(), QStringLiteral("Guarda los cambios en el archivo"));
        QVERIFY(e.frame->statusBar()->currentMessage().isEmpty());
    }

    void TitleMarksUnsavedChangesAndNothingElse() {
        Editor e;
        QVERIFY(e.frame->OpenMap(e.Write(QStringLiteral("mitla.map"))));
        const QString title = QStringLiteral("VELTRIX  Mitla, Oaxaca - México[*]");
        QCOMPARE(e.frame->windowTitle(), title);
        QVERIFY(!e.frame->isWindowModified());
        e.frame->History().Record(QStringLiteral("Renombrar"),
                                  [&] { e.store.m_listStreets.front()->m_strName = "Otra"; });
        QVERIFY(e.frame->isWindowModified());
        QCOMPARE(e.frame->windowTitle(), title);
        e.frame->Action(ID_EDIT_UNDO)->trigger();
        QVERIFY(!e.frame->isWindowModified());
        e.frame->Action(ID_EDIT_REDO)->trigger();
        {
            ModalScript done{Answer(QStringLiteral("Aceptar"))};
            QVERIFY(e.frame->SaveMap());
        }
        QVERIFY(!e.frame->isWindowModified());
        QCOMPARE(e.frame->windowTitle(), title);
    }

    void SliderShowsItsScaleAndGoesWhereItIsClicked() {
        Editor e;
        QVERIFY(e.frame->OpenMap(e.Write(QStringLiteral("mitla.map"))));
        QSlider* slider = e.Panel()->ZoomSlider();
        QCOMPARE(e.Panel()->ZoomValue()->text(), QStringLiteral("3"));
        e.spy->received.clear();
        // Three quarters along the track is about 15, not one page step from 3.
        QTest::mouseClick(slider, Qt::LeftButton, {},
                          QPoint(slider->width() * 3 / 4, slider->height() / 2));
        QVERIFY2(slider->value() >= 14 && slider->value() <= 16,
                 qPrintable(QString::number(slider->value())));
        QCOMPARE(e.Panel()->ZoomValue()->text(), QString::number(slider->value()));
        const auto sent = e.spy->Of(UM_SET_ZOOM);
        QCOMPARE(sent.size(), std::size_t(1));
        QCOMPARE(e.Map()->Scale(), static_cast<float>(slider->value()));
        // Keys move it and its number, and send nothing.
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Left);
        QCOMPARE(e.Panel()->ZoomValue()->text(), QString::number(slider->value()));
        QCOMPARE(e.spy->Of(UM_SET_ZOOM).size(), std::size_t(1));
    }

    void PanelSaysWhatTheMapShows_data() {
        QTest::addColumn<QString>("step");
        for (const char* step :
             {"reference", "street", "colony", "route", "business", "stale colony", "zone", "save",
              "businesses refilled", "street traced", "whole town"})
            QTest::newRow(step) << QString::fromLatin1(step);
    }

    void PanelSaysWhatTheMapShows() {
        QFETCH(QString, step);
        Editor e;
        QVERIFY(e.frame->OpenMap(e.Write(QStringLiteral("mitla.map"))));
        // Every layer off to begin with, by the boxes, as a person would.
        for (const auto& [box, layer] : kBoxes) {
            QCheckBox* check = e.Panel()->Check(box);
            if (check->isChecked())
                check->click();
        }
        CheckPanelAgrees(e, "before");
        QWidget* frame = e.frame.get();
        const LayerSwitches& layers = e.Map()->Layers();
        if (step == QLatin1String("reference")) {
            SendMessageToDescendants(frame, UM_LOCATE_ITEM, LOCATE_REFERENCE, 0);
            QVERIFY(layers.m_bShowReferences);
        } else if (step == QLatin1String("street")) {
            SendMessageToDescendants(frame, UM_LOCATE_ITEM, LOCATE_STREET, 0);
            QCOMPARE(e.Map()->Scale(), 7.5f);
        } else if (step == QLatin1String("colony")) {
            SendMessageToDescendants(frame, UM_LOCATE_ITEM, LOCATE_COLONY, 0);
            QVERIFY(layers.m_bShowColonies);
        } else if (step == QLatin1String("route")) {
            // Once a tick with the map left as it was; now the map shows the routes.
            SendMessageToDescendants(frame, UM_LOCATE_ITEM, LOCATE_ROUTE, 1);
            QVERIFY(layers.m_bShowAllRoutes);
            QCOMPARE(e.Map()->Scale(), 10.0f);
        } else if (step == QLatin1String("business")) {
            e.store.m_directory.SelectCategory("Farmacias");
            e.store.m_directory.SelectBusiness("Botica Sol");
            SendMessageToDescendants(frame, UM_LOCATE_ITEM, LOCATE_BUSINESS, 0);
            QVERIFY(layers.m_bShowMarks);
            QCOMPARE(e.Map()->Scale(), 16.0f);
        } else if (step == QLatin1String("stale colony")) {
            SendMessageToDescendants(frame, UM_LOCATE_ITEM, LOCATE_COLONY, 99);
            QVERIFY(!layers.m_bShowColonies);
        } else if (step == QLatin1String("zone")) {
            e.store.m_listZones[0]->m_blockIds = {1};
            SendMessageToDescendants(frame, UM_ZONE_SHOW, -1, 0);
            QCOMPARE(e.Map()->Scale(), 10.0f);
        } else if (step == QLatin1String("save")) {
            ModalScript done{Answer(QStringLiteral("Aceptar"))};
            QVERIFY(e.frame->SaveMap());
            QVERIFY(layers.m_bShowMarks);
        } else if (step == QLatin1String("businesses refilled")) {
            SendMessageToDescendants(frame, UM_REFRESH_PAGES, PAGE_BUSINESSES, REFRESH_BUSINESSES);
            QVERIFY(layers.m_bShowMarks);
        } else if (step == QLatin1String("street traced")) {
            // What the user just made stays in sight.
            e.frame->OnTool(TOOL_TRACE_STREET);
            QTest::mouseClick(e.Map(), Qt::LeftButton, {}, QPoint(100, 100));
            QTest::mouseClick(e.Map(), Qt::LeftButton, {}, QPoint(200, 120));
            ModalScript name{NameAnswer(QStringLiteral("Calle Nueva"))};
            QTest::mouseClick(e.Map(), Qt::RightButton, {}, QPoint(250, 150));
            QCOMPARE(name.answered, 1);
            QVERIFY(layers.m_bShowTracedStreets);
        } else if (step == QLatin1String("whole town")) {
            QVERIFY(e.Map()->ShowWholeMap());
        }
        CheckPanelAgrees(e, qPrintable(step));
    }

    void UndoingANewZoneTakesItsNotesAway() {
        Editor e;
        QVERIFY(e.frame->OpenMap(e.Write(QStringLiteral("mitla.map"))));
        CPropZonas* page = e.Panel()->Sheet()->Zonas();
        e.Panel()->Sheet()->setCurrentWidget(page);
        {
            ModalScript make{
                ZoneAnswer(QStringLiteral("Mercado nuevo"), QStringLiteral("Tianguis"))};
            QTest::mouseClick(page->findChild<QPushButton*>(QStringLiteral("button1010")),
                              Qt::LeftButton);
        }
        QListWidget* list = page->List();
        QCOMPARE(list->item(0)->text(), QStringLiteral("Mercado nuevo"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        QCOMPARE(page->Notes()->toPlainText(), QStringLiteral("Tianguis"));
        e.frame->Action(ID_EDIT_UNDO)->trigger();
        QCOMPARE(list->count(), 2);
        QVERIFY(page->Notes()->toPlainText().isEmpty());
        // The zone page's buttons stand in two rows, each at least as wide as its text needs.
        for (QPushButton* button : page->findChildren<QPushButton*>())
            QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
    }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
