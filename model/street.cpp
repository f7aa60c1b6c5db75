#include "street.h"

#include "archive.h"
#include "record_io.h"

#include <cmath>
#include <cstdint>

void CmCalles::Read(ArchiveReader& in, const ReadContext&) {
    m_fZoom = in.ReadF32();
    m_strName = in.ReadString();
    const std::uint32_t n = in.ReadCount(kPointBytes);
    m_points.resize(n);
    for (auto& p : m_points)
        p = ReadPoint(in);
}

void CmCalles::Write(ArchiveWriter& out) const {
    out.WriteF32(m_fZoom);
    out.WriteString(m_strName);
    out.WriteI32(static_cast<std::int32_t>(m_points.size()));
    for (const auto& p : m_points)
        WritePoint(out, p);
}

void CmCalles::BeginTrace(MapPoint p) {
    m_points.clear();
    m_points.reserve(TRACE_CAPACITY);
    m_points.push_back(p);
    m_points.push_back(p);
}

void CmCalles::AddPoint(MapPoint p) {
    m_points.push_back(p);
}

void CmCalles::SetLastPoint(MapPoint p) {
    if (!m_points.empty())
        m_points.back() = p;
}

void CmCalles::CopyFrom(const CmCalles& other) {
    m_points = other.m_points;
    m_fZoom = other.m_fZoom;
    m_strName = other.m_strName;
}

double CmCalles::Distance(int i, int j) const {
    const int n = static_cast<int>(m_points.size());
    if (i < 0 || j < 0 || i >= n || j >= n || i == j)
        return 0.0;
    // 64-bit differences: squaring in 32 bits overflows for far-apart points.
    const double dx = static_cast<double>(std::int64_t{m_points[i].x} - m_points[j].x);
    const double dy = static_cast<double>(std::int64_t{m_points[i].y} - m_points[j].y);
    return std::sqrt(dx * dx + dy * dy) * kMetresPerMapUnit - kRulerOffsetMetres;
}
