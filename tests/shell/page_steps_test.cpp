// Every edit a page makes is one step of the Edición menu that undoes and
// redoes whole, and the saved file holds exactly what was done, read back by
// the command-line tool.

#include "ctrl_wnd.h"
#include "edit_history.h"
#include "main_frame.h"
#include "map_store.h"
#include "messages.h"
#include "modal_script.h"
#include "page_fixture.h"
#include "private_home.h"
#include "prop_calles.h"
#include "prop_referencias.h"
#include "prop_zonas.h"
#include "propiedades.h"
#include "qt_helpers.h"
#include "startup_splash.h"
#include "tool_run.h"

#include <QAction>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

class PageStepsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_home;

private slots:
    void initTestCase() { UsePrivateHome(m_home); }
    void init() { CStartupSplash::EnableSplashScreen(false); }

    void EveryPageStepUndoesAndRedoes_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("step");
        const QString rename = QStringLiteral("rename");
        const QString yes = QStringLiteral("Sí");
        QTest::newRow("renombrar calle") << int(CPropiedades::kStreetsPage) << 1004 << 1 << rename
                                         << QStringLiteral("Renombrar calle");
        QTest::newRow("eliminar calle") << int(CPropiedades::kStreetsPage) << 1005 << 0 << yes
                                        << QStringLiteral("Eliminar calle");
        QTest::newRow("renombrar referencia") << int(CPropiedades::kReferencesPage) << 1004 << 0
                                              << rename << QStringLiteral("Renombrar referencia");
        QTest::newRow("eliminar referencia") << int(CPropiedades::kReferencesPage) << 1005 << 1
                                             << yes << QStringLiteral("Eliminar referencia");
        QTest::newRow("renombrar colonia") << int(CPropiedades::kColoniesPage) << 1004 << 0
                                           << rename << QStringLiteral("Renombrar colonia");
        QTest::newRow("eliminar colonia") << int(CPropiedades::kColoniesPage) << 1005 << 0 << yes
                                          << QStringLiteral("Eliminar colonia");
        QTest::newRow("renombrar ruta") << int(CPropiedades::kRoutesPage) << 1004 << 0 << rename
                                        << QStringLiteral("Renombrar ruta");
        QTest::newRow("eliminar ruta") << int(CPropiedades::kRoutesPage) << 1005 << 2 << yes
                                       << QStringLiteral("Eliminar ruta");
        QTest::newRow("nueva zona") << int(CPropiedades::kZonesPage) << 1010 << 0
                                    << QStringLiteral("zone") << QStringLiteral("Nueva zona");
        QTest::newRow("editar zona") << int(CPropiedades::kZonesPage) << 1004 << 1
                                     << QStringLiteral("zone") << QStringLiteral("Editar zona");
        QTest::newRow("eliminar zona")
            << int(CPropiedades::kZonesPage) << 1005 << 0 << yes << QStringLiteral("Eliminar zona");
    }

    void EveryPageStepUndoesAndRedoes() {
        QFETCH(int, page);
        QFETCH(int, button);
        QFETCH(int, line);
        QFETCH(QString, answer);
        QFETCH(QString, step);
        PageEditor editor;
        CPropiedades* sheet = editor.Sheet();
        QWidget* widget = sheet->widget(page);
        auto* list = widget->findChild<QListWidget*>(QStringLiteral("list1001"));
        ClickLine(sheet, widget, list, line);
        const QByteArray before = Content(editor.store);
        const QStringList linesBefore = Lines(list);
        QVERIFY(!editor.frame->Action(ID_EDIT_UNDO)->isEnabled());

        CModalScript::Act reply = answer == QLatin1String("rename")
                                      ? NameAnswer(QStringLiteral("Zaragoza"))
                                  : answer == QLatin1String("zone")
                                      ? ZoneAnswer(QStringLiteral("Zaragoza"), QStringLiteral("z"))
                                      : Answer(answer);
        {
            CModalScript script{reply};
            ClickButton(widget, button);
            QCOMPARE(script.Answered(), 1);
        }
        const QByteArray after = Content(editor.store);
        const QStringList linesAfter = Lines(list);
        QVERIFY(after != before);
        QVERIFY(editor.store.IsChanged());
        QCOMPARE(editor.History().Stack().undoText(), step);
        QVERIFY(editor.frame->Action(ID_EDIT_UNDO)->isEnabled());

        // Undoing leaves the store and the page as they were, unchanged since the
        // open, with nothing chosen or highlighted.
        if (list->count() > 0)
            ClickLine(sheet, widget, list, 0);
        editor.Undo();
        QCOMPARE(Content(editor.store), before);
        QCOMPARE(Lines(list), linesBefore);
        QVERIFY(!editor.store.IsChanged());
        QCOMPARE(Selected(list), -1);
        QVERIFY(editor.frame->Action(ID_EDIT_REDO)->isEnabled());
        for (const auto& street : editor.store.m_listStreets)
            QVERIFY(!street->m_bShow);
        for (const auto& reference : editor.store.m_listReferences)
            QVERIFY(!reference->m_bHighlight);
        for (const auto& colony : editor.store.m_listColonies)
            QVERIFY(!colony->m_bHighlight);
        for (const auto& route : editor.store.m_listRoutes)
            QVERIFY(!route->m_bShow);

        editor.Redo();
        QCOMPARE(Content(editor.store), after);
        QCOMPARE(Lines(list), linesAfter);
        QVERIFY(editor.store.IsChanged());
    }

    // An undo refills only the page of the records it puts back: a street
    // chosen on its page stays chosen and shown when a reference's rename is
    // undone.
    void AnUndoLeavesTheOtherPagesAsTheyAre() {
        PageEditor editor;
        CPropiedades* sheet = editor.Sheet();
        QWidget* references = sheet->widget(CPropiedades::kReferencesPage);
        auto* referenceList = references->findChild<QListWidget*>(QStringLiteral("list1001"));
        const QStringList referencesBefore = Lines(referenceList);
        ClickLine(sheet, references, referenceList, 0);
        {
            CModalScript script{NameAnswer(QStringLiteral("Zaragoza"))};
            ClickButton(references, 1004);
            QCOMPARE(script.Answered(), 1);
        }
        QVERIFY(Lines(referenceList) != referencesBefore);
        QWidget* streets = sheet->widget(CPropiedades::kStreetsPage);
        auto* streetList = streets->findChild<QListWidget*>(QStringLiteral("list1001"));
        ClickLine(sheet, streets, streetList, 1);
        const QString chosen = streetList->item(1)->text();
        const auto shown = [&editor] {
            QStringList names;
            for (const auto& street : editor.store.m_listStreets)
                if (street->m_bShow)
                    names << QString::fromStdString(street->m_strName);
            return names;
        };
        QCOMPARE(shown(), QStringList{chosen});

        editor.Undo();
        QCOMPARE(Lines(referenceList), referencesBefore);
        QCOMPARE(Selected(streetList), 1);
        QCOMPARE(streetList->item(1)->text(), chosen);
        QCOMPARE(shown(), QStringList{chosen});
    }

    void EditMenuAndItsKeys() {
        PageEditor editor;
        QStringList menus;
        for (QAction* a : editor.frame->menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus.mid(0, 3),
                 (QStringList{QStringLiteral("&Archivo"), QStringLiteral("&Edición"),
                              QStringLiteral("&Ver")}));
        QAction* undo = editor.frame->Action(ID_EDIT_UNDO);
        QAction* redo = editor.frame->Action(ID_EDIT_REDO);
        QCOMPARE(undo->text(), QStringLiteral("&Deshacer"));
        QCOMPARE(redo->text(), QStringLiteral("&Rehacer"));
        QVERIFY(!undo->isEnabled());
        QVERIFY(!redo->isEnabled());

        CPropCalles* page = editor.Sheet()->Calles();
        ClickLine(editor.Sheet(), page, page->List(), 0);
        {
            CModalScript script{NameAnswer(QStringLiteral("Reforma"))};
            ClickButton(page, 1004);
        }
        QVERIFY(undo->isEnabled());
        editor.frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(editor.frame.get()));
        QTest::keyClick(editor.frame.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Lines(page->List()).front(), QStringLiteral("Avenida Juárez"));
        QTest::keyClick(editor.frame.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(Lines(page->List()).front(), QStringLiteral("Reforma"));

        // A newly opened map starts without steps.
        QVERIFY(editor.frame->OpenMap(editor.dir.filePath(QStringLiteral("mitla.map"))));
        QVERIFY(!undo->isEnabled());
        QCOMPARE(editor.History().Stack().count(), 0);
    }

    void SavedFileHoldsExactlyWhatWasDone() {
        PageEditor editor;
        CPropiedades* sheet = editor.Sheet();
        // Rename a street, delete a reference and undo that, make a zone (which
        // drops the undone delete from the history), undo and redo it, save.
        ClickLine(sheet, sheet->Calles(), sheet->Calles()->List(), 1);
        {
            CModalScript s{NameAnswer(QStringLiteral("Benito Juárez"))};
            ClickButton(sheet->Calles(), 1004);
        }
        ClickLine(sheet, sheet->Referencias(), sheet->Referencias()->List(), 0);
        {
            CModalScript s{Answer(QStringLiteral("Sí"))};
            ClickButton(sheet->Referencias(), 1005);
        }
        QCOMPARE(editor.store.m_listReferences.size(), std::size_t(1));
        editor.Undo();
        sheet->setCurrentWidget(sheet->Zonas());
        {
            CModalScript s{
                ZoneAnswer(QStringLiteral("Centro histórico"), QStringLiteral("Línea 1\nLínea 2"))};
            ClickButton(sheet->Zonas(), 1010);
        }
        QVERIFY(!editor.frame->Action(ID_EDIT_REDO)->isEnabled());
        editor.Undo();
        editor.Redo();
        {
            CModalScript done{Answer(QStringLiteral("Aceptar"))};
            QVERIFY(editor.frame->SaveMap());
        }
        QVERIFY(!editor.store.IsChanged());

        const ToolRun dump = RunTool({QStringLiteral("dump"), QStringLiteral("--compact"),
                                      editor.Path(QStringLiteral("mitla.map"))});
        QCOMPARE(dump.code, 0);
        const QJsonObject map = QJsonDocument::fromJson(dump.out.toUtf8()).object();
        auto names = [&map](const char* key) {
            QStringList out;
            for (const QJsonValue& v : map.value(QLatin1String(key)).toArray())
                out << v.toObject().value(QStringLiteral("name")).toString();
            return out;
        };
        QCOMPARE(names("streets"),
                 (QStringList{QStringLiteral("Avenida Juárez"), QStringLiteral("Benito Juárez")}));
        QCOMPARE(names("references"),
                 (QStringList{QStringLiteral("Mercado"), QStringLiteral("Zócalo")}));
        QCOMPARE(names("zones"),
                 (QStringList{QStringLiteral("Centro histórico"), QStringLiteral("Mercados"),
                              QStringLiteral("Parques")}));
        const QJsonObject zone = map.value(QStringLiteral("zones")).toArray().at(0).toObject();
        QCOMPARE(zone.value(QStringLiteral("notes")).toString(),
                 QStringLiteral("Línea 1\nLínea 2"));
        QVERIFY(zone.value(QStringLiteral("blocks")).toArray().isEmpty());
        QCOMPARE(zone.value(QStringLiteral("number")).toInt(), 3);
        QCOMPARE(
            map.value(QStringLiteral("counters")).toObject().value(QStringLiteral("zone")).toInt(),
            4);
        QCOMPARE(names("colonies"), QStringList{QStringLiteral("Centro")});
        QCOMPARE(names("routes"),
                 (QStringList{QString(), QStringLiteral("Alameda"), QStringLiteral("Norte")}));
        QCOMPARE(names("categories"),
                 (QStringList{QStringLiteral("Escuelas"), QStringLiteral("Farmacias")}));

        // Undoing back past the save makes the map changed again; redoing to the
        // saved step makes it unchanged.
        editor.Undo();
        QVERIFY(editor.store.IsChanged());
        editor.Redo();
        QVERIFY(!editor.store.IsChanged());
    }
};

QTEST_MAIN(PageStepsTest)
#include "page_steps_test.moc"
