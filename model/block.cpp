#include "block.h"

#include "archive.h"
#include "record_io.h"

#include <algorithm>
#include <bit>

namespace {

MapPoint TruncPoint(FloatPoint p) {
    return {TruncToInt(p.x), TruncToInt(p.y)};
}

} // namespace

void CmBlock::Read(ArchiveReader& in) {
    const std::int32_t n = in.ReadI32();
    if (n < 0)
        in.FailFormat();
    const std::int32_t type = in.ReadI32();
    m_fScale = in.ReadF32();
    m_nReserved = in.ReadI32();
    in.RequireRoom(static_cast<std::uint64_t>(n), kPointBytes);
    m_points.resize(static_cast<std::size_t>(n));
    if constexpr (std::endian::native == std::endian::little && sizeof(FloatPoint) == 8) {
        // The outline is stored exactly as the points lie in memory: one copy
        // instead of two reads per point, which dominates opening a large map.
        in.ReadBytes({reinterpret_cast<std::uint8_t*>(m_points.data()), m_points.size() * 8});
    } else {
        for (auto& p : m_points) {
            p.x = in.ReadF32();
            p.y = in.ReadF32();
        }
    }
    SetType(type);
}

void CmBlock::Write(ArchiveWriter& out) const {
    out.WriteI32(static_cast<std::int32_t>(m_points.size()));
    out.WriteI32(m_nType);
    out.WriteF32(m_fScale);
    out.WriteI32(m_nReserved);
    for (const auto& p : m_points) {
        out.WriteF32(p.x);
        out.WriteF32(p.y);
    }
}

void CmBlock::SetType(std::int32_t type) {
    m_nType = type;
    if (type >= 1 && type <= 6)
        m_crFill = kBlockTypeColors[type - 1];
}

MapRect CmBlock::GetBounds() const {
    MapRect r;
    if (m_points.size() >= 2) {
        for (const auto& p : m_points) {
            const std::int32_t x = TruncToInt(p.x);
            const std::int32_t y = TruncToInt(p.y);
            r.left = std::min(r.left, x);
            r.right = std::max(r.right, x);
            r.bottom = std::min(r.bottom, y);
            r.top = std::max(r.top, y);
        }
    }
    return r.Normalized();
}

bool CmBlock::AnyPointIn(const MapRect& rect) const {
    return std::any_of(m_points.begin(), m_points.end(),
                       [&](FloatPoint p) { return rect.Contains(TruncPoint(p)); });
}

bool CmBlock::AllPointsIn(const MapRect& rect) const {
    return std::all_of(m_points.begin(), m_points.end(),
                       [&](FloatPoint p) { return rect.Contains(TruncPoint(p)); });
}

std::vector<MapPoint> CmBlock::RegionVertices() const {
    std::vector<MapPoint> v;
    if (m_points.size() <= 2)
        return v;
    v.reserve(m_points.size());
    for (const auto& p : m_points)
        v.push_back(TruncPoint(p));
    return v;
}

bool CmBlock::HitTest(std::int32_t x, std::int32_t y) const {
    if (m_points.size() < 3)
        return false;
    // Cheap rejection before building the polygon.
    float minX = m_points[0].x, maxX = minX, minY = m_points[0].y, maxY = minY;
    for (const auto& p : m_points) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    if (x + 1.0 < minX || x - 1.0 > maxX || y + 1.0 < minY || y - 1.0 > maxY)
        return false;
    const auto v = RegionVertices();
    return PolygonContains(v, x, y);
}

MapRect CmBlock::RegionBox() const {
    const auto v = RegionVertices();
    if (v.empty())
        return {};
    MapRect r{v[0].x, v[0].y, v[0].x, v[0].y};
    for (const auto& p : v) {
        r.left = std::min(r.left, p.x);
        r.right = std::max(r.right, p.x);
        r.top = std::min(r.top, p.y);
        r.bottom = std::max(r.bottom, p.y);
    }
    return r;
}
