// The businesses page with its categories dialog, and the zones page with its
// shown zone, notes and block assignment, driven through the real widgets of
// an editor over the small test town.

#include "categorias_dialog.h"
#include "ctrl_wnd.h"
#include "edit_history.h"
#include "main_frame.h"
#include "map_store.h"
#include "marca_dialog.h"
#include "messages.h"
#include "modal_script.h"
#include "page_fixture.h"
#include "private_home.h"
#include "prop_servicios.h"
#include "prop_zonas.h"
#include "propiedades.h"
#include "qt_helpers.h"
#include "startup_splash.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

class BusinessZonePagesTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_home;

private slots:
    void initTestCase() { UsePrivateHome(m_home); }
    void init() { CStartupSplash::EnableSplashScreen(false); }

    void BusinessPage() {
        PageEditor editor;
        CPropServicios* page = editor.Sheet()->Servicios();
        CmClasificados* pharmacies = editor.store.m_directory.FindCategory("Farmacias");
        QVERIFY(pharmacies);
        // A second "Farmacia Luz": choosing either line makes the first one current.
        pharmacies->m_listBusinesses.push_back(std::make_unique<CmNegocios>(
            90, 90, 14, "Farmacia Luz", "Sur", "555-0199", editor.store.m_counters));
        editor.RefreshAll();
        editor.Sheet()->setCurrentWidget(page);
        QComboBox* box = page->Categories();
        QCOMPARE(box->currentIndex(), -1);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Down);
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(box->currentText(), QStringLiteral("Farmacias"));
        QCOMPARE(editor.store.m_directory.m_pCurrent, pharmacies);
        QCOMPARE(Lines(page->Businesses()),
                 (QStringList{QStringLiteral("Botica Sol"), QStringLiteral("Farmacia Luz"),
                              QStringLiteral("Farmacia Luz")}));
        editor.recorder->Clear();
        ClickLine(editor.Sheet(), page, page->Businesses(), 2);
        CmNegocios* first = pharmacies->m_listBusinesses[1].get();
        QCOMPARE(pharmacies->m_pCurrent, first);
        QVERIFY(first->m_bHighlight);
        QVERIFY((editor.recorder->Of(UM_LOCATE_ITEM) ==
                 std::vector<CMessageRecorder::Entry>{{UM_LOCATE_ITEM, 2, 0}}));

        // Edit shows the current business and writes back what was typed.
        QString shownName;
        CModalScript edit{[&](QWidget* modal) {
            QVERIFY(qobject_cast<CMarcaDlg*>(modal));
            auto* name = modal->findChild<QLineEdit*>(QStringLiteral("edit1014"));
            shownName = name->text();
            name->clear();
            QTest::keyClicks(name, QStringLiteral("farmacia d"));
            QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QStringLiteral("í"), {});
            QTest::keyClicks(name, QStringLiteral("a"));
            modal->findChild<QLineEdit*>(QStringLiteral("edit1016"))->setText(QStringLiteral("1"));
            modal->findChild<QPlainTextEdit*>(QStringLiteral("edit1017"))
                ->setPlainText(QStringLiteral("Juárez 4"));
            Click(modal, QStringLiteral("button1"));
        }};
        ClickButton(page, 1004);
        // The name edit holds capitals only, the current name included.
        QCOMPARE(shownName, QStringLiteral("FARMACIA LUZ"));
        QCOMPARE(QString::fromStdString(first->m_strName), QStringLiteral("FARMACIA DÍA"));
        QCOMPARE(first->m_strPhone, std::string("1"));
        QCOMPARE(first->m_strComments, std::string("Juárez 4"));
        QCOMPARE(pharmacies->m_listBusinesses[2]->m_strPhone, std::string("555-0199"));
        QCOMPARE(editor.History().Stack().undoText(), QStringLiteral("Editar marca"));

        // Delete removes the current business after the question.
        ClickLine(editor.Sheet(), page, page->Businesses(), 0);
        QString asked;
        CModalScript yes{Answer(QStringLiteral("Sí"), &asked)};
        ClickButton(page, 1005);
        QCOMPARE(asked, QStringLiteral("¿Está seguro de eliminar el registro seleccionado?"));
        QCOMPARE(Lines(page->Businesses()),
                 (QStringList{QStringLiteral("FARMACIA DÍA"), QStringLiteral("Farmacia Luz")}));
    }

    void CategoriesAreStepsOneByOne() {
        PageEditor editor;
        CPropServicios* page = editor.Sheet()->Servicios();
        editor.Sheet()->setCurrentWidget(page);
        const QByteArray start = Content(editor.store);
        auto typeName = [](const QString& name) {
            return [name](QWidget* modal) {
                modal->findChild<QLineEdit*>(QStringLiteral("edit1014"))->setText(name);
                Click(modal, QStringLiteral("button1"));
            };
        };
        auto selectLine = [](const QString& text) {
            return [text](QWidget* modal) {
                auto* list = modal->findChild<QListWidget*>(QStringLiteral("list1001"));
                const auto found = list->findItems(text, Qt::MatchExactly);
                QVERIFY(!found.isEmpty());
                list->setCurrentItem(found.front());
            };
        };
        // New "Bancos", rename "Escuelas" to "Colegios", delete "Farmacias", leave.
        CModalScript script{
            [](QWidget* modal) { Click(modal, QStringLiteral("button1010")); },
            typeName(QStringLiteral("Bancos")),
            [&](QWidget* modal) {
                selectLine(QStringLiteral("Escuelas"))(modal);
                Click(modal, QStringLiteral("button1004"));
            },
            typeName(QStringLiteral("Colegios")),
            [&](QWidget* modal) {
                selectLine(QStringLiteral("Farmacias"))(modal);
                Click(modal, QStringLiteral("button1005"));
            },
            Answer(QStringLiteral("Sí")),
            [](QWidget* modal) { Click(modal, QStringLiteral("button1012")); },
        };
        ClickButton(page, 1067);
        QCOMPARE(script.Answered(), 7);
        const QStringList after{QStringLiteral("Bancos"), QStringLiteral("Colegios")};
        QStringList boxLines;
        for (int i = 0; i < page->Categories()->count(); ++i)
            boxLines << page->Categories()->itemText(i);
        QCOMPARE(boxLines, after);
        QCOMPARE(editor.History().Stack().count(), 3);

        editor.Undo();
        QVERIFY(editor.store.m_directory.FindCategory("Farmacias"));
        QCOMPARE(editor.store.m_directory.FindCategory("Farmacias")->m_listBusinesses.size(),
                 std::size_t(2));
        editor.Undo();
        QVERIFY(editor.store.m_directory.FindCategory("Escuelas"));
        QVERIFY(!editor.store.m_directory.FindCategory("Colegios"));
        editor.Undo();
        QCOMPARE(Content(editor.store), start);
        QVERIFY(!editor.store.IsChanged());
        QCOMPARE(page->Categories()->count(), 2);
        editor.Redo();
        QVERIFY(editor.store.m_directory.FindCategory("Bancos"));
        QVERIFY(editor.store.IsChanged());
    }

    void ZoneSelectionShowsOnlyZonesWithBlocks() {
        PageEditor editor;
        auto& zones = editor.store.m_listZones;
        zones[0]->m_blockIds = {1, 2};
        zones[1]->m_strNotes = "Sin manzanas";
        for (const char* name : {"Tercera", "Cuarta"}) {
            zones.push_back(std::make_unique<CmZonas>(name, "", editor.store.m_counters));
            zones.back()->m_blockIds = {3};
        }
        editor.RefreshAll();
        CPropZonas* page = editor.Sheet()->Zonas();
        ClickLine(editor.Sheet(), page, page->List(), 0);
        QCOMPARE(page->ShownZone(), 0);
        QCOMPARE(page->Notes()->toPlainText(), QStringLiteral("Zona de abasto"));
        ClickLine(editor.Sheet(), page, page->List(), 1);
        QCOMPARE(page->Notes()->toPlainText(), QStringLiteral("Sin manzanas"));
        QCOMPARE(page->ShownZone(), 1);
        ClickLine(editor.Sheet(), page, page->List(), 2);
        QVERIFY((editor.recorder->Of(UM_ZONE_SHOW) ==
                 std::vector<CMessageRecorder::Entry>{
                     {UM_ZONE_SHOW, -1, 0}, {UM_ZONE_SHOW, 0, -1}, {UM_ZONE_SHOW, 1, 2}}));
        // The map window shows zone 2: its block is selected, the other zones' are not.
        QVERIFY(editor.store.m_blocks[2].m_bSelected);
        QVERIFY(!editor.store.m_blocks[0].m_bSelected);

        // A new zone while zone 2 is shown: the shown zone moves to line 3 and
        // the refill takes exactly that zone off the map.
        editor.recorder->Clear();
        CModalScript script{ZoneAnswer(QStringLiteral("Nueva"), QStringLiteral("n"))};
        ClickButton(page, 1010);
        QCOMPARE(editor.recorder->Of(UM_ZONE_SHOW).front().wParam, 3LL);
        QCOMPARE(editor.recorder->Of(UM_ZONE_SHOW).front().lParam, -1LL);
        QCOMPARE(page->ShownZone(), -1);
        QCOMPARE(page->List()->item(0)->text(), QStringLiteral("Nueva"));
        QVERIFY(zones[0]->m_blockIds.empty());
        QCOMPARE(editor.History().Stack().undoText(), QStringLiteral("Nueva zona"));

        // The map window's unselect message clears the choice and the notes.
        ClickLine(editor.Sheet(), page, page->List(), 1);
        SendMessageToDescendants(editor.frame.get(), UM_ZONE_UNSELECT, 0, 0);
        QCOMPARE(Selected(page->List()), -1);
        QVERIFY(page->Notes()->toPlainText().isEmpty());
    }

    void ZoneEditDeleteAndAssign() {
        PageEditor editor;
        auto& zones = editor.store.m_listZones;
        zones[0]->m_blockIds = {1};
        editor.RefreshAll();
        CPropZonas* page = editor.Sheet()->Zonas();
        QCOMPARE(Lines(page->List()),
                 (QStringList{QStringLiteral("Mercados"), QStringLiteral("Parques")}));

        // A zone that has blocks is refused, and nothing is sent.
        ClickLine(editor.Sheet(), page, page->List(), 0);
        editor.recorder->Clear();
        QString refusal;
        {
            CModalScript ok{Answer(QStringLiteral("Aceptar"), &refusal)};
            ClickButton(page, 1084);
        }
        QCOMPARE(refusal,
                 QStringLiteral("Esta zona ya tiene asignados elementos. Eliminela primeramente"));
        QVERIFY(editor.recorder->Of(UM_ZONE_ASSIGN).empty());

        // Assigning the selected blocks to the zone without blocks, name in capitals.
        editor.store.ClearSelection();
        editor.store.SetBlockSelected(editor.store.m_blocks[1], true);
        editor.store.SetBlockSelected(editor.store.m_blocks[3], true);
        ClickLine(editor.Sheet(), page, page->List(), 1);
        const QByteArray beforeAssign = Content(editor.store);
        QString asked;
        {
            CModalScript yes{Answer(QStringLiteral("Sí"), &asked)};
            ClickButton(page, 1084);
        }
        QCOMPARE(asked, QStringLiteral("¿Está seguro de asignar la selección a la zona PARQUES"));
        QCOMPARE(zones[1]->m_blockIds, (std::vector<std::uint32_t>{2, 4}));
        QCOMPARE(editor.History().Stack().undoText(), QStringLiteral("Asignar zona"));
        editor.Undo();
        QCOMPARE(Content(editor.store), beforeAssign);
        editor.Redo();
        QCOMPARE(zones[1]->m_blockIds, (std::vector<std::uint32_t>{2, 4}));

        // Edit: name and notes stored, the line found again and its notes shown.
        ClickLine(editor.Sheet(), page, page->List(), 1);
        {
            CModalScript edit{ZoneAnswer(QStringLiteral("Áreas verdes"), QStringLiteral("Dos"))};
            ClickButton(page, 1004);
        }
        QCOMPARE(Lines(page->List()),
                 (QStringList{QStringLiteral("Mercados"), QStringLiteral("Áreas verdes")}));
        QCOMPARE(Selected(page->List()), 1);
        QCOMPARE(page->ShownZone(), 1);
        QCOMPARE(page->Notes()->toPlainText(), QStringLiteral("Dos"));
        QCOMPARE(zones[1]->m_strNotes, std::string("Dos"));

        // Deleting a zone with blocks is allowed, asked with the name in capitals.
        ClickLine(editor.Sheet(), page, page->List(), 1);
        editor.recorder->Clear();
        {
            CModalScript yes{Answer(QStringLiteral("Sí"), &asked)};
            ClickButton(page, 1005);
        }
        QCOMPARE(asked, QStringLiteral("¿Está seguro de eliminar la zona ÁREAS VERDES"));
        QCOMPARE(Lines(page->List()), QStringList{QStringLiteral("Mercados")});
        QCOMPARE(page->ShownZone(), -1);
        QCOMPARE(editor.recorder->Of(UM_ZONE_SHOW).front(),
                 (CMessageRecorder::Entry{UM_ZONE_SHOW, 1, -1}));
        QVERIFY(!editor.store.m_blocks[1].m_bSelected);
    }
};

QTEST_MAIN(BusinessZonePagesTest)
#include "business_zone_pages_test.moc"
