// Writing the guide: a guide stopped part way (the editor's cancel) or one that
// fails leaves what was at the path untouched and no temporary file beside it.

#include "town_guide_test.h"

#include "test_towns.h"
#include "town_guide.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

void TestTownGuide::stoppedGuideLeavesTheOldFileAsItWas() {
    MapStore store = MakeStore();
    store.m_strTown = "Tlacolula";
    for (int x = -1500; x < 1500; x += 150)
        AddBlock(store, float(x), -800.0f, float(x + 100), 800.0f, 1);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("guia.pdf"));
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("la guía de antes");
    }
    GuideOptions options;
    options.scale = 12.0f;
    int asked = 0;
    int total = 0;
    const GuideRequest stopped{store, options, GuideLayers(), {}, [&](int done, int all) {
                                   ++asked;
                                   total = all;
                                   return done < 3;
                               }};
    QString error = QStringLiteral("sin tocar");
    QVERIFY(!WriteTownGuide(path, stopped, error));
    // Stopped on request: no reason to show.
    QVERIFY(error.isEmpty());
    QCOMPARE(asked, 3);
    QVERIFY(total > 4);
    QFile old(path);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("la guía de antes"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("guia.pdf")});

    // Let run to the end, it replaces the file with a PDF and says it got there.
    int last = 0;
    const GuideRequest whole{store, options, GuideLayers(), {}, [&](int done, int all) {
                                 last = done;
                                 total = all;
                                 return true;
                             }};
    QVERIFY2(WriteTownGuide(path, whole, error), qPrintable(error));
    QCOMPARE(last, total);
    old.close();
    QVERIFY(old.open(QIODevice::ReadOnly));
    QVERIFY(old.readAll().startsWith("%PDF-"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("guia.pdf")});
}
