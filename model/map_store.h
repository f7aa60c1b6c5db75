#pragma once

// The one open map: header texts, blocks, labels, the five named lists, the
// business directory and the numbering counters. The editor, the command-line
// tool and the tests all work on this object; nothing in it knows about windows.

#include "block.h"
#include "block_shape.h"
#include "directory.h"
#include "geometry.h"
#include "place.h"
#include "point_pool.h"
#include "record_io.h"
#include "route.h"
#include "street.h"
#include "street_label.h"
#include "zone.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class MapStore {
public:
    MapStore();

    // Header and identity.
    std::string m_strCountry;
    std::string m_strState;
    std::string m_strTown;
    std::string m_strTitle;
    std::string m_strMapName; // base name of the open file, empty while none is open
    std::int32_t m_nFileVersion = 0;
    MapCounters m_counters;

    // Blocks never change set or order between loads: a block's id is its
    // 1-based position. New blocks come in through AddBlock.
    std::vector<CmBlock> m_blocks;
    // The outline points of every block, one block after another.
    CPointPool m_blockPoints;
    // The union of the blocks' bounds, as reading a map computes it.
    MapRect m_rcBlocks{-1, -1, 1, 1};
    std::vector<CmStname> m_labels;

    std::vector<std::unique_ptr<CmCalles>> m_listStreets;
    std::vector<std::unique_ptr<CmRefe>> m_listReferences;
    std::vector<std::unique_ptr<CmColonias>> m_listColonies;
    std::vector<std::unique_ptr<CmVias>> m_listRoutes;
    std::vector<std::unique_ptr<CmZonas>> m_listZones;
    CmDirectorio m_directory;
    // The last street trace that was named under the route tool; always drawn.
    CmCalles m_routeOutline{0xff8080};

    bool MapLoaded() const { return !m_strMapName.empty(); }
    static std::string MakeTitle(const std::string& town, const std::string& state,
                                 const std::string& country);

    // Adds a block with its outline at the end: it takes the next id, its type
    // (and the type's colour), and widens the bounds of the blocks. The way
    // code gives a map blocks (the generator, imports, tests); the file reader
    // does the same in bulk.
    CmBlock& AddBlock(std::span<const FloatPoint> outline, std::int32_t type = 1);
    // No blocks, no points, the bounds of a map without blocks.
    void ClearBlocks();
    // A block's outline points; empty when its numbers point outside the pool.
    std::span<const FloatPoint> Outline(const CmBlock& block) const {
        return m_blockPoints.Span(block.m_nFirstPoint, block.m_nPoints);
    }
    BlockShape Shape(const CmBlock& block) const { return BlockShape(Outline(block)); }

    // Ids are 1-based positions; anything else finds nothing.
    CmBlock* FindBlockById(std::uint32_t id);
    const CmBlock* FindBlockById(std::uint32_t id) const;

    // Selection goes through here so that the count is always the true one.
    bool SetBlockSelected(CmBlock& block, bool selected);
    void ClearSelection();
    std::size_t SelectedCount() const { return m_nSelected; }
    // Recounts after the blocks were replaced wholesale.
    void RecountSelection();

    // Unsaved changes: set by every edit, cleared by a load or a save.
    void MarkChanged() { m_bChanged = true; }
    void MarkSaved() { m_bChanged = false; }
    bool IsChanged() const { return m_bChanged; }

    // Rebuilds the five named lists in name order (Windows-1252 bytes, case
    // sensitive), as a save does; equal names keep their relative order.
    void SortListsByName();
    // The positions of a named list in that order, leaving the list as it is.
    template <typename T>
    static std::vector<std::size_t> NameOrder(const std::vector<std::unique_ptr<T>>& list);

    // Adds at the head of their list, as every tool and page does.
    template <typename T>
    static T& AddHead(std::vector<std::unique_ptr<T>>& list, std::unique_ptr<T> item) {
        list.insert(list.begin(), std::move(item));
        return *list.front();
    }

private:
    static std::vector<std::size_t> OrderOfKeys(const std::vector<std::string>& names);

    std::size_t m_nSelected = 0;
    bool m_bChanged = false;
};

template <typename T>
std::vector<std::size_t> MapStore::NameOrder(const std::vector<std::unique_ptr<T>>& list) {
    std::vector<std::string> names;
    names.reserve(list.size());
    for (const auto& item : list)
        names.push_back(item->m_strName);
    return OrderOfKeys(names);
}
