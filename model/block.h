#pragma once

// A block ("manzana") of the town: a filled outline in float map units whose
// type picks its colour. The outline lives in the map's point pool; the block
// keeps where (MapStore::Outline and MapStore::Shape give it back).

#include "color.h"
#include "geometry.h"

#include <cstdint>
#include <span>

class ArchiveWriter;

constexpr Color kBlockTypeColors[6] = {0xe4ffff, 0x80ff80, 0xc0c0ff, 0xff8080, 0x80ffff, 0xffff80};
constexpr Color kSelectedBlockColor = 0xc0c0ff;

class CmBlock {
public:
    std::uint32_t m_nFirstPoint = 0; // offset of the outline in the map's point pool
    std::uint32_t m_nPoints = 0;
    std::int32_t m_nType = 1;
    float m_fScale = 1.0f;
    std::int32_t m_nReserved = 1;
    std::uint32_t m_nId = 0;
    Color m_crFill = kBlockTypeColors[0];
    bool m_bSelected = false;

    // The block as the file stores it, with its outline; whole maps are written
    // in bulk by WriteMap.
    void Write(ArchiveWriter& out, std::span<const FloatPoint> outline) const;

    // Types 1 to 6 also take their table colour; others keep the colour they had.
    void SetType(std::int32_t type);
    void SetId(std::uint32_t id) { m_nId = id; }
    bool NeedsFill(bool fillAll) const { return m_nType > 1 || fillAll || m_bSelected; }
    Color FillColor() const { return m_bSelected ? kSelectedBlockColor : m_crFill; }
};
