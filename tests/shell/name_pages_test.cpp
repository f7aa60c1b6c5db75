// The pages of named lists (streets, references, colonies, routes), the
// search dialog and the one Spanish order of every sorted list, driven through
// the real widgets of an editor over the small test town, with modal dialogs
// and questions answered as a person would answer them.

#include "abrir_mapa_dialog.h"
#include "buscar_dialog.h"
#include "ctrl_wnd.h"
#include "edit_history.h"
#include "main_frame.h"
#include "map_store.h"
#include "map_window.h"
#include "messages.h"
#include "modal_script.h"
#include "page_fixture.h"
#include "private_home.h"
#include "prop_calles.h"
#include "prop_colonias.h"
#include "prop_referencias.h"
#include "prop_rutas.h"
#include "prop_servicios.h"
#include "propiedades.h"
#include "qt_helpers.h"
#include "startup_splash.h"
#include "test_towns.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

class NamePagesTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_home;

private slots:
    void initTestCase() { UsePrivateHome(m_home); }
    void init() { CStartupSplash::EnableSplashScreen(false); }

    void ChoosingALineHighlightsAndLocates() {
        PageEditor editor;
        CPropiedades* sheet = editor.Sheet();
        auto& streets = editor.store.m_listStreets;
        ClickLine(sheet, sheet->Calles(), sheet->Calles()->List(), 1);
        QVERIFY(streets[1]->m_bShow);
        ClickLine(sheet, sheet->Calles(), sheet->Calles()->List(), 0);
        QVERIFY(streets[0]->m_bShow);
        QVERIFY(!streets[1]->m_bShow);
        QVERIFY(
            (editor.recorder->Of(UM_LOCATE_ITEM) ==
             std::vector<CMessageRecorder::Entry>{{UM_LOCATE_ITEM, 1, 1}, {UM_LOCATE_ITEM, 1, 0}}));

        editor.recorder->Clear();
        ClickLine(sheet, sheet->Referencias(), sheet->Referencias()->List(), 1);
        QVERIFY(editor.store.m_listReferences[1]->m_bHighlight);
        ClickLine(sheet, sheet->Colonias(), sheet->Colonias()->List(), 0);
        QVERIFY(editor.store.m_listColonies[0]->m_bHighlight);
        ClickLine(sheet, sheet->Rutas(), sheet->Rutas()->List(), 2);
        QVERIFY(editor.store.m_listRoutes[2]->m_bShow);
        QVERIFY((editor.recorder->Of(UM_LOCATE_ITEM) ==
                 std::vector<CMessageRecorder::Entry>{
                     {UM_LOCATE_ITEM, 4, 1}, {UM_LOCATE_ITEM, 3, 0}, {UM_LOCATE_ITEM, 6, 2}}));
        // Choosing never counts as a change.
        QVERIFY(!editor.store.IsChanged());
        QVERIFY(!editor.History().Stack().canUndo());
    }

    void ClickingTheChosenLineAgainShowsItAgain_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("message");
        QTest::addColumn<bool>("moves");
        QTest::newRow("calles") << int(CPropiedades::kStreetsPage) << int(UM_LOCATE_ITEM) << true;
        QTest::newRow("referencias")
            << int(CPropiedades::kReferencesPage) << int(UM_LOCATE_ITEM) << true;
        QTest::newRow("rutas") << int(CPropiedades::kRoutesPage) << int(UM_LOCATE_ITEM) << true;
        QTest::newRow("marcas") << int(CPropiedades::kBusinessesPage) << int(UM_LOCATE_ITEM)
                                << true;
        QTest::newRow("colonias") << int(CPropiedades::kColoniesPage) << int(UM_LOCATE_ITEM)
                                  << true;
        QTest::newRow("zonas") << int(CPropiedades::kZonesPage) << int(UM_ZONE_SHOW) << true;
    }

    void ClickingTheChosenLineAgainShowsItAgain() {
        QFETCH(int, page);
        QFETCH(int, message);
        QFETCH(bool, moves);
        PageEditor editor;
        editor.store.m_listZones[0]->m_blockIds = {4};
        editor.store.m_listColonies.push_back(std::make_unique<CmColonias>(7, 9, 4, "Reforma"));
        editor.RefreshAll();
        CPropiedades* sheet = editor.Sheet();
        QWidget* widget = sheet->widget(page);
        auto* list = widget->findChild<QListWidget*>(QStringLiteral("list1001"));
        if (page == CPropiedades::kBusinessesPage) {
            CPropServicios* businesses = sheet->Servicios();
            const int farmacias = businesses->Categories()->findText(QStringLiteral("Farmacias"));
            businesses->Categories()->setCurrentIndex(farmacias);
            businesses->OnChooseCategory(farmacias);
        }
        CMapaWnd* map = editor.frame->MapWnd();
        const auto kind = static_cast<UserMessage>(message);

        ClickLine(sheet, widget, list, 0);
        const auto first = editor.recorder->Of(kind);
        QVERIFY(!first.empty());
        const QPoint shown = map->Origin();
        const float scale = map->Scale();

        // The user looks elsewhere, then clicks the same line: it is shown again.
        map->CenterOn(MapPoint{5000, -5000});
        const QPoint away = map->Origin();
        editor.recorder->Clear();
        ClickLine(sheet, widget, list, 0);
        const auto again = editor.recorder->Of(kind);
        QCOMPARE(again.size(), std::size_t(1));
        QCOMPARE(again.front().lParam, first.back().lParam);
        QCOMPARE(map->Origin(), moves ? shown : away);
        QCOMPARE(map->Scale(), scale);

        // The keys choose as before: one notice per line moved to.
        editor.recorder->Clear();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(Selected(list), 1);
        QCOMPARE(editor.recorder->Of(kind).size(), std::size_t(1));
    }

    void EverySortedListUsesOneSpanishOrder() {
        PageEditor editor;
        const QStringList spanish{QStringLiteral("abasolo"), QStringLiteral("Ánimas"),
                                  QStringLiteral("Bacalar"), QStringLiteral("Nochixtlán"),
                                  QStringLiteral("Ñumí"),    QStringLiteral("ocotlán"),
                                  QStringLiteral("Zaachila")};
        // Listed to the store in another order: byte order would differ.
        const QStringList stored{spanish[6], spanish[4], spanish[1], spanish[2],
                                 spanish[0], spanish[5], spanish[3]};
        CmDirectorio& directory = editor.store.m_directory;
        for (const QString& name : stored)
            directory.AddCategory(name.toStdString());
        CmClasificados& shops = directory.AddCategory("Tiendas");
        for (const QString& name : stored)
            shops.AddBusiness(std::make_unique<CmNegocios>(1, 1, 5, name.toStdString(), "", "",
                                                           editor.store.m_counters));
        for (const QString& town : stored)
            QVERIFY(WriteTestMap(LocalPath(editor.Path(town.toLower() + QStringLiteral(".map"))),
                                 {"México", "Oaxaca", town.toStdString()})
                        .empty());
        editor.RefreshAll();

        CPropServicios* page = editor.Sheet()->Servicios();
        QStringList box;
        for (int i = 0; i < page->Categories()->count(); ++i)
            box << page->Categories()->itemText(i);
        box.removeAll(QStringLiteral("Escuelas"));
        box.removeAll(QStringLiteral("Farmacias"));
        box.removeAll(QStringLiteral("Tiendas"));
        QCOMPARE(box, spanish);

        const int tiendas = page->Categories()->findText(QStringLiteral("Tiendas"));
        page->Categories()->setCurrentIndex(tiendas);
        page->OnChooseCategory(tiendas);
        QCOMPARE(Lines(page->Businesses()), spanish);

        QStringList dialogLines;
        CModalScript categories{[&](QWidget* modal) {
            dialogLines = Lines(modal->findChild<QListWidget*>(QStringLiteral("list1001")));
            Click(modal, QStringLiteral("button1012"));
        }};
        editor.Sheet()->setCurrentWidget(page);
        ClickButton(page, 1067);
        QCOMPARE(categories.Answered(), 1);
        dialogLines.removeAll(QStringLiteral("Escuelas"));
        dialogLines.removeAll(QStringLiteral("Farmacias"));
        dialogLines.removeAll(QStringLiteral("Tiendas"));
        QCOMPARE(dialogLines, spanish);

        CAbrirMapaDlg catalogue(editor.frame->ProgramDir());
        QStringList towns;
        for (const QString& line : Lines(catalogue.List())) {
            if (line.startsWith(QStringLiteral("México\tOaxaca\t")) &&
                !line.contains(QStringLiteral("\tMitla\t")))
                towns << line.section(QLatin1Char('\t'), 2, 2);
        }
        QCOMPARE(towns, spanish);
    }

    void RenamingToAnotherCaseSelectsTheEarlierLine() {
        PageEditor editor;
        auto& streets = editor.store.m_listStreets;
        streets[0]->m_strName = "Juárez";
        streets[1]->m_strName = "Morelos";
        editor.RefreshAll();
        CPropCalles* page = editor.Sheet()->Calles();
        ClickLine(editor.Sheet(), page, page->List(), 1);
        editor.recorder->Clear();

        CModalScript script{NameAnswer(QStringLiteral("JUÁREZ"))};
        ClickButton(page, 1004);
        QCOMPARE(script.Answered(), 1);
        QCOMPARE(QString::fromStdString(streets[1]->m_strName), QStringLiteral("JUÁREZ"));
        QCOMPARE(Lines(page->List()),
                 (QStringList{QStringLiteral("Juárez"), QStringLiteral("JUÁREZ")}));
        QCOMPARE(Selected(page->List()), 0);
        // Selected without telling anyone: nothing highlighted anew, nothing located.
        QVERIFY(editor.recorder->Of(UM_LOCATE_ITEM).empty());
        QVERIFY(!streets[0]->m_bShow);
        QVERIFY(editor.store.IsChanged());
        QCOMPARE(editor.History().Stack().undoText(), QStringLiteral("Renombrar calle"));

        // A reference rename redraws the map; an empty name is taken as typed.
        CPropReferencias* refs = editor.Sheet()->Referencias();
        ClickLine(editor.Sheet(), refs, refs->List(), 0);
        editor.recorder->Clear();
        CModalScript empty{NameAnswer(QString())};
        ClickButton(refs, 1004);
        QVERIFY(editor.store.m_listReferences[0]->m_strName.empty());
        QCOMPARE(refs->List()->item(0)->text(), QString());
        QVERIFY((editor.recorder->Of(UM_LOCATE_ITEM) ==
                 std::vector<CMessageRecorder::Entry>{{UM_LOCATE_ITEM, 0, -1}}));

        // Cancelling the name dialog changes nothing and adds no step.
        const QByteArray before = Content(editor.store);
        const int steps = editor.History().Stack().count();
        CModalScript cancel{Cancel()};
        ClickButton(refs, 1004);
        QCOMPARE(Content(editor.store), before);
        QCOMPARE(editor.History().Stack().count(), steps);
    }

    void DeletingAsksFirst_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("question");
        QTest::newRow("calles") << int(CPropiedades::kStreetsPage)
                                << QStringLiteral("¿Esta seguro de eliminar esta calle?");
        QTest::newRow("referencias") << int(CPropiedades::kReferencesPage)
                                     << QStringLiteral("¿Esta seguro de eliminar esta referencia?");
        QTest::newRow("colonias") << int(CPropiedades::kColoniesPage)
                                  << QStringLiteral("¿Esta seguro de eliminar esta colonia?");
    }

    void DeletingAsksFirst() {
        QFETCH(int, page);
        QFETCH(QString, question);
        PageEditor editor;
        CPropiedades* sheet = editor.Sheet();
        auto* widget = sheet->widget(page);
        auto* list = widget->findChild<QListWidget*>(QStringLiteral("list1001"));
        ClickLine(sheet, widget, list, 0);
        const QStringList lines = Lines(list);
        const QByteArray before = Content(editor.store);

        QString asked;
        bool plain = false;
        {
            CModalScript no{Answer(QStringLiteral("No"), &asked, &plain)};
            ClickButton(widget, 1005);
            QCOMPARE(no.Answered(), 1);
        }
        QCOMPARE(asked, question);
        QVERIFY(plain);
        QCOMPARE(Content(editor.store), before);
        QCOMPARE(Lines(list), lines);
        QVERIFY(!editor.store.IsChanged());

        // The highlighted element goes; the page forgets it safely.
        editor.recorder->Clear();
        CModalScript yes{Answer(QStringLiteral("Sí"))};
        ClickButton(widget, 1005);
        QCOMPARE(Lines(list), lines.mid(1));
        QVERIFY(editor.store.IsChanged());
        QVERIFY((editor.recorder->Of(UM_LOCATE_ITEM) ==
                 std::vector<CMessageRecorder::Entry>{{UM_LOCATE_ITEM, 0, -1}}));
        if (list->count() > 0)
            ClickLine(sheet, widget, list, 0);

        // Nothing selected: nothing asked.
        list->clearSelection();
        CModalScript none{};
        ClickButton(widget, 1005);
        QTest::qWait(50);
        QCOMPARE(none.Unexpected(), 0);
    }

    void SearchFindsPartsOfNamesWithoutCaseOrAccents() {
        PageEditor editor;
        auto& refs = editor.store.m_listReferences;
        refs.clear();
        for (const char* name : {"Plaza", "Monte Alban", "PUENTE", "Mercado"})
            refs.push_back(std::make_unique<CmRefe>(5, 5, 10, name));
        editor.RefreshAll();
        CPropReferencias* page = editor.Sheet()->Referencias();

        CBuscarDlg dialog(editor.store);
        dialog.m_nKind = 4;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("edit1102"));
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("nte"));
        // Enter moves the focus on, which runs the search; the dialog stays.
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(!edit->hasFocus());
        QVERIFY(dialog.isVisible());
        QCOMPARE(Lines(dialog.Results()),
                 (QStringList{QStringLiteral("Monte Alban"), QStringLiteral("PUENTE")}));

        edit->setText(QStringLiteral("ALBÁN"));
        dialog.OnSearch();
        QCOMPARE(Lines(dialog.Results()), QStringList{QStringLiteral("Monte Alban")});
        edit->clear();
        dialog.OnSearch();
        QCOMPARE(dialog.Results()->count(), 0);
        // Another kind of list searches other names; an unknown kind finds nothing.
        edit->setText(QStringLiteral("e"));
        dialog.m_nKind = 2;
        dialog.OnSearch();
        QCOMPARE(dialog.Results()->count(), 0);
        dialog.m_nKind = 1;
        dialog.OnSearch();
        QCOMPARE(Lines(dialog.Results()), Names(editor.store.m_listStreets));
        dialog.close();

        // Through the page: "Mostrar" without a line keeps the dialog open;
        // choosing PUENTE selects, highlights and locates it.
        bool stayedOpen = false;
        CModalScript script{[&](QWidget* modal) {
            auto* search = qobject_cast<CBuscarDlg*>(modal);
            QVERIFY(search);
            auto* text = search->findChild<QLineEdit*>(QStringLiteral("edit1102"));
            text->setText(QStringLiteral("nte"));
            QTest::keyClick(text, Qt::Key_Return);
            Click(search, QStringLiteral("button1103"));
            stayedOpen = search->isVisible();
            search->Results()->setCurrentRow(1);
            Click(search, QStringLiteral("button1103"));
        }};
        editor.Sheet()->setCurrentWidget(page);
        ClickButton(page, 1102);
        QCOMPARE(script.Answered(), 1);
        QVERIFY(stayedOpen);
        QCOMPARE(Selected(page->List()), 2);
        QVERIFY(refs[2]->m_bHighlight);
        QVERIFY((editor.recorder->Of(UM_LOCATE_ITEM) ==
                 std::vector<CMessageRecorder::Entry>{{UM_LOCATE_ITEM, 4, 2}}));
    }

    void ChoosingAFoundColonyLocatesIt() {
        PageEditor editor;
        auto& colonies = editor.store.m_listColonies;
        colonies.push_back(std::make_unique<CmColonias>(7, 9, 4, "Reforma"));
        colonies.push_back(std::make_unique<CmColonias>(8, 9, 4, "Jardín"));
        editor.RefreshAll();
        CPropColonias* page = editor.Sheet()->Colonias();
        CModalScript script{[](QWidget* modal) {
            auto* search = qobject_cast<CBuscarDlg*>(modal);
            auto* text = search->findChild<QLineEdit*>(QStringLiteral("edit1102"));
            QTest::keyClicks(text, QStringLiteral("JARDIN"));
            QTest::keyClick(text, Qt::Key_Return);
            QCOMPARE(search->Results()->count(), 1);
            // A double click on a line chooses it too.
            QListWidgetItem* item = search->Results()->item(0);
            search->Results()->setCurrentItem(item);
            emit search->Results()->itemDoubleClicked(item);
        }};
        editor.Sheet()->setCurrentWidget(page);
        ClickButton(page, 1102);
        QCOMPARE(Selected(page->List()), 2);
        QVERIFY(colonies[2]->m_bHighlight);
        QVERIFY((editor.recorder->Of(UM_LOCATE_ITEM) ==
                 std::vector<CMessageRecorder::Entry>{{UM_LOCATE_ITEM, 3, 2}}));
    }

    void RoutesPage() {
        PageEditor editor;
        CPropRutas* page = editor.Sheet()->Rutas();
        // The save put the unnamed route first: its line is made from its number.
        QCOMPARE(Lines(page->List()),
                 (QStringList{QStringLiteral("Ruta1"), QStringLiteral("Alameda"),
                              QStringLiteral("Norte")}));
        // Renaming to nothing leaves no line selected.
        ClickLine(editor.Sheet(), page, page->List(), 2);
        {
            CModalScript script{NameAnswer(QString())};
            ClickButton(page, 1004);
        }
        QCOMPARE(Lines(page->List()).last(), QStringLiteral("Ruta3"));
        QCOMPARE(Selected(page->List()), -1);

        ClickLine(editor.Sheet(), page, page->List(), 0);
        editor.recorder->Clear();
        QString asked;
        CModalScript yes{Answer(QStringLiteral("Sí"), &asked)};
        ClickButton(page, 1005);
        QCOMPARE(asked, QStringLiteral("¿Está seguro de eliminar la ruta Ruta1"));
        QCOMPARE(Lines(page->List()),
                 (QStringList{QStringLiteral("Alameda"), QStringLiteral("Ruta2")}));
        QVERIFY((editor.recorder->Of(UM_LOCATE_ITEM) ==
                 std::vector<CMessageRecorder::Entry>{{UM_LOCATE_ITEM, -1, 0}}));
    }
};

QTEST_MAIN(NamePagesTest)
#include "name_pages_test.moc"
