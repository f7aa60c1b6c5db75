// Opening and saving through the editor's real widgets, headless: the
// catalogue of the program folder, a damaged file refused with the open map
// kept, saving and its messages, and the questions before unsaved changes go.

#include "abrir_mapa_dialog.h"
#include "ctrl_wnd.h"
#include "editor_fixture.h"
#include "main_frame.h"
#include "map_file.h"
#include "map_save.h"
#include "map_window.h"
#include "modal_script.h"
#include "private_home.h"
#include "prop_calles.h"
#include "prop_colonias.h"
#include "prop_referencias.h"
#include "prop_rutas.h"
#include "prop_servicios.h"
#include "prop_zonas.h"
#include "propiedades.h"
#include "qt_helpers.h"
#include "startup_splash.h"
#include "tools.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

class OpenSaveTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_home;

private slots:
    void initTestCase() { UsePrivateHome(m_home); }
    void init() { CStartupSplash::EnableSplashScreen(false); }

    void CatalogueOffersReadableLowerCaseMapFilesAndGreysTheRest() {
        EditorFixture editor;
        const QString first = editor.WriteMap(QStringLiteral("uno.map"));
        const QString twin = editor.WriteMap(QStringLiteral("dos.map")); // same header
        editor.WriteMap(QStringLiteral("chiapas.map"), {"México", "Chiapas", "Comitán"});
        editor.WriteMap(QStringLiteral("MAYUS.MAP"));
        editor.WriteMap(QStringLiteral("otra.mapa"));
        QVERIFY(QDir(editor.dir.path()).mkdir(QStringLiteral("carpeta.map")));
        QFile broken(editor.Path(QStringLiteral("roto.map")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("\x05\x00\x00", 3);
        broken.close();
        // Three texts, then numbers no map has.
        QFile noise(editor.Path(QStringLiteral("ruido.map")));
        QVERIFY(noise.open(QIODevice::WriteOnly));
        noise.write(QByteArray("\x01"
                               "a"
                               "\x01"
                               "b"
                               "\x01"
                               "c") +
                    QByteArray(40, '\xEE'));
        noise.close();

        CAbrirMapaDlg dialog(editor.frame->ProgramDir(), editor.frame.get());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Abrir mapa"));
        const QStringList lines = Lines(dialog.List());
        QCOMPARE(lines.size(), 5);
        // Files that are no maps come last, greyed, with the reason, never chosen.
        QCOMPARE(lines.mid(3),
                 (QStringList{QStringLiteral("roto.map\tNo se puede abrir: Error inesperado al "
                                             "leer roto.map."),
                              QStringLiteral("ruido.map\tNo se puede abrir: Formato de archivo "
                                             "no esperado.")}));
        for (int row : {3, 4})
            QCOMPARE(dialog.List()->item(row)->flags() & (Qt::ItemIsEnabled | Qt::ItemIsSelectable),
                     Qt::ItemFlags());
        QVERIFY(lines[0].startsWith(QStringLiteral("México\tChiapas\tComitán\t=")));
        // The twins look the same and are told apart by the hidden path.
        QCOMPARE(lines[1].section(QLatin1Char('='), 0, 0),
                 lines[2].section(QLatin1Char('='), 0, 0));
        QCOMPARE(lines[1],
                 CAbrirMapaDlg::CatalogueLine(QStringLiteral("México"), QStringLiteral("Oaxaca"),
                                              QStringLiteral("Mitla"), twin));
        QCOMPARE(lines[2].section(QLatin1Char('='), 1), first);

        // OK with nothing selected, or after a click on a greyed line, leaves
        // the dialog open.
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("button1")),
                          Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QListWidget* catalogue = dialog.List();
        QTest::mouseClick(catalogue->viewport(), Qt::LeftButton, {},
                          catalogue->visualItemRect(catalogue->item(3)).center());
        QTest::mouseDClick(catalogue->viewport(), Qt::LeftButton, {},
                           catalogue->visualItemRect(catalogue->item(3)).center());
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("button1")),
                          Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.m_strPath.isEmpty());

        dialog.List()->setCurrentRow(2);
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("button1")),
                          Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.m_strPath, first);

        // A double click chooses the line under the mouse.
        CAbrirMapaDlg again(editor.frame->ProgramDir(), editor.frame.get());
        again.show();
        QListWidget* list = again.List();
        const QRect row = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(again.result(), int(QDialog::Accepted));
        QCOMPARE(again.m_strPath, twin);
    }

    void CatalogueOfAnEmptyFolderIsEmpty() {
        EditorFixture editor;
        CAbrirMapaDlg dialog(editor.frame->ProgramDir(), editor.frame.get());
        QCOMPARE(dialog.List()->count(), 0);
    }

    void OpeningThroughTheCatalogueSetsUpTheEditor() {
        EditorFixture editor;
        editor.WriteMap(QStringLiteral("mitla.map"));
        CCtrlWnd* panel = editor.Panel();
        panel->SetZoomSlider(12);
        editor.frame->Action(ID_TOOL_DISTANCE)->setEnabled(true);
        CModalScript choose{[](QWidget* modal) {
            auto* dialog = qobject_cast<CAbrirMapaDlg*>(modal);
            QVERIFY(dialog);
            dialog->List()->setCurrentRow(0);
            dialog->findChild<QPushButton*>(QStringLiteral("button1"))->click();
        }};
        editor.frame->Action(ID_FILE_OPEN_MAP)->trigger();
        QCOMPARE(choose.Answered(), 1);

        // The map's title, and where the window marks unsaved changes.
        QCOMPARE(editor.frame->windowTitle(), QStringLiteral("VELTRIX  Mitla, Oaxaca - México[*]"));
        QCOMPARE(QString::fromStdString(editor.store.m_strMapName), QStringLiteral("mitla"));
        QCOMPARE(panel->ZoomSlider()->value(), 3);
        QVERIFY(panel->Check(CCtrlWnd::IDC_FILL_BLOCKS)->isChecked());
        QCOMPARE(editor.frame->CurrentTool(), int(TOOL_NAVIGATE));
        QCOMPARE(editor.frame->MapWnd()->Tool(), int(TOOL_NAVIGATE));
        QVERIFY(!editor.frame->GuideShown());
        QCOMPARE(editor.frame->MapWnd()->Scale(), 3.0f);

        // Every page lists its elements in store order.
        CPropiedades* sheet = editor.Sheet();
        QCOMPARE(Lines(sheet->Calles()->List()), Names(editor.store.m_listStreets));
        QCOMPARE(Lines(sheet->Referencias()->List()), Names(editor.store.m_listReferences));
        QCOMPARE(Lines(sheet->Colonias()->List()), Names(editor.store.m_listColonies));
        QCOMPARE(Lines(sheet->Zonas()->List()), Names(editor.store.m_listZones));
        // The save put the unnamed route first; it shows as "Ruta" and its line number.
        QCOMPARE(Lines(sheet->Rutas()->List()),
                 (QStringList{QStringLiteral("Ruta1"), QStringLiteral("Alameda"),
                              QStringLiteral("Norte")}));
        QVERIFY(editor.store.m_listRoutes.front()->m_strName.empty());
        QCOMPARE(sheet->Servicios()->Categories()->count(), 2);
        QCOMPARE(sheet->Servicios()->Categories()->itemText(0), QStringLiteral("Escuelas"));
        QCOMPARE(sheet->Servicios()->Categories()->currentIndex(), -1);
        QCOMPARE(sheet->Servicios()->Businesses()->count(), 0);
        QVERIFY(!editor.store.m_directory.m_pCurrent);
        // Refilling the zones page asks the map to show no zone.
        const auto zoneShows = editor.recorder->Of(UM_ZONE_SHOW);
        QVERIFY(!zoneShows.empty());
        QCOMPARE(zoneShows.back().lParam, -1LL);
    }

    void CancellingTheCatalogueChangesNothing() {
        EditorFixture editor;
        editor.WriteMap(QStringLiteral("mitla.map"));
        CModalScript cancel{[](QWidget* modal) {
            modal->findChild<QPushButton*>(QStringLiteral("button2"))->click();
        }};
        editor.frame->OnFileOpen();
        QCOMPARE(cancel.Answered(), 1);
        QVERIFY(!editor.store.MapLoaded());
        QCOMPARE(editor.frame->windowTitle(), QStringLiteral("VELTRIX"));
    }

    void DamagedFileIsRefusedAndTheOpenMapKept() {
        EditorFixture editor;
        QVERIFY(editor.frame->OpenMap(editor.WriteMap(QStringLiteral("mitla.map"))));
        const QString title = editor.frame->windowTitle();

        // A real map cut short: the header reads, the rest does not.
        QFile good(editor.Path(QStringLiteral("mitla.map")));
        QVERIFY(good.open(QIODevice::ReadOnly));
        const QByteArray bytes = good.readAll();
        QFile cut(editor.Path(QStringLiteral("cortado.map")));
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(bytes.left(bytes.size() / 2));
        cut.close();

        QString shown;
        CModalScript accept{[&](QWidget* modal) {
            shown = MessageText(modal);
            ClickText(modal, QStringLiteral("Aceptar"));
        }};
        QVERIFY(!editor.frame->OpenMap(cut.fileName()));
        QVERIFY(!shown.isEmpty());
        QVERIFY2(shown.contains(QStringLiteral("cortado.map")) ||
                     shown.contains(QStringLiteral("Formato")),
                 qPrintable(shown));
        QCOMPARE(editor.frame->windowTitle(), title);
        QCOMPARE(QString::fromStdString(editor.store.m_strMapName), QStringLiteral("mitla"));
        QCOMPARE(editor.store.m_listStreets.size(), std::size_t(2));
        QCOMPARE(editor.Sheet()->Calles()->List()->count(), 2);
    }

    void SaveWritesTheFileAndSaysDone() {
        EditorFixture editor;
        const QString path = editor.WriteMap(QStringLiteral("mitla.map"));
        QVERIFY(editor.frame->OpenMap(path));
        // A rename that changes the name order: the pages must follow the saved order.
        editor.store.m_listStreets.front()->m_strName = "Zaragoza";
        editor.store.MarkChanged();

        QString shown;
        CModalScript accept{[&](QWidget* modal) {
            shown = MessageText(modal);
            ClickText(modal, QStringLiteral("Aceptar"));
        }};
        editor.frame->Action(ID_FILE_SAVE_MAP)->trigger();
        QCOMPARE(shown, QStringLiteral("Done"));
        QVERIFY(!editor.store.IsChanged());
        QCOMPARE(Lines(editor.Sheet()->Calles()->List()),
                 (QStringList{QStringLiteral("Calle Hidalgo"), QStringLiteral("Zaragoza")}));
        QVERIFY(!editor.recorder->Of(UM_REFRESH_PAGES).empty());

        Problem error;
        MapCounters counters;
        std::vector<std::uint8_t> picture;
        auto reread = LoadMapFile(LocalPath(path), counters, picture, error);
        QVERIFY2(reread, error.Text().c_str());
        QCOMPARE(Names(reread->m_listStreets),
                 (QStringList{QStringLiteral("Calle Hidalgo"), QStringLiteral("Zaragoza")}));
    }

    void FailedSaveSaysSoAndNotDone() {
        EditorFixture editor;
        const QString path = editor.WriteMap(QStringLiteral("mitla.map"));
        QVERIFY(editor.frame->OpenMap(path));
        const QByteArray before = [&] {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        // The map's place is taken by a folder: nothing can be renamed over it.
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir(editor.dir.path()).mkpath(QStringLiteral("mitla.map/dentro")));
        editor.store.MarkChanged();

        QStringList shown;
        QString reason;
        CModalScript accept{[&](QWidget* modal) {
            shown << MessageText(modal);
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                reason = box->informativeText();
            ClickText(modal, QStringLiteral("Aceptar"));
        }};
        QVERIFY(!editor.frame->SaveMap());
        QCOMPARE(shown, QStringList{QStringLiteral("- Error al guardar -")});
        // The reason under the heading.
        QCOMPARE(reason, QFileInfo(path).absoluteFilePath() +
                             QStringLiteral(" no es un archivo: el mapa no se puede guardar con "
                                            "ese nombre."));
        QVERIFY(editor.store.IsChanged());
        QVERIFY(QFileInfo(path).isDir());
        QVERIFY(!before.isEmpty());
    }

    // Another program (veltrix-tool --force) saves the map while it is open:
    // the editor's save asks instead of undoing that, and a read-only file
    // is only replaced when the user agrees.
    void SaveAsksWhenTheFileChangedOnDiskOrIsReadOnly() {
        EditorFixture editor;
        const QString path = editor.WriteMap(QStringLiteral("mitla.map"));
        QVERIFY(editor.frame->OpenMap(path));
        editor.store.m_listStreets.front()->m_strName = "Del editor";
        editor.store.MarkChanged();
        Problem error;
        MapCounters counters;
        std::vector<std::uint8_t> picture;
        const auto firstStreet = [&] {
            auto onDisk = LoadMapFile(LocalPath(path), counters, picture, error);
            return onDisk ? Names(onDisk->m_listStreets) : QStringList();
        };
        auto other = LoadMapFile(LocalPath(path), counters, picture, error);
        QVERIFY(other);
        other->m_listStreets.front()->m_strName = "De la herramienta";
        const auto otherProgramSaves = [&] {
            return SaveMapFile(*other, LocalPath(path), picture, error);
        };
        QVERIFY(otherProgramSaves());

        QStringList shown;
        const auto answer = [&shown](const QString& button) {
            return [&shown, button](QWidget* modal) {
                shown << MessageText(modal);
                ClickText(modal, button);
            };
        };
        const QString changed = QStringLiteral("El archivo cambió en el disco desde que se abrió");
        {
            CModalScript script{answer(QStringLiteral("Cancelar"))};
            QVERIFY(!editor.frame->SaveMap());
        }
        QVERIFY2(shown.last().startsWith(changed), qPrintable(shown.last()));
        QVERIFY(firstStreet().contains(QStringLiteral("De la herramienta")));
        QVERIFY(editor.store.IsChanged());
        {
            CModalScript script{answer(QStringLiteral("Guardar de todos modos")),
                                answer(QStringLiteral("Aceptar"))};
            QVERIFY(editor.frame->SaveMap());
        }
        QCOMPARE(shown.last(), QStringLiteral("Done"));
        QVERIFY(firstStreet().contains(QStringLiteral("Del editor")));
        // The file is the editor's own again: the next save asks nothing.
        editor.store.MarkChanged();
        {
            CModalScript script{answer(QStringLiteral("Aceptar"))};
            QVERIFY(editor.frame->SaveMap());
        }
        QCOMPARE(shown.last(), QStringLiteral("Done"));

        // Reopened: the other program's map, and nothing left to save.
        QVERIFY(otherProgramSaves());
        editor.store.MarkChanged();
        {
            CModalScript script{answer(QStringLiteral("Volver a abrir"))};
            QVERIFY(!editor.frame->SaveMap());
        }
        QVERIFY(shown.last().startsWith(changed));
        QVERIFY(!editor.store.IsChanged());
        QVERIFY(Names(editor.store.m_listStreets).contains(QStringLiteral("De la herramienta")));

        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser));
        editor.store.m_listStreets.front()->m_strName = "Otra vez del editor";
        editor.store.MarkChanged();
        {
            CModalScript script{answer(QStringLiteral("No"))};
            QVERIFY(!editor.frame->SaveMap());
        }
        QVERIFY2(shown.last().startsWith(QStringLiteral("El archivo es de solo lectura")),
                 qPrintable(shown.last()));
        QVERIFY(firstStreet().contains(QStringLiteral("De la herramienta")));
        {
            CModalScript script{answer(QStringLiteral("Sí")), answer(QStringLiteral("Aceptar"))};
            QVERIFY(editor.frame->SaveMap());
        }
        QCOMPARE(shown.last(), QStringLiteral("Done"));
        QVERIFY(firstStreet().contains(QStringLiteral("Otra vez del editor")));
        QCOMPARE(QFile::permissions(path) & QFile::WriteOwner, QFileDevice::Permissions());
    }

    void OpenAsksBeforeDroppingChanges() {
        EditorFixture editor;
        const QString path = editor.WriteMap(QStringLiteral("mitla.map"));
        QVERIFY(editor.frame->OpenMap(path));
        editor.store.m_listStreets.front()->m_strName = "Cambiada";
        editor.store.MarkChanged();

        // Cancelar: no catalogue, nothing changes.
        QString question;
        {
            CModalScript cancel{[&](QWidget* modal) {
                question = MessageText(modal);
                ClickText(modal, QStringLiteral("Cancelar"));
            }};
            editor.frame->OnFileOpen();
            QCOMPARE(cancel.Answered(), 1);
        }
        QVERIFY(question.contains(QStringLiteral("¿Desea guardar los cambios")));
        QVERIFY(editor.store.IsChanged());
        QCOMPARE(editor.store.m_listStreets.front()->m_strName, std::string("Cambiada"));

        // No: the catalogue comes up (and is cancelled); the file is untouched.
        bool catalogueShown = false;
        CModalScript no{[](QWidget* modal) { ClickText(modal, QStringLiteral("No")); },
                        [&](QWidget* modal) {
                            if (auto* dialog = qobject_cast<CAbrirMapaDlg*>(modal)) {
                                catalogueShown = true;
                                dialog->reject();
                            }
                        }};
        editor.frame->OnFileOpen();
        QVERIFY(catalogueShown);
        Problem error;
        MapCounters counters;
        std::vector<std::uint8_t> picture;
        auto onDisk = LoadMapFile(LocalPath(path), counters, picture, error);
        QVERIFY(onDisk);
        QCOMPARE(onDisk->m_listStreets.front()->m_strName, std::string("Avenida Juárez"));
    }

    void ExitAsksBeforeDroppingChanges() {
        EditorFixture editor;
        const QString path = editor.WriteMap(QStringLiteral("mitla.map"));
        QVERIFY(editor.frame->OpenMap(path));

        // Unchanged: closes without a question.
        {
            CModalScript never{
                [](QWidget* modal) { ClickText(modal, QStringLiteral("Cancelar")); }};
            QVERIFY(editor.frame->close());
            QCOMPARE(never.Answered(), 0);
        }
        editor.frame->show();
        editor.store.m_listStreets.front()->m_strName = "Cambiada";
        editor.store.MarkChanged();
        {
            CModalScript cancel{
                [](QWidget* modal) { ClickText(modal, QStringLiteral("Cancelar")); }};
            editor.frame->Action(ID_APP_EXIT)->trigger();
            QCOMPARE(cancel.Answered(), 1);
        }
        QVERIFY(editor.frame->isVisible());

        // Sí saves, says "Done" and closes.
        QStringList shown;
        CModalScript yes{[&](QWidget* modal) {
                             shown << MessageText(modal);
                             ClickText(modal, QStringLiteral("Sí"));
                         },
                         [&](QWidget* modal) {
                             shown << MessageText(modal);
                             ClickText(modal, QStringLiteral("Aceptar"));
                         }};
        QVERIFY(editor.frame->close());
        QVERIFY(!editor.frame->isVisible());
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1], QStringLiteral("Done"));
        Problem error;
        MapCounters counters;
        std::vector<std::uint8_t> picture;
        auto onDisk = LoadMapFile(LocalPath(path), counters, picture, error);
        QVERIFY(onDisk);
        QCOMPARE(Names(onDisk->m_listStreets),
                 (QStringList{QStringLiteral("Calle Hidalgo"), QStringLiteral("Cambiada")}));
    }
};

QTEST_MAIN(OpenSaveTest)
#include "open_save_test.moc"
