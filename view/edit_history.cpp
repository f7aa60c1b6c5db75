#include "edit_history.h"

#include "map_store.h"
#include "store_snapshot.h"

#include <QUndoCommand>

namespace {

class StoreEditCommand : public QUndoCommand {
public:
    StoreEditCommand(const QString& text, MapStore& store, StoreEdit edit,
                     std::function<void()> restored)
        : QUndoCommand(text), m_store(store), m_edit(std::move(edit)),
          m_restored(std::move(restored)) {}

    void undo() override {
        m_edit.Undo(m_store);
        m_restored();
    }

    void redo() override {
        // The first redo comes from push(): the edit has already been made.
        if (m_first) {
            m_first = false;
            return;
        }
        m_edit.Redo(m_store);
        m_restored();
    }

private:
    MapStore& m_store;
    StoreEdit m_edit;
    std::function<void()> m_restored;
    bool m_first = true;
};

} // namespace

CEditHistory::CEditHistory(MapStore& store, QObject* parent) : QObject(parent), m_store(store) {
    m_stack.setUndoLimit(0);
    connect(&m_stack, &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (clean)
            m_store.MarkSaved();
        else
            m_store.MarkChanged();
    });
}

bool CEditHistory::Record(const QString& text, const std::function<void()>& edit) {
    StoreSnapshot before = StoreSnapshot::Capture(m_store);
    edit();
    StoreEdit change(std::move(before), m_store);
    if (!change.ChangedAnything())
        return false;
    m_stack.push(
        new StoreEditCommand(text, m_store, std::move(change), [this] { emit ContentRestored(); }));
    m_store.MarkChanged();
    return true;
}

void CEditHistory::Reset() {
    m_stack.clear();
    m_stack.setClean();
    m_store.MarkSaved();
}

void CEditHistory::MarkSaved() {
    m_stack.setClean();
    m_store.MarkSaved();
}
