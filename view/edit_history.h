#pragma once

// The undo history of the open map. Every change a person makes (with a tool, a
// dialog or a page) is a MapEdit run through Apply(), which makes it one step
// of a Qt undo stack; undoing back to the last save clears the map's "changed"
// state. A step keeps only the records its edit states, and the steps together
// stay within a memory limit: past it the oldest steps go.

#include "map_edit.h"

#include <QObject>
#include <QUndoStack>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class MapStore;

class CEditHistory : public QObject {
    Q_OBJECT
public:
    static constexpr std::size_t kDefaultMemoryLimit = std::size_t{256} << 20;
    // The setting that overrides the limit, in MiB.
    static constexpr const char* kMemoryLimitKey = "historial/memoria_maxima_mib";

    explicit CEditHistory(MapStore& store, QObject* parent = nullptr);

    // Makes `edit` on the store as one step named `text`. An edit that changes
    // nothing a file keeps is made but leaves no step. Returns whether it
    // changed anything.
    bool Apply(const QString& text, MapEdit edit);

    // A newly opened map: no steps, nothing changed.
    void Reset();
    // The map was saved: this is the clean state.
    void MarkSaved();

    // The most the steps may hold together; from the next step on, the oldest
    // steps go to keep within it, though the newest step always stays.
    void SetMemoryLimit(std::size_t bytes);
    std::size_t MemoryLimit() const { return m_nMemoryLimit; }
    // About the bytes the steps that can be undone hold now.
    std::size_t MemoryUsed() const;

    QUndoStack& Stack() { return m_stack; }

signals:
    // An edit that made a step, an undo or a redo touched these records.
    void Changed(const std::vector<MapChange>& changes);
    // An undo or a redo put back these records (after Changed): windows showing
    // them refill and repaint.
    void ContentRestored(const std::vector<MapChange>& changes);

private:
    void Push(const QString& text, std::shared_ptr<const MapEdit> edit);
    // What a command calls when it has undone or redone its edit.
    std::function<void(const MapEdit&)> Restorer();
    // Drops the oldest steps until `incoming` more bytes fit in the limit.
    void MakeRoom(std::size_t incoming);

    MapStore& m_store;
    QUndoStack m_stack;
    // The records an undo or a redo touched, until the stack has moved.
    std::optional<std::vector<MapChange>> m_restored;
    std::size_t m_nMemoryLimit = kDefaultMemoryLimit;
};
