// A map another editor has open, the recovery copy of an editor that
// stopped, and the autosave interval the preferences set, through the
// editor's real widgets, headless.

#include "edit_history.h"
#include "editor_fixture.h"
#include "main_frame.h"
#include "map_file.h"
#include "map_lock.h"
#include "mapa_app.h"
#include "modal_script.h"
#include "other_editor.h"
#include "preferencias_dialog.h"
#include "private_home.h"
#include "prop_calles.h"
#include "propiedades.h"
#include "qt_helpers.h"
#include "recovery_store.h"
#include "startup_splash.h"

#include <QAction>
#include <QFile>
#include <QListWidget>
#include <QRegularExpression>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <vector>

class LockRecoveryTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_home;

private slots:
    void initTestCase() { UsePrivateHome(m_home); }
    void init() { CStartupSplash::EnableSplashScreen(false); }

    void SecondEditorIsWarnedAndSavesUnderANewName() {
        EditorFixture editor;
        const QString path = editor.WriteMap(QStringLiteral("mitla.map"));
        const QByteArray before = FileBytes(path);
        OtherEditor other;
        QVERIFY(other.Lock(LocalPath(path)));

        QString question;
        {
            CModalScript no{[&](QWidget* modal) {
                question = MessageText(modal);
                ClickText(modal, QStringLiteral("No"));
            }};
            QVERIFY(!editor.frame->OpenMap(path));
        }
        const QString who = QStringLiteral("El mapa mitla.map ya está abierto en otro editor: "
                                           "usuario otra, equipo %1, proceso %2, desde el ")
                                .arg(QString::fromStdString(MapLock::Self().host))
                                .arg(other.Pid());
        QVERIFY2(question.startsWith(who), qPrintable(question));
        QVERIFY2(question.contains(QStringLiteral(" de noviembre de 2023 a las ")),
                 qPrintable(question));
        QVERIFY2(question.endsWith(QStringLiteral(".\n¿Desea abrirlo de solo lectura? Los "
                                                  "cambios sólo se podrán guardar con otro "
                                                  "nombre.")),
                 qPrintable(question));
        QVERIFY(!editor.document.IsOpen());

        {
            CModalScript yes{[](QWidget* modal) { ClickText(modal, QStringLiteral("Sí")); }};
            QVERIFY(editor.frame->OpenMap(path));
        }
        QVERIFY(editor.document.IsReadOnly());
        QCOMPARE(editor.frame->windowTitle(),
                 QStringLiteral("VELTRIX  Mitla, Oaxaca - México (solo lectura)[*]"));
        MapEdit edit(editor.store);
        edit.Change<CmCalles>(0, [](CmCalles& s) { s.m_strName = "Cambiada"; });
        editor.document.History().Apply(QStringLiteral("Renombrar"), std::move(edit));

        // Guardar cannot write over the other editor's map: it asks for a new name.
        const QString mine = editor.Path(QStringLiteral("mia.map"));
        QStringList shown;
        CModalScript answers{[&](QWidget* modal) {
                                 shown << modal->windowTitle();
                                 ChooseFile(modal, mine);
                             },
                             [&](QWidget* modal) {
                                 shown << MessageText(modal);
                                 ClickText(modal, QStringLiteral("Aceptar"));
                             }};
        editor.frame->Action(ID_FILE_SAVE_MAP)->trigger();
        QCOMPARE(shown, (QStringList{QStringLiteral("Guardar como"), QStringLiteral("Done")}));
        QCOMPARE(editor.document.Path(), mine);
        QVERIFY(!editor.document.IsReadOnly());
        QVERIFY(!editor.document.IsModified());
        QCOMPARE(editor.frame->windowTitle(), QStringLiteral("VELTRIX  Mitla, Oaxaca - México[*]"));
        QCOMPARE(FileBytes(path), before);
        Problem error;
        MapCounters counters;
        std::vector<std::uint8_t> picture;
        auto saved = LoadMapFile(LocalPath(mine), counters, picture, error);
        QVERIFY2(saved, error.Text().c_str());
        QVERIFY(Names(saved->m_listStreets).contains(QStringLiteral("Cambiada")));
    }

    void RecoveryIsOfferedWhenTheMapOpens() {
        for (const bool take : {false, true}) {
            EditorFixture editor;
            const QString path = editor.WriteMap(QStringLiteral("mitla.map"));
            // What an editor that stopped had copied aside.
            CRecoveryStore recovery;
            MapStore edited;
            FillTestTown(edited, {});
            edited.m_listStreets.front()->m_strName = "Reforma";
            QString error;
            QVERIFY(recovery.Write(edited, {}, path, error));

            QString question;
            CModalScript answer{[&](QWidget* modal) {
                question = MessageText(modal);
                ClickText(modal, take ? QStringLiteral("Sí") : QStringLiteral("No"));
            }};
            QVERIFY(editor.frame->OpenMap(path));
            QVERIFY2(QRegularExpression(
                         QStringLiteral("^Se encontró una copia de recuperación de mitla\\.map "
                                        "guardada el \\d{1,2} de [a-z]+ de \\d{4} a las "
                                        "\\d\\d:\\d\\d\\.\n¿Desea recuperarla\\?$"))
                         .match(question)
                         .hasMatch(),
                     qPrintable(question));
            const QStringList shown = Lines(editor.Sheet()->Calles()->List());
            if (take) {
                // The copy's work, as unsaved changes of the map, in the pages too.
                QVERIFY(editor.document.IsModified());
                QVERIFY(shown.contains(QStringLiteral("Reforma")));
                QVERIFY(QFile::exists(recovery.CopyPath(path)));
            } else {
                QVERIFY(!editor.document.IsModified());
                QVERIFY(shown.contains(QStringLiteral("Avenida Juárez")));
                QVERIFY(!QFile::exists(recovery.CopyPath(path)));
            }
        }
    }

    void PreferencesSetTheAutosaveInterval() {
        EditorFixture editor;
        QCOMPARE(editor.document.AutosaveInterval(),
                 std::chrono::milliseconds(std::chrono::minutes(2)));
        for (const int minutes : {5, 0}) {
            int shown = -1;
            CModalScript answer{[&](QWidget* modal) {
                auto* spin = modal->findChild<QSpinBox*>(QStringLiteral("autosaveMinutes"));
                QVERIFY(spin);
                shown = spin->value();
                spin->setValue(minutes);
                ClickText(modal, QStringLiteral("Aceptar"));
            }};
            editor.frame->Action(ID_FILE_PREFERENCES)->trigger();
            QCOMPARE(shown, minutes == 5 ? 2 : 5);
            QCOMPARE(editor.document.AutosaveInterval(),
                     std::chrono::milliseconds(std::chrono::minutes(minutes)));
            QCOMPARE(QSettings().value(QStringLiteral("autosave/minutes")).toInt(), minutes);
        }
        // Kept for the next start.
        CPreferenciasDlg::StoreAutosaveMinutes(7);
        CMapaApp app;
        QVERIFY(app.InitInstance({QStringLiteral("veltrix"), QStringLiteral("--no-splash")}));
        QCOMPARE(app.m_document.AutosaveInterval(),
                 std::chrono::milliseconds(std::chrono::minutes(7)));
        CPreferenciasDlg::StoreAutosaveMinutes(CPreferenciasDlg::kDefaultMinutes);
    }
};

QTEST_MAIN(LockRecoveryTest)
#include "lock_recovery_test.moc"
