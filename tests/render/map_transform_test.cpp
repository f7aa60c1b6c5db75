#include "map_transform_test.h"

#include "map_transform.h"

#include <QTest>
#include <cstdlib>

void TestMapTransform::mulDivRoundsHalfAwayFromZero() {
    QCOMPARE(MulDiv(5, 3, 2), 8);   // 7.5
    QCOMPARE(MulDiv(-5, 3, 2), -8); // -7.5
    QCOMPARE(MulDiv(5, -3, -2), 8);
    QCOMPARE(MulDiv(7, 1, 3), 2); // 2.33
    QCOMPARE(MulDiv(1, 1, 0), -1);
    QCOMPARE(MulDiv(2000000000, 2000000000, 1), -1); // does not fit
}

void TestMapTransform::extents_data() {
    QTest::addColumn<QSize>("client");
    QTest::addColumn<float>("scale");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QSize>("viewport");
    // 8000/3 = 2666.67 -> 2666; x ratio is larger, MulDiv(2666, 600, 2000) = 800.
    QTest::newRow("800x600 at 3") << QSize(800, 600) << 3.0f << QSize(2666, 2000)
                                  << QSize(800, -600);
    QTest::newRow("1000x1000 at 10")
        << QSize(1000, 1000) << 10.0f << QSize(1000, 1000) << QSize(1000, -1000);
    // y ratio 72/102 is larger than 218/311: y shrinks to MulDiv(102, 218, 311) = 71.498 -> 71.
    QTest::newRow("y shrinks") << QSize(218, 72) << 7.0f << QSize(311, 102) << QSize(218, -71);
    // x ratio 50/41 is larger than 72/60: x shrinks to MulDiv(41, 72, 60) = 49.2 -> 49.
    QTest::newRow("x shrinks") << QSize(50, 72) << 12.0f << QSize(41, 60) << QSize(49, -72);
    // Nothing to map onto: every extent stays at least 1.
    QTest::newRow("empty client") << QSize(0, 0) << 3.0f << QSize(1, 1) << QSize(1, -1);
    QTest::newRow("less than a unit") << QSize(1, 1) << 20.0f << QSize(1, 1) << QSize(1, -1);
}

void TestMapTransform::extents() {
    QFETCH(QSize, client);
    QFETCH(float, scale);
    QFETCH(QSize, window);
    QFETCH(QSize, viewport);
    const MapTransform t(client, scale, QPoint(0, 0));
    QCOMPARE(t.WindowExtent(), window);
    QCOMPARE(t.ViewportExtent(), viewport);
}

void TestMapTransform::conversionsAtScaleTen() {
    // At scale 10 one map unit is one pixel, y up.
    const MapTransform t(QSize(1000, 1000), 10.0f, QPoint(500, 400));
    QCOMPARE(t.ToPixel(0, 0), QPoint(500, 400));
    QCOMPARE(t.ToPixel(30, 20), QPoint(530, 380));
    QCOMPARE(t.ToPixel(-30, -20), QPoint(470, 420));
    QCOMPARE(t.ToMap(QPoint(530, 380)), (MapPoint{30, 20}));
    QCOMPARE(t.VisibleRect(), (MapRect{-500, -600, 500, 400}));
}

void TestMapTransform::conversionsRoundLikeTheDesktop() {
    // Scale 3 over 800 x 600: 10 units are 3 pixels (800/2666 on x, 600/2000 on y).
    const MapTransform t(QSize(800, 600), 3.0f, QPoint(400, 300));
    // x: 100 * 800 / 2666 = 30.007 -> 30; y: -100 * 600 / 2000 = -30.
    QCOMPARE(t.ToPixel(100, 100), QPoint(430, 270));
    // 5 * 600 / 2000 = 1.5 -> 2 (half away from zero); -5 -> -2.
    QCOMPARE(t.ToPixel(0, 5), QPoint(400, 298));
    QCOMPARE(t.ToPixel(0, -5), QPoint(400, 302));
    // Back: 1 pixel is 2000 / 600 = 3.33 units -> 3.
    QCOMPARE(t.ToMap(QPoint(400, 299)), (MapPoint{0, 3}));
    QCOMPARE(t.ToMap(QPoint(401, 300)), (MapPoint{3, 0}));
}

void TestMapTransform::roundTripWithinOnePixelAtEveryScale() {
    for (int s = 1; s <= 20; ++s) {
        const MapTransform t(QSize(1013, 677), static_cast<float>(s), QPoint(321, 287));
        for (int x = -40; x < 1100; x += 37) {
            for (int y = -25; y < 720; y += 29) {
                const QPoint back = t.ToPixel(t.ToMap(QPoint(x, y)));
                if (std::abs(back.x() - x) > 1 || std::abs(back.y() - y) > 1)
                    QFAIL(qPrintable(QStringLiteral("scale %1: (%2,%3) came back as (%4,%5)")
                                         .arg(s)
                                         .arg(x)
                                         .arg(y)
                                         .arg(back.x())
                                         .arg(back.y())));
            }
        }
    }
}

void TestMapTransform::centeringPutsThePointAtTheCentre() {
    const QSize client(917, 533);
    const MapPoint points[] = {{0, 0}, {12345, -6789}, {-250000, 480000}, {7, 3}};
    for (int s = 1; s <= 20; ++s) {
        const MapTransform probe(client, static_cast<float>(s), QPoint());
        for (const MapPoint& p : points) {
            const MapTransform t(client, static_cast<float>(s), probe.OriginCentering(p));
            const QPoint at = t.ToPixel(p);
            QVERIFY2(std::abs(at.x() - client.width() / 2) <= 1 &&
                         std::abs(at.y() - client.height() / 2) <= 1,
                     qPrintable(QStringLiteral("scale %1 point (%2,%3) at (%4,%5)")
                                    .arg(s)
                                    .arg(p.x)
                                    .arg(p.y)
                                    .arg(at.x())
                                    .arg(at.y())));
        }
    }
    // Centring by hand: (W/2 - dx, H/2 + dy) with MulDiv sizes.
    const MapTransform t(QSize(800, 600), 3.0f, QPoint());
    QCOMPARE(t.OriginCentering({1000, 1000}), QPoint(400 - 300, 300 + 300));
}

void TestMapTransform::visibleRectIsNormalised() {
    const MapTransform t(QSize(800, 600), 3.0f, QPoint(400, 300));
    const MapRect v = t.VisibleRect();
    QVERIFY(v.left < v.right);
    QVERIFY(v.top < v.bottom);
    QCOMPARE(v.left, -1333);
    QCOMPARE(v.right, 1333);
    QCOMPARE(v.top, -1000);
    QCOMPARE(v.bottom, 1000);
}

void TestMapTransform::qtransformAgreesWithConversions() {
    const MapTransform t(QSize(640, 480), 7.0f, QPoint(100, 200));
    const QTransform q = t.ToQTransform();
    for (const MapPoint p : {MapPoint{0, 0}, MapPoint{500, -300}, MapPoint{-1234, 777}}) {
        const QPointF f = q.map(QPointF(p.x, p.y));
        const QPoint exact = t.ToPixel(p);
        QVERIFY(std::abs(f.x() - exact.x()) <= 0.5 && std::abs(f.y() - exact.y()) <= 0.5);
    }
}

void TestMapTransform::equalityComparesTheInputs() {
    const MapTransform a(QSize(10, 10), 3.0f, QPoint(1, 2));
    QVERIFY(a == MapTransform(QSize(10, 10), 3.0f, QPoint(1, 2)));
    QVERIFY(!(a == MapTransform(QSize(10, 10), 4.0f, QPoint(1, 2))));
    QVERIFY(!(a == MapTransform(QSize(10, 11), 3.0f, QPoint(1, 2))));
    QVERIFY(!(a == MapTransform(QSize(10, 10), 3.0f, QPoint(1, 3))));
}

void TestMapTransform::impossibleScaleStillConverts() {
    const MapTransform t(QSize(100, 100), 0.0f, QPoint(50, 50));
    QCOMPARE(t.WindowExtent(), QSize(1000, 1000));
    QCOMPARE(t.ToPixel(0, 0), QPoint(50, 50));
}
