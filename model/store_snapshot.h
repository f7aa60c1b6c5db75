#pragma once

// Copies of what an edit can change in a map store, so that an edit can be
// undone and redone exactly. Blocks are kept as type changes only: a town can
// have a million of them and an edit touches a few.

#include "map_store.h"

#include <cstdint>
#include <memory>
#include <vector>

class StoreSnapshot {
public:
    struct BlockType {
        std::int32_t type;
        Color fill;
        friend bool operator==(const BlockType&, const BlockType&) = default;
    };

    // Copies the named lists, the directory, the route outline, the counters and
    // the block types of `store`.
    static StoreSnapshot Capture(const MapStore& store);

    // Puts the copied lists, directory, route outline and counters back (block
    // types are the edit's business).
    void Restore(MapStore& store) const;

private:
    std::vector<std::unique_ptr<CmCalles>> m_streets;
    std::vector<std::unique_ptr<CmRefe>> m_references;
    std::vector<std::unique_ptr<CmColonias>> m_colonies;
    std::vector<std::unique_ptr<CmVias>> m_routes;
    std::vector<std::unique_ptr<CmZonas>> m_zones;
    CmDirectorio m_directory;
    CmCalles m_routeOutline;
    MapCounters m_counters;
    std::vector<BlockType> m_blockTypes;

    friend class StoreEdit;
};

// One undoable edit: the content before and after it, with block types kept
// only where they differ.
class StoreEdit {
public:
    StoreEdit(StoreSnapshot before, const MapStore& after);

    void Undo(MapStore& store) const;
    void Redo(MapStore& store) const;
    // False when the edit changed nothing worth a step.
    bool ChangedAnything() const { return m_changed; }

private:
    struct BlockTypeChange {
        std::size_t index;
        StoreSnapshot::BlockType before;
        StoreSnapshot::BlockType after;
    };
    StoreSnapshot m_before;
    StoreSnapshot m_after;
    std::vector<BlockTypeChange> m_blockChanges;
    bool m_changed = false;
};

// A deep copy; the current category and business follow their positions.
CmDirectorio CopyDirectory(const CmDirectorio& directory);
