#pragma once

// The records of a town map. Each keeps its data and the operations that do not
// draw (bounds, hit tests, tracing, distances, reading and writing); drawing
// lives with the map window.

#include "geometry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ArchiveReader;
class ArchiveWriter;

using Color = std::uint32_t; // 0x00BBGGRR

constexpr Color Rgb(int r, int g, int b) {
    return static_cast<Color>(r & 0xFF) | static_cast<Color>(g & 0xFF) << 8 |
           static_cast<Color>(b & 0xFF) << 16;
}

// The numbering counters of a map: each new business, route and zone takes the
// current value and the counter grows by one.
struct MapCounters {
    std::uint32_t business = 1;
    std::uint32_t route = 1;
    std::uint32_t zone = 1;
    std::uint32_t spare = 1;
    friend bool operator==(const MapCounters&, const MapCounters&) = default;
};

// What a record needs to know while it reads itself.
struct ReadContext {
    std::int32_t fileVersion = 0;
    MapCounters& counters;
    // Version-1 files carry the numbers; the others number records as they come.
    bool HasNumbers() const { return fileVersion == 1; }
};

// Takes the stored number when the file has one (raising the counter to it),
// otherwise the next value of the counter.
std::uint32_t ReadRecordNumber(ArchiveReader& in, const ReadContext& ctx, std::uint32_t& counter);

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

class CmCalles {
public:
    static constexpr std::size_t TRACE_CAPACITY = 100;

    CmCalles() = default;
    explicit CmCalles(Color color) : m_crColor(color) {}
    virtual ~CmCalles() = default;
    CmCalles(const CmCalles&) = default;
    CmCalles& operator=(const CmCalles&) = default;

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

struct Station {
    MapPoint pt;
    std::string name;
    friend bool operator==(const Station&, const Station&) = default;
};

class CmVias : public CmCalles {
public:
    static constexpr std::size_t MAX_TRACE_STATIONS = 50;

    CmVias() = default;
    explicit CmVias(Color color) : CmCalles(color) {}
    // Stores a finished trace as a route, taking the next route number.
    CmVias(const CmVias& trace, MapCounters& counters);

    std::vector<Station> m_stations;
    std::uint32_t m_nRouteNo = 0;

    void Read(ArchiveReader& in, const ReadContext& ctx) override;
    void Write(ArchiveWriter& out) const override;

    void BeginRoute(MapPoint p);
    void AddStation(MapPoint p, const std::string& name);
};

class CmStname {
public:
    std::int32_t m_x = 0;
    std::int32_t m_y = 0;
    float m_fAngle = 0.0f;
    std::string m_strText;
    Color m_crColor = 0x0000ff;

    void Read(ArchiveReader& in);
    void Write(ArchiveWriter& out) const;

    // Font escapement in tenths of a degree, as the label is turned on screen.
    std::int32_t Escapement() const;
    // Map-unit font height at scale s.
    static int FontHeight(float scale) { return scale >= 16.0f ? 6 : 8; }
};

// A named point: the common part of references and colonies.
class CmPlace {
public:
    CmPlace() = default;
    CmPlace(std::int32_t x, std::int32_t y, int zoom, std::string name)
        : m_x(x), m_y(y), m_fZoom(static_cast<float>(zoom)), m_strName(std::move(name)) {}
    virtual ~CmPlace() = default;

    std::int32_t m_x = 0;
    std::int32_t m_y = 0;
    bool m_bHighlight = false;
    float m_fZoom = 0.0f;
    std::string m_strName;

    void Read(ArchiveReader& in);
    void Write(ArchiveWriter& out) const;
};

class CmRefe : public CmPlace {
public:
    using CmPlace::CmPlace;
    static constexpr Color kTextColor = 0x808080;
    static constexpr Color kHighlightColor = 0x000080;
};

class CmColonias : public CmPlace {
public:
    using CmPlace::CmPlace;
    static constexpr Color kTextColor = 0xff8080;
    static constexpr Color kHighlightColor = 0xff0000;
};

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

class CmNegocios {
public:
    CmNegocios() = default;
    // Placing a business takes the next business number.
    CmNegocios(std::int32_t x, std::int32_t y, int zoom, std::string name, std::string comments,
               std::string phone, MapCounters& counters);

    static constexpr Color kTextColor = 0x808080;
    static constexpr Color kHighlightColor = 0x000080;

    std::int32_t m_x = 0;
    std::int32_t m_y = 0;
    bool m_bHighlight = false;
    float m_fZoom = 0.0f;
    std::string m_strName;
    std::string m_strExtra1;
    std::string m_strExtra2;
    std::string m_strComments;
    std::string m_strPhone;
    std::string m_strExtra3;
    std::uint32_t m_nBusinessNo = 0;

    void Read(ArchiveReader& in, const ReadContext& ctx);
    void Write(ArchiveWriter& out) const;

    bool HitTest(std::int32_t x, std::int32_t y) const;
    // Businesses at x = 0 or y = 0 are listed but never drawn.
    bool IsDrawable() const { return m_x != 0 && m_y != 0; }
};

class CmClasificados {
public:
    CmClasificados() = default;
    explicit CmClasificados(std::string name) : m_strName(std::move(name)) {}

    std::string m_strName;
    std::vector<std::unique_ptr<CmNegocios>> m_listBusinesses;
    CmNegocios* m_pCurrent = nullptr;

    void Read(ArchiveReader& in, const ReadContext& ctx);
    void Write(ArchiveWriter& out) const;

    CmNegocios& AddBusiness(std::unique_ptr<CmNegocios> business);
    // Clears the current business and its highlight (the page does this on refill).
    void ClearCurrent();
    bool SelectBusiness(const std::string& name);
    bool HitBusiness(MapPoint p);
    void DeleteBusiness();
};

class CmDirectorio {
public:
    std::vector<std::unique_ptr<CmClasificados>> m_listCategories;
    CmClasificados* m_pCurrent = nullptr;

    void Clear();
    void Read(ArchiveReader& in, const ReadContext& ctx);
    void Write(ArchiveWriter& out) const;

    CmClasificados& AddCategory(const std::string& name);
    void DeleteCategory(const std::string& name);
    void RenameCategory(const std::string& oldName, const std::string& newName);
    void SelectCategory(const std::string& name);
    CmClasificados* FindCategory(const std::string& name) const;

    // Forwarded to the current category; harmless without one.
    CmNegocios* AddBusiness(std::int32_t x, std::int32_t y, int zoom, const std::string& name,
                            const std::string& comments, const std::string& phone,
                            MapCounters& counters);
    bool SelectBusiness(const std::string& name);
    bool HitBusiness(MapPoint p);
    CmNegocios* CurrentBusiness() const;
    float GetBusinessZoom() const;
    MapPoint GetBusinessPosition() const;
    std::string GetBusinessName() const;
    std::string GetBusinessComments() const;
    std::string GetBusinessPhone() const;
    void UpdateBusiness(const std::string& name, const std::string& comments,
                        const std::string& phone);
    void DeleteBusiness();
};
