// The street and route traces, the ruler and what holds under every tool:
// both traces at once, a right click that ends a street and adds a station
// before the current tool acts, and Esc. Driven as a person drives them, with
// the dialogs answered by typing and pressing their buttons.

#include "distance_tool.h"
#include "messages.h"
#include "route_tool.h"
#include "tool_fixture.h"
#include "tools.h"
#include "trace_street_tool.h"

#include <QTest>

#include <cmath>

class TestTraceTools : public QObject {
    Q_OBJECT
private slots:
    void streetOfOneHundredFiftyPoints();
    void streetNameCancelledStoresNothing();
    void routeWithSixtyStations();
    void routeStationDialogAnswers();
    void bothTracesAtOnceSurviveToolChanges();
    void streetEndedUnderRouteToolBecomesOutline();
    void rulerMeasuresAndEndsOnSecondLeftClick();
    void rulerLeftUnderRouteToolIsHandledAsRoute();
    void escapeCancelsTraces();
};

void TestTraceTools::streetOfOneHundredFiftyPoints() {
    ToolFixture f;
    f.wnd->SetTool(TOOL_TRACE_STREET);
    std::vector<MapPoint> expected;
    for (int i = 0; i < 150; ++i) {
        const QPoint pixel(30 + (i % 50) * 15, 50 + (i / 50) * 150 + (i % 7));
        f.Move(pixel);
        f.Click(Qt::LeftButton, pixel);
        expected.push_back(f.MapAt(pixel));
    }
    QVERIFY(f.Street().Tracing());
    // The moving point follows the mouse.
    f.Move(QPoint(700, 550));
    QCOMPARE(f.Street().Trace().m_points.back(), f.MapAt(QPoint(700, 550)));
    f.Move(QPoint(760, 560));

    f.answers.Queue(OkWith(1014, QStringLiteral("Avenida Hidalgo")));
    f.Click(Qt::RightButton, QPoint(760, 560));
    QVERIFY(!f.Street().Tracing());
    expected.push_back(f.MapAt(QPoint(760, 560)));
    expected.push_back(f.MapAt(QPoint(760, 560))); // the last point repeated
    QCOMPARE(f.store.m_listStreets.size(), std::size_t{1});
    const CmCalles& street = *f.store.m_listStreets.front();
    QCOMPARE(street.m_points.size(), std::size_t{152});
    QVERIFY(street.m_points == expected);
    QCOMPARE(street.m_strName, std::string("Avenida Hidalgo"));
    QCOMPARE(street.m_fZoom, 3.0f);
    QCOMPARE(street.m_crColor, Color(0x0000ff));
    QVERIFY(!street.m_bShow);
    QCOMPARE(f.RefreshedPages(), std::vector<std::int64_t>{1});
    QCOMPARE(f.history.Stack().count(), 1);
    // The new street stays in sight: its layer is on, and the panel is told.
    QVERIFY(f.wnd->Layers().m_bShowTracedStreets);
    QCOMPARE(f.panel->Of(UM_SHOW_TRACED_STREETS).size(), std::size_t{1});
    QCOMPARE(f.panel->Of(UM_SHOW_TRACED_STREETS).front().wParam, std::int64_t{1});
}

void TestTraceTools::streetNameCancelledStoresNothing() {
    ToolFixture f;
    f.wnd->SetTool(TOOL_TRACE_STREET);
    f.Click(Qt::LeftButton, QPoint(100, 100));
    f.Click(Qt::LeftButton, QPoint(200, 100));
    f.answers.Queue(Cancel());
    f.Click(Qt::RightButton, QPoint(300, 100));
    QVERIFY(!f.Street().Tracing());
    QVERIFY(f.store.m_listStreets.empty());
    QVERIFY(f.panel->Of(UM_REFRESH_PAGES).empty());
    QVERIFY(!f.wnd->Layers().m_bShowTracedStreets);
    QVERIFY(!f.store.IsChanged());
    // A right click without a trace asks nothing.
    f.Click(Qt::RightButton, QPoint(300, 100));
    QCOMPARE(f.answers.m_seen.size(), 1);
}

void TestTraceTools::routeWithSixtyStations() {
    ToolFixture f;
    f.store.m_counters.route = 9;
    f.wnd->SetTool(TOOL_ROUTE);
    const QPoint start(10, 20);
    f.Click(Qt::LeftButton, start);
    QVERIFY(f.Route().Tracing());
    std::vector<MapPoint> points{f.MapAt(start)};
    std::vector<Station> stations;
    for (int i = 0; i < 60; ++i) {
        const QPoint station(40 + (i % 30) * 24, 120 + (i / 30) * 250);
        const QPoint between = station + QPoint(7, 60);
        f.Move(between);
        f.Click(Qt::LeftButton, between);
        f.Move(station);
        const QString name = QStringLiteral("Parada %1").arg(i + 1);
        f.answers.Queue(StationAnswer(name, i == 59));
        if (i == 59)
            f.answers.Queue(RouteColour(QStringLiteral("Ruta Norte")));
        f.Click(Qt::RightButton, station);
        points.push_back(f.MapAt(between));
        points.push_back(f.MapAt(station));
        stations.push_back({f.MapAt(station), name.toStdString()});
    }
    points.push_back(points.back());
    QVERIFY(f.answers.AllUsed());
    QCOMPARE(f.answers.m_unexpected, 0);
    QVERIFY(!f.Route().Tracing());
    QCOMPARE(f.store.m_listRoutes.size(), std::size_t{1});
    const CmVias& route = *f.store.m_listRoutes.front();
    QCOMPARE(route.m_points.size(), std::size_t{122});
    QVERIFY(route.m_points == points);
    QCOMPARE(route.m_stations.size(), std::size_t{60});
    QVERIFY(route.m_stations == stations);
    QCOMPARE(route.m_strName, std::string("Ruta Norte"));
    QCOMPARE(route.m_crColor, Rgb(255, 128, 0));
    QCOMPARE(route.m_nRouteNo, 9u);
    QCOMPARE(f.store.m_counters.route, 10u);
    QVERIFY(!route.m_bShow);
    // The next trace starts red again.
    QCOMPARE(f.Route().Trace().m_crColor, Rgb(255, 0, 0));
    QCOMPARE(f.RefreshedPages(), std::vector<std::int64_t>{3});
    QCOMPARE(f.history.Stack().count(), 1);
    QVERIFY(f.wnd->Layers().m_bShowAllRoutes);
    QCOMPARE(f.panel->Of(UM_SHOW_ALL_ROUTES).size(), std::size_t{1});
}

void TestTraceTools::routeStationDialogAnswers() {
    ToolFixture f;
    f.wnd->SetTool(TOOL_ROUTE);
    f.Click(Qt::LeftButton, QPoint(100, 100));
    // No name: the point stays, no station.
    f.answers.Queue(OkWith(1051, QString()));
    f.Click(Qt::RightButton, QPoint(150, 100));
    QVERIFY(f.Route().Tracing());
    QVERIFY(f.Route().Trace().m_stations.empty());
    QCOMPARE(f.Route().Trace().m_points.size(), std::size_t{3});
    // The colour dialog cancelled: the trace goes on.
    f.answers.Queue(StationAnswer(QStringLiteral("Centro"), true));
    f.answers.Queue(Cancel());
    f.Click(Qt::RightButton, QPoint(200, 100));
    QVERIFY(f.Route().Tracing());
    QCOMPARE(f.Route().Trace().m_stations.size(), std::size_t{1});
    QVERIFY(f.store.m_listRoutes.empty());
    // The station dialog cancelled: the route is abandoned.
    f.answers.Queue(Cancel());
    f.Click(Qt::RightButton, QPoint(250, 100));
    QVERIFY(!f.Route().Tracing());
    QVERIFY(f.store.m_listRoutes.empty());
    QVERIFY(!f.store.IsChanged());
    QCOMPARE(
        f.answers.m_seen,
        (QStringList{QStringLiteral("Insertar estación"), QStringLiteral("Insertar estación"),
                     QStringLiteral("Rutas con estaciones"), QStringLiteral("Insertar estación")}));
}

void TestTraceTools::bothTracesAtOnceSurviveToolChanges() {
    ToolFixture f;
    f.wnd->SetTool(TOOL_TRACE_STREET);
    f.Click(Qt::LeftButton, QPoint(100, 100));
    f.wnd->SetTool(TOOL_ROUTE);
    f.Click(Qt::LeftButton, QPoint(100, 300));
    QVERIFY(f.Street().Tracing());
    QVERIFY(f.Route().Tracing());
    // Under another tool both traces still follow the mouse.
    f.wnd->SetTool(TOOL_ZOOM);
    f.Move(QPoint(400, 400));
    QCOMPARE(f.Street().Trace().m_points.back(), f.MapAt(QPoint(400, 400)));
    QCOMPARE(f.Route().Trace().m_points.back(), f.MapAt(QPoint(400, 400)));
    f.wnd->SetTool(TOOL_NAVIGATE);
    // One right click under the navigate tool ends the street, adds a station
    // and recentres the map.
    f.answers.Queue(OkWith(1014, QStringLiteral("Calle 5")));
    f.answers.Queue(StationAnswer(QStringLiteral("Plaza"), false));
    QTest::keyClick(f.wnd, Qt::Key_Left);
    f.Click(Qt::RightButton, QPoint(400, 400));
    QCOMPARE(f.answers.m_seen,
             (QStringList{QStringLiteral("Edición nombre"), QStringLiteral("Insertar estación")}));
    QCOMPARE(f.store.m_listStreets.size(), std::size_t{1});
    QVERIFY(!f.Street().Tracing());
    QVERIFY(f.Route().Tracing());
    QCOMPARE(f.Route().Trace().m_stations.size(), std::size_t{1});
    QCOMPARE(f.wnd->Origin(), QPoint(kMapSize.width() / 2, kMapSize.height() / 2));
    // A new map does not end the route.
    f.wnd->OnMapLoaded();
    QVERIFY(f.Route().Tracing());
}

void TestTraceTools::streetEndedUnderRouteToolBecomesOutline() {
    ToolFixture f;
    f.wnd->SetTool(TOOL_TRACE_STREET);
    f.Click(Qt::LeftButton, QPoint(100, 100));
    f.Click(Qt::LeftButton, QPoint(200, 150));
    f.wnd->SetTool(TOOL_ROUTE);
    f.answers.Queue(OkWith(1014, QStringLiteral("circuito sur")));
    f.Click(Qt::RightButton, QPoint(300, 150));
    QCOMPARE(f.answers.m_seen, QStringList{QStringLiteral("Nueva ruta")});
    const CmCalles& outline = f.store.m_routeOutline;
    QCOMPARE(outline.m_strName, std::string("CIRCUITO SUR"));
    QCOMPARE(outline.m_points.size(), std::size_t{4});
    QCOMPARE(outline.m_points.back(), f.MapAt(QPoint(300, 150)));
    QVERIFY(outline.m_bShow);
    QCOMPARE(outline.m_crColor, Color(0xff8080));
    QVERIFY(f.store.m_listStreets.empty());
    QVERIFY(!f.Route().Tracing());
    QCOMPARE(f.history.Stack().count(), 1);
}

void TestTraceTools::rulerMeasuresAndEndsOnSecondLeftClick() {
    ToolFixture f;
    f.wnd->SetTool(TOOL_DISTANCE);
    const QPoint a(100, 100);
    f.Click(Qt::LeftButton, a);
    QVERIFY(f.Route().Tracing());
    // The moving end on the start reads -0.14 mts.
    f.Move(a);
    QCOMPARE(QString::asprintf("%.2f", double(f.Ruler().Length())), QStringLiteral("-0.14"));
    const QPoint b(400, 500);
    f.Move(b);
    const MapPoint pa = f.MapAt(a), pb = f.MapAt(b);
    const double dx = pb.x - pa.x, dy = pb.y - pa.y;
    QCOMPARE(f.Ruler().Length(), float(std::sqrt(dx * dx + dy * dy) * 2.001555 - 0.139942));
    // The read-out is drawn over the map at (10, 10) while measuring.
    const QImage shown = f.wnd->grab().toImage();
    bool ink = false;
    for (int x = 10; x < 60 && !ink; ++x)
        for (int y = 10; y < 20 && !ink; ++y)
            ink = shown.pixelColor(x, y) != QColor(Qt::white);
    QVERIFY(ink);
    // A right click neither ends nor changes the ruler.
    const float length = f.Ruler().Length();
    f.Click(Qt::RightButton, b);
    QVERIFY(f.Route().Tracing());
    QCOMPARE(f.Ruler().Length(), length);
    QVERIFY(f.answers.m_seen.isEmpty());
    f.Click(Qt::LeftButton, QPoint(600, 100));
    QVERIFY(!f.Route().Tracing());
    QVERIFY(f.store.m_listRoutes.empty());
    QVERIFY(!f.store.IsChanged());
}

void TestTraceTools::rulerLeftUnderRouteToolIsHandledAsRoute() {
    ToolFixture f;
    f.wnd->SetTool(TOOL_DISTANCE);
    f.Click(Qt::LeftButton, QPoint(100, 100));
    f.wnd->SetTool(TOOL_ROUTE);
    f.answers.Queue(Cancel());
    f.Click(Qt::RightButton, QPoint(200, 200));
    QCOMPARE(f.answers.m_seen, QStringList{QStringLiteral("Insertar estación")});
    QVERIFY(!f.Route().Tracing());
}

void TestTraceTools::escapeCancelsTraces() {
    ToolFixture f;
    f.wnd->SetTool(TOOL_TRACE_STREET);
    f.Click(Qt::LeftButton, QPoint(100, 100));
    f.Click(Qt::LeftButton, QPoint(150, 100));
    f.wnd->SetTool(TOOL_ROUTE);
    f.Click(Qt::LeftButton, QPoint(100, 300));
    QTest::keyClick(f.wnd, Qt::Key_Escape);
    QVERIFY(!f.Street().Tracing());
    QVERIFY(!f.Route().Tracing());
    // Nothing asks, nothing is stored.
    f.Click(Qt::RightButton, QPoint(200, 300));
    QVERIFY(f.answers.m_seen.isEmpty());
    QVERIFY(f.store.m_listStreets.empty());
    QVERIFY(f.store.m_listRoutes.empty());
    QVERIFY(!f.store.IsChanged());
    // The next trace starts afresh.
    f.Click(Qt::LeftButton, QPoint(300, 300));
    QCOMPARE(f.Route().Trace().m_points.size(), std::size_t{2});
}

int RunTraceToolTests(int argc, char** argv) {
    TestTraceTools tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "trace_tools_test.moc"
