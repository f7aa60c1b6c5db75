#include "edit_history.h"

#include "map_store.h"

#include <QSettings>
#include <QUndoCommand>

#include <functional>

#include <vector>

namespace {

class MapEditCommand : public QUndoCommand {
public:
    MapEditCommand(const QString& text, MapStore& store, std::shared_ptr<const MapEdit> edit,
                   std::function<void(const MapEdit&)> restored)
        : QUndoCommand(text), m_store(store), m_edit(std::move(edit)),
          m_restored(std::move(restored)), m_nBytes(m_edit->MemoryBytes()) {}

    void undo() override {
        m_edit->Undo(m_store);
        m_restored(*m_edit);
    }

    void redo() override {
        // The first redo comes from push(): the edit has already been made.
        if (m_first) {
            m_first = false;
            return;
        }
        m_edit->Do(m_store);
        m_restored(*m_edit);
    }

    const std::shared_ptr<const MapEdit>& Edit() const { return m_edit; }
    std::size_t Bytes() const { return m_nBytes; }

private:
    MapStore& m_store;
    std::shared_ptr<const MapEdit> m_edit;
    std::function<void(const MapEdit&)> m_restored;
    std::size_t m_nBytes;
    bool m_first = true;
};

const MapEditCommand* CommandAt(const QUndoStack& stack, int index) {
    return static_cast<const MapEditCommand*>(stack.command(index));
}

} // namespace

CEditHistory::CEditHistory(MapStore& store, QObject* parent) : QObject(parent), m_store(store) {
    const QSettings settings;
    bool ok = false;
    const qlonglong mib = settings.value(QLatin1String(kMemoryLimitKey)).toLongLong(&ok);
    if (ok && mib > 0)
        m_nMemoryLimit = static_cast<std::size_t>(mib) << 20;
    m_stack.setUndoLimit(0);
    // Listeners hear of an undo or a redo once the stack has moved, so that
    // what they ask of it (can it redo?) is already true.
    connect(&m_stack, &QUndoStack::indexChanged, this, [this] {
        if (!m_restored)
            return;
        const std::vector<MapChange> changes = std::move(*m_restored);
        m_restored.reset();
        emit Changed(changes);
        emit ContentRestored(changes);
    });
    connect(&m_stack, &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (clean)
            m_store.MarkSaved();
        else
            m_store.MarkChanged();
    });
}

bool CEditHistory::Apply(const QString& text, MapEdit edit) {
    edit.Do(m_store);
    if (!edit.ChangesAnything())
        return false;
    auto made = std::make_shared<const MapEdit>(std::move(edit));
    Push(text, made);
    m_store.MarkChanged();
    emit Changed(made->Changes());
    return true;
}

void CEditHistory::Push(const QString& text, std::shared_ptr<const MapEdit> edit) {
    auto* command = new MapEditCommand(text, m_store, std::move(edit), Restorer());
    MakeRoom(command->Bytes());
    m_stack.push(command);
}

std::function<void(const MapEdit&)> CEditHistory::Restorer() {
    return [this](const MapEdit& edit) { m_restored = edit.Changes(); };
}

std::size_t CEditHistory::MemoryUsed() const {
    std::size_t bytes = 0;
    for (int i = 0; i < m_stack.index(); ++i)
        bytes += CommandAt(m_stack, i)->Bytes();
    return bytes;
}

void CEditHistory::SetMemoryLimit(std::size_t bytes) {
    m_nMemoryLimit = bytes;
}

void CEditHistory::MakeRoom(std::size_t incoming) {
    // The steps that could be redone go with the next push anyway.
    const int kept = m_stack.index();
    std::size_t used = MemoryUsed();
    int drop = 0;
    while (drop < kept && used + incoming > m_nMemoryLimit)
        used -= CommandAt(m_stack, drop++)->Bytes();
    if (drop == 0)
        return;

    // A Qt undo stack only forgets its oldest steps through a count limit fixed
    // while it is empty, so it is filled again with the steps that stay. The
    // commands share their edits with the new ones, and nothing is undone or
    // redone on the way; nobody hears of it but through the push that follows.
    struct Step {
        QString text;
        std::shared_ptr<const MapEdit> edit;
    };
    std::vector<Step> steps;
    for (int i = drop; i < kept; ++i)
        steps.push_back({CommandAt(m_stack, i)->text(), CommandAt(m_stack, i)->Edit()});
    const int clean = m_stack.cleanIndex();
    const int newClean = clean >= drop && clean <= kept ? clean - drop : -1;
    const bool blocked = m_stack.blockSignals(true);
    m_stack.clear();
    for (std::size_t i = 0; i <= steps.size(); ++i) {
        if (static_cast<int>(i) == newClean)
            m_stack.setClean();
        if (i < steps.size())
            m_stack.push(
                new MapEditCommand(steps[i].text, m_store, std::move(steps[i].edit), Restorer()));
    }
    if (newClean < 0)
        m_stack.resetClean();
    m_stack.blockSignals(blocked);
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
