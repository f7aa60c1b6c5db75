// The editor as a desktop program, driven through its real widgets: the whole
// town at one key, every page one click away, a status bar that never
// overlaps itself, and a control panel that always says what the map shows.

#include "ctrl_wnd.h"
#include "editor_fixture.h"
#include "hint_label.h"
#include "main_frame.h"
#include "map_fit.h"
#include "map_save.h"
#include "map_transform.h"
#include "map_window.h"
#include "messages.h"
#include "modal_script.h"
#include "private_home.h"
#include "prop_zonas.h"
#include "propiedades.h"
#include "qt_helpers.h"
#include "stacked_tab_bar.h"
#include "startup_splash.h"
#include "tools.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <vector>

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

// The test town with its blocks grown `size` times about (0,0) and moved by `shift`.
std::string WriteTown(const QString& path, float size, FloatPoint shift) {
    MapStore town;
    FillTestTown(town);
    MapStore store;
    FillTestTown(store);
    store.ClearBlocks();
    for (const CmBlock& block : town.m_blocks) {
        std::vector<FloatPoint> outline;
        for (const FloatPoint& p : town.Outline(block))
            outline.push_back({p.x * size + shift.x, p.y * size + shift.y});
        store.AddBlock(outline, block.m_nType);
    }
    Problem error;
    if (!SaveMapFile(store, LocalPath(path), {}, error))
        return error ? error.Text() : std::string("no se pudo guardar");
    return {};
}

// The panel says what the map shows: every box its layer, the slider the
// map's scale as a whole step.
void CheckPanelAgrees(const EditorFixture& e, const char* step) {
    const LayerSwitches& layers = e.Map()->Layers();
    for (const auto& [box, layer] : kBoxes)
        QVERIFY2(e.Panel()->Check(box)->isChecked() == layers.*layer,
                 qPrintable(QStringLiteral("%1: box %2").arg(QLatin1String(step)).arg(box)));
    const int scale = static_cast<int>(e.Map()->Scale());
    QVERIFY2(e.Panel()->ZoomSlider()->value() == scale, step);
    QVERIFY2(e.Panel()->ZoomValue()->text() == QString::number(scale), step);
}

} // namespace

class DesktopViewTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_home;

private slots:
    void initTestCase() { UsePrivateHome(m_home); }
    void init() { CStartupSplash::EnableSplashScreen(false); }

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
        EditorFixture e;
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

    void EveryPageIsInSightAndOneClickAway() {
        EditorFixture e;
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

    // A row too narrow for every name, as the English names are in the panel:
    // the short name stays whole and only the long ones are shortened, by the
    // same amount, and the row still spans the bar without gaps.
    void ANarrowRowShortensOnlyTheLongNames() {
        CStackedTabBar tabs;
        const QStringList names = {QStringLiteral("Businesses"), QStringLiteral("Neighbourhoods"),
                                   QStringLiteral("Zones")};
        for (const QString& name : names)
            tabs.addTab(name);
        const int margins = tabs.style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, &tabs);
        const auto natural = [&](int i) {
            return tabs.fontMetrics().horizontalAdvance(names[i]) + margins;
        };
        QVERIFY(natural(0) - natural(2) > 10);
        tabs.resize(natural(2) + 2 * (natural(0) - 10), 60);
        QCOMPARE(tabs.TabRect(2).width(), natural(2));
        QCOMPARE(tabs.TabRect(0).width(), natural(0) - 10);
        QCOMPARE(tabs.TabRect(1).width(), natural(0) - 10);
        QCOMPARE(tabs.TabRect(0).left(), 0);
        QCOMPARE(tabs.TabRect(1).left(), tabs.TabRect(0).right() + 1);
        QCOMPARE(tabs.TabRect(2).right(), tabs.width() - 1);
        // Wide enough for all: each its own width and an equal share of the rest.
        tabs.resize(natural(0) + natural(1) + natural(2) + 30, 60);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(tabs.TabRect(i).width(), natural(i) + 10);
    }

    void StatusBarHintFitsItsPaneAndIdleSaysPreparado() {
        EditorFixture e;
        CHintLabel* hint = e.frame->HintPane();
        QCOMPARE(hint->text(), QStringLiteral("Preparado"));
        QEnterEvent enter(QPointF(50, 50), QPointF(50, 50), QPointF(50, 50));
        QEvent leave(QEvent::Leave);
        // No map: the pointer on the map changes nothing.
        QApplication::sendEvent(e.Map(), &enter);
        QCOMPARE(hint->text(), QStringLiteral("Preparado"));

        QVERIFY(e.frame->OpenMap(e.WriteMap(QStringLiteral("mitla.map"))));
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

    void SliderShowsItsScaleAndGoesWhereItIsClicked() {
        EditorFixture e;
        QVERIFY(e.frame->OpenMap(e.WriteMap(QStringLiteral("mitla.map"))));
        QSlider* slider = e.Panel()->ZoomSlider();
        QCOMPARE(e.Panel()->ZoomValue()->text(), QStringLiteral("3"));
        e.recorder->Clear();
        // Three quarters along the track is about 15, not one page step from 3.
        QTest::mouseClick(slider, Qt::LeftButton, {},
                          QPoint(slider->width() * 3 / 4, slider->height() / 2));
        QVERIFY2(slider->value() >= 14 && slider->value() <= 16,
                 qPrintable(QString::number(slider->value())));
        QCOMPARE(e.Panel()->ZoomValue()->text(), QString::number(slider->value()));
        const auto sent = e.recorder->Of(UM_SET_ZOOM);
        QCOMPARE(sent.size(), std::size_t(1));
        QCOMPARE(e.Map()->Scale(), static_cast<float>(slider->value()));
        // Keys move it and its number, and send nothing.
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Left);
        QCOMPARE(e.Panel()->ZoomValue()->text(), QString::number(slider->value()));
        QCOMPARE(e.recorder->Of(UM_SET_ZOOM).size(), std::size_t(1));
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
        EditorFixture e;
        QVERIFY(e.frame->OpenMap(e.WriteMap(QStringLiteral("mitla.map"))));
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
            CModalScript done{Answer(QStringLiteral("Aceptar"))};
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
            CModalScript name{NameAnswer(QStringLiteral("Calle Nueva"))};
            QTest::mouseClick(e.Map(), Qt::RightButton, {}, QPoint(250, 150));
            QCOMPARE(name.Answered(), 1);
            QVERIFY(layers.m_bShowTracedStreets);
        } else if (step == QLatin1String("whole town")) {
            QVERIFY(e.Map()->ShowWholeMap());
        }
        CheckPanelAgrees(e, qPrintable(step));
    }

    void UndoingANewZoneTakesItsNotesAway() {
        EditorFixture e;
        QVERIFY(e.frame->OpenMap(e.WriteMap(QStringLiteral("mitla.map"))));
        CPropZonas* page = e.Panel()->Sheet()->Zonas();
        e.Panel()->Sheet()->setCurrentWidget(page);
        {
            CModalScript make{
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

QTEST_MAIN(DesktopViewTest)
#include "desktop_view_test.moc"
