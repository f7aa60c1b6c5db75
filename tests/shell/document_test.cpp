// The map document without any window: open, replace, save and save a copy,
// with the signals the windows rely on and the files a person would find.

#include "edit_history.h"
#include "map_document.h"
#include "map_file.h"
#include "map_lock.h"
#include "map_save.h"
#include "map_store.h"
#include "other_editor.h"
#include "private_home.h"
#include "qt_helpers.h"
#include "recovery_store.h"
#include "test_towns.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <memory>
#include <vector>

using namespace std::chrono_literals;

namespace {

// Every signal of a document, counted.
struct DocumentSpies {
    explicit DocumentSpies(CMapDocument& document)
        : replaced(&document, &CMapDocument::MapReplaced),
          restored(&document, &CMapDocument::ContentRestored),
          changed(&document, &CMapDocument::ContentChanged),
          modified(&document, &CMapDocument::ModifiedChanged),
          saved(&document, &CMapDocument::Saved) {}
    QSignalSpy replaced;
    QSignalSpy restored;
    QSignalSpy changed;
    QSignalSpy modified;
    QSignalSpy saved;

    int Total() const {
        return int(replaced.size() + restored.size() + changed.size() + modified.size() +
                   saved.size());
    }
    // The values ModifiedChanged carried, in order.
    QList<bool> Modified() const {
        QList<bool> values;
        for (const QList<QVariant>& call : modified)
            values << call.at(0).toBool();
        return values;
    }
};

QString LockOf(const QString& mapPath) {
    return QString::fromStdString(MapLock::LockPath(LocalPath(mapPath)));
}

void Rename(CMapDocument& document, std::size_t street, const char* name) {
    MapEdit edit(document.Store());
    edit.Change<CmCalles>(street, [&](CmCalles& s) { s.m_strName = name; });
    document.History().Apply(QStringLiteral("Renombrar calle"), std::move(edit));
}

} // namespace

class DocumentTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    // The test town with a picture of `picture` bytes, as a map file.
    QString WriteMapWithPicture(const QString& name, const Bytes& picture,
                                const TestMapContents& contents = {}) {
        MapStore store;
        FillTestTown(store, contents);
        Problem error;
        const QString path = Path(name);
        if (!SaveMapFile(store, LocalPath(path), picture, error))
            return {};
        return path;
    }

private slots:
    void initTestCase() { UsePrivateHome(m_dir); }

    void OpeningPutsTheMapInPlaceOfTheOpenOne() {
        CMapDocument document;
        MapStore* const store = &document.Store();
        QString error;
        const QString first = WriteMapWithPicture(QStringLiteral("mitla.map"), {1, 2, 3});
        QVERIFY(document.Open(first, error));
        Rename(document, 0, "Reforma");
        QVERIFY(document.IsModified());

        const Bytes picture{0xFF, 0xD8, 9, 8, 7};
        const QString second = WriteMapWithPicture(QStringLiteral("comitan.map"), picture,
                                                   {"México", "Chiapas", "Comitán"});
        QVERIFY(QFile::exists(LockOf(first)));
        DocumentSpies spies(document);
        QVERIFY2(document.Open(second, error), qPrintable(error));
        // The lock goes with the map: the first is free for another editor.
        QVERIFY(!QFile::exists(LockOf(first)));
        QVERIFY(QFile::exists(LockOf(second)));

        QCOMPARE(spies.replaced.size(), 1);
        QCOMPARE(spies.Modified(), QList<bool>{false});
        QCOMPARE(spies.Total(), 2);
        // The same store object, with the second map in it and nothing to undo.
        QCOMPARE(&document.Store(), store);
        QCOMPARE(document.Store().m_strMapName, std::string("comitan"));
        QCOMPARE(document.Store().m_strTown, std::string("Comitán"));
        QCOMPARE(Names(document.Store().m_listStreets),
                 (QStringList{QStringLiteral("Avenida Juárez"), QStringLiteral("Calle Hidalgo")}));
        QCOMPARE(document.History().Stack().count(), 0);
        QVERIFY(!document.IsModified());
        QCOMPARE(document.Path(), second);
        QCOMPARE(document.Picture(), picture);
    }

    void SameNamedMapsInTwoEditorsKeepTheirOwnPictures() {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("otra")));
        const QString here = WriteMapWithPicture(QStringLiteral("tula.map"), {0xFF, 0xD8, 1});
        const QString there =
            WriteMapWithPicture(QStringLiteral("otra/tula.map"), {0xFF, 0xD8, 2, 2});
        CMapDocument first;
        CMapDocument second;
        QString error;
        QVERIFY(first.Open(here, error));
        QVERIFY(second.Open(there, error));
        Rename(first, 0, "Reforma");
        Rename(second, 0, "Juárez");
        // Nothing of the picture lives outside the document: no temporary file
        // a cleaner could delete or another editor could overwrite.
        QVERIFY2(first.Save(error), qPrintable(error));
        QVERIFY2(second.Save(error), qPrintable(error));
        for (const auto& [path, expected] :
             {std::pair{here, Bytes{0xFF, 0xD8, 1}}, std::pair{there, Bytes{0xFF, 0xD8, 2, 2}}}) {
            Bytes picture;
            Problem reason;
            QVERIFY(LoadMapFile(LocalPath(path), {}, picture, reason));
            QCOMPARE(picture, expected);
        }
    }

    void DamagedFileLeavesTheOpenMapAndSaysNothing() {
        CMapDocument document;
        QString error;
        const QString good = WriteMapWithPicture(QStringLiteral("mitla.map"), {4, 5, 6});
        QVERIFY(document.Open(good, error));
        Rename(document, 1, "Zaragoza");

        QFile whole(good);
        QVERIFY(whole.open(QIODevice::ReadOnly));
        const QByteArray bytes = whole.readAll();
        for (const auto& [name, content] :
             {std::pair{QStringLiteral("cortado.map"), bytes.left(bytes.size() - 3)},
              std::pair{QStringLiteral("ruido.map"), QByteArray(300, '\x07')}}) {
            QFile damaged(Path(name));
            QVERIFY(damaged.open(QIODevice::WriteOnly));
            damaged.write(content);
            damaged.close();
            DocumentSpies spies(document);
            error.clear();
            QVERIFY(!document.Open(damaged.fileName(), error));
            QVERIFY2(error == QStringLiteral("Formato de archivo no esperado.") ||
                         error == QStringLiteral("Error inesperado al leer %1.").arg(name),
                     qPrintable(error));
            QCOMPARE(spies.Total(), 0);
        }
        QCOMPARE(document.Path(), good);
        QCOMPARE(document.Store().m_strMapName, std::string("mitla"));
        QCOMPARE(document.Store().m_listStreets[1]->m_strName, std::string("Zaragoza"));
        QVERIFY(document.IsModified());
        QCOMPARE(document.History().Stack().count(), 1);
        QCOMPARE(document.Picture(), (Bytes{4, 5, 6}));
    }

    void ReplaceTakesAMapMadeElsewhereAsUnsaved() {
        CMapDocument document;
        QString error;
        QVERIFY(document.Open(WriteMapWithPicture(QStringLiteral("mitla.map"), {1}), error));

        auto made = std::make_unique<MapStore>();
        FillTestTown(*made, {"México", "Sonora", "Álamos"});
        const Bytes picture{0xFF, 0xD8, 0xFF, 0xD9};
        const QString path = Path(QStringLiteral("alamos.map"));
        DocumentSpies spies(document);
        // Windows start afresh on the new map before they hear it is unsaved.
        QStringList heard;
        connect(&document, &CMapDocument::MapReplaced, this, [&] { heard << "replaced"; });
        connect(&document, &CMapDocument::ModifiedChanged, this, [&] { heard << "modified"; });
        QVERIFY2(document.Replace(std::move(made), picture, path, error), qPrintable(error));
        QCOMPARE(heard, (QStringList{"replaced", "modified"}));
        QCOMPARE(spies.Modified(), QList<bool>{true});
        QCOMPARE(document.Store().m_strMapName, std::string("alamos"));
        QCOMPARE(document.Store().m_strState, std::string("Sonora"));
        QCOMPARE(document.Path(), path);
        QCOMPARE(document.Picture(), picture);
        QVERIFY(!QFile::exists(path));

        // It is not on disk: undoing an edit cannot make it "saved".
        Rename(document, 0, "Obregón");
        document.History().Stack().undo();
        QVERIFY(document.IsModified());
        QVERIFY(document.Save(error));
        QVERIFY(!document.IsModified());

        Problem reason;
        Bytes reread;
        auto onDisk = LoadMapFile(LocalPath(path), {}, reread, reason);
        QVERIFY2(onDisk, reason.Text().c_str());
        QCOMPARE(onDisk->m_strTown, std::string("Álamos"));
        QCOMPARE(reread, picture);

        // A store without a name to save under is refused and the map stays.
        spies.replaced.clear();
        QVERIFY(!document.Replace(std::make_unique<MapStore>(), {}, QString(), error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(spies.replaced.size(), 0);
        QCOMPARE(document.Store().m_strMapName, std::string("alamos"));
    }

    void SaveSortsTheListsAndMarksTheMapSaved() {
        CMapDocument document;
        QString error;
        const QString path = WriteMapWithPicture(QStringLiteral("mitla.map"), {7, 7});
        QVERIFY(document.Open(path, error));
        // As a map from an older file; the rename puts the streets out of order.
        document.Store().m_nFileVersion = 0;
        Rename(document, 0, "Zaragoza");
        DocumentSpies spies(document);

        // The map's place taken by a folder: the write fails, the map stays unsaved.
        QVERIFY(QFile::rename(path, path + QStringLiteral(".aparte")));
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("mitla.map/dentro")));
        QVERIFY(!document.Save(error));
        QVERIFY2(error.contains(QStringLiteral("no es un archivo")), qPrintable(error));
        QVERIFY(document.IsModified());
        QCOMPARE(spies.Total(), 0);
        // The lists were put in name order all the same.
        QCOMPARE(Names(document.Store().m_listStreets),
                 (QStringList{QStringLiteral("Calle Hidalgo"), QStringLiteral("Zaragoza")}));

        QVERIFY(QDir(path).removeRecursively());
        QVERIFY(QFile::rename(path + QStringLiteral(".aparte"), path));
        Rename(document, 1, "Benito Juárez");
        spies.changed.clear();
        QVERIFY2(document.Save(error), qPrintable(error));
        QCOMPARE(spies.saved.size(), 1);
        QCOMPARE(spies.Modified(), QList<bool>{false});
        QVERIFY(!document.IsModified());
        QCOMPARE(document.Store().m_nFileVersion, 1);
        QCOMPARE(Names(document.Store().m_listStreets),
                 (QStringList{QStringLiteral("Benito Juárez"), QStringLiteral("Calle Hidalgo")}));

        Problem reason;
        Bytes picture;
        auto onDisk = LoadMapFile(LocalPath(path), {}, picture, reason);
        QVERIFY2(onDisk, reason.Text().c_str());
        QCOMPARE(Names(onDisk->m_listStreets), Names(document.Store().m_listStreets));
        QCOMPARE(picture, (Bytes{7, 7}));
    }

    void ModifiedFollowsEditsAndUndoToTheSavePoint() {
        CMapDocument document;
        QString error;
        QVERIFY(document.Open(WriteMapWithPicture(QStringLiteral("mitla.map"), {1}), error));
        DocumentSpies spies(document);
        QUndoStack& stack = document.History().Stack();

        Rename(document, 0, "Uno");
        Rename(document, 1, "Dos");
        QCOMPARE(spies.Modified(), QList<bool>{true});
        QCOMPARE(spies.changed.size(), 2);
        QCOMPARE(spies.restored.size(), 0);
        // An edit that changes nothing is no step and no change.
        Rename(document, 1, "Dos");
        QCOMPARE(spies.changed.size(), 2);

        stack.undo();
        QCOMPARE(spies.Modified(), QList<bool>{true});
        stack.undo();
        QCOMPARE(spies.Modified(), (QList<bool>{true, false}));
        QVERIFY(!document.IsModified());
        QCOMPARE(spies.restored.size(), 2);
        QCOMPARE(spies.changed.size(), 4);
        stack.redo();
        QCOMPARE(spies.Modified(), (QList<bool>{true, false, true}));

        // After a save the save point moves: undoing past it is a change again.
        QVERIFY(document.Save(error));
        QCOMPARE(spies.Modified(), (QList<bool>{true, false, true, false}));
        stack.undo();
        QVERIFY(document.IsModified());
        stack.redo();
        QVERIFY(!document.IsModified());
        QCOMPARE(spies.Modified(), (QList<bool>{true, false, true, false, true, false}));
    }

    void SaveToWritesACopyAndLeavesTheDocumentAsItWas() {
        CMapDocument document;
        QString error;
        const QString path = WriteMapWithPicture(QStringLiteral("mitla.map"), {3, 1, 4});
        QVERIFY(document.Open(path, error));
        QFile original(path);
        QVERIFY(original.open(QIODevice::ReadOnly));
        const QByteArray before = original.readAll();
        original.close();
        Rename(document, 0, "Zaragoza");
        DocumentSpies spies(document);

        const QString copy = Path(QStringLiteral("copia.map"));
        QVERIFY2(document.SaveTo(copy, error), qPrintable(error));
        QCOMPARE(spies.Total(), 0);
        QVERIFY(document.IsModified());
        QCOMPARE(document.Path(), path);
        QCOMPARE(Names(document.Store().m_listStreets),
                 (QStringList{QStringLiteral("Zaragoza"), QStringLiteral("Calle Hidalgo")}));
        QVERIFY(original.open(QIODevice::ReadOnly));
        QCOMPARE(original.readAll(), before);

        Problem reason;
        Bytes picture;
        auto written = LoadMapFile(LocalPath(copy), {}, picture, reason);
        QVERIFY2(written, reason.Text().c_str());
        QCOMPARE(Names(written->m_listStreets),
                 (QStringList{QStringLiteral("Calle Hidalgo"), QStringLiteral("Zaragoza")}));
        QCOMPARE(picture, (Bytes{3, 1, 4}));
    }

    void AutosaveCopiesWhatASaveWouldWriteAndTouchesNothing() {
        CMapDocument document;
        QString error;
        const QString path = WriteMapWithPicture(QStringLiteral("mitla.map"), {3, 1, 4});
        QVERIFY(document.Open(path, error));
        const QByteArray before = FileBytes(path);
        const QString copy = document.Recovery().CopyPath(path);
        QSignalSpy autosaved(&document, &CMapDocument::Autosaved);
        // Nothing unsaved, nothing to copy.
        QVERIFY(document.Autosave(error));
        QVERIFY(!QFile::exists(copy));

        // Out of name order, as a save would not leave it.
        Rename(document, 0, "Zaragoza");
        DocumentSpies spies(document);
        document.SetAutosaveInterval(20ms);
        QVERIFY(autosaved.wait(5000));
        QCOMPARE(spies.Total(), 0);
        QVERIFY(document.IsModified());
        QCOMPARE(Names(document.Store().m_listStreets),
                 (QStringList{QStringLiteral("Zaragoza"), QStringLiteral("Calle Hidalgo")}));
        QCOMPARE(document.History().Stack().count(), 1);
        QCOMPARE(FileBytes(path), before);
        const QJsonObject info =
            QJsonDocument::fromJson(FileBytes(copy.chopped(4) + QStringLiteral(".json"))).object();
        QCOMPARE(info.value(QStringLiteral("map")).toString(), QFileInfo(path).canonicalFilePath());
        QVERIFY(document.RecoveryCopy());

        // Nothing new since: the timer writes nothing more.
        QVERIFY(!autosaved.wait(150));
        QCOMPARE(autosaved.size(), 1);

        // The copy is what a save writes, and the save removes it.
        QVERIFY(document.SaveTo(Path(QStringLiteral("aparte.map")), error));
        QCOMPARE(FileBytes(copy), FileBytes(Path(QStringLiteral("aparte.map"))));
        QVERIFY(document.Save(error));
        QCOMPARE(FileBytes(path), FileBytes(Path(QStringLiteral("aparte.map"))));
        QVERIFY(!QFile::exists(copy));
        QVERIFY(!document.RecoveryCopy());

        // Turned off, nothing is written however long the changes wait.
        document.SetAutosaveInterval(0ms);
        Rename(document, 1, "Morelos");
        QVERIFY(!autosaved.wait(150));
        QVERIFY(!QFile::exists(copy));
        // A clean end takes a copy away with the lock.
        QVERIFY(document.Autosave(error));
        QVERIFY(QFile::exists(copy));
        document.Close();
        QVERIFY(!QFile::exists(copy));
        QVERIFY(!QFile::exists(LockOf(path)));
    }

    void RecoveryCopyComesBackAsUnsavedChanges() {
        QString error;
        const QString path = WriteMapWithPicture(QStringLiteral("mitla.map"), {5, 5});
        // What an editor that stopped had copied aside: one street renamed, another picture.
        CRecoveryStore recovery;
        MapStore edited;
        FillTestTown(edited, {});
        edited.m_listStreets[0]->m_strName = "Reforma";
        QVERIFY(recovery.Write(edited, Bytes{5, 5, 5}, path, error));

        CMapDocument document;
        QVERIFY(document.Open(path, error));
        const std::optional<CRecoveryCopy> copy = document.RecoveryCopy();
        QVERIFY(copy);
        QCOMPARE(copy->mapPath, path);
        QVERIFY(qAbs(copy->saved.secsTo(QDateTime::currentDateTime())) < 60);
        DocumentSpies spies(document);
        QVERIFY2(document.Recover(error), qPrintable(error));
        QCOMPARE(spies.replaced.size(), 1);
        QCOMPARE(spies.Modified(), QList<bool>{true});
        QCOMPARE(Names(document.Store().m_listStreets),
                 (QStringList{QStringLiteral("Calle Hidalgo"), QStringLiteral("Reforma")}));
        QCOMPARE(document.Picture(), (Bytes{5, 5, 5}));
        QCOMPARE(document.Path(), path);
        QCOMPARE(document.Store().m_strMapName, std::string("mitla"));
        QCOMPARE(document.History().Stack().count(), 0);
        // Until it is saved, the copy stays for another crash.
        QVERIFY(QFile::exists(copy->copyPath));
        QVERIFY(document.Save(error));
        QVERIFY(!QFile::exists(copy->copyPath));
        Problem reason;
        Bytes picture;
        auto onDisk = LoadMapFile(LocalPath(path), {}, picture, reason);
        QVERIFY(onDisk);
        QCOMPARE(onDisk->m_listStreets[1]->m_strName, std::string("Reforma"));

        // A copy made before the file's last save is no news.
        QVERIFY(recovery.Write(edited, {}, path, error));
        QVERIFY(WriteTestMap(LocalPath(path)).empty());
        QVERIFY(QFile::exists(recovery.CopyPath(path)));
        QVERIFY(!recovery.NewerThanMap(path));
        QVERIFY(document.Open(path, error));

        // A damaged copy is said to be so and moved aside; the opened map stays.
        {
            QFile damaged(recovery.CopyPath(path));
            QVERIFY(damaged.open(QIODevice::WriteOnly));
            damaged.write(QByteArray(200, '\x07'));
        }
        QVERIFY(document.RecoveryCopy());
        spies.replaced.clear();
        QVERIFY(!document.Recover(error));
        QVERIFY2(error.startsWith(QStringLiteral("La copia de recuperación de mitla.map está "
                                                 "dañada y no se puede abrir")),
                 qPrintable(error));
        QVERIFY2(error.contains(QStringLiteral("Se ha dejado aparte")), qPrintable(error));
        QCOMPARE(spies.replaced.size(), 0);
        QVERIFY(!document.IsModified());
        QCOMPARE(document.Store().m_listStreets[0]->m_strName, std::string("Avenida Juárez"));
        QVERIFY(!document.RecoveryCopy());
        const QStringList aside =
            QDir(recovery.Folder()).entryList({QStringLiteral("*.dañada-*.map")}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(FileBytes(recovery.Folder() + QLatin1Char('/') + aside.front()),
                 QByteArray(200, '\x07'));
    }

    void SaveAsMakesTheNewFileTheMap() {
        CMapDocument document;
        QString error;
        const QString first = WriteMapWithPicture(QStringLiteral("mitla.map"), {2, 7});
        QVERIFY(document.Open(first, error));
        const QByteArray before = FileBytes(first);
        Rename(document, 0, "Zaragoza");
        QVERIFY(document.Autosave(error));
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("otra")));
        const QString second = Path(QStringLiteral("otra/oaxaca.map"));
        DocumentSpies spies(document);
        QSignalSpy pathChanged(&document, &CMapDocument::PathChanged);

        QVERIFY2(document.SaveAs(second, error), qPrintable(error));
        QCOMPARE(pathChanged.size(), 1);
        QCOMPARE(spies.saved.size(), 1);
        QCOMPARE(spies.Modified(), QList<bool>{false});
        QCOMPARE(document.Path(), second);
        QCOMPARE(document.Store().m_strMapName, std::string("oaxaca"));
        QVERIFY(!document.IsModified());
        QCOMPARE(FileBytes(first), before);
        Problem reason;
        Bytes picture;
        auto written = LoadMapFile(LocalPath(second), {}, picture, reason);
        QVERIFY2(written, reason.Text().c_str());
        QCOMPARE(Names(written->m_listStreets),
                 (QStringList{QStringLiteral("Calle Hidalgo"), QStringLiteral("Zaragoza")}));
        QCOMPARE(picture, (Bytes{2, 7}));
        // The lock and the recovery copy follow the map to its new file.
        QVERIFY(!QFile::exists(LockOf(first)));
        QVERIFY(QFile::exists(LockOf(second)));
        QVERIFY(!QFile::exists(document.Recovery().CopyPath(first)));
        Rename(document, 1, "Morelos");
        QVERIFY(document.Autosave(error));
        QVERIFY(QFile::exists(document.Recovery().CopyPath(second)));

        // A file another editor has open is not written over.
        OtherEditor other;
        const QString taken = Path(QStringLiteral("otra/ocupado.map"));
        QVERIFY(other.Lock(LocalPath(taken)));
        QVERIFY(!document.SaveAs(taken, error));
        QCOMPARE(error, QStringLiteral("El mapa ocupado.map está abierto en otro editor: no se "
                                       "puede guardar con ese nombre."));
        QVERIFY(!QFile::exists(taken));
        QCOMPARE(document.Path(), second);
        QVERIFY(document.IsModified());
    }

    void MapAnotherEditorHasOpensReadOnly() {
        QString error;
        const QString path = WriteMapWithPicture(QStringLiteral("mitla.map"), {9});
        const QByteArray before = FileBytes(path);
        OtherEditor other;
        QVERIFY(other.Lock(LocalPath(path)));
        const QByteArray theirLock = FileBytes(LockOf(path));
        const std::optional<LockOwner> holder = CMapDocument::OpenElsewhere(path);
        QVERIFY(holder);
        QCOMPARE(holder->pid, other.Pid());

        CMapDocument document;
        QVERIFY(!document.Open(path, error));
        QCOMPARE(error, QStringLiteral("El mapa mitla.map ya está abierto en otro editor."));
        QVERIFY(!document.IsOpen());
        QVERIFY(document.Open(path, error, true));
        QVERIFY(document.IsReadOnly());
        Rename(document, 0, "Reforma");
        QVERIFY(!document.Save(error));
        QCOMPARE(error, QStringLiteral("El mapa mitla.map está abierto en otro editor: guárdelo "
                                       "con otro nombre."));
        QCOMPARE(FileBytes(path), before);
        // The map's recovery copy is the other editor's to write and to remove.
        QVERIFY(document.Autosave(error));
        QVERIFY(!QFile::exists(document.Recovery().CopyPath(path)));

        // Saved under a name of its own, the map is this editor's.
        const QString mine = Path(QStringLiteral("mia.map"));
        QVERIFY2(document.SaveAs(mine, error), qPrintable(error));
        QVERIFY(!document.IsReadOnly());
        QVERIFY(QFile::exists(LockOf(mine)));
        document.Close();
        QVERIFY(!QFile::exists(LockOf(mine)));
        QCOMPARE(FileBytes(LockOf(path)), theirLock);
        QCOMPARE(FileBytes(path), before);
    }
};

QTEST_MAIN(DocumentTest)
#include "document_test.moc"
