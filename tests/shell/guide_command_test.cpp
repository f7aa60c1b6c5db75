// The frame's "Mostrar &Guía" command: its check mark follows the guide when
// the guide closes itself, and a second map's guide shows that map's picture.

#include "guide_window.h"
#include "main_frame.h"
#include "map_document.h"
#include "map_file.h"
#include "map_save.h"
#include "map_window.h"
#include "output_fixture.h"
#include "test_towns.h"

#include <QAction>
#include <QFile>
#include <QTest>

namespace {

// A map file in `dir` whose picture is one colour.
QString WriteMap(const QString& dir, const std::string& name, QColor colour) {
    MapStore store = MakeStore();
    store.m_strTown = name;
    AddBlock(store, -1000, -750, 1000, 750, 1);
    const QString path =
        dir + QLatin1Char('/') + QString::fromStdString(name) + QStringLiteral(".map");
    Problem error;
    if (!SaveMapFile(store, QFile::encodeName(path).toStdString(), JpegPicture(colour, 160, 120),
                     error))
        return {};
    return path;
}

} // namespace

class TestGuideCommand : public QObject {
    Q_OBJECT
private slots:
    void checkMarkFollowsTheGuide();
};

void TestGuideCommand::checkMarkFollowsTheGuide() {
    QTemporaryDir dir;
    const QString first = WriteMap(dir.path(), "primero", QColor(200, 0, 0));
    const QString second = WriteMap(dir.path(), "segundo", QColor(0, 0, 200));
    QVERIFY(!first.isEmpty() && !second.isEmpty());

    CMapDocument document;
    CMainFrame frame(document, dir.path());
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QVERIFY(frame.OpenMap(first));
    QAction* guideCommand = frame.Action(ID_VIEW_GUIDE);
    guideCommand->trigger();
    CGuideWnd* guide = CGuideWnd::Of(*frame.MapWnd());
    QVERIFY(guide && guide->isVisible());
    QVERIFY(frame.GuideShown());
    QVERIFY(guideCommand->isChecked());
    QVERIFY(qRed(guide->grab().toImage().pixel(2, 2)) > 150);

    // Esc closes the guide; the command's check mark goes with it.
    QTest::keyClick(guide, Qt::Key_Escape);
    QVERIFY(!guide->isVisible());
    QVERIFY(!frame.GuideShown());
    QVERIFY(!guideCommand->isChecked());

    // So the next command shows it again rather than only clearing the mark.
    guideCommand->trigger();
    QVERIFY(guide->isVisible());
    QVERIFY(guideCommand->isChecked());
    guideCommand->trigger();
    QVERIFY(!guide->isVisible());
    QVERIFY(!guideCommand->isChecked());

    // Open while shown: the guide closes, and showing it again shows the new picture.
    guideCommand->trigger();
    QVERIFY(frame.OpenMap(second));
    QVERIFY(!guideCommand->isChecked());
    QVERIFY(!CGuideWnd::Of(*frame.MapWnd()) || !CGuideWnd::Of(*frame.MapWnd())->isVisible());
    guideCommand->trigger();
    CGuideWnd* again = CGuideWnd::Of(*frame.MapWnd());
    QVERIFY(again && again->isVisible());
    const QRgb c = again->grab().toImage().pixel(2, 2);
    QVERIFY(qBlue(c) > 150 && qRed(c) < 60);
}

QTEST_MAIN(TestGuideCommand)
#include "guide_command_test.moc"
