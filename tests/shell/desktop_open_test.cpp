// The editor as a desktop program, driven through its real widgets: maps
// opened from any folder, dropped on the window or picked from the recent
// list, the window found where it was left, the title's mark of unsaved
// changes and Qt's print dialog in Spanish. Settings live in a private file,
// never in the user's.

#include "editor_fixture.h"
#include "main_frame.h"
#include "map_window.h"
#include "modal_script.h"
#include "private_home.h"
#include "qt_helpers.h"
#include "qt_translations.h"
#include "startup_splash.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QPrintDialog>
#include <QScopeGuard>
#include <QSettings>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

namespace {

QString Canonical(const QString& path) {
    return QFileInfo(path).canonicalFilePath();
}

} // namespace

class DesktopOpenTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_home;

private slots:
    void initTestCase() { UsePrivateHome(m_home); }
    void init() { CStartupSplash::EnableSplashScreen(false); }

    void OpenAsksFirstThenTakesAMapFromAnyFolder() {
        EditorFixture e;
        const QString near = e.WriteMap(QStringLiteral("mitla.map"));
        QVERIFY(QDir(e.dir.path()).mkdir(QStringLiteral("lejos")));
        const QString far =
            e.WriteMap(QStringLiteral("lejos/comitan.map"), {"México", "Chiapas", "Comitán"});
        QVERIFY(e.frame->OpenMap(near));
        e.store.MarkChanged();
        QCOMPARE(e.frame->Action(ID_FILE_OPEN_ANY)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
        QVERIFY(e.frame->Action(ID_FILE_OPEN_MAP)->shortcut().isEmpty());

        // Cancelar at the question: no file dialog, nothing changes.
        {
            CModalScript cancel{Answer(QStringLiteral("Cancelar"))};
            e.frame->Action(ID_FILE_OPEN_ANY)->trigger();
            QCOMPARE(cancel.Answered(), 1);
        }
        QCOMPARE(e.document.Path(), near);

        // No: the file dialog opens in the open map's folder and takes any map.
        QString startedIn;
        {
            CModalScript open{Answer(QStringLiteral("No")), [&](QWidget* modal) {
                                  // A failed check must not leave the dialog waiting.
                                  const auto close = qScopeGuard([modal] {
                                      if (modal->isVisible())
                                          static_cast<QDialog*>(modal)->reject();
                                  });
                                  auto* dialog = qobject_cast<QFileDialog*>(modal);
                                  QVERIFY(dialog);
                                  startedIn = dialog->directory().absolutePath();
                                  ChooseFile(dialog, far);
                              }};
            e.frame->Action(ID_FILE_OPEN_ANY)->trigger();
            QCOMPARE(open.Answered(), 2);
        }
        QCOMPARE(Canonical(startedIn), Canonical(e.dir.path()));
        QCOMPARE(e.document.Path(), far);
        QCOMPARE(e.frame->windowTitle(), QStringLiteral("VELTRIX  Comitán, Chiapas - México[*]"));
        QCOMPARE(e.frame->RecentMaps().Paths(), (QStringList{Canonical(far), Canonical(near)}));
    }

    void DroppedMapOpensOnceTheDropIsOver() {
        EditorFixture e;
        const QString first = e.WriteMap(QStringLiteral("mitla.map"));
        const QString dropped = e.WriteMap(QStringLiteral("ARRASTRADO.MAP"));
        QVERIFY(e.frame->OpenMap(first));
        e.store.MarkChanged();
        const QPoint on(200, 200);

        // A drag without a map is refused wherever it comes.
        QMimeData notes;
        notes.setUrls({QUrl::fromLocalFile(e.dir.filePath(QStringLiteral("notas.txt")))});
        QDragEnterEvent refused(on, Qt::CopyAction, &notes, Qt::LeftButton, {});
        QApplication::sendEvent(e.Map(), &refused);
        QVERIFY(!refused.isAccepted());

        QMimeData map;
        map.setUrls({QUrl::fromLocalFile(dropped)});
        const auto drop = [&] {
            QDragEnterEvent enter(on, Qt::CopyAction, &map, Qt::LeftButton, {});
            QApplication::sendEvent(e.Map(), &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent release(QPointF(on), Qt::CopyAction, &map, Qt::LeftButton, {});
            QApplication::sendEvent(e.Map(), &release);
            QVERIFY(release.isAccepted());
        };
        {
            CModalScript cancel{Answer(QStringLiteral("Cancelar"))};
            drop();
            // The question comes only after the drop has returned.
            QCOMPARE(cancel.Answered(), 0);
            QTRY_COMPARE(cancel.Answered(), 1);
        }
        QCOMPARE(e.document.Path(), first);
        {
            CModalScript no{Answer(QStringLiteral("No"))};
            drop();
            QTRY_COMPARE(e.document.Path(), dropped);
        }
        QCOMPARE(e.frame->RecentMaps().Paths().front(), Canonical(dropped));
    }

    void RecentMapsNewestFirstKeptAndGoneOnesOffered() {
        QTemporaryDir home;
        const QString settingsFile = home.filePath(QStringLiteral("veltrix.ini"));
        QStringList expected;
        QString gone;
        {
            EditorFixture e(settingsFile);
            QVERIFY(!e.frame->Action(ID_FILE_RECENT_FIRST)->isVisible());
            // The maps outlive this editor: the next start finds them.
            QStringList maps;
            for (int i = 1; i <= 9; ++i) {
                maps << home.filePath(QStringLiteral("mapa%1.map").arg(i));
                QVERIFY(WriteTestMap(LocalPath(maps.back())).empty());
            }
            for (const QString& path : maps)
                QVERIFY(e.frame->OpenMap(path));
            // Reopening one moves it to the top, once.
            QVERIFY(e.frame->OpenMap(maps[4]));
            expected = {maps[4], maps[8], maps[7], maps[6], maps[5], maps[3], maps[2], maps[1]};
            for (QString& path : expected)
                path = Canonical(path);
            QCOMPARE(e.frame->RecentMaps().Paths(), expected);
            // The menu lists them numbered, newest first, the full path as the prompt.
            QStringList texts;
            for (int slot = 0; slot < 8; ++slot) {
                QVERIFY(e.Recent(slot)->isVisible());
                texts << e.Recent(slot)->text();
            }
            QCOMPARE(texts.first(), QStringLiteral("&1 mapa5.map"));
            QCOMPARE(texts.last(), QStringLiteral("&8 mapa2.map"));
            QCOMPARE(e.Recent(1)->statusTip(), QDir::toNativeSeparators(expected[1]));
            gone = expected[1];
        }

        // At the next start the list is there; a map deleted since is not opened
        // but offered for removal.
        QVERIFY(QFile::remove(gone));
        EditorFixture again(settingsFile);
        QCOMPARE(again.frame->RecentMaps().Paths(), expected);
        QString asked;
        {
            CModalScript keep{Answer(QStringLiteral("No"), &asked)};
            again.Recent(1)->trigger();
            QCOMPARE(keep.Answered(), 1);
        }
        QCOMPARE(asked, QStringLiteral("El mapa %1 ya no existe.\n¿Desea quitarlo de la lista de "
                                       "mapas recientes?")
                            .arg(QDir::toNativeSeparators(gone)));
        QVERIFY(!again.store.MapLoaded());
        QCOMPARE(again.frame->RecentMaps().Paths(), expected);
        {
            CModalScript remove{Answer(QStringLiteral("Sí"))};
            again.Recent(1)->trigger();
            QCOMPARE(remove.Answered(), 1);
        }
        expected.removeAt(1);
        QCOMPARE(again.frame->RecentMaps().Paths(), expected);
        QVERIFY(!again.Recent(7)->isVisible());
        QCOMPARE(
            QSettings(settingsFile, QSettings::IniFormat).value("mapasRecientes").toStringList(),
            expected);
        // One that is there opens at once.
        again.Recent(2)->trigger();
        QCOMPARE(again.document.Path(), expected[2]);
        QCOMPARE(again.frame->RecentMaps().Paths().front(), expected[2]);
    }

    void WindowComesBackWhereAndAsItWasLeft() {
        QTemporaryDir home;
        const QString settingsFile = home.filePath(QStringLiteral("veltrix.ini"));
        int dragged = 0;
        {
            EditorFixture e(settingsFile);
            e.frame->resize(900, 650);
            QCoreApplication::processEvents();
            // The user drags the bar between the panel and the map 60 pixels right.
            QSplitterHandle* handle = e.frame->Splitter()->handle(1);
            const QPoint grip(handle->width() / 2, handle->height() / 2);
            const auto mouse = [&](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
                QMouseEvent event(type, QPointF(at), QPointF(handle->mapToGlobal(at)),
                                  Qt::LeftButton, held, Qt::NoModifier);
                QApplication::sendEvent(handle, &event);
            };
            mouse(QEvent::MouseButtonPress, grip, Qt::LeftButton);
            mouse(QEvent::MouseMove, grip + QPoint(60, 0), Qt::LeftButton);
            mouse(QEvent::MouseButtonRelease, grip + QPoint(60, 0), Qt::NoButton);
            dragged = e.frame->Splitter()->sizes().front();
            QCOMPARE(dragged, CMainFrame::kPanelWidth + 60);
            // A new size leaves the dragged width alone.
            e.frame->resize(950, 660);
            QCoreApplication::processEvents();
            QCOMPARE(e.frame->Splitter()->sizes().front(), dragged);
            QVERIFY(e.frame->close());
        }
        EditorFixture again(settingsFile);
        QCoreApplication::processEvents();
        QCOMPARE(again.frame->size(), QSize(950, 660));
        QCOMPARE(again.frame->Splitter()->sizes().front(), dragged);
    }

    void TitleMarksUnsavedChangesAndNothingElse() {
        EditorFixture e;
        QVERIFY(e.frame->OpenMap(e.WriteMap(QStringLiteral("mitla.map"))));
        const QString title = QStringLiteral("VELTRIX  Mitla, Oaxaca - México[*]");
        QCOMPARE(e.frame->windowTitle(), title);
        QVERIFY(!e.frame->isWindowModified());
        MapEdit edit(e.store);
        edit.Change<CmCalles>(0, [](CmCalles& s) { s.m_strName = "Otra"; });
        e.frame->History().Apply(QStringLiteral("Renombrar"), std::move(edit));
        QVERIFY(e.frame->isWindowModified());
        QCOMPARE(e.frame->windowTitle(), title);
        e.frame->Action(ID_EDIT_UNDO)->trigger();
        QVERIFY(!e.frame->isWindowModified());
        e.frame->Action(ID_EDIT_REDO)->trigger();
        {
            CModalScript done{Answer(QStringLiteral("Aceptar"))};
            QVERIFY(e.frame->SaveMap());
        }
        QVERIFY(!e.frame->isWindowModified());
        QCOMPARE(e.frame->windowTitle(), title);
    }

    void PrintOffersAPdfFileInSpanish() {
        EditorFixture e;
        QVERIFY(e.frame->OpenMap(e.WriteMap(QStringLiteral("mitla.map"))));
        const std::unique_ptr<QTranslator> spanish = InstallQtTranslations();
        QVERIFY2(spanish, "Qt's Spanish translations are not installed");
        const QString pdf = e.dir.filePath(QStringLiteral("plano.pdf"));
        QString title;
        QStringList buttons;
        QStringList printers;
        {
            CModalScript print{[&](QWidget* modal) {
                const auto close = qScopeGuard([modal] {
                    if (modal->isVisible())
                        static_cast<QDialog*>(modal)->reject();
                });
                auto* dialog = qobject_cast<QPrintDialog*>(modal);
                QVERIFY(dialog);
                title = dialog->windowTitle();
                for (QAbstractButton* b : dialog->findChild<QDialogButtonBox*>()->buttons())
                    buttons << b->text().remove(QLatin1Char('&'));
                auto* choice = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
                QVERIFY(choice);
                for (int i = 0; i < choice->count(); ++i)
                    printers << choice->itemText(i);
                // Whether or not the machine has printers, a PDF file is on offer.
                const int file = choice->findText(QStringLiteral("Imprimir a archivo (PDF)"));
                QVERIFY(file >= 0);
                choice->setCurrentIndex(file);
                dialog->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(pdf);
                static_cast<QDialog*>(dialog)->accept();
            }};
            e.frame->Action(ID_FILE_PRINT)->trigger();
            QCOMPARE(print.Answered(), 1);
        }
        QCoreApplication::removeTranslator(spanish.get());
        QCOMPARE(title, QStringLiteral("Imprimir"));
        // The dialog's own buttons in Spanish (the accepting one reads "Imprimir"
        // under X11 and "Aceptar" headless).
        QVERIFY2(buttons.contains(QStringLiteral("Cancelar")) &&
                     buttons.contains(QStringLiteral("Opciones >>")) &&
                     (buttons.contains(QStringLiteral("Imprimir")) ||
                      buttons.contains(QStringLiteral("Aceptar"))),
                 qPrintable(buttons.join(QLatin1Char(','))));
        QFile file(pdf);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(printers.join(QLatin1Char(','))));
        QVERIFY(file.read(4) == "%PDF");
    }
};

QTEST_MAIN(DesktopOpenTest)
#include "desktop_open_test.moc"
