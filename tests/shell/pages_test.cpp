// The six property pages, the search dialog and the Edición menu, driven through
// the real widgets of an editor over the small test town, with modal dialogs
// and questions answered as a person would answer them.

#include "abrir_mapa_dlg.h"
#include "archive.h"
#include "buscar_dialog.h"
#include "categorias_dialog.h"
#include "ctrl_wnd.h"
#include "edit_history.h"
#include "main_frame.h"
#include "map_document.h"
#include "map_store.h"
#include "map_window.h"
#include "marca_dialog.h"
#include "message_spy.h"
#include "messages.h"
#include "modal_script.h"
#include "name_dialog.h"
#include "prop_calles.h"
#include "prop_colonias.h"
#include "prop_referencias.h"
#include "prop_rutas.h"
#include "prop_servicios.h"
#include "prop_zonas.h"
#include "propiedades.h"
#include "startup_splash.h"
#include "test_maps.h"
#include "zona_dialog.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace {

QStringList Lines(const QListWidget* list) {
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

template <typename List>
QStringList Names(const List& list) {
    QStringList names;
    for (const auto& element : list)
        names << QString::fromStdString(element->m_strName);
    return names;
}

int Selected(const QListWidget* list) {
    const auto items = list->selectedItems();
    return items.isEmpty() ? -1 : list->row(items.front());
}

// Everything an edit can change, in file form, for before-and-after comparisons.
QByteArray Content(const MapStore& store) {
    ArchiveWriter out;
    auto list = [&out](const auto& records) {
        out.WriteU32(static_cast<std::uint32_t>(records.size()));
        for (const auto& record : records)
            record->Write(out);
    };
    list(store.m_listStreets);
    list(store.m_listReferences);
    list(store.m_listColonies);
    list(store.m_listRoutes);
    list(store.m_listZones);
    store.m_directory.Write(out);
    out.WriteU32(store.m_counters.business);
    out.WriteU32(store.m_counters.route);
    out.WriteU32(store.m_counters.zone);
    for (const CmBlock& block : store.m_blocks)
        out.WriteI32(block.m_nType);
    const auto& bytes = out.Bytes();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

} // namespace

class PagesTest : public QObject {
    Q_OBJECT

private:
    // One frame over the test town, opened from a file in a private folder.
    struct Editor {
        QTemporaryDir dir;
        CMapDocument document;
        MapStore& store = document.Store();
        std::unique_ptr<CMainFrame> frame;
        MessageSpy* spy = nullptr;

        Editor() {
            frame = std::make_unique<CMainFrame>(document, dir.path());
            spy = new MessageSpy(frame.get());
            frame->show();
            const QString path = dir.filePath(QStringLiteral("mitla.map"));
            const std::string error = WriteTestMap(path);
            if (!error.empty())
                qWarning("%s", error.c_str());
            if (!frame->OpenMap(path))
                qWarning("the test town did not open");
            spy->received.clear();
        }
        CPropiedades* Sheet() const { return frame->CtrlWnd()->Sheet(); }
        CEditHistory& History() const { return frame->History(); }
        // After the test changed the store behind the pages' backs.
        void RefreshAll() const {
            SendMessageToDescendants(frame.get(), UM_REFRESH_PAGES, 0, 1);
            spy->received.clear();
        }
        void Undo() const { frame->Action(ID_EDIT_UNDO)->trigger(); }
        void Redo() const { frame->Action(ID_EDIT_REDO)->trigger(); }
    };

    // Brings the page to the front and clicks line `row` of its list.
    static void ClickLine(CPropiedades* sheet, QWidget* page, QListWidget* list, int row) {
        sheet->setCurrentWidget(page);
        QListWidgetItem* item = list->item(row);
        QVERIFY(item);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
        QCOMPARE(Selected(list), row);
    }

    static void ClickButton(QWidget* page, int id) {
        auto* button = page->findChild<QPushButton*>(QStringLiteral("button%1").arg(id));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }

private slots:
    void init() { CStartupSplash::EnableSplashScreen(false); }

    void ChoosingALineHighlightsAndLocates() {
        Editor editor;
        CPropiedades* sheet = editor.Sheet();
        auto& streets = editor.store.m_listStreets;
        ClickLine(sheet, sheet->Calles(), sheet->Calles()->List(), 1);
        QVERIFY(streets[1]->m_bShow);
        ClickLine(sheet, sheet->Calles(), sheet->Calles()->List(), 0);
        QVERIFY(streets[0]->m_bShow);
        QVERIFY(!streets[1]->m_bShow);
        QVERIFY(
            (editor.spy->Of(UM_LOCATE_ITEM) ==
             std::vector<MessageSpy::Received>{{UM_LOCATE_ITEM, 1, 1}, {UM_LOCATE_ITEM, 1, 0}}));

        editor.spy->received.clear();
        ClickLine(sheet, sheet->Referencias(), sheet->Referencias()->List(), 1);
        QVERIFY(editor.store.m_listReferences[1]->m_bHighlight);
        ClickLine(sheet, sheet->Colonias(), sheet->Colonias()->List(), 0);
        QVERIFY(editor.store.m_listColonies[0]->m_bHighlight);
        ClickLine(sheet, sheet->Rutas(), sheet->Rutas()->List(), 2);
        QVERIFY(editor.store.m_listRoutes[2]->m_bShow);
        QVERIFY((editor.spy->Of(UM_LOCATE_ITEM) ==
                 std::vector<MessageSpy::Received>{
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
        Editor editor;
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
        const auto first = editor.spy->Of(kind);
        QVERIFY(!first.empty());
        const QPoint shown = map->Origin();
        const float scale = map->Scale();

        // The user looks elsewhere, then clicks the same line: it is shown again.
        map->CenterOn(MapPoint{5000, -5000});
        const QPoint away = map->Origin();
        editor.spy->received.clear();
        ClickLine(sheet, widget, list, 0);
        const auto again = editor.spy->Of(kind);
        QCOMPARE(again.size(), std::size_t(1));
        QCOMPARE(again.front().lParam, first.back().lParam);
        QCOMPARE(map->Origin(), moves ? shown : away);
        QCOMPARE(map->Scale(), scale);

        // The keys choose as before: one notice per line moved to.
        editor.spy->received.clear();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(Selected(list), 1);
        QCOMPARE(editor.spy->Of(kind).size(), std::size_t(1));
    }

    void EverySortedListUsesOneSpanishOrder() {
        Editor editor;
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
            QVERIFY(WriteTestMap(editor.dir.filePath(town.toLower() + QStringLiteral(".map")),
                                 {QStringLiteral("México"), QStringLiteral("Oaxaca"), town})
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
        ModalScript categories{[&](QWidget* modal) {
            dialogLines = Lines(modal->findChild<QListWidget*>(QStringLiteral("list1001")));
            Click(modal, QStringLiteral("button1012"));
        }};
        editor.Sheet()->setCurrentWidget(page);
        ClickButton(page, 1067);
        QCOMPARE(categories.answered, 1);
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
        Editor editor;
        auto& streets = editor.store.m_listStreets;
        streets[0]->m_strName = "Juárez";
        streets[1]->m_strName = "Morelos";
        editor.RefreshAll();
        CPropCalles* page = editor.Sheet()->Calles();
        ClickLine(editor.Sheet(), page, page->List(), 1);
        editor.spy->received.clear();

        ModalScript script{NameAnswer(QStringLiteral("JUÁREZ"))};
        ClickButton(page, 1004);
        QCOMPARE(script.answered, 1);
        QCOMPARE(QString::fromStdString(streets[1]->m_strName), QStringLiteral("JUÁREZ"));
        QCOMPARE(Lines(page->List()),
                 (QStringList{QStringLiteral("Juárez"), QStringLiteral("JUÁREZ")}));
        QCOMPARE(Selected(page->List()), 0);
        // Selected without telling anyone: nothing highlighted anew, nothing located.
        QVERIFY(editor.spy->Of(UM_LOCATE_ITEM).empty());
        QVERIFY(!streets[0]->m_bShow);
        QVERIFY(editor.store.IsChanged());
        QCOMPARE(editor.History().Stack().undoText(), QStringLiteral("Renombrar calle"));

        // A reference rename redraws the map; an empty name is taken as typed.
        CPropReferencias* refs = editor.Sheet()->Referencias();
        ClickLine(editor.Sheet(), refs, refs->List(), 0);
        editor.spy->received.clear();
        ModalScript empty{NameAnswer(QString())};
        ClickButton(refs, 1004);
        QVERIFY(editor.store.m_listReferences[0]->m_strName.empty());
        QCOMPARE(refs->List()->item(0)->text(), QString());
        QVERIFY((editor.spy->Of(UM_LOCATE_ITEM) ==
                 std::vector<MessageSpy::Received>{{UM_LOCATE_ITEM, 0, -1}}));

        // Cancelling the name dialog changes nothing and adds no step.
        const QByteArray before = Content(editor.store);
        const int steps = editor.History().Stack().count();
        ModalScript cancel{Cancel()};
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
        Editor editor;
        CPropiedades* sheet = editor.Sheet();
        auto* widget = sheet->widget(page);
        auto* list = widget->findChild<QListWidget*>(QStringLiteral("list1001"));
        ClickLine(sheet, widget, list, 0);
        const QStringList lines = Lines(list);
        const QByteArray before = Content(editor.store);

        QString asked;
        bool plain = false;
        {
            ModalScript no{Answer(QStringLiteral("No"), &asked, &plain)};
            ClickButton(widget, 1005);
            QCOMPARE(no.answered, 1);
        }
        QCOMPARE(asked, question);
        QVERIFY(plain);
        QCOMPARE(Content(editor.store), before);
        QCOMPARE(Lines(list), lines);
        QVERIFY(!editor.store.IsChanged());

        // The highlighted element goes; the page forgets it safely.
        editor.spy->received.clear();
        ModalScript yes{Answer(QStringLiteral("Sí"))};
        ClickButton(widget, 1005);
        QCOMPARE(Lines(list), lines.mid(1));
        QVERIFY(editor.store.IsChanged());
        QVERIFY((editor.spy->Of(UM_LOCATE_ITEM) ==
                 std::vector<MessageSpy::Received>{{UM_LOCATE_ITEM, 0, -1}}));
        if (list->count() > 0)
            ClickLine(sheet, widget, list, 0);

        // Nothing selected: nothing asked.
        list->clearSelection();
        ModalScript none{};
        ClickButton(widget, 1005);
        QTest::qWait(50);
        QCOMPARE(none.unexpected, 0);
    }

    void SearchFindsPartsOfNamesWithoutCaseOrAccents() {
        Editor editor;
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
        ModalScript script{[&](QWidget* modal) {
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
        QCOMPARE(script.answered, 1);
        QVERIFY(stayedOpen);
        QCOMPARE(Selected(page->List()), 2);
        QVERIFY(refs[2]->m_bHighlight);
        QVERIFY((editor.spy->Of(UM_LOCATE_ITEM) ==
                 std::vector<MessageSpy::Received>{{UM_LOCATE_ITEM, 4, 2}}));
    }

    void ChoosingAFoundColonyLocatesIt() {
        Editor editor;
        auto& colonies = editor.store.m_listColonies;
        colonies.push_back(std::make_unique<CmColonias>(7, 9, 4, "Reforma"));
        colonies.push_back(std::make_unique<CmColonias>(8, 9, 4, "Jardín"));
        editor.RefreshAll();
        CPropColonias* page = editor.Sheet()->Colonias();
        ModalScript script{[](QWidget* modal) {
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
        QVERIFY((editor.spy->Of(UM_LOCATE_ITEM) ==
                 std::vector<MessageSpy::Received>{{UM_LOCATE_ITEM, 3, 2}}));
    }

    void RoutesPage() {
        Editor editor;
        CPropRutas* page = editor.Sheet()->Rutas();
        // The save put the unnamed route first: its line is made from its number.
        QCOMPARE(Lines(page->List()),
                 (QStringList{QStringLiteral("Ruta1"), QStringLiteral("Alameda"),
                              QStringLiteral("Norte")}));
        // Renaming to nothing leaves no line selected.
        ClickLine(editor.Sheet(), page, page->List(), 2);
        {
            ModalScript script{NameAnswer(QString())};
            ClickButton(page, 1004);
        }
        QCOMPARE(Lines(page->List()).last(), QStringLiteral("Ruta3"));
        QCOMPARE(Selected(page->List()), -1);

        ClickLine(editor.Sheet(), page, page->List(), 0);
        editor.spy->received.clear();
        QString asked;
        ModalScript yes{Answer(QStringLiteral("Sí"), &asked)};
        ClickButton(page, 1005);
        QCOMPARE(asked, QStringLiteral("¿Está seguro de eliminar la ruta Ruta1"));
        QCOMPARE(Lines(page->List()),
                 (QStringList{QStringLiteral("Alameda"), QStringLiteral("Ruta2")}));
        QVERIFY((editor.spy->Of(UM_LOCATE_ITEM) ==
                 std::vector<MessageSpy::Received>{{UM_LOCATE_ITEM, -1, 0}}));
    }

    void BusinessPage() {
        Editor editor;
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
        editor.spy->received.clear();
        ClickLine(editor.Sheet(), page, page->Businesses(), 2);
        CmNegocios* first = pharmacies->m_listBusinesses[1].get();
        QCOMPARE(pharmacies->m_pCurrent, first);
        QVERIFY(first->m_bHighlight);
        QVERIFY((editor.spy->Of(UM_LOCATE_ITEM) ==
                 std::vector<MessageSpy::Received>{{UM_LOCATE_ITEM, 2, 0}}));

        // Edit shows the current business and writes back what was typed.
        QString shownName;
        ModalScript edit{[&](QWidget* modal) {
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
        ModalScript yes{Answer(QStringLiteral("Sí"), &asked)};
        ClickButton(page, 1005);
        QCOMPARE(asked, QStringLiteral("¿Está seguro de eliminar el registro seleccionado?"));
        QCOMPARE(Lines(page->Businesses()),
                 (QStringList{QStringLiteral("FARMACIA DÍA"), QStringLiteral("Farmacia Luz")}));
    }

    void CategoriesAreStepsOneByOne() {
        Editor editor;
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
        ModalScript script{
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
        QCOMPARE(script.answered, 7);
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
        Editor editor;
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
        QVERIFY((editor.spy->Of(UM_ZONE_SHOW) ==
                 std::vector<MessageSpy::Received>{
                     {UM_ZONE_SHOW, -1, 0}, {UM_ZONE_SHOW, 0, -1}, {UM_ZONE_SHOW, 1, 2}}));
        // The map window shows zone 2: its block is selected, the other zones' are not.
        QVERIFY(editor.store.m_blocks[2].m_bSelected);
        QVERIFY(!editor.store.m_blocks[0].m_bSelected);

        // A new zone while zone 2 is shown: the shown zone moves to line 3 and
        // the refill takes exactly that zone off the map.
        editor.spy->received.clear();
        ModalScript script{ZoneAnswer(QStringLiteral("Nueva"), QStringLiteral("n"))};
        ClickButton(page, 1010);
        QCOMPARE(editor.spy->Of(UM_ZONE_SHOW).front().wParam, 3LL);
        QCOMPARE(editor.spy->Of(UM_ZONE_SHOW).front().lParam, -1LL);
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
        Editor editor;
        auto& zones = editor.store.m_listZones;
        zones[0]->m_blockIds = {1};
        editor.RefreshAll();
        CPropZonas* page = editor.Sheet()->Zonas();
        QCOMPARE(Lines(page->List()),
                 (QStringList{QStringLiteral("Mercados"), QStringLiteral("Parques")}));

        // A zone that has blocks is refused, and nothing is sent.
        ClickLine(editor.Sheet(), page, page->List(), 0);
        editor.spy->received.clear();
        QString refusal;
        {
            ModalScript ok{Answer(QStringLiteral("Aceptar"), &refusal)};
            ClickButton(page, 1084);
        }
        QCOMPARE(refusal,
                 QStringLiteral("Esta zona ya tiene asignados elementos. Eliminela primeramente"));
        QVERIFY(editor.spy->Of(UM_ZONE_ASSIGN).empty());

        // Assigning the selected blocks to the zone without blocks, name in capitals.
        editor.store.ClearSelection();
        editor.store.SetBlockSelected(editor.store.m_blocks[1], true);
        editor.store.SetBlockSelected(editor.store.m_blocks[3], true);
        ClickLine(editor.Sheet(), page, page->List(), 1);
        const QByteArray beforeAssign = Content(editor.store);
        QString asked;
        {
            ModalScript yes{Answer(QStringLiteral("Sí"), &asked)};
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
            ModalScript edit{ZoneAnswer(QStringLiteral("Áreas verdes"), QStringLiteral("Dos"))};
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
        editor.spy->received.clear();
        {
            ModalScript yes{Answer(QStringLiteral("Sí"), &asked)};
            ClickButton(page, 1005);
        }
        QCOMPARE(asked, QStringLiteral("¿Está seguro de eliminar la zona ÁREAS VERDES"));
        QCOMPARE(Lines(page->List()), QStringList{QStringLiteral("Mercados")});
        QCOMPARE(page->ShownZone(), -1);
        QCOMPARE(editor.spy->Of(UM_ZONE_SHOW).front(), (MessageSpy::Received{UM_ZONE_SHOW, 1, -1}));
        QVERIFY(!editor.store.m_blocks[1].m_bSelected);
    }

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
        Editor editor;
        CPropiedades* sheet = editor.Sheet();
        QWidget* widget = sheet->widget(page);
        auto* list = widget->findChild<QListWidget*>(QStringLiteral("list1001"));
        ClickLine(sheet, widget, list, line);
        const QByteArray before = Content(editor.store);
        const QStringList linesBefore = Lines(list);
        QVERIFY(!editor.frame->Action(ID_EDIT_UNDO)->isEnabled());

        ModalScript::Step reply = answer == QLatin1String("rename")
                                      ? NameAnswer(QStringLiteral("Zaragoza"))
                                  : answer == QLatin1String("zone")
                                      ? ZoneAnswer(QStringLiteral("Zaragoza"), QStringLiteral("z"))
                                      : Answer(answer);
        {
            ModalScript script{reply};
            ClickButton(widget, button);
            QCOMPARE(script.answered, 1);
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

    void EditMenuAndItsKeys() {
        Editor editor;
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
            ModalScript script{NameAnswer(QStringLiteral("Reforma"))};
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
        Editor editor;
        CPropiedades* sheet = editor.Sheet();
        // Rename a street, delete a reference and undo that, make a zone (which
        // drops the undone delete from the history), undo and redo it, save.
        ClickLine(sheet, sheet->Calles(), sheet->Calles()->List(), 1);
        {
            ModalScript s{NameAnswer(QStringLiteral("Benito Juárez"))};
            ClickButton(sheet->Calles(), 1004);
        }
        ClickLine(sheet, sheet->Referencias(), sheet->Referencias()->List(), 0);
        {
            ModalScript s{Answer(QStringLiteral("Sí"))};
            ClickButton(sheet->Referencias(), 1005);
        }
        QCOMPARE(editor.store.m_listReferences.size(), std::size_t(1));
        editor.Undo();
        sheet->setCurrentWidget(sheet->Zonas());
        {
            ModalScript s{
                ZoneAnswer(QStringLiteral("Centro histórico"), QStringLiteral("Línea 1\nLínea 2"))};
            ClickButton(sheet->Zonas(), 1010);
        }
        QVERIFY(!editor.frame->Action(ID_EDIT_REDO)->isEnabled());
        editor.Undo();
        editor.Redo();
        {
            ModalScript done{Answer(QStringLiteral("Aceptar"))};
            QVERIFY(editor.frame->SaveMap());
        }
        QVERIFY(!editor.store.IsChanged());

        QProcess tool;
        tool.start(QStringLiteral(VELTRIX_TOOL_PATH),
                   {QStringLiteral("dump"), QStringLiteral("--compact"),
                    editor.dir.filePath(QStringLiteral("mitla.map"))});
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 0);
        const QJsonObject map = QJsonDocument::fromJson(tool.readAllStandardOutput()).object();
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

QTEST_MAIN(PagesTest)
#include "pages_test.moc"
