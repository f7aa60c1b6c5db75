#pragma once

// A traced street: a named polyline in map units, also the trace the street
// and route tools draw while the user clicks.

#include "color.h"
#include "geometry.h"
#include "record_io.h"

#include <cstddef>
#include <string>
#include <vector>

// The ruler reads a distance of d map units as kMetresPerMapUnit * d -
// kRulerOffsetMetres metres; the slope alone is the map's scale in metres.
inline constexpr double kMetresPerMapUnit = 2.001555;
inline constexpr double kRulerOffsetMetres = 0.139942;

class CmCalles {
public:
    static constexpr std::size_t TRACE_CAPACITY = 100;

    CmCalles() = default;
    explicit CmCalles(Color color) : m_crColor(color) {}
    virtual ~CmCalles() = default;
    CmCalles(const CmCalles&) = default;
    CmCalles& operator=(const CmCalles&) = default;
    // Every field, stored or not.
    friend bool operator==(const CmCalles&, const CmCalles&) = default;

    float m_fZoom = 0.0f;
    std::vector<MapPoint> m_points;
    std::string m_strName;
    Color m_crColor = 0x0000ff;
    bool m_bShow = false;

    virtual void Read(ArchiveReader& in, const ReadContext& ctx);
    virtual void Write(ArchiveWriter& out) const;

    // Starts a trace of two points, both at p; the last one then follows the mouse.
    void BeginTrace(MapPoint p);
    void AddPoint(MapPoint p);
    void SetLastPoint(MapPoint p);
    // Points, zoom and name; colour and show flag stay.
    void CopyFrom(const CmCalles& other);
    void SetColor(Color c) { m_crColor = c; }
    // Metres between points i and j; 0.0 for equal or out-of-range indices.
    double Distance(int i, int j) const;
};
