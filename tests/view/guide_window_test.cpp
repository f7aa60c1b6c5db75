// The guide window: its mapping both ways, its place and picture, clicks that
// move the map, closing with Enter and Esc, and a new map's picture.

#include "guide_window.h"
#include "map_window.h"
#include "messages.h"
#include "output_fixture.h"

#include <QFile>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <cstdlib>

Q_DECLARE_METATYPE(MapRect)

namespace {

MapPoint CentreOf(const MapRect& r) {
    return {static_cast<std::int32_t>((std::int64_t{r.left} + r.right) / 2),
            static_cast<std::int32_t>((std::int64_t{r.top} + r.bottom) / 2)};
}

bool IsRed(QRgb c) {
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
}

int RedPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += IsRed(image.pixel(x, y)) ? 1 : 0;
    return n;
}

// A left press at a position that may fall between pixels, as a high-density
// screen delivers it.
void PressAt(QWidget* w, QPointF at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
}

} // namespace

class TestGuideWindow : public QObject {
    Q_OBJECT
private slots:
    void frameFollowsTheFormula_data();
    void frameFollowsTheFormula();
    void frameCentreMapsBackToViewCentre_data();
    void frameCentreMapsBackToViewCentre();
    void showPlacesPictureAtBottomRight();
    void clickAtFrameCentreKeepsView_data();
    void clickAtFrameCentreKeepsView();
    void clickCentresMapThere();
    void frameFollowsThePannedMap();
    void frameLargerThanPictureIsClipped();
    void escAndEnterCloseAndShowAgainKeepsPicture();
    void secondMapShowsItsOwnPicture();
    void missingPictureSaysSoInSpanish();
};

void TestGuideWindow::frameFollowsTheFormula_data() {
    QTest::addColumn<MapRect>("view");
    QTest::addColumn<QRect>("frame");
    // Extent (-2000,-1500)-(2000,1500) on 400 pixels: k = 0.1.
    QTest::newRow("whole extent") << MapRect{-2000, -1500, 2000, 1500} << QRect(0, 0, 400, 300);
    QTest::newRow("middle") << MapRect{-1000, -500, 1000, 500} << QRect(100, 100, 200, 100);
    QTest::newRow("north-west corner") << MapRect{-2000, 1000, -1500, 1500} << QRect(0, 0, 50, 50);
    QTest::newRow("truncated") << MapRect{-1995, -1, 5, 1} << QRect(0, 149, 200, 1);
    // Past the northern edge the frame goes above the picture instead of
    // folding back into it.
    QTest::newRow("zoomed out") << MapRect{-4000, -3000, 4000, 3000} << QRect(-200, -150, 800, 600);
}

void TestGuideWindow::frameFollowsTheFormula() {
    QFETCH(MapRect, view);
    QFETCH(QRect, frame);
    const GuideMapping mapping{MapRect{-2000, -1500, 2000, 1500}, 400};
    QCOMPARE(mapping.PixelFrameOf(view), frame);
}

void TestGuideWindow::frameCentreMapsBackToViewCentre_data() {
    QTest::addColumn<MapRect>("extent");
    QTest::addColumn<int>("width");
    QTest::addColumn<MapRect>("view");
    QTest::newRow("sample town") << MapRect{-2741, -2769, 2741, 2769} << 512
                                 << MapRect{-1333, -1000, 1334, 1000};
    QTest::newRow("odd view") << MapRect{-2741, -2769, 2741, 2769} << 512
                              << MapRect{-17, 233, 390, 511};
    QTest::newRow("more pixels than units")
        << MapRect{-100, -80, 100, 80} << 640 << MapRect{-31, -7, 13, 29};
    QTest::newRow("south-east beyond")
        << MapRect{-1000, -1000, 1000, 1000} << 300 << MapRect{900, -1400, 1500, -700};
}

void TestGuideWindow::frameCentreMapsBackToViewCentre() {
    QFETCH(MapRect, extent);
    QFETCH(int, width);
    QFETCH(MapRect, view);
    const GuideMapping mapping{extent, width};
    const MapPoint back = mapping.MapPointAt(mapping.FrameOf(view).center());
    const double cx = (double{1} * view.left + view.right) / 2;
    const double cy = (double{1} * view.top + view.bottom) / 2;
    QVERIFY2(std::abs(back.x - cx) <= 1.0, qPrintable(QString::number(back.x - cx)));
    QVERIFY2(std::abs(back.y - cy) <= 1.0, qPrintable(QString::number(back.y - cy)));
}

void TestGuideWindow::showPlacesPictureAtBottomRight() {
    OutputFixture f(QColor(0, 160, 0));
    CGuideWnd::ShowFor(*f.wnd, f.picture);
    CGuideWnd* guide = CGuideWnd::Of(*f.wnd);
    QVERIFY(guide);
    QVERIFY(guide->isVisible());
    QVERIFY(guide->PictureShown());
    QCOMPARE(guide->size(), QSize(400, 300));
    const QRect screen = f.wnd->screen()->geometry();
    QCOMPARE(guide->pos(), QPoint(screen.right() + 1 - 400 - 15, screen.bottom() + 1 - 300 - 30));
    QCOMPARE(guide->Frame(), guide->Mapping().PixelFrameOf(f.wnd->VisibleRect()));

    const QImage shot = guide->grab().toImage();
    const QRect frame = guide->Frame();
    QVERIFY(frame.width() > 2 && frame.height() > 2);
    QVERIFY(IsRed(shot.pixel(frame.left(), frame.center().y())));
    QVERIFY(IsRed(shot.pixel(frame.right(), frame.center().y())));
    QVERIFY(IsRed(shot.pixel(frame.center().x(), frame.top())));
    QVERIFY(IsRed(shot.pixel(frame.center().x(), frame.bottom())));
    // Inside and outside the frame the picture shows.
    QVERIFY(!IsRed(shot.pixel(frame.center())));
    QVERIFY(qGreen(shot.pixel(frame.center())) > 120);
    QVERIFY(qGreen(shot.pixel(2, 2)) > 120);
}

void TestGuideWindow::clickAtFrameCentreKeepsView_data() {
    QTest::addColumn<float>("scale");
    QTest::addColumn<QPoint>("centre");
    QTest::newRow("scale 10") << 10.0f << QPoint(0, 0);
    QTest::newRow("scale 20 off centre") << 20.0f << QPoint(-777, 431);
    QTest::newRow("scale 12.5") << 12.5f << QPoint(1203, -999);
}

void TestGuideWindow::clickAtFrameCentreKeepsView() {
    QFETCH(float, scale);
    QFETCH(QPoint, centre);
    OutputFixture f;
    f.wnd->ZoomTo(scale, MapPoint{centre.x(), centre.y()});
    CGuideWnd::ShowFor(*f.wnd, f.picture);
    CGuideWnd* guide = CGuideWnd::Of(*f.wnd);
    const MapPoint before = CentreOf(f.wnd->VisibleRect());
    PressAt(guide, guide->ExactFrame().center());
    const MapPoint after = CentreOf(f.wnd->VisibleRect());
    // At these scales a pixel is a map unit or less.
    QVERIFY2(std::abs(after.x - before.x) <= 1 && std::abs(after.y - before.y) <= 1,
             qPrintable(QStringLiteral("(%1,%2) -> (%3,%4)")
                            .arg(before.x)
                            .arg(before.y)
                            .arg(after.x)
                            .arg(after.y)));
}

void TestGuideWindow::clickCentresMapThere() {
    OutputFixture f;
    CGuideWnd::ShowFor(*f.wnd, f.picture);
    CGuideWnd* guide = CGuideWnd::Of(*f.wnd);
    // Guide pixel (100, 200) is map point (-1000, -500) at k = 0.1.
    QTest::mouseClick(guide, Qt::LeftButton, {}, QPoint(100, 200));
    const MapPoint centre = CentreOf(f.wnd->VisibleRect());
    // Within a pixel of the map window at scale 3 (3.3 units).
    QVERIFY(std::abs(centre.x - -1000) <= 4);
    QVERIFY(std::abs(centre.y - -500) <= 4);
    // A right press moves nothing.
    const QPoint origin = f.wnd->Origin();
    QTest::mouseClick(guide, Qt::RightButton, {}, QPoint(300, 50));
    QCOMPARE(f.wnd->Origin(), origin);
}

void TestGuideWindow::frameFollowsThePannedMap() {
    OutputFixture f;
    CGuideWnd::ShowFor(*f.wnd, f.picture);
    CGuideWnd* guide = CGuideWnd::Of(*f.wnd);
    const QRect before = guide->Frame();
    // Left arrow: the map moves 50 pixels right, the view 50 pixels west.
    QTest::keyClick(f.wnd, Qt::Key_Left);
    f.wnd->repaint();
    QCOMPARE(guide->View(), f.wnd->VisibleRect());
    QCOMPARE(guide->Frame(), guide->Mapping().PixelFrameOf(f.wnd->VisibleRect()));
    QVERIFY(guide->Frame().left() < before.left());
    QCOMPARE(guide->Frame().top(), before.top());
}

void TestGuideWindow::frameLargerThanPictureIsClipped() {
    OutputFixture f;
    f.wnd->ZoomTo(1.0f, MapPoint{0, 0});
    CGuideWnd::ShowFor(*f.wnd, f.picture);
    CGuideWnd* guide = CGuideWnd::Of(*f.wnd);
    const QRect frame = guide->Frame();
    QVERIFY(frame.contains(QRect(0, 0, 400, 300)));
    QVERIFY(frame.top() < 0);
    // Every edge lies outside the window: no red at all.
    QCOMPARE(RedPixels(guide->grab().toImage()), 0);
}

void TestGuideWindow::escAndEnterCloseAndShowAgainKeepsPicture() {
    OutputFixture f(QColor(0, 0, 200));
    QSignalSpy closed(f.wnd, &CMapaWnd::GuideClosed);
    CGuideWnd::ShowFor(*f.wnd, f.picture);
    QPointer<CGuideWnd> guide = CGuideWnd::Of(*f.wnd);
    const QPoint place = guide->pos();
    QTest::keyClick(guide, Qt::Key_Escape);
    QVERIFY(!guide->isVisible());
    QCOMPARE(closed.count(), 1);

    // Shown again: the same window at the same place, the picture not read again.
    f.picture.clear();
    CGuideWnd::ShowFor(*f.wnd, f.picture);
    QCOMPARE(CGuideWnd::Of(*f.wnd), guide.data());
    QVERIFY(guide->isVisible());
    QCOMPARE(guide->pos(), place);
    QVERIFY(guide->PictureShown());
    QVERIFY(qBlue(guide->grab().toImage().pixel(2, 2)) > 150);

    QTest::keyClick(guide, Qt::Key_Return);
    QVERIFY(!guide->isVisible());
    QCOMPARE(closed.count(), 2);
    QVERIFY(guide); // kept for the next show
}

void TestGuideWindow::secondMapShowsItsOwnPicture() {
    OutputFixture f(QColor(200, 0, 0));
    CGuideWnd::ShowFor(*f.wnd, f.picture);
    QPointer<CGuideWnd> first = CGuideWnd::Of(*f.wnd);
    QVERIFY(qRed(first->grab().toImage().pixel(2, 2)) > 150);

    // Another map of the same name is opened, with a picture of another colour.
    f.picture = JpegPicture(QColor(0, 0, 200), 200, 150);
    f.wnd->OnMapLoaded();
    QVERIFY(!first->isVisible());
    CGuideWnd::ShowFor(*f.wnd, f.picture);
    CGuideWnd* second = CGuideWnd::Of(*f.wnd);
    QVERIFY(second);
    QVERIFY(first.isNull());
    QCOMPARE(second->size(), QSize(200, 150));
    const QRgb c = second->grab().toImage().pixel(2, 2);
    QVERIFY(qBlue(c) > 150 && qRed(c) < 60);
}

void TestGuideWindow::missingPictureSaysSoInSpanish() {
    OutputFixture f(QColor(), false);
    CGuideWnd::ShowFor(*f.wnd, f.picture);
    CGuideWnd* guide = CGuideWnd::Of(*f.wnd);
    QVERIFY(guide->isVisible());
    QVERIFY(!guide->PictureShown());
    QVERIFY(
        guide->PictureError().startsWith(QStringLiteral("No se pudo mostrar la imagen del mapa.")));
    QCOMPARE(guide->size(), QSize(CGuideWnd::kNoPictureWidth, CGuideWnd::kNoPictureHeight));
    // No frame over nothing, and a click moves nothing.
    QCOMPARE(RedPixels(guide->grab().toImage()), 0);
    const QPoint origin = f.wnd->Origin();
    QTest::mouseClick(guide, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(f.wnd->Origin(), origin);

    // A damaged picture says so too.
    const char damaged[] = "\xff\xd8 no es un JPEG";
    f.picture.assign(damaged, damaged + sizeof damaged - 1);
    f.wnd->OnMapLoaded();
    CGuideWnd::ShowFor(*f.wnd, f.picture);
    QVERIFY(!CGuideWnd::Of(*f.wnd)->PictureShown());
    QVERIFY(CGuideWnd::Of(*f.wnd)->PictureError().contains(QStringLiteral("JPEG")));
}

QTEST_MAIN(TestGuideWindow)
#include "guide_window_test.moc"
