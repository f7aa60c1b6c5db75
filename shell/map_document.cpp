#include "map_document.h"

#include "edit_history.h"
#include "map_file.h"
#include "map_save.h"
#include "problem_text.h"

#include <QFile>
#include <QFileInfo>
#include <QUndoStack>

#include <algorithm>

namespace {

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

bool SameFile(const QString& a, const QString& b) {
    const QFileInfo first(a);
    const QFileInfo second(b);
    if (first.exists() && second.exists())
        return first.canonicalFilePath() == second.canonicalFilePath();
    return first.absoluteFilePath() == second.absoluteFilePath();
}

QString FileName(const QString& path) {
    return QFileInfo(path).fileName();
}

bool WriteMapTo(const MapStore& store, const QString& path, std::span<const std::uint8_t> picture,
                QString& error, bool replaceReadOnly = false) {
    Problem reason;
    SaveOptions options;
    options.replaceReadOnly = replaceReadOnly;
    if (!SaveMapFile(store, LocalPath(path), picture, reason, options)) {
        error = ProblemText(reason);
        return false;
    }
    return true;
}

} // namespace

CMapDocument::CMapDocument(QObject* parent)
    : QObject(parent), m_pHistory(std::make_unique<CEditHistory>(m_store)) {
    connect(m_pHistory.get(), &CEditHistory::ContentRestored, this, &CMapDocument::ContentRestored);
    QUndoStack& stack = m_pHistory->Stack();
    connect(m_pHistory.get(), &CEditHistory::Changed, this,
            [this](const std::vector<MapChange>& changes) {
                m_bChangedSinceCopy = true;
                emit ContentChanged(changes);
                FollowModified();
            });
    // The history marks the store changed or saved as the clean state comes and goes.
    connect(&stack, &QUndoStack::cleanChanged, this, &CMapDocument::FollowModified);
    connect(&m_autosaveTimer, &QTimer::timeout, this, [this] {
        QString error;
        Autosave(error);
    });
    SetAutosaveInterval(kDefaultAutosaveInterval);
}

CMapDocument::~CMapDocument() {
    // The history goes before this object does; it must not call back into it.
    disconnect(m_pHistory.get(), nullptr, this, nullptr);
    disconnect(&m_pHistory->Stack(), nullptr, this, nullptr);
    Close();
}

std::optional<LockOwner> CMapDocument::OpenElsewhere(const QString& path) {
    return MapLock::HeldByOther(LocalPath(path));
}

bool CMapDocument::HoldsLockOf(const QString& path) const {
    return m_lock.Held() && m_lock.Path() == MapLock::LockPath(LocalPath(path));
}

MapLock::Result CMapDocument::LockFor(const QString& path, MapLock& fresh, LockOwner& holder) {
    if (HoldsLockOf(path))
        return MapLock::Result::Taken;
    // Where no lock can be made (a read-only disk) the map opens all the same.
    Problem reason;
    return fresh.Acquire(LocalPath(path), holder, reason);
}

bool CMapDocument::Open(const QString& path, QString& error, bool readOnly) {
    const std::string local = LocalPath(path);
    MapLock lock;
    LockOwner holder;
    if (!readOnly && LockFor(path, lock, holder) == MapLock::Result::HeldByOther) {
        error = tr("El mapa %1 ya está abierto en otro editor.").arg(FileName(path));
        return false;
    }
    std::vector<std::uint8_t> picture;
    Problem reason;
    std::unique_ptr<MapStore> opened = LoadMapFile(local, m_store.m_counters, picture, reason);
    if (!opened) {
        error = ProblemText(reason);
        return false;
    }
    opened->m_strMapName = MapNameFromPath(local);
    PutInPlace(std::move(opened), std::move(picture), path, Origin::File, std::move(lock),
               readOnly);
    emit MapReplaced();
    FollowModified();
    return true;
}

bool CMapDocument::Replace(std::unique_ptr<MapStore> store, std::vector<std::uint8_t> picture,
                           const QString& path, QString& error) {
    const std::string name = MapNameFromPath(LocalPath(path));
    if (!store || name.empty()) {
        error = tr("El mapa no tiene nombre.");
        return false;
    }
    store->m_strMapName = name;
    MapLock lock;
    LockOwner holder;
    const bool readOnly = LockFor(path, lock, holder) == MapLock::Result::HeldByOther;
    PutInPlace(std::move(store), std::move(picture), path, Origin::Elsewhere, std::move(lock),
               readOnly);
    emit MapReplaced();
    FollowModified();
    return true;
}

void CMapDocument::PutInPlace(std::unique_ptr<MapStore> store, std::vector<std::uint8_t> picture,
                              const QString& path, Origin origin, MapLock lock, bool readOnly) {
    // The map in place is left for good: its changes were saved or given up.
    if (origin != Origin::Recovered)
        DiscardRecovery();
    m_bReplacing = true;
    // The windows keep their references to the one store; only its content changes.
    m_store = std::move(*store);
    m_picture = std::move(picture);
    m_strPath = path;
    m_pHistory->Reset();
    if (origin != Origin::File) {
        // No undo leads back to a saved state: the map exists only here.
        m_pHistory->Stack().resetClean();
        m_store.MarkChanged();
    }
    m_bReplacing = false;
    if (readOnly || !HoldsLockOf(path))
        m_lock = std::move(lock);
    m_bReadOnly = readOnly;
    if (origin != Origin::Recovered)
        m_fileStamp = StampOf(LocalPath(path));
    // A recovered map is what its copy holds already.
    m_bChangedSinceCopy = origin == Origin::Elsewhere;
}

bool CMapDocument::ChangedOnDisk() const {
    if (!IsOpen())
        return false;
    const FileStamp now = StampOf(LocalPath(m_strPath));
    // A file that is gone, or is no longer a file, is no other program's save;
    // the save itself says what it finds there.
    return now.size >= 0 && now != m_fileStamp;
}

bool CMapDocument::Save(QString& error, bool replaceReadOnly) {
    if (!IsOpen()) {
        error = ProblemText(SaveErrorText());
        return false;
    }
    if (m_bReadOnly) {
        error = tr("El mapa %1 está abierto en otro editor: guárdelo con otro nombre.")
                    .arg(FileName(m_strPath));
        return false;
    }
    m_store.SortListsByName();
    if (!WriteMapTo(m_store, m_strPath, m_picture, error, replaceReadOnly))
        return false;
    m_fileStamp = StampOf(LocalPath(m_strPath));
    m_store.m_nFileVersion = 1;
    m_pHistory->MarkSaved();
    m_recovery.Discard(m_strPath);
    m_bChangedSinceCopy = false;
    FollowModified();
    emit Saved();
    return true;
}

bool CMapDocument::SaveAs(const QString& path, QString& error, bool replaceReadOnly) {
    if (!IsOpen()) {
        error = ProblemText(SaveErrorText());
        return false;
    }
    if (!m_bReadOnly && SameFile(path, m_strPath))
        return Save(error, replaceReadOnly);
    MapLock lock;
    LockOwner holder;
    if (LockFor(path, lock, holder) == MapLock::Result::HeldByOther) {
        error = tr("El mapa %1 está abierto en otro editor: no se puede guardar con ese "
                   "nombre.")
                    .arg(FileName(path));
        return false;
    }
    m_store.SortListsByName();
    if (!WriteMapTo(m_store, path, m_picture, error, replaceReadOnly))
        return false;
    m_fileStamp = StampOf(LocalPath(path));
    const std::string name = MapNameFromPath(LocalPath(path));
    DiscardRecovery();
    // An older copy of the file just written holds nothing it lacks.
    m_recovery.Discard(path);
    if (!HoldsLockOf(path))
        m_lock = std::move(lock);
    m_strPath = path;
    m_store.m_strMapName = name;
    m_store.m_nFileVersion = 1;
    m_bReadOnly = false;
    m_bChangedSinceCopy = false;
    m_pHistory->MarkSaved();
    FollowModified();
    emit PathChanged();
    emit Saved();
    return true;
}

bool CMapDocument::SaveTo(const QString& path, QString& error) const {
    if (!IsOpen()) {
        error = ProblemText(SaveErrorText());
        return false;
    }
    return WriteMapTo(m_store, path, m_picture, error);
}

void CMapDocument::SetAutosaveInterval(std::chrono::milliseconds interval) {
    m_autosaveInterval = std::max(interval, std::chrono::milliseconds(0));
    if (m_autosaveInterval.count() > 0)
        m_autosaveTimer.start(m_autosaveInterval);
    else
        m_autosaveTimer.stop();
}

bool CMapDocument::Autosave(QString& error) {
    if (!IsOpen() || m_bReadOnly || !IsModified() || !m_bChangedSinceCopy)
        return true;
    if (!m_recovery.Write(m_store, m_picture, m_strPath, error)) {
        emit AutosaveFailed(error);
        return false;
    }
    m_bChangedSinceCopy = false;
    emit Autosaved();
    return true;
}

std::optional<CRecoveryCopy> CMapDocument::RecoveryCopy() const {
    // The copy of a map another editor has is that editor's.
    if (!IsOpen() || m_bReadOnly)
        return std::nullopt;
    return m_recovery.NewerThanMap(m_strPath);
}

bool CMapDocument::Recover(QString& error) {
    const std::optional<CRecoveryCopy> copy = RecoveryCopy();
    if (!copy) {
        error = tr("No hay ninguna copia de recuperación de %1.").arg(FileName(m_strPath));
        return false;
    }
    std::vector<std::uint8_t> picture;
    std::unique_ptr<MapStore> store = m_recovery.Load(*copy, m_store.m_counters, picture, error);
    if (!store)
        return false;
    store->m_strMapName = m_store.m_strMapName;
    // The copy stays until the map is saved: a second crash must not lose it.
    PutInPlace(std::move(store), std::move(picture), m_strPath, Origin::Recovered, MapLock(),
               false);
    emit MapReplaced();
    FollowModified();
    return true;
}

void CMapDocument::DiscardRecovery() {
    if (IsOpen() && !m_bReadOnly)
        m_recovery.Discard(m_strPath);
}

void CMapDocument::Close() {
    DiscardRecovery();
    m_bChangedSinceCopy = false;
    m_autosaveTimer.stop();
    m_lock.Release();
}

void CMapDocument::FollowModified() {
    const bool modified = IsModified();
    if (m_bReplacing || modified == m_bToldModified)
        return;
    m_bToldModified = modified;
    emit ModifiedChanged(modified);
}
