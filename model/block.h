#pragma once

// A block ("manzana") of the town: a filled outline in float map units whose
// type picks its colour.

#include "color.h"
#include "geometry.h"

#include <cstdint>
#include <vector>

class ArchiveReader;
class ArchiveWriter;

constexpr Color kBlockTypeColors[6] = {0xe4ffff, 0x80ff80, 0xc0c0ff, 0xff8080, 0x80ffff, 0xffff80};
constexpr Color kSelectedBlockColor = 0xc0c0ff;

class CmBlock {
public:
    std::vector<FloatPoint> m_points;
    std::int32_t m_nType = 1;
    float m_fScale = 1.0f;
    std::int32_t m_nReserved = 1;
    std::uint32_t m_nId = 0;
    Color m_crFill = kBlockTypeColors[0];
    bool m_bSelected = false;

    void Read(ArchiveReader& in);
    void Write(ArchiveWriter& out) const;

    // Types 1 to 6 also take their table colour; others keep the colour they had.
    void SetType(std::int32_t type);
    void SetId(std::uint32_t id) { m_nId = id; }
    // The box of the truncated points, always including the origin; empty for
    // fewer than two points.
    MapRect GetBounds() const;
    bool AnyPointIn(const MapRect& rect) const;
    bool AllPointsIn(const MapRect& rect) const;
    // The polygon as the fill and the hit test see it: truncated vertices, none
    // for two points or fewer.
    std::vector<MapPoint> RegionVertices() const;
    bool HitTest(std::int32_t x, std::int32_t y) const;
    // Bounding box of the region (right and bottom exclusive); empty when there
    // is no region.
    MapRect RegionBox() const;
    bool NeedsFill(bool fillAll) const { return m_nType > 1 || fillAll || m_bSelected; }
    Color FillColor() const { return m_bSelected ? kSelectedBlockColor : m_crFill; }
};
