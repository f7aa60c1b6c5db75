#pragma once

// The open map as a document: the one store the windows show, its undo
// history, the file it came from, its picture and whether it has unsaved
// changes. Opening, saving and replacing the map happen here, without any
// dialog: failures come back as the Spanish text for the caller to show, and
// the windows hear of every change through the signals. The document also
// keeps the map's lock (one editor per map) and, while there are unsaved
// changes, a recovery copy written every few minutes.

#include "file_guard.h"
#include "map_edit.h"
#include "map_lock.h"
#include "map_store.h"
#include "recovery_store.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class CEditHistory;

class CMapDocument : public QObject {
    Q_OBJECT
public:
    explicit CMapDocument(QObject* parent = nullptr);
    ~CMapDocument() override;

    // The same store and history for the whole run: windows may keep
    // references to them; a new map is moved into the store.
    MapStore& Store() { return m_store; }
    const MapStore& Store() const { return m_store; }
    CEditHistory& History() { return *m_pHistory; }

    static constexpr std::chrono::minutes kDefaultAutosaveInterval{2};

    bool IsOpen() const { return m_store.MapLoaded(); }
    // Opened while another editor has the map: it cannot be saved over its
    // file, only under another name.
    bool IsReadOnly() const { return m_bReadOnly; }
    // Changed since it was opened or last saved.
    bool IsModified() const { return m_store.IsChanged(); }
    // The map file that Save() writes; empty while no map is open.
    const QString& Path() const { return m_strPath; }
    // Another program wrote the map's file since this document opened or
    // last saved it: a save now would undo that program's change.
    bool ChangedOnDisk() const;
    // The map's picture as its file holds it (JPEG bytes), possibly empty.
    const std::vector<std::uint8_t>& Picture() const { return m_picture; }

    // The editor that has the map at `path` open, when it is another one
    // still running (or one on another computer).
    static std::optional<LockOwner> OpenElsewhere(const QString& path);

    // Reads the map file at `path` whole and only then puts it in place of
    // the open map, with no undo steps and no changes. Unless `readOnly`, the
    // map's lock is taken first, and a map another editor has is refused. On
    // failure the open map stays as it was, nothing is emitted and `error`
    // says why.
    bool Open(const QString& path, QString& error, bool readOnly = false);
    // Puts a map made elsewhere (an import, a recovered copy) in place of the
    // open map. `path` is where Save() will write it and names the map. It
    // has never been saved there, so it counts as modified. When another
    // editor has `path` open, the map comes in read-only.
    bool Replace(std::unique_ptr<MapStore> store, std::vector<std::uint8_t> picture,
                 const QString& path, QString& error);
    // Puts the five named lists in name order and writes the map, with its
    // picture from memory, to Path(). After a write that worked the map is
    // version 1 and unmodified. The lists stay sorted even when the write
    // fails, and `error` then says why (without the "- Error al guardar -"
    // heading the caller shows above it). A read-only file is only replaced
    // with `replaceReadOnly`, and keeps its mode then.
    bool Save(QString& error, bool replaceReadOnly = false);
    // Saves the map to `path`, which then becomes its file: the lock, the
    // recovery copy and the name follow, and the map is no longer read-only.
    // A file another editor has open is refused.
    bool SaveAs(const QString& path, QString& error, bool replaceReadOnly = false);
    // Writes the map to another file, leaving the document as it is: the
    // lists keep their order, the map keeps its path and its changes.
    bool SaveTo(const QString& path, QString& error) const;

    // How often unsaved changes are copied aside; zero turns it off.
    void SetAutosaveInterval(std::chrono::milliseconds interval);
    std::chrono::milliseconds AutosaveInterval() const { return m_autosaveInterval; }
    CRecoveryStore& Recovery() { return m_recovery; }
    // Writes the recovery copy now when there are changes it does not hold
    // yet. The map file, the store, its order and its unsaved state stay as
    // they are. False with the reason when the copy could not be written.
    bool Autosave(QString& error);
    // The recovery copy of the open map, when it holds work its file has not.
    std::optional<CRecoveryCopy> RecoveryCopy() const;
    // Puts the recovery copy in place as unsaved changes of the open map. A
    // copy that does not read is moved aside; the open map stays then.
    bool Recover(QString& error);
    void DiscardRecovery();
    // The end of the work on the map, as a clean exit: its recovery copy and
    // its lock go. The map stays in the store.
    void Close();

signals:
    // Open() or Replace() put another map in the store: windows start afresh.
    void MapReplaced();
    // An undo or a redo put back the earlier content of these records: windows
    // refill and repaint.
    void ContentRestored(const std::vector<MapChange>& changes);
    // The content changed in place: an edit, an undo or a redo touched these records.
    void ContentChanged(const std::vector<MapChange>& changes);
    void ModifiedChanged(bool modified);
    void Saved();
    // Save as: the map has another file, and maybe another name.
    void PathChanged();
    // A recovery copy was written, or could not be (with the reason).
    void Autosaved();
    void AutosaveFailed(const QString& error);

private:
    // Moves `store` into the one store with an empty history; a map that is
    // not `onDisk` at `path` counts as modified.
    enum class Origin { File, Elsewhere, Recovered };
    void PutInPlace(std::unique_ptr<MapStore> store, std::vector<std::uint8_t> picture,
                    const QString& path, Origin origin, MapLock lock, bool readOnly);
    // Takes the lock of `path` into `fresh`, unless the one held is that file's already.
    MapLock::Result LockFor(const QString& path, MapLock& fresh, LockOwner& holder);
    bool HoldsLockOf(const QString& path) const;
    // Emits ModifiedChanged when the store's state differs from the last one told.
    void FollowModified();

    MapStore m_store;
    std::unique_ptr<CEditHistory> m_pHistory;
    QString m_strPath;
    std::vector<std::uint8_t> m_picture;
    bool m_bToldModified = false;
    bool m_bReplacing = false;
    bool m_bReadOnly = false;
    MapLock m_lock;
    // The map's file as this document last read or wrote it.
    FileStamp m_fileStamp;
    CRecoveryStore m_recovery;
    QTimer m_autosaveTimer;
    std::chrono::milliseconds m_autosaveInterval = kDefaultAutosaveInterval;
    // Changes made since the recovery copy (or the file) last caught up.
    bool m_bChangedSinceCopy = false;
};
