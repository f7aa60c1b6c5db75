#pragma once

// The undo history of the open map. Every change a person makes (with a tool, a
// dialog or a page) runs through Record(), which makes it one step of a Qt undo
// stack; undoing back to the last save clears the map's "changed" state.

#include <QObject>
#include <QUndoStack>

#include <functional>

class MapStore;

class CEditHistory : public QObject {
    Q_OBJECT
public:
    explicit CEditHistory(MapStore& store, QObject* parent = nullptr);

    // Runs `edit` on the store and records what it changed as one step named
    // `text`. An edit that changed nothing leaves no step. Returns whether it
    // changed anything.
    bool Record(const QString& text, const std::function<void()>& edit);

    // A newly opened map: no steps, nothing changed.
    void Reset();
    // The map was saved: this is the clean state.
    void MarkSaved();

    QUndoStack& Stack() { return m_stack; }

signals:
    // The store's content was replaced by an undo or a redo: windows showing it
    // must refill and repaint.
    void ContentRestored();

private:
    MapStore& m_store;
    QUndoStack m_stack;
};
