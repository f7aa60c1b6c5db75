#include "map_window_test.h"

#include "map_window.h"
#include "message_recorder.h"
#include "messages.h"
#include "navigate_tool.h"
#include "pixel_counts.h"
#include "test_towns.h"
#include "tools.h"
#include "town_generator.h"

#include <QSignalSpy>
#include <QTest>
#include <memory>

Q_DECLARE_METATYPE(MapRect)

namespace {

// A frame holding the map window and a stand-in control panel.
struct Fixture {
    MapStore store = MakeStore();
    QWidget frame;
    CMapaWnd* wnd = nullptr;
    CMessageRecorder* panel = nullptr;

    Fixture() {
        frame.resize(1000, 700);
        panel = new CMessageRecorder(&frame);
        wnd = new CMapaWnd(store, &frame);
        wnd->setGeometry(200, 0, 800, 600);
        wnd->SetFrame(&frame);
        frame.show();
        (void)QTest::qWaitForWindowExposed(&frame);
        wnd->OnMapLoaded();
    }
    void Send(UserMessage m, std::int64_t w, std::int64_t l) { SendUserMessage(wnd, m, w, l); }
    QPoint Centre() const { return QPoint(wnd->width() / 2, wnd->height() / 2); }
    QPoint PixelOf(MapPoint p) const { return wnd->Transform().ToPixel(p); }
};

bool Near(QPoint a, QPoint b, int tolerance = 1) {
    return std::abs(a.x() - b.x()) <= tolerance && std::abs(a.y() - b.y()) <= tolerance;
}

void Mouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
           Qt::MouseButtons buttons) {
    QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, buttons,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

} // namespace

void TestMapWindow::loadCentresOriginAtScaleThree() {
    Fixture f;
    f.Send(UM_SET_ZOOM, 17, 0);
    QTest::keyClick(f.wnd, Qt::Key_PageUp);
    f.Send(UM_FILL_BLOCKS, 0, 0);
    f.wnd->OnMapLoaded();
    QCOMPARE(f.wnd->Scale(), 3.0f);
    QCOMPARE(f.wnd->Origin(), f.Centre());
    QCOMPARE(f.PixelOf({0, 0}), f.Centre());
    QVERIFY(f.wnd->Layers().m_bFillBlocks);
}

void TestMapWindow::zoomToolSteps_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QList<int>>("steps");
    QTest::newRow("in from 1") << 1 << Qt::LeftButton << QList<int>{5, 9, 13, 17, 20};
    QTest::newRow("in from 3") << 3 << Qt::LeftButton << QList<int>{7, 11, 15, 19, 20};
    QTest::newRow("out from 3") << 3 << Qt::RightButton << QList<int>{1};
    QTest::newRow("out from 20") << 20 << Qt::RightButton << QList<int>{16, 12, 8, 4, 1};
}

void TestMapWindow::zoomToolSteps() {
    QFETCH(int, start);
    QFETCH(Qt::MouseButton, button);
    QFETCH(QList<int>, steps);
    Fixture f;
    f.wnd->SetTool(TOOL_ZOOM);
    f.Send(UM_SET_ZOOM, start, 0);
    for (int expected : steps) {
        f.panel->m_entries.clear();
        QTest::mouseClick(f.wnd, button, {}, QPoint(300, 200));
        QCOMPARE(f.wnd->Scale(), static_cast<float>(expected));
        const auto sent = f.panel->Of(UM_SET_ZOOM_SLIDER);
        QCOMPARE(sent.size(), std::size_t{1});
        QCOMPARE(sent[0].wParam, std::int64_t{expected});
    }
}

void TestMapWindow::zoomToolDoesNothingAtTheLimits() {
    Fixture f;
    f.wnd->SetTool(TOOL_ZOOM);
    f.Send(UM_SET_ZOOM, 20, 0);
    const QPoint origin = f.wnd->Origin();
    f.panel->m_entries.clear();
    QTest::mouseClick(f.wnd, Qt::LeftButton, {}, QPoint(100, 100));
    QCOMPARE(f.wnd->Scale(), 20.0f);
    QCOMPARE(f.wnd->Origin(), origin);
    QVERIFY(f.panel->m_entries.empty());

    f.Send(UM_SET_ZOOM, 1, 0);
    const QPoint origin1 = f.wnd->Origin();
    QTest::mouseClick(f.wnd, Qt::RightButton, {}, QPoint(100, 100));
    QCOMPARE(f.wnd->Scale(), 1.0f);
    QCOMPARE(f.wnd->Origin(), origin1);
    QVERIFY(f.panel->m_entries.empty());
}

void TestMapWindow::zoomToolCentresTheClickedPoint() {
    Fixture f;
    f.wnd->SetTool(TOOL_ZOOM);
    const MapPoint p = f.wnd->MapPointAt(QPoint(123, 456));
    QTest::mouseClick(f.wnd, Qt::LeftButton, {}, QPoint(123, 456));
    QVERIFY(Near(f.PixelOf(p), f.Centre()));
}

void TestMapWindow::keysMoveTheOrigin_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QPoint>("delta");
    QTest::newRow("Page Up") << int(Qt::Key_PageUp) << QPoint(0, 400);
    QTest::newRow("Page Down") << int(Qt::Key_PageDown) << QPoint(0, -400);
    QTest::newRow("Left") << int(Qt::Key_Left) << QPoint(50, 0);
    QTest::newRow("Up") << int(Qt::Key_Up) << QPoint(0, 50);
    QTest::newRow("Right") << int(Qt::Key_Right) << QPoint(-50, 0);
    QTest::newRow("Down") << int(Qt::Key_Down) << QPoint(0, -50);
    QTest::newRow("Home") << int(Qt::Key_Home) << QPoint(0, 0);
    QTest::newRow("End") << int(Qt::Key_End) << QPoint(0, 0);
}

void TestMapWindow::keysMoveTheOrigin() {
    QFETCH(int, key);
    QFETCH(QPoint, delta);
    Fixture f;
    const QPoint before = f.wnd->Origin();
    QTest::keyClick(f.wnd, static_cast<Qt::Key>(key));
    QCOMPARE(f.wnd->Origin(), before + delta);
    QCOMPARE(f.wnd->Scale(), 3.0f);
}

void TestMapWindow::sliderReleaseKeepsTheCentre_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::newRow("3 to 20") << 3 << 20;
    QTest::newRow("20 to 1") << 20 << 1;
    QTest::newRow("7 to 13") << 7 << 13;
    QTest::newRow("same place") << 11 << 11;
}

void TestMapWindow::sliderReleaseKeepsTheCentre() {
    QFETCH(int, from);
    QFETCH(int, to);
    Fixture f;
    f.Send(UM_SET_ZOOM, from, 0);
    QTest::keyClick(f.wnd, Qt::Key_PageUp); // away from (0,0)
    QTest::keyClick(f.wnd, Qt::Key_Left);
    const MapRect v = f.wnd->VisibleRect();
    const MapPoint centre{v.left + (v.right - v.left) / 2, v.top + (v.bottom - v.top) / 2};
    f.panel->m_entries.clear();
    f.Send(UM_SET_ZOOM, to, 0);
    QCOMPARE(f.wnd->Scale(), static_cast<float>(to));
    QVERIFY(Near(f.PixelOf(centre), f.Centre()));
    const MapRect w = f.wnd->VisibleRect();
    const MapPoint after{w.left + (w.right - w.left) / 2, w.top + (w.bottom - w.top) / 2};
    // One pixel is 10/s map units; the centre moves by no more than that rounding.
    const int tolerance = std::max(1, 10 / to);
    QVERIFY(std::abs(after.x - centre.x) <= tolerance && std::abs(after.y - centre.y) <= tolerance);
    QVERIFY(f.panel->m_entries.empty()); // nothing is sent back
}

void TestMapWindow::navigateDragPansWithClosedHand() {
    Fixture f;
    f.wnd->SetTool(TOOL_NAVIGATE);
    const QPoint before = f.wnd->Origin();
    const qint64 openKey = f.wnd->Tools().Find(TOOL_NAVIGATE)->Cursor().pixmap().cacheKey();
    const qint64 closedKey = CNavigateTool::PanCursor().pixmap().cacheKey();
    QVERIFY(openKey != closedKey);
    QCOMPARE(f.wnd->cursor().pixmap().cacheKey(), openKey);
    Mouse(f.wnd, QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(f.wnd->cursor().pixmap().cacheKey(), closedKey);
    Mouse(f.wnd, QEvent::MouseMove, QPoint(120, 95), Qt::NoButton, Qt::LeftButton);
    Mouse(f.wnd, QEvent::MouseMove, QPoint(130, 90), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(f.wnd->Origin(), before + QPoint(30, -10));
    Mouse(f.wnd, QEvent::MouseButtonRelease, QPoint(130, 90), Qt::LeftButton, Qt::NoButton);
    QCOMPARE(f.wnd->cursor().pixmap().cacheKey(), openKey);
    // Moving without the button no longer pans.
    Mouse(f.wnd, QEvent::MouseMove, QPoint(200, 200), Qt::NoButton, Qt::NoButton);
    QCOMPARE(f.wnd->Origin(), before + QPoint(30, -10));
}

void TestMapWindow::panStepsMoveThePictureAndTheGuideFollows() {
    Fixture f;
    // The kept frame is the map alone: the scale bar goes over it on screen.
    const auto Fresh = [](Fixture& f) {
        return RenderMap(f.store, f.wnd->Transform(), f.wnd->Layers());
    };
    f.store = GenerateTown(TownOptions{2000, 7});
    f.store.m_strMapName = "pueblo";
    f.store.m_directory.m_pCurrent = f.store.m_directory.m_listCategories.front().get();
    f.wnd->OnMapLoaded();
    for (UserMessage m : {UM_SHOW_MARKS, UM_SHOW_COLONIES, UM_SHOW_ALL_ROUTES,
                          UM_SHOW_TRACED_STREETS, UM_SHOW_STREET_NAMES})
        f.Send(m, 1, 0);
    f.Send(UM_SET_ZOOM, 12, 0);
    f.wnd->SetTool(TOOL_NAVIGATE);
    f.wnd->repaint();
    QSignalSpy shown(f.wnd, &CMapaWnd::VisibleRectDrawn);
    Mouse(f.wnd, QEvent::MouseButtonPress, QPoint(400, 300), Qt::LeftButton, Qt::LeftButton);
    QPoint at(400, 300);
    for (const QPoint step : {QPoint(9, 4), QPoint(-30, 12), QPoint(0, -7), QPoint(120, 80)}) {
        at += step;
        Mouse(f.wnd, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
        // The kept picture follows at once, before any repaint.
        QVERIFY(f.wnd->LastFrame() == Fresh(f));
        QCoreApplication::processEvents();
        QVERIFY(f.wnd->LastFrame() == Fresh(f));
        QVERIFY(!shown.isEmpty());
        QCOMPARE(shown.last().at(0).value<MapRect>(), f.wnd->VisibleRect());
    }
    Mouse(f.wnd, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    // The keys pan the same way.
    QTest::keyClick(f.wnd, Qt::Key_Left);
    QVERIFY(f.wnd->LastFrame() == Fresh(f));
}

void TestMapWindow::navigateRightClickCentresOrigin() {
    Fixture f;
    f.Send(UM_SET_ZOOM, 9, 0);
    QTest::keyClick(f.wnd, Qt::Key_PageDown);
    QTest::mouseClick(f.wnd, Qt::RightButton, {}, QPoint(10, 10));
    QCOMPARE(f.wnd->Origin(), f.Centre());
    QCOMPARE(f.wnd->Scale(), 9.0f);
}

void TestMapWindow::wheelZoomsKeepingThePointUnderTheMouse() {
    Fixture f;
    const QPoint mouse(250, 140);
    const MapPoint p = f.wnd->MapPointAt(mouse);
    QWheelEvent up(QPointF(mouse), f.wnd->mapToGlobal(QPointF(mouse)), QPoint(), QPoint(0, 120),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(f.wnd, &up);
    QCOMPARE(f.wnd->Scale(), 4.0f);
    QVERIFY(Near(f.PixelOf(p), mouse));
    auto sent = f.panel->Of(UM_SET_ZOOM_SLIDER);
    QCOMPARE(sent.size(), std::size_t{1});
    QCOMPARE(sent[0].wParam, std::int64_t{4});

    f.Send(UM_SET_ZOOM, 1, 0);
    f.panel->m_entries.clear();
    QWheelEvent down(QPointF(mouse), f.wnd->mapToGlobal(QPointF(mouse)), QPoint(), QPoint(0, -120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(f.wnd, &down);
    QCOMPARE(f.wnd->Scale(), 1.0f);
    QVERIFY(f.panel->m_entries.empty());
}

void TestMapWindow::resizeKeepsOriginAndScale() {
    Fixture f;
    f.Send(UM_SET_ZOOM, 6, 0);
    const QPoint origin = f.wnd->Origin();
    f.wnd->resize(400, 300);
    QCOMPARE(f.wnd->Origin(), origin);
    QCOMPARE(f.wnd->Scale(), 6.0f);
    f.wnd->resize(900, 650);
    QCOMPARE(f.wnd->Origin(), origin);
}

void TestMapWindow::layerMessagesSetTheirSwitch_data() {
    QTest::addColumn<int>("message");
    QTest::addColumn<int>("which");
    QTest::newRow("colonies") << int(UM_SHOW_COLONIES) << 0;
    QTest::newRow("fill") << int(UM_FILL_BLOCKS) << 1;
    QTest::newRow("routes") << int(UM_SHOW_ALL_ROUTES) << 2;
    QTest::newRow("traced streets") << int(UM_SHOW_TRACED_STREETS) << 3;
    QTest::newRow("references") << int(UM_SHOW_REFERENCES) << 4;
    QTest::newRow("marks") << int(UM_SHOW_MARKS) << 5;
    QTest::newRow("street names") << int(UM_SHOW_STREET_NAMES) << 6;
}

void TestMapWindow::layerMessagesSetTheirSwitch() {
    QFETCH(int, message);
    QFETCH(int, which);
    Fixture f;
    auto flag = [&]() {
        const LayerSwitches& l = f.wnd->Layers();
        const bool flags[] = {l.m_bShowColonies,      l.m_bFillBlocks,     l.m_bShowAllRoutes,
                              l.m_bShowTracedStreets, l.m_bShowReferences, l.m_bShowMarks,
                              l.m_bShowStreetNames};
        return flags[which];
    };
    f.Send(static_cast<UserMessage>(message), 1, 0);
    QVERIFY(flag());
    f.Send(static_cast<UserMessage>(message), 0, 0);
    QVERIFY(!flag());
}

void TestMapWindow::centerAtMessage() {
    Fixture f;
    f.Send(UM_CENTER_AT, 5000, -3000);
    QVERIFY(Near(f.PixelOf({5000, -3000}), f.Centre()));
    QCOMPARE(f.wnd->Scale(), 3.0f);
}

void TestMapWindow::locateItem_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<float>("expected");
    QTest::newRow("reference at 5 shows at 15") << 4 << 5.0f << 15.0f;
    QTest::newRow("reference at 18 shows at 18") << 4 << 18.0f << 18.0f;
    QTest::newRow("colony at 2 shows at 15") << 3 << 2.0f << 15.0f;
    QTest::newRow("street keeps its zoom") << 1 << 7.5f << 7.5f;
    // A stored zoom the slider cannot show is kept within 1 to 20.
    QTest::newRow("street at 0") << 1 << 0.0f << 1.0f;
    QTest::newRow("reference at 90") << 4 << 90.0f << 20.0f;
}

void TestMapWindow::locateItem() {
    QFETCH(int, kind);
    QFETCH(float, zoom);
    QFETCH(float, expected);
    Fixture f;
    const MapPoint at{1500, -700};
    auto street = std::make_unique<CmCalles>();
    street->m_points = {at, {1600, -700}};
    street->m_fZoom = zoom;
    f.store.m_listStreets.push_back(std::make_unique<CmCalles>());
    f.store.m_listStreets.push_back(std::move(street));
    f.store.m_listReferences.push_back(std::make_unique<CmRefe>(0, 0, 3, "otra"));
    f.store.m_listReferences.push_back(std::make_unique<CmRefe>(at.x, at.y, 0, "Catedral"));
    f.store.m_listReferences.back()->m_fZoom = zoom;
    f.store.m_listColonies.push_back(std::make_unique<CmColonias>(0, 0, 3, "otra"));
    f.store.m_listColonies.push_back(std::make_unique<CmColonias>(at.x, at.y, 0, "Centro"));
    f.store.m_listColonies.back()->m_fZoom = zoom;
    f.Send(UM_SHOW_REFERENCES, 0, 0);

    f.Send(UM_LOCATE_ITEM, kind, 1);
    QCOMPARE(f.wnd->Scale(), expected);
    QVERIFY(Near(f.PixelOf(at), f.Centre()));
    QCOMPARE(f.wnd->Layers().m_bShowReferences, kind == 4);
    QCOMPARE(f.wnd->Layers().m_bShowColonies, kind == 3);
}

void TestMapWindow::locateBusinessShowsMarks() {
    Fixture f;
    CmClasificados& cat = f.store.m_directory.AddCategory("Farmacias");
    f.store.m_directory.SelectCategory("Farmacias");
    f.store.m_directory.AddBusiness(400, 800, 4, "Botica", "", "", f.store.m_counters);
    QVERIFY(cat.SelectBusiness("Botica"));
    f.Send(UM_LOCATE_ITEM, 2, -1);
    QCOMPARE(f.wnd->Scale(), 15.0f);
    QVERIFY(Near(f.PixelOf({400, 800}), f.Centre()));
    QVERIFY(f.wnd->Layers().m_bShowMarks);
    // A layer message still switches it off afterwards.
    f.Send(UM_SHOW_MARKS, 0, 0);
    QVERIFY(!f.wnd->Layers().m_bShowMarks);
}

void TestMapWindow::locateIgnoresBadIndices() {
    Fixture f;
    f.store.m_listReferences.push_back(std::make_unique<CmRefe>(10, 10, 3, "uno"));
    const QPoint origin = f.wnd->Origin();
    for (auto [kind, index] :
         {std::pair{0, 0}, {-1, 0}, {6, 0}, {1, -1}, {1, 5}, {3, 0}, {4, 1}, {4, -3}}) {
        f.Send(UM_LOCATE_ITEM, kind, index);
        QCOMPARE(f.wnd->Scale(), 3.0f);
        QCOMPARE(f.wnd->Origin(), origin);
    }
}

void TestMapWindow::zoneShowSelectsAndCentres() {
    Fixture f;
    AddBlock(f.store, 10, 20, 31, 41, 1);
    AddBlock(f.store, 100, 100, 200, 200, 1);
    AddBlock(f.store, -500, -500, -400, -400, 1);
    for (std::uint32_t i = 0; i < f.store.m_blocks.size(); ++i)
        f.store.m_blocks[i].SetId(i + 1);
    auto zone = std::make_unique<CmZonas>("Norte", "", f.store.m_counters);
    zone->m_blockIds = {1};
    auto other = std::make_unique<CmZonas>("Sur", "", f.store.m_counters);
    other->m_blockIds = {3};
    f.store.m_listZones.push_back(std::move(zone));
    f.store.m_listZones.push_back(std::move(other));
    f.wnd->OnMapLoaded();

    f.Send(UM_ZONE_SHOW, -1, 0);
    QVERIFY(f.store.m_blocks[0].m_bSelected);
    QCOMPARE(f.store.SelectedCount(), std::size_t{1});
    QCOMPARE(f.wnd->Scale(), 10.0f);
    QVERIFY(Near(f.PixelOf({20, 31}), f.Centre()));

    f.Send(UM_ZONE_SHOW, 0, 1);
    QVERIFY(!f.store.m_blocks[0].m_bSelected);
    QVERIFY(f.store.m_blocks[2].m_bSelected);
    QCOMPARE(f.store.SelectedCount(), std::size_t{1});
    QVERIFY(Near(f.PixelOf({-450, -450}), f.Centre()));

    // A zone index that names no zone changes nothing and does not crash.
    f.Send(UM_ZONE_SHOW, 7, 9);
    QVERIFY(f.store.m_blocks[2].m_bSelected);
}

void TestMapWindow::zoneShowWithNothingClearsSelection() {
    Fixture f;
    AddBlock(f.store, 0, 0, 10, 10, 1);
    AddBlock(f.store, 20, 0, 30, 10, 1);
    f.wnd->OnMapLoaded();
    f.store.SetBlockSelected(f.store.m_blocks[0], true);
    f.store.SetBlockSelected(f.store.m_blocks[1], true);
    f.Send(UM_SET_ZOOM, 8, 0);
    const QPoint origin = f.wnd->Origin();
    f.Send(UM_ZONE_SHOW, -1, -1);
    QCOMPARE(f.store.SelectedCount(), std::size_t{0});
    QVERIFY(!f.store.m_blocks[0].m_bSelected && !f.store.m_blocks[1].m_bSelected);
    QCOMPARE(f.wnd->Origin(), origin);
    QCOMPARE(f.wnd->Scale(), 8.0f);
}

void TestMapWindow::zoneAssignTakesTheSelection() {
    Fixture f;
    for (int i = 0; i < 4; ++i) {
        AddBlock(f.store, i * 20.0f, 0, i * 20.0f + 10, 10, 1);
        f.store.m_blocks.back().SetId(static_cast<std::uint32_t>(i + 1));
    }
    f.store.m_listZones.push_back(std::make_unique<CmZonas>("Z", "", f.store.m_counters));
    f.wnd->OnMapLoaded();
    f.store.SetBlockSelected(f.store.m_blocks[1], true);
    f.store.SetBlockSelected(f.store.m_blocks[3], true);
    f.Send(UM_ZONE_ASSIGN, 0, 0);
    QCOMPARE(f.store.m_listZones[0]->m_blockIds, (std::vector<std::uint32_t>{2, 4}));
    QVERIFY(f.store.IsChanged());
    f.Send(UM_ZONE_ASSIGN, 0, 3); // no such zone
}

void TestMapWindow::toolCursors() {
    Fixture f;
    auto key = [&] { return f.wnd->cursor().pixmap().cacheKey(); };
    f.wnd->SetTool(TOOL_NAVIGATE);
    const qint64 navigate = key();
    f.wnd->SetTool(TOOL_ZOOM);
    const qint64 zoom = key();
    QVERIFY(zoom != navigate);
    QVERIFY(!f.wnd->cursor().pixmap().isNull());
    // Tools that share a picture share the cursor.
    f.wnd->SetTool(TOOL_REFERENCE);
    const qint64 pencil = key();
    f.wnd->SetTool(TOOL_COLONY);
    QCOMPARE(key(), pencil);
    f.wnd->SetTool(TOOL_DISTANCE);
    const qint64 stroke = key();
    f.wnd->SetTool(TOOL_TRACE_STREET);
    QCOMPARE(key(), stroke);
    QVERIFY(stroke != pencil);
    // A value no tool has is stored and keeps the cursor.
    f.wnd->SetTool(77);
    QCOMPARE(f.wnd->Tool(), 77);
    QCOMPARE(key(), stroke);
}

void TestMapWindow::hoverReportsMapPoint() {
    Fixture f;
    QSignalSpy spy(f.wnd, &CMapaWnd::MapPointHovered);
    Mouse(f.wnd, QEvent::MouseMove, QPoint(500, 200), Qt::NoButton, Qt::NoButton);
    QVERIFY(!spy.isEmpty());
    const MapPoint p = f.wnd->MapPointAt(QPoint(500, 200));
    QCOMPARE(spy.last().at(0).toInt(), p.x);
    QCOMPARE(spy.last().at(1).toInt(), p.y);
}

void TestMapWindow::hitBlockFindsTopmost() {
    Fixture f;
    AddBlock(f.store, 0, 0, 100, 100, 1);
    AddBlock(f.store, 50, 50, 150, 150, 2);
    f.wnd->OnMapLoaded();
    QCOMPARE(f.wnd->HitBlock({75, 75}), &f.store.m_blocks[1]);
    QCOMPARE(f.wnd->HitBlock({25, 25}), &f.store.m_blocks[0]);
    QCOMPARE(f.wnd->HitBlock({125, 25}), nullptr);
    QCOMPARE(f.wnd->HitBlock({100, 10}), nullptr); // right edge is outside
}

void TestMapWindow::leftPressTakesFocus() {
    Fixture f;
    f.frame.activateWindow();
    (void)QTest::qWaitForWindowActive(&f.frame);
    f.panel->setFocusPolicy(Qt::StrongFocus);
    f.panel->setFocus();
    QTest::mouseClick(f.wnd, Qt::RightButton, {}, QPoint(50, 50));
    QVERIFY(!f.wnd->hasFocus());
    QTest::mouseClick(f.wnd, Qt::LeftButton, {}, QPoint(50, 50));
    QVERIFY(f.wnd->hasFocus());
}

void TestMapWindow::closeMessagesCloseGuideAndPopup() {
    Fixture f;
    QWidget guide, info;
    guide.show();
    info.show();
    f.wnd->SetGuideWindow(&guide);
    f.wnd->SetInfoWindow(&info);
    f.Send(UM_INFO_CLOSED, 0, 0);
    QVERIFY(!info.isVisible());
    QVERIFY(guide.isVisible());
    f.Send(UM_GUIDE_CLOSED, 0, 0);
    QVERIFY(!guide.isVisible());
    QCOMPARE(f.wnd->GuideWindow(), &guide); // kept for reuse
    // A new map closes the guide, which showed the old map's picture.
    guide.show();
    f.wnd->OnMapLoaded();
    QVERIFY(!guide.isVisible());
}

void TestMapWindow::windowShowsWhiteBeforeAMapIsLoaded() {
    MapStore store = MakeStore();
    AddBlock(store, -1000, -1000, 1000, 1000, 3);
    CMapaWnd wnd(store);
    wnd.resize(200, 100);
    const QImage image = wnd.grab().toImage();
    QCOMPARE(CountNonWhite(image, image.rect()), 0);
}

void TestMapWindow::windowPaintsWhatRenderMapDraws() {
    MapStore store = GenerateTown(TownOptions{400, 7});
    store.m_strMapName = "pueblo";
    CMapaWnd wnd(store);
    wnd.resize(320, 240);
    wnd.OnMapLoaded();
    wnd.SetScaleBarShown(false); // drawn over the layers; it has tests of its own
    const QImage shown = wnd.grab().toImage().convertToFormat(QImage::Format_RGB32);
    LayerSwitches layers;
    layers.m_bFillBlocks = true;
    const QImage drawn = RenderMap(store, wnd.Transform(), layers);
    QCOMPARE(shown.size(), drawn.size());
    QVERIFY(shown == drawn);
    QVERIFY(CountNonWhite(drawn, drawn.rect()) > 1000);
}
