// The map tools driven as a person drives them: clicks, drags and keys on the
// map window, and the dialogs the tools open answered by typing and pressing
// their buttons. Every check looks at the store, the messages the panel got,
// the undo history or the status bar.

#include "archive.h"
#include "edit_history.h"
#include "info_popup.h"
#include "map_window.h"
#include "messages.h"
#include "ruta_color_dialog.h"
#include "tools.h"
#include "view_fixtures.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>

namespace {

using Answer = std::function<void(QWidget*)>;

// Answers the modal dialogs that come up, in order. A dialog that comes up
// with no answer left is cancelled and counted, so a test never hangs on one.
class ModalAnswers : public QObject {
public:
    ModalAnswers() {
        connect(&m_timer, &QTimer::timeout, this, [this] { Poll(); });
        m_timer.start(2);
    }
    void Queue(Answer answer) { m_answers.push_back(std::move(answer)); }
    QStringList m_seen;
    int m_unexpected = 0;
    bool AllUsed() const { return m_answers.empty(); }

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        m_seen << QString::fromLatin1(modal->metaObject()->className());
        if (m_answers.empty()) {
            ++m_unexpected;
            if (auto* dlg = qobject_cast<QDialog*>(modal))
                dlg->reject();
            return;
        }
        Answer answer = std::move(m_answers.front());
        m_answers.pop_front();
        answer(modal);
    }
    std::deque<Answer> m_answers;
    QTimer m_timer;
};

void Press(QWidget* dlg, int id) {
    auto* button = dlg->findChild<QPushButton*>(QStringLiteral("button%1").arg(id));
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

void TypeInto(QWidget* dlg, int editId, const QString& text) {
    const QString name = QStringLiteral("edit%1").arg(editId);
    if (auto* line = dlg->findChild<QLineEdit*>(name)) {
        QTest::keyClicks(line, text);
        return;
    }
    auto* multi = dlg->findChild<QPlainTextEdit*>(name);
    QVERIFY(multi);
    QTest::keyClicks(multi, text);
}

// Types into one edit and presses OK.
Answer OkWith(int editId, const QString& text) {
    return [=](QWidget* dlg) {
        TypeInto(dlg, editId, text);
        Press(dlg, 1);
    };
}

Answer Cancel() {
    return [](QWidget* dlg) { Press(dlg, 2); };
}

Answer StationAnswer(const QString& name, bool finish) {
    return [=](QWidget* dlg) {
        TypeInto(dlg, 1051, name);
        if (finish)
            QTest::mouseClick(dlg->findChild<QCheckBox*>(QStringLiteral("check1052")),
                              Qt::LeftButton);
        Press(dlg, 1);
    };
}

// Names the route and lets go of the green slider at 128.
Answer RouteColour(const QString& name) {
    return [=](QWidget* dlg) {
        auto* green = dlg->findChild<QSlider*>(QStringLiteral("slider1048"));
        QVERIFY(green);
        green->setValue(128);
        QStyleOptionSlider opt;
        opt.initFrom(green);
        opt.orientation = green->orientation();
        opt.minimum = green->minimum();
        opt.maximum = green->maximum();
        opt.sliderPosition = green->sliderPosition();
        opt.sliderValue = green->value();
        opt.subControls = QStyle::SC_All;
        const QPoint handle =
            green->style()
                ->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, green)
                .center();
        QTest::mousePress(green, Qt::LeftButton, Qt::NoModifier, handle);
        QTest::mouseRelease(green, Qt::LeftButton, Qt::NoModifier, handle);
        TypeInto(dlg, 1014, name);
        Press(dlg, 1);
    };
}

// Everything an edit can change, as bytes, so that two states compare whole.
std::vector<std::uint8_t> Dump(const MapStore& s) {
    ArchiveWriter out;
    auto streets = [&out](const CmCalles& c) {
        c.Write(out);
        out.WriteU32(c.m_crColor);
        out.WriteI32(c.m_bShow);
    };
    out.WriteU32(static_cast<std::uint32_t>(s.m_listStreets.size()));
    for (const auto& c : s.m_listStreets)
        streets(*c);
    out.WriteU32(static_cast<std::uint32_t>(s.m_listRoutes.size()));
    for (const auto& r : s.m_listRoutes)
        streets(*r);
    out.WriteU32(static_cast<std::uint32_t>(s.m_listReferences.size()));
    for (const auto& r : s.m_listReferences)
        r->Write(out);
    out.WriteU32(static_cast<std::uint32_t>(s.m_listColonies.size()));
    for (const auto& c : s.m_listColonies)
        c->Write(out);
    s.m_directory.Write(out);
    for (const auto& cat : s.m_directory.m_listCategories) {
        out.WriteI32(cat.get() == s.m_directory.m_pCurrent);
        for (const auto& b : cat->m_listBusinesses)
            out.WriteI32(b->m_bHighlight);
    }
    streets(s.m_routeOutline);
    out.WriteU32(s.m_counters.business);
    out.WriteU32(s.m_counters.route);
    out.WriteU32(s.m_counters.zone);
    for (const CmBlock& b : s.m_blocks) {
        out.WriteI32(b.m_nType);
        out.WriteU32(b.m_crFill);
    }
    return out.Bytes();
}

constexpr QSize kMapSize(800, 600);

// A main window holding the map window and a stand-in control panel.
struct ToolFixture {
    MapStore store = MakeStore();
    CEditHistory history{store};
    QMainWindow frame;
    CMapaWnd* wnd = nullptr;
    CMessageRecorder* panel = nullptr;
    ModalAnswers answers;

    explicit ToolFixture(bool withHistory = true) {
        auto* central = new QWidget(&frame);
        central->setMinimumSize(kMapSize.width() + 20, kMapSize.height());
        frame.setCentralWidget(central);
        frame.statusBar()->setObjectName(QStringLiteral("statusBar"));
        panel = new CMessageRecorder(central);
        panel->setGeometry(0, 0, 10, 10);
        wnd = new CMapaWnd(store, central);
        wnd->setGeometry(QRect(QPoint(20, 0), kMapSize));
        wnd->SetFrame(&frame);
        if (withHistory)
            wnd->SetHistory(&history);
        frame.show();
        (void)QTest::qWaitForWindowExposed(&frame);
        wnd->OnMapLoaded();
    }
    // Blocks numbered as a load numbers them.
    void SetBlocks(std::vector<CmBlock> blocks) {
        for (std::size_t i = 0; i < blocks.size(); ++i)
            blocks[i].SetId(static_cast<std::uint32_t>(i + 1));
        store.m_blocks = std::move(blocks);
        wnd->OnMapLoaded();
    }
    QPoint PixelOf(MapPoint p) const { return wnd->Transform().ToPixel(p); }
    MapPoint MapAt(QPoint pixel) const { return wnd->MapPointAt(pixel); }
    void Click(Qt::MouseButton button, QPoint pixel, Qt::KeyboardModifiers mods = {}) {
        QTest::mouseClick(wnd, button, mods, pixel);
    }
    void Move(QPoint pixel, Qt::MouseButtons held = Qt::NoButton, Qt::KeyboardModifiers mods = {}) {
        QMouseEvent e(QEvent::MouseMove, QPointF(pixel), wnd->mapToGlobal(QPointF(pixel)),
                      Qt::NoButton, held, mods);
        QCoreApplication::sendEvent(wnd, &e);
    }
    std::vector<std::int64_t> RefreshedPages() const {
        std::vector<std::int64_t> pages;
        for (const auto& e : panel->Of(UM_REFRESH_PAGES)) {
            pages.push_back(e.wParam);
            if (e.lParam != 0)
                pages.push_back(-1);
        }
        return pages;
    }
};

} // namespace

class TestMapTools : public QObject {
    Q_OBJECT
private slots:
    void placesGoToTheHeadOfTheirList_data();
    void placesGoToTheHeadOfTheirList();
    void markToolPlacesBusinessInCurrentCategory();
    void markToolWithoutCategoryAddsNothingButShowsMarks();
    void infoToolShowsAndRefillsThePopup();
    void streetOfOneHundredFiftyPoints();
    void streetNameCancelledStoresNothing();
    void routeWithSixtyStations();
    void routeStationDialogAnswers();
    void bothTracesAtOnceSurviveToolChanges();
    void streetEndedUnderRouteToolBecomesOutline();
    void rulerMeasuresAndEndsOnSecondLeftClick();
    void rulerLeftUnderRouteToolIsHandledAsRoute();
    void escapeCancelsTraces();
    void paintToolSetsTypesOnTopmostBlock();
    void selectionCountStaysTrue();
    void bandSelectsWhollyInsideBlocksOnly();
    void selectionIsNoUndoStep();
    void statusBarTellsWhatTheButtonsDo();
    void undoAndRedoEveryToolStep_data();
    void undoAndRedoEveryToolStep();
    void withoutHistoryChangesAreStillMarked();
};

void TestMapTools::placesGoToTheHeadOfTheirList_data() {
    QTest::addColumn<int>("tool");
    QTest::addColumn<int>("page");
    QTest::newRow("reference") << int(TOOL_REFERENCE) << 2;
    QTest::newRow("colony") << int(TOOL_COLONY) << 5;
}

void TestMapTools::placesGoToTheHeadOfTheirList() {
    QFETCH(int, tool);
    QFETCH(int, page);
    ToolFixture f;
    f.wnd->SetTool(tool);
    SendUserMessage(f.wnd, UM_SET_ZOOM, 7, 0);
    auto names = [&]() {
        QStringList out;
        if (tool == TOOL_REFERENCE)
            for (const auto& r : f.store.m_listReferences)
                out << QString::fromStdString(r->m_strName);
        else
            for (const auto& c : f.store.m_listColonies)
                out << QString::fromStdString(c->m_strName);
        return out;
    };

    f.answers.Queue(Cancel());
    f.Click(Qt::LeftButton, QPoint(100, 100));
    QVERIFY(names().isEmpty());
    QVERIFY(f.panel->Of(UM_REFRESH_PAGES).empty());
    QVERIFY(!f.store.IsChanged());

    f.answers.Queue(OkWith(1014, QStringLiteral("Mercado")));
    f.Click(Qt::LeftButton, QPoint(100, 100));
    f.answers.Queue(OkWith(1014, QStringLiteral("Catedral")));
    f.Click(Qt::LeftButton, QPoint(300, 250));
    QCOMPARE(names(), (QStringList{QStringLiteral("Catedral"), QStringLiteral("Mercado")}));
    const CmPlace& head = tool == TOOL_REFERENCE
                              ? static_cast<const CmPlace&>(*f.store.m_listReferences.front())
                              : static_cast<const CmPlace&>(*f.store.m_listColonies.front());
    QCOMPARE((MapPoint{head.m_x, head.m_y}), f.MapAt(QPoint(300, 250)));
    QCOMPARE(head.m_fZoom, 7.0f);
    QCOMPARE(f.RefreshedPages(), (std::vector<std::int64_t>{page, page}));
    QVERIFY(f.store.IsChanged());
    QCOMPARE(f.history.Stack().count(), 2);
    QCOMPARE(f.answers.m_unexpected, 0);
}

void TestMapTools::markToolPlacesBusinessInCurrentCategory() {
    ToolFixture f;
    f.store.m_directory.AddCategory("Farmacias");
    f.store.m_directory.SelectCategory("Farmacias");
    f.store.m_counters.business = 41;
    f.wnd->SetTool(TOOL_MARK);
    f.answers.Queue([](QWidget* dlg) {
        TypeInto(dlg, 1014, QStringLiteral("la botica"));
        TypeInto(dlg, 1016, QStringLiteral("555-0101"));
        TypeInto(dlg, 1017, QStringLiteral("Av. Juarez 12"));
        Press(dlg, 1);
    });
    f.Click(Qt::LeftButton, QPoint(500, 200));
    const auto& list = f.store.m_directory.m_pCurrent->m_listBusinesses;
    QCOMPARE(list.size(), std::size_t{1});
    const CmNegocios& b = *list.front();
    QCOMPARE(b.m_strName, std::string("LA BOTICA"));
    QCOMPARE(b.m_strPhone, std::string("555-0101"));
    QCOMPARE(b.m_strComments, std::string("Av. Juarez 12"));
    QCOMPARE((MapPoint{b.m_x, b.m_y}), f.MapAt(QPoint(500, 200)));
    QCOMPARE(b.m_fZoom, 3.0f);
    QCOMPARE(b.m_nBusinessNo, 41u);
    QVERIFY(f.wnd->Layers().m_bShowMarks);
    QCOMPARE(f.RefreshedPages(), std::vector<std::int64_t>{4});
    QCOMPARE(f.history.Stack().count(), 1);

    // Cancelled: nothing, not even the marks layer message.
    f.panel->m_entries.clear();
    f.answers.Queue(Cancel());
    f.Click(Qt::LeftButton, QPoint(600, 200));
    QCOMPARE(list.size(), std::size_t{1});
    QVERIFY(f.panel->m_entries.empty());
}

void TestMapTools::markToolWithoutCategoryAddsNothingButShowsMarks() {
    ToolFixture f;
    f.wnd->SetTool(TOOL_MARK);
    f.answers.Queue(OkWith(1014, QStringLiteral("kiosco")));
    f.Click(Qt::LeftButton, QPoint(500, 200));
    QVERIFY(f.wnd->Layers().m_bShowMarks);
    QCOMPARE(f.RefreshedPages(), std::vector<std::int64_t>{4});
    QCOMPARE(f.store.m_counters.business, 1u);
    QCOMPARE(f.history.Stack().count(), 0);
    QVERIFY(!f.store.IsChanged());
}

void TestMapTools::infoToolShowsAndRefillsThePopup() {
    ToolFixture f;
    CmDirectorio& dir = f.store.m_directory;
    dir.AddCategory("Hoteles");
    dir.SelectCategory("Hoteles");
    dir.AddBusiness(100, 100, 5, "HOTEL SOL", "Centro", "555-1", f.store.m_counters);
    dir.AddBusiness(-200, -100, 5, "HOTEL LUNA", "Playa", "555-2", f.store.m_counters);
    f.wnd->SetTool(TOOL_INFO);

    f.Click(Qt::LeftButton, f.PixelOf({-400, 400}));
    QVERIFY(!f.wnd->InfoWindow());

    f.Click(Qt::LeftButton, f.PixelOf({104, 100}));
    auto* popup = qobject_cast<CInfoPopup*>(f.wnd->InfoWindow());
    QVERIFY(popup);
    QVERIFY(popup->isVisible());
    QCOMPARE(popup->Name(), QStringLiteral("HOTEL SOL"));
    QCOMPARE(popup->Phone(), QStringLiteral("555-1"));
    QCOMPARE(popup->Comments(), QStringLiteral("Centro"));
    QVERIFY(dir.CurrentBusiness()->m_bHighlight);
    const QPoint place = popup->pos();

    // A second business replaces the texts where the card is.
    f.Click(Qt::LeftButton, f.PixelOf({-200, -100}));
    QCOMPARE(f.wnd->InfoWindow(), popup);
    QCOMPARE(popup->Name(), QStringLiteral("HOTEL LUNA"));
    QCOMPARE(popup->pos(), place);
    // A miss leaves it as it is.
    f.Click(Qt::LeftButton, f.PixelOf({-400, 400}));
    QCOMPARE(popup->Name(), QStringLiteral("HOTEL LUNA"));

    // The close box hides the card; the next hit shows the same object again.
    SendUserMessage(f.wnd, UM_INFO_CLOSED, 0, 0);
    QVERIFY(!popup->isVisible());
    QCOMPARE(f.wnd->InfoWindow(), popup);
    f.Click(Qt::LeftButton, f.PixelOf({104, 100}));
    QVERIFY(popup->isVisible());
    QCOMPARE(popup->Name(), QStringLiteral("HOTEL SOL"));
    QVERIFY(!f.store.IsChanged());
    QCOMPARE(f.history.Stack().count(), 0);
}

void TestMapTools::streetOfOneHundredFiftyPoints() {
    ToolFixture f;
    f.wnd->SetTool(TOOL_TRACE_STREET);
    std::vector<MapPoint> expected;
    for (int i = 0; i < 150; ++i) {
        const QPoint pixel(30 + (i % 50) * 15, 50 + (i / 50) * 150 + (i % 7));
        f.Move(pixel);
        f.Click(Qt::LeftButton, pixel);
        expected.push_back(f.MapAt(pixel));
    }
    QVERIFY(f.wnd->TracingStreet());
    // The moving point follows the mouse.
    f.Move(QPoint(700, 550));
    QCOMPARE(f.wnd->StreetTrace().m_points.back(), f.MapAt(QPoint(700, 550)));
    f.Move(QPoint(760, 560));

    f.answers.Queue(OkWith(1014, QStringLiteral("Avenida Hidalgo")));
    f.Click(Qt::RightButton, QPoint(760, 560));
    QVERIFY(!f.wnd->TracingStreet());
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
}

void TestMapTools::streetNameCancelledStoresNothing() {
    ToolFixture f;
    f.wnd->SetTool(TOOL_TRACE_STREET);
    f.Click(Qt::LeftButton, QPoint(100, 100));
    f.Click(Qt::LeftButton, QPoint(200, 100));
    f.answers.Queue(Cancel());
    f.Click(Qt::RightButton, QPoint(300, 100));
    QVERIFY(!f.wnd->TracingStreet());
    QVERIFY(f.store.m_listStreets.empty());
    QVERIFY(f.panel->Of(UM_REFRESH_PAGES).empty());
    QVERIFY(!f.store.IsChanged());
    // A right click without a trace asks nothing.
    f.Click(Qt::RightButton, QPoint(300, 100));
    QCOMPARE(f.answers.m_seen.size(), 1);
}

void TestMapTools::routeWithSixtyStations() {
    ToolFixture f;
    f.store.m_counters.route = 9;
    f.wnd->SetTool(TOOL_ROUTE);
    const QPoint start(10, 20);
    f.Click(Qt::LeftButton, start);
    QVERIFY(f.wnd->TracingRoute());
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
    QVERIFY(!f.wnd->TracingRoute());
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
    QCOMPARE(f.wnd->RouteTrace().m_crColor, Rgb(255, 0, 0));
    QCOMPARE(f.RefreshedPages(), std::vector<std::int64_t>{3});
    QCOMPARE(f.history.Stack().count(), 1);
}

void TestMapTools::routeStationDialogAnswers() {
    ToolFixture f;
    f.wnd->SetTool(TOOL_ROUTE);
    f.Click(Qt::LeftButton, QPoint(100, 100));
    // No name: the point stays, no station.
    f.answers.Queue(OkWith(1051, QString()));
    f.Click(Qt::RightButton, QPoint(150, 100));
    QVERIFY(f.wnd->TracingRoute());
    QVERIFY(f.wnd->RouteTrace().m_stations.empty());
    QCOMPARE(f.wnd->RouteTrace().m_points.size(), std::size_t{3});
    // The colour dialog cancelled: the trace goes on.
    f.answers.Queue(StationAnswer(QStringLiteral("Centro"), true));
    f.answers.Queue(Cancel());
    f.Click(Qt::RightButton, QPoint(200, 100));
    QVERIFY(f.wnd->TracingRoute());
    QCOMPARE(f.wnd->RouteTrace().m_stations.size(), std::size_t{1});
    QVERIFY(f.store.m_listRoutes.empty());
    // The station dialog cancelled: the route is abandoned.
    f.answers.Queue(Cancel());
    f.Click(Qt::RightButton, QPoint(250, 100));
    QVERIFY(!f.wnd->TracingRoute());
    QVERIFY(f.store.m_listRoutes.empty());
    QVERIFY(!f.store.IsChanged());
    QCOMPARE(f.answers.m_seen,
             (QStringList{QStringLiteral("CEstacionDlg"), QStringLiteral("CEstacionDlg"),
                          QStringLiteral("CRutaColorDlg"), QStringLiteral("CEstacionDlg")}));
}

void TestMapTools::bothTracesAtOnceSurviveToolChanges() {
    ToolFixture f;
    f.wnd->SetTool(TOOL_TRACE_STREET);
    f.Click(Qt::LeftButton, QPoint(100, 100));
    f.wnd->SetTool(TOOL_ROUTE);
    f.Click(Qt::LeftButton, QPoint(100, 300));
    QVERIFY(f.wnd->TracingStreet());
    QVERIFY(f.wnd->TracingRoute());
    // Under another tool both traces still follow the mouse.
    f.wnd->SetTool(TOOL_ZOOM);
    f.Move(QPoint(400, 400));
    QCOMPARE(f.wnd->StreetTrace().m_points.back(), f.MapAt(QPoint(400, 400)));
    QCOMPARE(f.wnd->RouteTrace().m_points.back(), f.MapAt(QPoint(400, 400)));
    f.wnd->SetTool(TOOL_NAVIGATE);
    // One right click under the navigate tool ends the street, adds a station
    // and recentres the map.
    f.answers.Queue(OkWith(1014, QStringLiteral("Calle 5")));
    f.answers.Queue(StationAnswer(QStringLiteral("Plaza"), false));
    QTest::keyClick(f.wnd, Qt::Key_Left);
    f.Click(Qt::RightButton, QPoint(400, 400));
    QCOMPARE(f.answers.m_seen,
             (QStringList{QStringLiteral("CNombreDlg"), QStringLiteral("CEstacionDlg")}));
    QCOMPARE(f.store.m_listStreets.size(), std::size_t{1});
    QVERIFY(!f.wnd->TracingStreet());
    QVERIFY(f.wnd->TracingRoute());
    QCOMPARE(f.wnd->RouteTrace().m_stations.size(), std::size_t{1});
    QCOMPARE(f.wnd->Origin(), QPoint(kMapSize.width() / 2, kMapSize.height() / 2));
    // A new map does not end the route.
    f.wnd->OnMapLoaded();
    QVERIFY(f.wnd->TracingRoute());
}

void TestMapTools::streetEndedUnderRouteToolBecomesOutline() {
    ToolFixture f;
    f.wnd->SetTool(TOOL_TRACE_STREET);
    f.Click(Qt::LeftButton, QPoint(100, 100));
    f.Click(Qt::LeftButton, QPoint(200, 150));
    f.wnd->SetTool(TOOL_ROUTE);
    f.answers.Queue(OkWith(1014, QStringLiteral("circuito sur")));
    f.Click(Qt::RightButton, QPoint(300, 150));
    QCOMPARE(f.answers.m_seen, QStringList{QStringLiteral("CNuevaRutaDlg")});
    const CmCalles& outline = f.store.m_routeOutline;
    QCOMPARE(outline.m_strName, std::string("CIRCUITO SUR"));
    QCOMPARE(outline.m_points.size(), std::size_t{4});
    QCOMPARE(outline.m_points.back(), f.MapAt(QPoint(300, 150)));
    QVERIFY(outline.m_bShow);
    QCOMPARE(outline.m_crColor, Color(0xff8080));
    QVERIFY(f.store.m_listStreets.empty());
    QVERIFY(!f.wnd->TracingRoute());
    QCOMPARE(f.history.Stack().count(), 1);
}

void TestMapTools::rulerMeasuresAndEndsOnSecondLeftClick() {
    ToolFixture f;
    f.wnd->SetTool(TOOL_DISTANCE);
    const QPoint a(100, 100);
    f.Click(Qt::LeftButton, a);
    QVERIFY(f.wnd->TracingRoute());
    // The moving end on the start reads -0.14 mts.
    f.Move(a);
    QCOMPARE(QString::asprintf("%.2f", double(f.wnd->RulerLength())), QStringLiteral("-0.14"));
    const QPoint b(400, 500);
    f.Move(b);
    const MapPoint pa = f.MapAt(a), pb = f.MapAt(b);
    const double dx = pb.x - pa.x, dy = pb.y - pa.y;
    QCOMPARE(f.wnd->RulerLength(), float(std::sqrt(dx * dx + dy * dy) * 2.001555 - 0.139942));
    // The read-out is drawn over the map at (10, 10) while measuring.
    const QImage shown = f.wnd->grab().toImage();
    bool ink = false;
    for (int x = 10; x < 60 && !ink; ++x)
        for (int y = 10; y < 20 && !ink; ++y)
            ink = shown.pixelColor(x, y) != QColor(Qt::white);
    QVERIFY(ink);
    // A right click neither ends nor changes the ruler.
    const float length = f.wnd->RulerLength();
    f.Click(Qt::RightButton, b);
    QVERIFY(f.wnd->TracingRoute());
    QCOMPARE(f.wnd->RulerLength(), length);
    QVERIFY(f.answers.m_seen.isEmpty());
    f.Click(Qt::LeftButton, QPoint(600, 100));
    QVERIFY(!f.wnd->TracingRoute());
    QVERIFY(f.store.m_listRoutes.empty());
    QVERIFY(!f.store.IsChanged());
}

void TestMapTools::rulerLeftUnderRouteToolIsHandledAsRoute() {
    ToolFixture f;
    f.wnd->SetTool(TOOL_DISTANCE);
    f.Click(Qt::LeftButton, QPoint(100, 100));
    f.wnd->SetTool(TOOL_ROUTE);
    f.answers.Queue(Cancel());
    f.Click(Qt::RightButton, QPoint(200, 200));
    QCOMPARE(f.answers.m_seen, QStringList{QStringLiteral("CEstacionDlg")});
    QVERIFY(!f.wnd->TracingRoute());
}

void TestMapTools::escapeCancelsTraces() {
    ToolFixture f;
    f.wnd->SetTool(TOOL_TRACE_STREET);
    f.Click(Qt::LeftButton, QPoint(100, 100));
    f.Click(Qt::LeftButton, QPoint(150, 100));
    f.wnd->SetTool(TOOL_ROUTE);
    f.Click(Qt::LeftButton, QPoint(100, 300));
    QTest::keyClick(f.wnd, Qt::Key_Escape);
    QVERIFY(!f.wnd->TracingStreet());
    QVERIFY(!f.wnd->TracingRoute());
    // Nothing asks, nothing is stored.
    f.Click(Qt::RightButton, QPoint(200, 300));
    QVERIFY(f.answers.m_seen.isEmpty());
    QVERIFY(f.store.m_listStreets.empty());
    QVERIFY(f.store.m_listRoutes.empty());
    QVERIFY(!f.store.IsChanged());
    // The next trace starts afresh.
    f.Click(Qt::LeftButton, QPoint(300, 300));
    QCOMPARE(f.wnd->RouteTrace().m_points.size(), std::size_t{2});
}

void TestMapTools::paintToolSetsTypesOnTopmostBlock() {
    ToolFixture f;
    f.SetBlocks({MakeBlock(0, 0, 300, 300, 3), MakeBlock(100, 100, 200, 200, 1)});
    f.wnd->SetTool(TOOL_PAINT_BLOCK);
    // The overlap belongs to the later block, which is drawn on top.
    f.Click(Qt::LeftButton, f.PixelOf({150, 150}));
    QCOMPARE(f.store.m_blocks[1].m_nType, 2);
    QCOMPARE(f.store.m_blocks[1].m_crFill, Color(0x80ff80));
    QCOMPARE(f.store.m_blocks[0].m_nType, 3);
    QCOMPARE(f.wnd->RenderView().pixelColor(f.PixelOf({150, 150})), QColor(128, 255, 128));
    f.Click(Qt::RightButton, f.PixelOf({50, 250}));
    QCOMPARE(f.store.m_blocks[0].m_nType, 1);
    QCOMPARE(f.history.Stack().count(), 2);
    // Painting a block the type it has, or missing every block, is no step.
    f.Click(Qt::RightButton, f.PixelOf({50, 250}));
    f.Click(Qt::LeftButton, f.PixelOf({-500, -500}));
    QCOMPARE(f.history.Stack().count(), 2);
}

void TestMapTools::selectionCountStaysTrue() {
    ToolFixture f;
    f.SetBlocks({MakeBlock(0, 0, 100, 100, 1), MakeBlock(200, 0, 300, 100, 1),
                 MakeBlock(400, 0, 500, 100, 1)});
    f.wnd->SetTool(TOOL_SELECT_BLOCK);
    const QPoint a = f.PixelOf({50, 50}), b = f.PixelOf({250, 50});
    f.Click(Qt::LeftButton, a);
    f.Click(Qt::LeftButton, a); // already selected: the count stays
    QCOMPARE(f.store.SelectedCount(), std::size_t{1});
    f.Click(Qt::RightButton, b); // not selected: the count stays
    QCOMPARE(f.store.SelectedCount(), std::size_t{1});
    f.Click(Qt::LeftButton, b);
    QCOMPARE(f.store.SelectedCount(), std::size_t{2});
    f.Click(Qt::RightButton, a);
    QCOMPARE(f.store.SelectedCount(), std::size_t{1});
    QVERIFY(!f.store.m_blocks[0].m_bSelected);
    f.Click(Qt::LeftButton, f.PixelOf({150, 50})); // between blocks
    QCOMPARE(f.store.SelectedCount(), std::size_t{1});
    QVERIFY(f.panel->Of(UM_ZONE_UNSELECT).empty());
    f.Click(Qt::RightButton, f.PixelOf({-500, 50}), Qt::ShiftModifier);
    QCOMPARE(f.store.SelectedCount(), std::size_t{0});
    for (const CmBlock& block : f.store.m_blocks)
        QVERIFY(!block.m_bSelected);
    QCOMPARE(f.panel->Of(UM_ZONE_UNSELECT).size(), std::size_t{1});
}

void TestMapTools::bandSelectsWhollyInsideBlocksOnly() {
    ToolFixture f;
    f.SetBlocks({MakeBlock(0, 0, 100, 100, 1), MakeBlock(200, 0, 300, 100, 1),
                 MakeBlock(400, 0, 500, 100, 1)});
    f.wnd->SetTool(TOOL_SELECT_BLOCK);
    f.Click(Qt::LeftButton, f.PixelOf({250, 50}));
    // From the lower right to the upper left: the band is normalised. It holds
    // the first two blocks whole and cuts the third.
    const QPoint from = f.PixelOf({450, -20}), to = f.PixelOf({-20, 130});
    QTest::mousePress(f.wnd, Qt::LeftButton, Qt::ControlModifier, from);
    f.Move(to, Qt::LeftButton, Qt::ControlModifier);
    // The red band is drawn while dragging.
    const QImage dragging = f.wnd->RenderView();
    const int x = f.PixelOf({100, -20}).x();
    bool red = false;
    for (int y = from.y() - 1; y <= from.y() + 1; ++y)
        red = red || dragging.pixelColor(x, y) == QColor(255, 0, 0);
    QVERIFY(red);
    QTest::mouseRelease(f.wnd, Qt::LeftButton, Qt::ControlModifier, to);
    QVERIFY(f.store.m_blocks[0].m_bSelected);
    QVERIFY(f.store.m_blocks[1].m_bSelected);
    QVERIFY(!f.store.m_blocks[2].m_bSelected);
    // Only the newly selected block counts.
    QCOMPARE(f.store.SelectedCount(), std::size_t{2});
}

void TestMapTools::selectionIsNoUndoStep() {
    ToolFixture f;
    f.SetBlocks({MakeBlock(0, 0, 100, 100, 1)});
    f.wnd->SetTool(TOOL_SELECT_BLOCK);
    f.Click(Qt::LeftButton, f.PixelOf({50, 50}));
    f.Click(Qt::RightButton, f.PixelOf({50, 50}), Qt::ShiftModifier);
    QCOMPARE(f.history.Stack().count(), 0);
    QVERIFY(!f.store.IsChanged());
}

void TestMapTools::statusBarTellsWhatTheButtonsDo() {
    ToolFixture f;
    const int tools[] = {TOOL_NAVIGATE,     TOOL_REFERENCE,    TOOL_INFO,    TOOL_ROUTE,
                         TOOL_PAINT_BLOCK,  TOOL_ZOOM,         TOOL_MARK,    TOOL_COLONY,
                         TOOL_TRACE_STREET, TOOL_SELECT_BLOCK, TOOL_DISTANCE};
    QStringList hints;
    for (int tool : tools) {
        f.wnd->SetTool(tool);
        const QString shown = f.frame.statusBar()->currentMessage();
        QCOMPARE(shown, CMapaWnd::ToolHint(tool));
        QVERIFY(shown.contains(QStringLiteral("Izquierdo")));
        hints << shown;
    }
    hints.removeDuplicates();
    QCOMPARE(hints.size(), int(std::size(tools)));
    QVERIFY(CMapaWnd::ToolHint(TOOL_TRACE_STREET).contains(QStringLiteral("Derecho")));
    QVERIFY(CMapaWnd::ToolHint(TOOL_TRACE_STREET).contains(QStringLiteral("Esc")));
}

void TestMapTools::undoAndRedoEveryToolStep_data() {
    QTest::addColumn<QString>("step");
    for (const char* step : {"reference", "colony", "business", "street", "route", "outline",
                             "paint green", "paint normal"})
        QTest::newRow(step) << QString::fromLatin1(step);
}

void TestMapTools::undoAndRedoEveryToolStep() {
    QFETCH(QString, step);
    ToolFixture f;
    f.SetBlocks({MakeBlock(0, 0, 300, 300, 4)});
    f.store.m_directory.AddCategory("Cines");
    f.store.m_directory.SelectCategory("Cines");
    // Something already there, so that undo has to keep it.
    f.store.m_listStreets.push_back(std::make_unique<CmCalles>());
    f.store.m_listStreets.back()->m_strName = "Vieja";
    const auto before = Dump(f.store);

    const QPoint a(100, 100), b(200, 120), c(300, 160);
    if (step == QLatin1String("reference") || step == QLatin1String("colony")) {
        f.wnd->SetTool(step == QLatin1String("reference") ? TOOL_REFERENCE : TOOL_COLONY);
        f.answers.Queue(OkWith(1014, QStringLiteral("Lugar")));
        f.Click(Qt::LeftButton, a);
    } else if (step == QLatin1String("business")) {
        f.wnd->SetTool(TOOL_MARK);
        f.answers.Queue(OkWith(1014, QStringLiteral("cinema")));
        f.Click(Qt::LeftButton, a);
    } else if (step == QLatin1String("street") || step == QLatin1String("outline")) {
        f.wnd->SetTool(TOOL_TRACE_STREET);
        f.Click(Qt::LeftButton, a);
        f.Click(Qt::LeftButton, b);
        if (step == QLatin1String("outline"))
            f.wnd->SetTool(TOOL_ROUTE);
        f.answers.Queue(OkWith(1014, QStringLiteral("Trazo")));
        f.Click(Qt::RightButton, c);
    } else if (step == QLatin1String("route")) {
        f.wnd->SetTool(TOOL_ROUTE);
        f.Click(Qt::LeftButton, a);
        f.answers.Queue(StationAnswer(QStringLiteral("Terminal"), true));
        f.answers.Queue(RouteColour(QStringLiteral("Ruta 1")));
        f.Click(Qt::RightButton, b);
    } else {
        f.wnd->SetTool(TOOL_PAINT_BLOCK);
        f.Click(step == QLatin1String("paint green") ? Qt::LeftButton : Qt::RightButton,
                f.PixelOf({150, 150}));
    }
    QVERIFY(f.answers.AllUsed());
    const auto after = Dump(f.store);
    QVERIFY(after != before);
    QCOMPARE(f.history.Stack().count(), 1);
    QVERIFY(f.store.IsChanged());

    f.history.Stack().undo();
    QVERIFY(Dump(f.store) == before);
    QVERIFY(!f.store.IsChanged());
    f.history.Stack().redo();
    QVERIFY(Dump(f.store) == after);
    QVERIFY(f.store.IsChanged());
}

void TestMapTools::withoutHistoryChangesAreStillMarked() {
    ToolFixture f(false);
    f.SetBlocks({MakeBlock(0, 0, 300, 300, 1)});
    f.wnd->SetTool(TOOL_PAINT_BLOCK);
    f.Click(Qt::RightButton, f.PixelOf({150, 150})); // already type 1
    QVERIFY(!f.store.IsChanged());
    f.Click(Qt::LeftButton, f.PixelOf({150, 150}));
    QCOMPARE(f.store.m_blocks[0].m_nType, 2);
    QVERIFY(f.store.IsChanged());
    QCOMPARE(f.history.Stack().count(), 0);
}

QTEST_MAIN(TestMapTools)
#include "map_tools_test.moc"
