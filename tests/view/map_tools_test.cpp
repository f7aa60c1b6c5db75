// The map tools driven as a person drives them: clicks, drags and keys on the
// map window, and the dialogs the tools open answered by typing and pressing
// their buttons. Every check looks at the store, the messages the panel got,
// the undo history or the status bar. The traces have their own file.

#include "info_popup.h"
#include "map_tool.h"
#include "messages.h"
#include "tool_fixture.h"
#include "tools.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStatusBar>
#include <QTest>

namespace {

constexpr int kSpyTool = 200;

// A tool that writes down what it is told.
class CSpyTool : public CMapTool {
public:
    CSpyTool(CMapToolHost& host, QStringList& log) : CMapTool(host), m_log(log) {}
    void Activate() override { m_log << QStringLiteral("activate"); }
    void Deactivate() override { m_log << QStringLiteral("deactivate"); }
    void LeftPress(QPoint, Qt::KeyboardModifiers) override { m_log << QStringLiteral("left"); }
    void RightPress(QPoint, Qt::KeyboardModifiers) override { m_log << QStringLiteral("right"); }
    void Move(QPoint) override { m_log << QStringLiteral("move"); }
    void LeftRelease(QPoint) override { m_log << QStringLiteral("release"); }
    void DoubleClick(QPoint) override { m_log << QStringLiteral("double"); }
    bool KeyPress(QKeyEvent& event) override {
        m_log << QStringLiteral("key");
        return event.key() == Qt::Key_Space;
    }
    QString Hint() const override { return QStringLiteral("Izquierdo: espiar"); }
    QCursor Cursor() const override { return QCursor(Qt::CrossCursor); }

private:
    QStringList& m_log;
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
    void paintToolSetsTypesOnTopmostBlock();
    void selectionCountStaysTrue();
    void bandSelectsWhollyInsideBlocksOnly();
    void selectionIsNoUndoStep();
    void statusBarTellsWhatTheButtonsDo();
    void undoAndRedoEveryToolStep_data();
    void undoAndRedoEveryToolStep();
    void withoutHistoryChangesAreStillMarked();
    void managerHandsEventsToTheCurrentToolOnly();
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

void TestMapTools::paintToolSetsTypesOnTopmostBlock() {
    ToolFixture f;
    f.SetBlocks({{0, 0, 300, 300, 3}, {100, 100, 200, 200, 1}});
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
    f.SetBlocks({{0, 0, 100, 100, 1}, {200, 0, 300, 100, 1}, {400, 0, 500, 100, 1}});
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
    f.SetBlocks({{0, 0, 100, 100, 1}, {200, 0, 300, 100, 1}, {400, 0, 500, 100, 1}});
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
    f.SetBlocks({{0, 0, 100, 100, 1}});
    f.wnd->SetTool(TOOL_SELECT_BLOCK);
    f.Click(Qt::LeftButton, f.PixelOf({50, 50}));
    f.Click(Qt::RightButton, f.PixelOf({50, 50}), Qt::ShiftModifier);
    QCOMPARE(f.history.Stack().count(), 0);
    QVERIFY(!f.store.IsChanged());
}

void TestMapTools::statusBarTellsWhatTheButtonsDo() {
    ToolFixture f;
    // The hints are for a pointer over the map.
    QEnterEvent enter(QPointF(10, 10), QPointF(10, 10), QPointF(10, 10));
    QCoreApplication::sendEvent(f.wnd, &enter);
    const int tools[] = {TOOL_NAVIGATE,     TOOL_REFERENCE,    TOOL_INFO,    TOOL_ROUTE,
                         TOOL_PAINT_BLOCK,  TOOL_ZOOM,         TOOL_MARK,    TOOL_COLONY,
                         TOOL_TRACE_STREET, TOOL_SELECT_BLOCK, TOOL_DISTANCE};
    QStringList hints;
    for (int tool : tools) {
        f.wnd->SetTool(tool);
        const QString shown = f.frame.statusBar()->currentMessage();
        QCOMPARE(shown, f.wnd->Tools().Find(tool)->Hint());
        QVERIFY(shown.contains(QStringLiteral("Izquierdo")));
        hints << shown;
    }
    hints.removeDuplicates();
    QCOMPARE(hints.size(), int(std::size(tools)));
    // Off the map no hint applies.
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(f.wnd, &leave);
    QVERIFY(f.frame.statusBar()->currentMessage().isEmpty());
    QVERIFY(f.wnd->Tools().Find(TOOL_TRACE_STREET)->Hint().contains(QStringLiteral("Derecho")));
    QVERIFY(f.wnd->Tools().Find(TOOL_TRACE_STREET)->Hint().contains(QStringLiteral("Esc")));
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
    f.SetBlocks({{0, 0, 300, 300, 4}});
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
    f.SetBlocks({{0, 0, 300, 300, 1}});
    f.wnd->SetTool(TOOL_PAINT_BLOCK);
    f.Click(Qt::RightButton, f.PixelOf({150, 150})); // already type 1
    QVERIFY(!f.store.IsChanged());
    f.Click(Qt::LeftButton, f.PixelOf({150, 150}));
    QCOMPARE(f.store.m_blocks[0].m_nType, 2);
    QVERIFY(f.store.IsChanged());
    QCOMPARE(f.history.Stack().count(), 0);
}

void TestMapTools::managerHandsEventsToTheCurrentToolOnly() {
    ToolFixture f;
    QStringList log;
    QVERIFY(f.wnd->Tools().Add<CSpyTool>(kSpyTool, log));
    // A value that has a tool keeps it.
    QVERIFY(!f.wnd->Tools().Add<CSpyTool>(TOOL_ZOOM, log));
    QCOMPARE(f.wnd->Tools().Find(TOOL_ZOOM)->Hint(),
             QStringLiteral("Izquierdo: acercar | Derecho: alejar"));

    QEnterEvent enter(QPointF(10, 10), QPointF(10, 10), QPointF(10, 10));
    QCoreApplication::sendEvent(f.wnd, &enter);
    f.wnd->SetTool(kSpyTool);
    QCOMPARE(f.wnd->cursor().shape(), Qt::CrossCursor);
    QCOMPARE(f.frame.statusBar()->currentMessage(), QStringLiteral("Izquierdo: espiar"));
    f.Click(Qt::LeftButton, QPoint(100, 100));
    f.Click(Qt::RightButton, QPoint(100, 100));
    f.Move(QPoint(120, 100));
    // The second press of a double click is also a press.
    QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(120, 100),
                      f.wnd->mapToGlobal(QPointF(120, 100)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(f.wnd, &twice);
    QTest::keyClick(f.wnd, Qt::Key_Space);
    // Panning keys are the window's own.
    const QPoint origin = f.wnd->Origin();
    QTest::keyClick(f.wnd, Qt::Key_Left);
    QCOMPARE(f.wnd->Origin(), origin + QPoint(50, 0));

    // Another tool: the spy is told it is no longer current, and nothing more.
    f.wnd->SetTool(TOOL_ZOOM);
    f.Click(Qt::LeftButton, QPoint(100, 100));
    f.Move(QPoint(200, 100));
    QCOMPARE(f.wnd->Scale(), 7.0f);
    QCOMPARE(log, (QStringList{"activate", "left", "release", "right", "move", "left", "double",
                               "key", "deactivate"}));
}

int RunTraceToolTests(int argc, char** argv);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TestMapTools tools;
    const int failed = QTest::qExec(&tools, argc, argv);
    return failed + RunTraceToolTests(argc, argv) == 0 ? 0 : 1;
}

#include "map_tools_test.moc"
