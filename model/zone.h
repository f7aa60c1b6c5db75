#pragma once

// A zone: a named, numbered set of blocks, kept as block ids.

#include "block.h"
#include "geometry.h"
#include "record_io.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class MapStore;

class CmZonas {
public:
    CmZonas() = default;
    // A new zone without blocks, taking the next zone number.
    CmZonas(std::string name, std::string notes, MapCounters& counters);

    std::string m_strName;
    std::string m_strNotes;
    std::vector<std::uint32_t> m_blockIds;
    std::uint32_t m_nZoneNo = 0;

    friend bool operator==(const CmZonas&, const CmZonas&) = default;

    void Read(ArchiveReader& in, const ReadContext& ctx);
    void Write(ArchiveWriter& out) const;

    // Takes the ids of the selected blocks, in block order.
    void SetBlocksFromSelection(const std::vector<CmBlock>& blocks);
    // Selects (or clears) the blocks the ids name; ids naming no block are skipped.
    // Returns how many blocks changed state.
    std::size_t SelectBlocks(MapStore& store) const;
    std::size_t UnselectBlocks(MapStore& store) const;
    // Centre of the union of the region boxes of the zone's blocks; (0,0) when none.
    MapPoint GetCentre(const MapStore& store) const;
};
