#include "map_document.h"

#include "edit_history.h"
#include "map_file.h"
#include "map_save.h"

#include <QFile>
#include <QUndoStack>

namespace {

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

bool WriteMapTo(const MapStore& store, const QString& path, std::span<const std::uint8_t> picture,
                QString& error) {
    std::string reason;
    if (!SaveMapFile(store, LocalPath(path), picture, reason)) {
        error = QString::fromStdString(reason);
        return false;
    }
    return true;
}

} // namespace

CMapDocument::CMapDocument(QObject* parent)
    : QObject(parent), m_pHistory(std::make_unique<CEditHistory>(m_store)) {
    connect(m_pHistory.get(), &CEditHistory::ContentRestored, this, &CMapDocument::ContentRestored);
    QUndoStack& stack = m_pHistory->Stack();
    connect(&stack, &QUndoStack::indexChanged, this, [this] {
        // A new map empties the history; MapReplaced says all there is to say.
        if (m_bReplacing)
            return;
        emit ContentChanged();
        FollowModified();
    });
    // The history marks the store changed or saved as the clean state comes and goes.
    connect(&stack, &QUndoStack::cleanChanged, this, &CMapDocument::FollowModified);
}

CMapDocument::~CMapDocument() {
    // The history goes before this object does; it must not call back into it.
    disconnect(m_pHistory.get(), nullptr, this, nullptr);
    disconnect(&m_pHistory->Stack(), nullptr, this, nullptr);
}

bool CMapDocument::Open(const QString& path, QString& error) {
    const std::string local = LocalPath(path);
    std::vector<std::uint8_t> picture;
    std::string reason;
    std::unique_ptr<MapStore> opened = LoadMapFile(local, m_store.m_counters, picture, reason);
    if (!opened) {
        error = QString::fromStdString(reason);
        return false;
    }
    opened->m_strMapName = MapNameFromPath(local);
    PutInPlace(std::move(opened), std::move(picture), path, true);
    emit MapReplaced();
    FollowModified();
    return true;
}

bool CMapDocument::Replace(std::unique_ptr<MapStore> store, std::vector<std::uint8_t> picture,
                           const QString& path, QString& error) {
    const std::string name = MapNameFromPath(LocalPath(path));
    if (!store || name.empty()) {
        error = QStringLiteral("El mapa no tiene nombre.");
        return false;
    }
    store->m_strMapName = name;
    PutInPlace(std::move(store), std::move(picture), path, false);
    emit MapReplaced();
    FollowModified();
    return true;
}

void CMapDocument::PutInPlace(std::unique_ptr<MapStore> store, std::vector<std::uint8_t> picture,
                              const QString& path, bool onDisk) {
    m_bReplacing = true;
    // The windows keep their references to the one store; only its content changes.
    m_store = std::move(*store);
    m_picture = std::move(picture);
    m_strPath = path;
    m_pHistory->Reset();
    if (!onDisk) {
        // No undo leads back to a saved state: the map exists only here.
        m_pHistory->Stack().resetClean();
        m_store.MarkChanged();
    }
    m_bReplacing = false;
}

bool CMapDocument::Save(QString& error) {
    if (!IsOpen()) {
        error = QString::fromStdString(SaveErrorText());
        return false;
    }
    m_store.SortListsByName();
    if (!WriteMapTo(m_store, m_strPath, m_picture, error))
        return false;
    m_store.m_nFileVersion = 1;
    m_pHistory->MarkSaved();
    FollowModified();
    emit Saved();
    return true;
}

bool CMapDocument::SaveTo(const QString& path, QString& error) const {
    if (!IsOpen()) {
        error = QString::fromStdString(SaveErrorText());
        return false;
    }
    return WriteMapTo(m_store, path, m_picture, error);
}

void CMapDocument::FollowModified() {
    const bool modified = IsModified();
    if (m_bReplacing || modified == m_bToldModified)
        return;
    m_bToldModified = modified;
    emit ModifiedChanged(modified);
}
