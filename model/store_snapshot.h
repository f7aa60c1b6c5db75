#pragma once

// What the undo history keeps of a map store. A snapshot holds the records an
// edit can change (the five named lists, the directory, the route outline, the
// counters and the block types) as shared, unchangeable copies. An edit is
// found by comparing the store with a snapshot, and keeps only the records that
// differ: a step costs what it changed, and the records it shares with the
// snapshot and with other steps are held once.

#include "map_store.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

template <typename T>
using SharedRecords = std::vector<std::shared_ptr<const T>>;

// A category as the history keeps it; its current business is a position.
struct CategoryImage {
    std::string name;
    SharedRecords<CmNegocios> businesses;
    std::ptrdiff_t current = -1;
};

// A run of a list replaced by another: the records from `at` that were there
// before an edit and the ones there after it, with the records around them
// left as they were.
template <typename T>
struct ListChange {
    std::size_t at = 0;
    SharedRecords<T> before;
    SharedRecords<T> after;
    bool Empty() const { return before.empty() && after.empty(); }
};

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

    // Brings the snapshot up to `store`, copying only the records that differ:
    // what changed outside the history (a selection, a save's sorting) becomes
    // the state the next edit starts from.
    void Follow(const MapStore& store);

    // About the bytes the snapshot holds.
    std::size_t MemoryBytes() const;

private:
    SharedRecords<CmCalles> m_streets;
    SharedRecords<CmRefe> m_references;
    SharedRecords<CmColonias> m_colonies;
    SharedRecords<CmVias> m_routes;
    SharedRecords<CmZonas> m_zones;
    SharedRecords<CategoryImage> m_categories;
    std::ptrdiff_t m_nCurrentCategory = -1;
    std::shared_ptr<const CmCalles> m_routeOutline;
    MapCounters m_counters;
    std::vector<BlockType> m_blockTypes;

    friend class StoreEdit;
};

// One undoable edit: the records it changed, before and after.
class StoreEdit {
public:
    // The edit that leads from `baseline` to `store`; `baseline` follows the
    // store on the way, ready for the next edit.
    static StoreEdit Record(StoreSnapshot& baseline, const MapStore& store);
    // The edit from a snapshot taken before it to the store as it is now.
    StoreEdit(StoreSnapshot before, const MapStore& after);

    // Both find the changed records by their content where they were left, so
    // a list reordered since (a save sorts them) still comes back whole.
    void Undo(MapStore& store) const;
    void Redo(MapStore& store) const;
    // False when the edit changed nothing a file would keep.
    bool ChangedAnything() const { return m_changed; }
    // About the bytes the step holds, the records it shares counted in full.
    std::size_t MemoryBytes() const;

private:
    StoreEdit() = default;
    void Apply(MapStore& store, bool forward) const;

    struct BlockTypeChange {
        std::size_t index;
        StoreSnapshot::BlockType before;
        StoreSnapshot::BlockType after;
    };
    // Businesses of one category that kept its name and place.
    struct BusinessChange {
        std::size_t category = 0;
        std::string name;
        ListChange<CmNegocios> businesses;
        std::ptrdiff_t currentBefore = -1;
        std::ptrdiff_t currentAfter = -1;
    };

    ListChange<CmCalles> m_streets;
    ListChange<CmRefe> m_references;
    ListChange<CmColonias> m_colonies;
    ListChange<CmVias> m_routes;
    ListChange<CmZonas> m_zones;
    ListChange<CategoryImage> m_categories;
    std::vector<BusinessChange> m_businesses;
    std::ptrdiff_t m_nCurrentBefore = -1;
    std::ptrdiff_t m_nCurrentAfter = -1;
    std::shared_ptr<const CmCalles> m_routeOutlineBefore;
    std::shared_ptr<const CmCalles> m_routeOutlineAfter;
    MapCounters m_countersBefore;
    MapCounters m_countersAfter;
    std::vector<BlockTypeChange> m_blockChanges;
    bool m_changed = false;
};

// A deep copy; the current category and business follow their positions.
CmDirectorio CopyDirectory(const CmDirectorio& directory);
