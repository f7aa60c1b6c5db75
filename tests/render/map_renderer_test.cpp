#include "map_renderer_test.h"

#include "block_raster.h"
#include "label_placement.h"
#include "map_renderer.h"
#include "pixel_counts.h"
#include "test_towns.h"
#include "town_generator.h"

#include <QPainter>
#include <QTest>
#include <random>

namespace {

const QSize kSize(400, 300);

// Scale 10 with (0,0) at the centre: one map unit is one pixel, y up.
MapTransform View(float scale = 10.0f, QSize size = kSize) {
    const MapTransform probe(size, scale, QPoint());
    return MapTransform(size, scale, probe.OriginCentering({0, 0}));
}

QRgb At(const QImage& image, const MapTransform& t, MapPoint p) {
    return image.pixel(t.ToPixel(p)) & 0xffffff;
}

QRgb Rgb24(int r, int g, int b) {
    return static_cast<QRgb>((r << 16) | (g << 8) | b);
}

const QRgb kWhite = 0xffffff;

} // namespace

void TestMapRenderer::blockFillFollowsTypeAndSwitch() {
    MapStore store = MakeStore();
    AddBlock(store, -100, -50, -20, 50, 2);
    AddBlock(store, 20, -50, 100, 50, 1);
    const MapTransform t = View();
    LayerSwitches layers;
    QImage off = RenderMap(store, t, layers);
    QCOMPARE(At(off, t, {-60, 0}), Rgb24(128, 255, 128)); // type 2 is always filled
    QCOMPARE(At(off, t, {60, 0}), kWhite);                // type 1 only outlined
    layers.m_bFillBlocks = true;
    QImage on = RenderMap(store, t, layers);
    QCOMPARE(At(on, t, {60, 0}), Rgb24(255, 255, 228));
    QCOMPARE(At(on, t, {0, 0}), kWhite); // the street between them
}

void TestMapRenderer::selectedBlockIsLightRed() {
    MapStore store = MakeStore();
    AddBlock(store, -50, -50, 50, 50, 4);
    store.SetBlockSelected(store.m_blocks[0], true);
    const MapTransform t = View();
    const QImage image = RenderMap(store, t, LayerSwitches{});
    QCOMPARE(At(image, t, {0, 0}), Rgb24(255, 192, 192));
}

void TestMapRenderer::outlineIsLightGrey() {
    MapStore store = MakeStore();
    AddBlock(store, -50, -50, 50, 50, 1);
    const MapTransform t = View();
    const QImage image = RenderMap(store, t, LayerSwitches{});
    // The right edge at x = 50 is outline only (the fill stops before it).
    QCOMPARE(At(image, t, {50, 0}), Rgb24(192, 192, 192));
    QCOMPARE(At(image, t, {0, 0}), kWhite);
}

void TestMapRenderer::largeBlockAroundTheViewIsDrawn() {
    // No vertex of this block lies in view, but the view is inside it.
    MapStore store = MakeStore();
    AddBlock(store, -100000, -100000, 100000, 100000, 5);
    const MapTransform t = View();
    const QImage image = RenderMap(store, t, LayerSwitches{});
    QCOMPARE(At(image, t, {0, 0}), Rgb24(255, 255, 128));
    QCOMPARE(image.pixel(0, 0) & 0xffffff, Rgb24(255, 255, 128));
}

void TestMapRenderer::laterBlocksPaintOverEarlierOnes() {
    MapStore store = MakeStore();
    AddBlock(store, -60, -60, 40, 40, 2);
    AddBlock(store, -40, -40, 60, 60, 6);
    const MapTransform t = View();
    const QImage image = RenderMap(store, t, LayerSwitches{});
    QCOMPARE(At(image, t, {0, 0}), Rgb24(128, 255, 255));
    QCOMPARE(At(image, t, {-50, -50}), Rgb24(128, 255, 128));
}

void TestMapRenderer::streetNamesOnlyAboveScaleTen_data() {
    QTest::addColumn<float>("scale");
    QTest::addColumn<bool>("layer");
    QTest::addColumn<bool>("drawn");
    QTest::newRow("10, on") << 10.0f << true << false;
    QTest::newRow("10.5, on") << 10.5f << true << true;
    QTest::newRow("16, on") << 16.0f << true << true;
    QTest::newRow("20, off") << 20.0f << false << false;
}

void TestMapRenderer::streetNamesOnlyAboveScaleTen() {
    QFETCH(float, scale);
    QFETCH(bool, layer);
    QFETCH(bool, drawn);
    MapStore store = MakeStore();
    CmStname label;
    label.m_x = 0;
    label.m_y = 0;
    label.m_strText = "AVENIDA REFORMA";
    store.m_labels.push_back(label);
    const MapTransform t = View(scale);
    LayerSwitches layers;
    layers.m_bShowStreetNames = layer;
    const QImage image = RenderMap(store, t, layers);
    // The text hangs right and down from its anchor, in red.
    const QPoint anchor = t.ToPixel(0, 0);
    const int reddish = [&] {
        int n = 0;
        for (int y = anchor.y(); y < anchor.y() + 20; ++y)
            for (int x = anchor.x(); x < anchor.x() + 120; ++x) {
                const QColor c = image.pixelColor(x, y);
                n += c.red() > 150 && c.green() < 120 && c.blue() < 120;
            }
        return n;
    }();
    QCOMPARE(reddish > 10, drawn);
    QCOMPARE(CountNonWhite(image, image.rect()) > 0, drawn);
}

void TestMapRenderer::referenceOutsideTheViewIsNotDrawn() {
    MapStore store = MakeStore();
    const MapTransform t = View();
    const MapRect v = t.VisibleRect();
    // Just below the bottom edge: its pin would reach up into view.
    store.m_listReferences.push_back(std::make_unique<CmRefe>(0, v.top - 3, 10, "Museo"));
    const QImage image = RenderMap(store, t, LayerSwitches{});
    QCOMPARE(CountNonWhite(image, image.rect()), 0);
}

void TestMapRenderer::referenceIconAndName() {
    MapStore store = MakeStore();
    store.m_listReferences.push_back(std::make_unique<CmRefe>(0, 0, 10, "Museo"));
    const MapTransform t = View();
    LayerSwitches layers;
    QImage image = RenderMap(store, t, layers);
    const QPoint a = t.ToPixel(0, 0);
    // The pin stands above its point, the name hangs below it.
    QVERIFY(CountNonWhite(image, QRect(a.x() - 8, a.y() - 32, 16, 32)) > 20);
    QVERIFY(CountNonWhite(image, QRect(a.x(), a.y(), 60, 10)) > 5);
    QCOMPARE(CountNonWhite(image, QRect(a.x() - 40, a.y() + 12, 30, 30)), 0);
    // The switch hides them.
    layers.m_bShowReferences = false;
    image = RenderMap(store, t, layers);
    QCOMPARE(CountNonWhite(image, image.rect()), 0);
}

void TestMapRenderer::tracedStreetVisibility_data() {
    QTest::addColumn<bool>("show");
    QTest::addColumn<bool>("layer");
    QTest::addColumn<int>("expected"); // -1 nothing, else 0xRRGGBB
    QTest::newRow("own flag, layer off") << true << false << int(Rgb24(0, 128, 255));
    QTest::newRow("own flag, layer on") << true << true << int(Rgb24(0, 128, 255));
    QTest::newRow("layer on only: grey") << false << true << int(Rgb24(128, 128, 128));
    QTest::newRow("neither") << false << false << -1;
}

void TestMapRenderer::tracedStreetVisibility() {
    QFETCH(bool, show);
    QFETCH(bool, layer);
    QFETCH(int, expected);
    MapStore store = MakeStore();
    auto street = std::make_unique<CmCalles>();
    street->m_points = {{-100, 0}, {100, 0}};
    street->m_crColor = Rgb(0, 128, 255);
    street->m_bShow = show;
    store.m_listStreets.push_back(std::move(street));
    const MapTransform t = View();
    LayerSwitches layers;
    layers.m_bShowTracedStreets = layer;
    const QImage image = RenderMap(store, t, layers);
    if (expected < 0)
        QCOMPARE(CountNonWhite(image, image.rect()), 0);
    else
        QCOMPARE(At(image, t, {0, 0}), static_cast<QRgb>(expected));
}

void TestMapRenderer::routeAndStations() {
    MapStore store = MakeStore();
    auto route = std::make_unique<CmVias>(Rgb(200, 0, 200));
    route->m_points = {{-150, -50}, {150, -50}};
    route->AddStation({0, 50}, "Terminal");
    store.m_listRoutes.push_back(std::move(route));
    const MapTransform t = View();
    LayerSwitches layers;
    QImage image = RenderMap(store, t, layers);
    QCOMPARE(CountNonWhite(image, image.rect()), 0); // neither shown nor layer on
    layers.m_bShowAllRoutes = true;
    image = RenderMap(store, t, layers);
    QCOMPARE(At(image, t, {0, -50}), Rgb24(200, 0, 200));
    // Two map units at scale 10: two pixels wide.
    QCOMPARE(
        CountColor(image, QRect(t.ToPixel(0, -50) - QPoint(0, 3), QSize(1, 7)), Rgb24(200, 0, 200)),
        2);
    // The ball above the station, the name below it, black on white.
    const QPoint s = t.ToPixel(0, 50);
    QVERIFY(CountNonWhite(image, QRect(s.x() - 9, s.y() - 17, 19, 16)) > 40);
    int dark = 0;
    for (int y = s.y(); y < s.y() + 14; ++y)
        for (int x = s.x(); x < s.x() + 70; ++x)
            dark += image.pixelColor(x, y).lightness() < 100;
    QVERIFY(dark > 5);

    // The name's ground is opaque: a station on the line hides the line under its name.
    store.m_listRoutes[0]->m_stations[0].pt = {0, -50};
    image = RenderMap(store, t, layers);
    const QPoint on = t.ToPixel(0, -50);
    QVERIFY(CountColor(image, QRect(on.x() - 40, on.y() - 1, 20, 4), Rgb24(200, 0, 200)) > 0);
    QCOMPARE(CountColor(image, QRect(on.x() + 1, on.y(), 20, 2), Rgb24(200, 0, 200)), 0);
}

void TestMapRenderer::businessesOnlyWithMarksAndNotOnTheAxes() {
    MapStore store = MakeStore();
    store.m_directory.AddCategory("Bancos");
    store.m_directory.SelectCategory("Bancos");
    store.m_directory.AddBusiness(60, 40, 10, "Banco", "", "", store.m_counters);
    store.m_directory.AddBusiness(0, -40, 10, "En el eje", "", "", store.m_counters);
    const MapTransform t = View();
    LayerSwitches layers;
    QImage image = RenderMap(store, t, layers);
    QCOMPARE(CountNonWhite(image, image.rect()), 0);
    layers.m_bShowMarks = true;
    image = RenderMap(store, t, layers);
    const QPoint b = t.ToPixel(60, 40);
    QVERIFY(CountNonWhite(image, QRect(b.x() - 14, b.y() - 32, 27, 32)) > 50);
    const QPoint axis = t.ToPixel(0, -40);
    QCOMPARE(CountNonWhite(image, QRect(axis.x() - 14, axis.y() - 32, 60, 50)), 0);
}

void TestMapRenderer::bandRectangleIsRedOnePixel() {
    MapStore store = MakeStore();
    const MapTransform t = View(3.0f);
    MapOverlay overlay;
    overlay.band = MapRect{-200, 100, 200, -100};
    const QImage image = RenderMap(store, t, LayerSwitches{}, overlay);
    const QPoint top = t.ToPixel(0, 100);
    QCOMPARE(image.pixel(top) & 0xffffff, Rgb24(255, 0, 0));
    QCOMPARE(CountColor(image, QRect(top.x(), top.y() - 3, 1, 7), Rgb24(255, 0, 0)), 1);
    QCOMPARE(image.pixel(t.ToPixel(0, 0)) & 0xffffff, kWhite);
}

void TestMapRenderer::hitTestMatchesAFullScan() {
    MapStore store = GenerateTown(TownOptions{3000, 3});
    // Overlapping and degenerate blocks as well as the town's own.
    AddBlock(store, -300, -300, 300, 300, 2);
    AddBlock(store, -100, -100, 100, 100, 3);
    const FloatPoint line[] = {{0, 0}, {50, 50}};
    store.AddBlock(line);
    CMapRenderer renderer;
    const MapRect r = store.m_rcBlocks;
    std::mt19937 rng(11);
    std::uniform_int_distribution<std::int32_t> xs(r.left - 50, r.right + 50);
    std::uniform_int_distribution<std::int32_t> ys(r.top - 50, r.bottom + 50);
    int hits = 0;
    for (int k = 0; k < 3000; ++k) {
        const MapPoint p{xs(rng), ys(rng)};
        std::int64_t expected = -1;
        for (std::int64_t i = static_cast<std::int64_t>(store.m_blocks.size()) - 1; i >= 0; --i)
            if (store.Shape(store.m_blocks[static_cast<std::size_t>(i)]).HitTest(p.x, p.y)) {
                expected = i;
                break;
            }
        QCOMPARE(renderer.HitBlock(store, p), expected);
        hits += expected >= 0;
    }
    QVERIFY(hits > 300); // the points really met blocks
}

namespace {

// A town with every layer showing: businesses of a current category, labels,
// streets and routes, and places right on the edges of the views the tests use.
MapStore BusyTown() {
    MapStore store = GenerateTown(TownOptions{3000, 5});
    store.m_directory.m_pCurrent = store.m_directory.m_listCategories.front().get();
    for (const auto& b : store.m_directory.m_pCurrent->m_listBusinesses)
        b->m_bHighlight = b->m_nBusinessNo % 3 == 0;
    for (const auto& s : store.m_listStreets)
        s->m_bShow = s->m_points.size() % 2 == 0;
    const MapRect v = View(12.0f, QSize(640, 480)).VisibleRect();
    // Points just inside and just outside each edge, whose names reach across it.
    for (std::int32_t d : {-1, 0, 1, 7}) {
        MapStore::AddHead(store.m_listReferences,
                          std::make_unique<CmRefe>(v.left - d, 10, 10, "Borde izquierdo"));
        MapStore::AddHead(store.m_listColonies,
                          std::make_unique<CmColonias>(v.right - d, -20, 10, "Colonia del borde"));
        CmStname label;
        label.m_x = 30;
        label.m_y = v.top - d;
        label.m_fAngle = 0.6f;
        label.m_strText = "Calle del borde";
        store.m_labels.push_back(label);
    }
    return store;
}

// Where two pictures of one size differ, for the message of a failed comparison.
QString Differences(const QImage& a, const QImage& b) {
    QRect box;
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) {
                box |= QRect(x, y, 1, 1);
                ++count;
            }
    return QStringLiteral("%1 pixels differ within (%2, %3) %4x%5")
        .arg(count)
        .arg(box.x())
        .arg(box.y())
        .arg(box.width())
        .arg(box.height());
}

} // namespace

void TestMapRenderer::cullingChangesNoPixel_data() {
    QTest::addColumn<float>("scale");
    QTest::addColumn<QPoint>("centre");
    QTest::newRow("whole town, scale 1") << 1.0f << QPoint(0, 0);
    QTest::newRow("scale 3") << 3.0f << QPoint(400, -300);
    QTest::newRow("scale 12, labels") << 12.0f << QPoint(0, 0);
    QTest::newRow("scale 20, at the town's edge") << 20.0f << QPoint(3100, 2500);
}

void TestMapRenderer::cullingChangesNoPixel() {
    QFETCH(float, scale);
    QFETCH(QPoint, centre);
    const MapStore store = BusyTown();
    const QSize size(640, 480);
    const MapTransform probe(size, scale, QPoint());
    const MapTransform t(size, scale, probe.OriginCentering({centre.x(), centre.y()}));
    const LayerSwitches layers = LayerSwitches::All();
    CMapRenderer everything;
    everything.SetCulling(false);
    const QImage expected = everything.Render(store, t, layers);
    CMapRenderer culled;
    QImage frame = culled.Render(store, t, layers);
    QVERIFY2(frame == expected, qPrintable(Differences(frame, expected)));
    QVERIFY(CountNonWhite(frame, frame.rect()) > 1000);
    // Any part drawn alone has the pixels the whole frame has there.
    for (const QRect& part : {QRect(0, 0, 640, 7), QRect(631, 0, 9, 480), QRect(100, 90, 213, 177),
                              QRect(0, 470, 640, 10)})
        culled.DrawArea(frame, store, t, layers, part);
    QVERIFY2(frame == expected, qPrintable(Differences(frame, expected)));
}

void TestMapRenderer::panStepsMatchAFullRedraw_data() {
    QTest::addColumn<float>("scale");
    QTest::newRow("scale 3") << 3.0f;
    QTest::newRow("scale 12, labels") << 12.0f;
}

void TestMapRenderer::panStepsMatchAFullRedraw() {
    QFETCH(float, scale);
    const MapStore store = BusyTown();
    const LayerSwitches layers = LayerSwitches::All();
    MapTransform t = View(scale, QSize(640, 480));
    CMapRenderer renderer;
    QImage frame = renderer.Render(store, t, layers);
    // Drags of a few pixels, arrow-key and page steps, and one past the window.
    const QPoint steps[] = {{7, 0},     {0, -5},  {-13, 9},  {50, 0}, {0, 50},
                            {-3, -400}, {0, 400}, {31, -17}, {700, 0}};
    for (const QPoint& step : steps) {
        const MapTransform next(t.ClientSize(), t.Scale(), t.Origin() + step);
        QVERIFY(CMapRenderer::CanPan(t, next));
        const QRegion drawn = renderer.PanFrame(frame, store, t, next, layers);
        t = next;
        const QImage expected = RenderMap(store, t, layers);
        QVERIFY2(frame == expected, qPrintable(QStringLiteral("after a step of (%1, %2): %3")
                                                   .arg(step.x())
                                                   .arg(step.y())
                                                   .arg(Differences(frame, expected))));
        // A small step draws little of the frame.
        if (std::abs(step.x()) + std::abs(step.y()) < 20)
            QVERIFY(drawn.boundingRect().width() * drawn.boundingRect().height() < 640 * 480 / 2 ||
                    drawn.rectCount() > 1);
    }
}

void TestMapRenderer::rasterFillTakesPixelCentres() {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    CBlockRaster raster(painter);
    QVERIFY(raster.IsUsable());
    const QPoint square[] = {{2, 3}, {7, 3}, {7, 9}, {2, 9}};
    raster.FillPolygon(square, 4, qRgb(255, 0, 0));
    painter.end();
    // Left and top edges inside, right and bottom edges outside: 5 x 6 pixels.
    QCOMPARE(CountColor(image, image.rect(), Rgb24(255, 0, 0)), 30);
    QCOMPARE(image.pixel(2, 3) & 0xffffff, Rgb24(255, 0, 0));
    QCOMPARE(image.pixel(6, 8) & 0xffffff, Rgb24(255, 0, 0));
    QCOMPARE(image.pixel(7, 3) & 0xffffff, kWhite);
    QCOMPARE(image.pixel(2, 9) & 0xffffff, kWhite);

    // A self-overlapping outline: the doubly covered part is outside.
    image.fill(Qt::white);
    QPainter again(&image);
    CBlockRaster raster2(again);
    const QPoint twice[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0},
                            {5, 5}, {15, 5}, {15, 15}, {5, 15}, {5, 5}};
    raster2.FillPolygon(twice, 10, qRgb(0, 0, 255));
    again.end();
    QCOMPARE(image.pixel(2, 2) & 0xffffff, Rgb24(0, 0, 255));
    QCOMPARE(image.pixel(7, 7) & 0xffffff, kWhite);
    QCOMPARE(image.pixel(12, 12) & 0xffffff, Rgb24(0, 0, 255));
}

void TestMapRenderer::rasterLineLeavesOutItsLastPixel() {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    CBlockRaster raster(painter);
    const QPoint line[] = {{2, 2}, {12, 2}, {12, 8}};
    raster.Polyline(line, 3, qRgb(0, 0, 0));
    painter.end();
    QCOMPARE(CountColor(image, image.rect(), 0), 16);
    QCOMPARE(image.pixel(2, 2) & 0xffffff, Rgb24(0, 0, 0));
    QCOMPARE(image.pixel(12, 2) & 0xffffff, Rgb24(0, 0, 0)); // start of the second segment
    QCOMPARE(image.pixel(12, 8) & 0xffffff, kWhite);
}

void TestMapRenderer::rasterClipsLongLinesExactly() {
    // The same diagonal drawn whole into a large picture and clipped into a small
    // one covers the same pixels where they overlap.
    QImage big(3000, 3000, QImage::Format_RGB32);
    big.fill(Qt::white);
    QImage small(100, 100, QImage::Format_RGB32);
    small.fill(Qt::white);
    const QPoint far[] = {{-1000, -700}, {2900, 2100}};
    {
        QPainter p(&big);
        p.translate(1000, 1000);
        CBlockRaster raster(p);
        QVERIFY(raster.IsUsable());
        raster.Polyline(far, 2, qRgb(0, 0, 0));
    }
    {
        QPainter p(&small);
        CBlockRaster raster(p);
        raster.Polyline(far, 2, qRgb(0, 0, 0));
    }
    QVERIFY(CountColor(small, small.rect(), 0) > 50);
    QVERIFY(small == big.copy(1000, 1000, 100, 100));
}

void TestMapRenderer::rasterAgreesWithThePainter() {
    // The direct raster serves 32-bit frames; printing goes through the
    // painter. Both must show the same blocks.
    const MapStore store = GenerateTown(TownOptions{1500, 5});
    LayerSwitches layers;
    layers.m_bFillBlocks = true;
    for (float scale : {1.0f, 3.0f, 12.0f}) {
        const MapTransform t = View(scale, QSize(500, 400));
        QImage direct(500, 400, QImage::Format_RGB32);
        QImage painted(500, 400, QImage::Format_ARGB32);
        direct.fill(Qt::white);
        painted.fill(Qt::white);
        CMapRenderer a, b;
        {
            QPainter p(&direct);
            a.DrawLayers(p, store, t, layers);
        }
        {
            QPainter p(&painted);
            QVERIFY(!CBlockRaster(p).IsUsable());
            b.DrawLayers(p, store, t, layers);
        }
        const QImage other = painted.convertToFormat(QImage::Format_RGB32);
        int differ = 0;
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 500; ++x)
                differ += direct.pixel(x, y) != other.pixel(x, y);
        QVERIFY2(differ < 500 * 400 / 50,
                 qPrintable(QStringLiteral("scale %1: %2 pixels differ").arg(scale).arg(differ)));
    }
}

void TestMapRenderer::placementKeepsTheMoreImportantOfNamesThatMeet() {
    // 0 and 1 meet: the heavier (a longer street) stays. 2 and 3 meet with the
    // same weight: the longer name stays. 4 and 5 are equal: the first stays.
    // 6 meets nothing kept, far out in negative pixels.
    const std::vector<LabelCandidate> candidates = {
        {0, QRect(0, 0, 50, 10), 1, 9},      {1, QRect(40, 5, 50, 10), 3, 5},
        {2, QRect(200, 0, 60, 10), 2, 12},   {3, QRect(250, 8, 60, 10), 2, 20},
        {4, QRect(400, 400, 30, 10), 1, 4},  {5, QRect(410, 400, 30, 10), 1, 4},
        {6, QRect(-900, -700, 30, 10), 1, 4}};
    QCOMPARE(PlaceLabels(candidates), (std::vector<std::uint32_t>{1, 3, 4, 6}));
    // Touching edges do not meet; the order given does not matter.
    std::vector<LabelCandidate> side = {{7, QRect(0, 0, 10, 10), 1, 3},
                                        {2, QRect(10, 0, 10, 10), 1, 3}};
    QCOMPARE(PlaceLabels(side), (std::vector<std::uint32_t>{2, 7}));
    // A name across many cells still meets one kept in any of them.
    std::vector<LabelCandidate> wide = {{0, QRect(-100, 0, 400, 12), 5, 30},
                                        {1, QRect(250, 6, 20, 12), 1, 3}};
    QCOMPARE(PlaceLabels(wide), (std::vector<std::uint32_t>{0}));
}

void TestMapRenderer::placedNamesDrawAsIfTheOthersWereNotThere() {
    // The avenue has three labels, the alley one that sits on the avenue's
    // first; a third street stands apart. Placed, the alley goes and the
    // rest draws exactly as a map without the alley would.
    auto label = [](std::int32_t x, std::int32_t y, const char* text) {
        CmStname l;
        l.m_x = x;
        l.m_y = y;
        l.m_strText = SharedText(text);
        return l;
    };
    MapStore store = MakeStore();
    AddBlock(store, -200, -150, 200, 150, 1);
    store.m_labels = {label(-8, 2, "AVENIDA JUAREZ"), label(-6, 2, "CALLEJON DEL BESO"),
                      label(0, -40, "AVENIDA JUAREZ"), label(30, 40, "AVENIDA JUAREZ"),
                      label(-110, -80, "PINO")};
    MapStore without = MakeStore();
    AddBlock(without, -200, -150, 200, 150, 1);
    without.m_labels = {store.m_labels[0], store.m_labels[2], store.m_labels[3], store.m_labels[4]};
    const MapTransform t = View(16.0f);
    LayerSwitches layers;
    layers.m_bShowStreetNames = true;

    CMapRenderer plain;
    const QImage overlapping = plain.Render(store, t, layers);
    const QImage expected = plain.Render(without, t, layers);
    QVERIFY(overlapping != expected);
    CMapRenderer placing;
    placing.SetLabelPlacement(true);
    QCOMPARE(placing.Render(store, t, layers), expected);
    QCOMPARE(placing.Render(without, t, layers), expected);
}
