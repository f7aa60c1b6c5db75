#pragma once

// The open map as a document: the one store the windows show, its undo
// history, the file it came from, its picture and whether it has unsaved
// changes. Opening, saving and replacing the map happen here, without any
// dialog: failures come back as the Spanish text for the caller to show, and
// the windows hear of every change through the signals.

#include "map_store.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
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

    bool IsOpen() const { return m_store.MapLoaded(); }
    // Changed since it was opened or last saved.
    bool IsModified() const { return m_store.IsChanged(); }
    // The map file that Save() writes; empty while no map is open.
    const QString& Path() const { return m_strPath; }
    // The map's picture as its file holds it (JPEG bytes), possibly empty.
    const std::vector<std::uint8_t>& Picture() const { return m_picture; }

    // Reads the map file at `path` whole and only then puts it in place of
    // the open map, with no undo steps and no changes. On failure the open
    // map stays as it was, nothing is emitted and `error` says why.
    bool Open(const QString& path, QString& error);
    // Puts a map made elsewhere (an import, a recovered copy) in place of the
    // open map. `path` is where Save() will write it and names the map. It
    // has never been saved there, so it counts as modified.
    bool Replace(std::unique_ptr<MapStore> store, std::vector<std::uint8_t> picture,
                 const QString& path, QString& error);
    // Puts the five named lists in name order and writes the map, with its
    // picture from memory, to Path(). After a write that worked the map is
    // version 1 and unmodified. The lists stay sorted even when the write
    // fails, and `error` then says why (without the "- Error al guardar -"
    // heading the caller shows above it).
    bool Save(QString& error);
    // Writes the map to another file, leaving the document as it is: the
    // lists keep their order, the map keeps its path and its changes.
    bool SaveTo(const QString& path, QString& error) const;

signals:
    // Open() or Replace() put another map in the store: windows start afresh.
    void MapReplaced();
    // An undo or a redo put back earlier content: windows refill and repaint.
    void ContentRestored();
    // The content changed in place: an edit, an undo or a redo.
    void ContentChanged();
    void ModifiedChanged(bool modified);
    void Saved();

private:
    // Moves `store` into the one store with an empty history; a map that is
    // not `onDisk` at `path` counts as modified.
    void PutInPlace(std::unique_ptr<MapStore> store, std::vector<std::uint8_t> picture,
                    const QString& path, bool onDisk);
    // Emits ModifiedChanged when the store's state differs from the last one told.
    void FollowModified();

    MapStore m_store;
    std::unique_ptr<CEditHistory> m_pHistory;
    QString m_strPath;
    std::vector<std::uint8_t> m_picture;
    bool m_bToldModified = false;
    bool m_bReplacing = false;
};
