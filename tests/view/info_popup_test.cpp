// The business pop-up driven with the mouse and the keyboard, with a stand-in
// map window that hides it on UM_INFO_CLOSED as the real one does.

#include "info_popup.h"
#include "messages.h"

#include <QImage>
#include <QTest>
#include <QWidget>

#include <memory>

namespace {

class CFakeMapWnd : public QWidget {
public:
    CInfoPopup* m_pPopup = nullptr;
    int m_nClosed = 0;

protected:
    bool event(QEvent* event) override {
        if (const CUserMessage* m = CUserMessage::From(event)) {
            if (m->Message() == UM_INFO_CLOSED) {
                ++m_nClosed;
                if (m_pPopup)
                    m_pPopup->hide();
            }
            return true;
        }
        return QWidget::event(event);
    }
};

QImage Render(CInfoPopup& popup) {
    return popup.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool SameArea(const QImage& a, const QImage& b, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return false;
    return true;
}

} // namespace

class InfoPopupTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void opensAtOwnerWithCardSizeAndDefaultTexts();
    void longNameIsCutAtTheCloseBox();
    void closeBoxAndEscSendInfoClosed();
    void dragByTopStripMovesAndRemembers();
    void pressBelowStripDoesNothing();
    void reopensWhereItWasDropped();
    void newTextsReplaceInPlace();

private:
    std::unique_ptr<CFakeMapWnd> m_map;
    std::unique_ptr<CInfoPopup> m_popup;
    QRect m_rcInfoPopup;
};

void InfoPopupTest::init() {
    m_rcInfoPopup = QRect();
    m_map = std::make_unique<CFakeMapWnd>();
    m_map->setGeometry(100, 120, 640, 480);
    m_map->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_map.get()));
    m_popup = std::make_unique<CInfoPopup>(m_map.get(), m_map.get(), m_rcInfoPopup);
    m_map->m_pPopup = m_popup.get();
}

void InfoPopupTest::cleanup() {
    m_popup.reset();
    m_map.reset();
}

void InfoPopupTest::opensAtOwnerWithCardSizeAndDefaultTexts() {
    QCOMPARE(m_popup->Name(), QStringLiteral("Nombre"));
    QCOMPARE(m_popup->Phone(), QStringLiteral("Telefono"));
    QCOMPARE(m_popup->Comments(), QStringLiteral("Comentarios"));
    m_popup->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_popup.get()));
    QCOMPARE(m_popup->size(), QSize(277, 172));
    QCOMPARE(m_popup->pos(), m_map->mapToGlobal(QPoint(0, 0)));
    QVERIFY(m_popup->windowFlags() & Qt::FramelessWindowHint);
    const QImage card = CInfoPopup::DrawCard().toImage();
    QCOMPARE(card.size(), QSize(277, 172));
    // A darker title strip over a pale card.
    QVERIFY(qGray(card.pixel(100, 7)) < qGray(card.pixel(100, 100)));
}

void InfoPopupTest::longNameIsCutAtTheCloseBox() {
    m_popup->SetTexts(QString(), QString(), QString());
    const QImage empty = Render(*m_popup);
    m_popup->SetTexts(QString(80, QLatin1Char('W')), QString(), QString());
    const QImage named = Render(*m_popup);
    const QRect closeBox(277 - 15, 0, 15, 15);
    QVERIFY(SameArea(empty, named, closeBox));
    // The name was drawn right up to the box, and in the strip only.
    QVERIFY(!SameArea(empty, named, QRect(277 - 30, 0, 15, 15)));
    QVERIFY(!SameArea(empty, named, QRect(0, 0, 15, 15)));
    QVERIFY(SameArea(empty, named, QRect(0, 15, 277, 172 - 15)));

    // A short name is centred over the part of the strip left of the box.
    m_popup->SetTexts(QStringLiteral("i"), QString(), QString());
    const QImage shortName = Render(*m_popup);
    int left = 277, right = -1;
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 277; ++x)
            if (shortName.pixel(x, y) != empty.pixel(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    QVERIFY(right >= left);
    QVERIFY(qAbs((left + right) / 2 - (277 - 15) / 2) <= 3);
}

void InfoPopupTest::closeBoxAndEscSendInfoClosed() {
    m_popup->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_popup.get()));
    // Just outside the box (left of it, below it): no message.
    QTest::mouseClick(m_popup.get(), Qt::LeftButton, Qt::NoModifier, QPoint(277 - 16, 5));
    QTest::mouseClick(m_popup.get(), Qt::LeftButton, Qt::NoModifier, QPoint(277 - 5, 15));
    QCOMPARE(m_map->m_nClosed, 0);
    QVERIFY(m_popup->isVisible());
    // Its top-left corner is in.
    QTest::mouseClick(m_popup.get(), Qt::LeftButton, Qt::NoModifier, QPoint(277 - 15, 0));
    QCOMPARE(m_map->m_nClosed, 1);
    QVERIFY(!m_popup->isVisible());

    m_popup->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_popup.get()));
    QTest::mouseClick(m_popup.get(), Qt::LeftButton, Qt::NoModifier, QPoint(276, 14));
    QCOMPARE(m_map->m_nClosed, 2);

    m_popup->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_popup.get()));
    QTest::keyClick(m_popup.get(), Qt::Key_Escape);
    QCOMPARE(m_map->m_nClosed, 3);
    QVERIFY(!m_popup->isVisible());
}

void InfoPopupTest::dragByTopStripMovesAndRemembers() {
    m_popup->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_popup.get()));
    const QPoint start = m_popup->pos();
    QTest::mousePress(m_popup.get(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 20));
    QTest::mouseMove(m_popup.get(), QPoint(80, 60));
    QCOMPARE(m_popup->pos(), start + QPoint(30, 40));
    QVERIFY(m_rcInfoPopup.isEmpty()); // stored only when the drag ends
    // The window moved under the mouse: the same local point is a new place.
    QTest::mouseMove(m_popup.get(), QPoint(40, 30));
    QCOMPARE(m_popup->pos(), start + QPoint(20, 50));
    QTest::mouseRelease(m_popup.get(), Qt::LeftButton, Qt::NoModifier, QPoint(40, 30));
    QCOMPARE(m_rcInfoPopup, QRect(start + QPoint(20, 50), QSize(277, 172)));
    // Moving after the release drags nothing.
    QTest::mouseMove(m_popup.get(), QPoint(100, 100));
    QCOMPARE(m_popup->pos(), start + QPoint(20, 50));
    QCOMPARE(m_map->m_nClosed, 0);
}

void InfoPopupTest::pressBelowStripDoesNothing() {
    m_popup->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_popup.get()));
    const QPoint start = m_popup->pos();
    QTest::mousePress(m_popup.get(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 25));
    QTest::mouseMove(m_popup.get(), QPoint(90, 80));
    QTest::mouseRelease(m_popup.get(), Qt::LeftButton, Qt::NoModifier, QPoint(90, 80));
    QCOMPARE(m_popup->pos(), start);
    QVERIFY(m_rcInfoPopup.isEmpty());
    QCOMPARE(m_map->m_nClosed, 0);
}

void InfoPopupTest::reopensWhereItWasDropped() {
    m_popup->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_popup.get()));
    QTest::mousePress(m_popup.get(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 5));
    QTest::mouseMove(m_popup.get(), QPoint(120, 45));
    QTest::mouseRelease(m_popup.get(), Qt::LeftButton, Qt::NoModifier, QPoint(120, 45));
    const QPoint dropped = m_popup->pos();
    QVERIFY(dropped != m_map->mapToGlobal(QPoint(0, 0)));
    QTest::mouseClick(m_popup.get(), Qt::LeftButton, Qt::NoModifier, QPoint(270, 7));
    QVERIFY(!m_popup->isVisible());

    // The owner moves meanwhile; the remembered place wins.
    m_map->move(m_map->pos() + QPoint(10, 10));
    m_popup->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_popup.get()));
    QCOMPARE(m_popup->pos(), dropped);

    // A new pop-up object on the same remembered rectangle opens there too.
    CInfoPopup second(m_map.get(), m_map.get(), m_rcInfoPopup);
    second.show();
    QCOMPARE(second.pos(), dropped);
}

void InfoPopupTest::newTextsReplaceInPlace() {
    m_popup->SetTexts(QStringLiteral("FARMACIA"), QStringLiteral("555"), QStringLiteral("Centro"));
    m_popup->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_popup.get()));
    QTest::mousePress(m_popup.get(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 5));
    QTest::mouseMove(m_popup.get(), QPoint(60, 25));
    QTest::mouseRelease(m_popup.get(), Qt::LeftButton, Qt::NoModifier, QPoint(60, 25));
    const QPoint place = m_popup->pos();
    const QImage before = Render(*m_popup);

    m_popup->SetTexts(QStringLiteral("HOTEL"), QStringLiteral("777"),
                      QStringLiteral("Una calle larga con muchas palabras que no caben en una "
                                     "sola línea del recuadro de comentarios"));
    QCOMPARE(m_popup->pos(), place);
    QVERIFY(m_popup->isVisible());
    QCOMPARE(m_popup->Name(), QStringLiteral("HOTEL"));
    const QImage after = Render(*m_popup);
    QVERIFY(!SameArea(before, after, QRect(0, 0, 262, 15)));   // title
    QVERIFY(!SameArea(before, after, QRect(10, 20, 200, 13))); // telephone
    // The comments wrap onto more lines, inside their rectangle.
    QVERIFY(!SameArea(before, after, QRect(20, 68, 252, 30)));
    QVERIFY(SameArea(before, after, QRect(0, 167, 277, 5)));
    QVERIFY(SameArea(before, after, QRect(273, 50, 4, 122)));
}

QTEST_MAIN(InfoPopupTest)
#include "info_popup_test.moc"
