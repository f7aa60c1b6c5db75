#include "area_index.h"

#include <ogr_api.h>

#include <cmath>

long long CAreaIndex::Cell(double v) {
    return static_cast<long long>(std::floor(v / kCell));
}

void CAreaIndex::Add(const OGRGeometry& geometry, int type) {
    OGRPreparedGeometryUniquePtr prepared(
        OGRCreatePreparedGeometry(OGRGeometry::ToHandle(const_cast<OGRGeometry*>(&geometry))));
    if (!prepared)
        return;
    OGREnvelope box;
    geometry.getEnvelope(&box);
    const std::size_t index = m_areas.size();
    m_areas.push_back({std::move(prepared),
                       OGR_G_Area(OGRGeometry::ToHandle(const_cast<OGRGeometry*>(&geometry))),
                       type});
    const long long x0 = Cell(box.MinX), x1 = Cell(box.MaxX);
    const long long y0 = Cell(box.MinY), y1 = Cell(box.MaxY);
    if ((x1 - x0 + 1) * (y1 - y0 + 1) > 4096) {
        m_large.push_back(index);
        return;
    }
    for (long long cx = x0; cx <= x1; ++cx)
        for (long long cy = y0; cy <= y1; ++cy)
            m_cells[{cx, cy}].push_back(index);
}

int CAreaIndex::TypeAt(PlanePoint p) const {
    OGRPoint point(p.x, p.y);
    const Area* best = nullptr;
    auto consider = [&](std::size_t index) {
        const Area& area = m_areas[index];
        if (best && area.size >= best->size)
            return;
        if (OGRPreparedGeometryContains(area.prepared.get(), OGRGeometry::ToHandle(&point)))
            best = &area;
    };
    const auto it = m_cells.find({Cell(p.x), Cell(p.y)});
    if (it != m_cells.end())
        for (std::size_t index : it->second)
            consider(index);
    for (std::size_t index : m_large)
        consider(index);
    return best ? best->type : 0;
}
