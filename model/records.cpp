#include "records.h"

#include "archive.h"
#include "map_store.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace {

// Smallest stored sizes, used to refuse counts that cannot fit in what is left.
constexpr std::uint64_t kPointBytes = 8;
constexpr std::uint64_t kMinStationBytes = kPointBytes + 1;
// Six texts of length 0, position and zoom, the reserved value; the number is
// only in version-1 files.
constexpr std::uint64_t kMinBusinessBytes = 6 + 12 + 4;
constexpr std::uint64_t kMinCategoryBytes = 1 + 4;

MapPoint ReadPoint(ArchiveReader& in) {
    MapPoint p;
    p.x = in.ReadI32();
    p.y = in.ReadI32();
    return p;
}

void WritePoint(ArchiveWriter& out, MapPoint p) {
    out.WriteI32(p.x);
    out.WriteI32(p.y);
}

MapPoint TruncPoint(FloatPoint p) {
    return {TruncToInt(p.x), TruncToInt(p.y)};
}

} // namespace

std::uint32_t ReadRecordNumber(ArchiveReader& in, const ReadContext& ctx, std::uint32_t& counter) {
    if (ctx.HasNumbers()) {
        const std::uint32_t number = in.ReadU32();
        if (number > counter)
            counter = number;
        return number;
    }
    return counter++;
}

// ---- CmBlock ----

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

// ---- CmCalles ----

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
    return std::sqrt(dx * dx + dy * dy) * 2.001555 - 0.139942;
}

// ---- CmVias ----

CmVias::CmVias(const CmVias& trace, MapCounters& counters) : CmCalles(trace.m_crColor) {
    CopyFrom(trace);
    m_stations = trace.m_stations;
    m_nRouteNo = counters.route++;
}

void CmVias::Read(ArchiveReader& in, const ReadContext& ctx) {
    CmCalles::Read(in, ctx);
    const std::uint32_t count = in.ReadCount(kMinStationBytes);
    m_crColor = in.ReadU32();
    m_stations.clear();
    m_stations.resize(count);
    for (auto& s : m_stations) {
        s.pt = ReadPoint(in);
        s.name = in.ReadString();
    }
    m_nRouteNo = ReadRecordNumber(in, ctx, ctx.counters.route);
}

void CmVias::Write(ArchiveWriter& out) const {
    CmCalles::Write(out);
    out.WriteI32(static_cast<std::int32_t>(m_stations.size()));
    out.WriteU32(m_crColor);
    for (const auto& s : m_stations) {
        WritePoint(out, s.pt);
        out.WriteString(s.name);
    }
    out.WriteU32(m_nRouteNo);
}

void CmVias::BeginRoute(MapPoint p) {
    BeginTrace(p);
    m_stations.clear();
    m_stations.reserve(MAX_TRACE_STATIONS);
}

void CmVias::AddStation(MapPoint p, const std::string& name) {
    m_stations.push_back({p, name});
}

// ---- CmStname ----

void CmStname::Read(ArchiveReader& in) {
    m_x = in.ReadI32();
    m_y = in.ReadI32();
    m_fAngle = in.ReadF32();
    m_strText = in.ReadString();
}

void CmStname::Write(ArchiveWriter& out) const {
    out.WriteI32(m_x);
    out.WriteI32(m_y);
    out.WriteF32(m_fAngle);
    out.WriteString(m_strText);
}

std::int32_t CmStname::Escapement() const {
    return TruncToInt(-static_cast<double>(m_fAngle) * 1800.0 * 0.31831015504887655);
}

// ---- CmPlace ----

void CmPlace::Read(ArchiveReader& in) {
    m_strName = in.ReadString();
    m_x = in.ReadI32();
    m_y = in.ReadI32();
    m_fZoom = in.ReadF32();
}

void CmPlace::Write(ArchiveWriter& out) const {
    out.WriteString(m_strName);
    out.WriteI32(m_x);
    out.WriteI32(m_y);
    out.WriteF32(m_fZoom);
}

// ---- CmZonas ----

CmZonas::CmZonas(std::string name, std::string notes, MapCounters& counters)
    : m_strName(std::move(name)), m_strNotes(std::move(notes)), m_nZoneNo(counters.zone++) {}

void CmZonas::Read(ArchiveReader& in, const ReadContext& ctx) {
    m_strName = in.ReadString();
    m_strNotes = in.ReadString();
    const std::uint32_t count = in.ReadU32();
    in.RequireRoom(count, 4);
    m_blockIds.resize(count);
    for (auto& id : m_blockIds)
        id = in.ReadU32();
    m_nZoneNo = ReadRecordNumber(in, ctx, ctx.counters.zone);
}

void CmZonas::Write(ArchiveWriter& out) const {
    out.WriteString(m_strName);
    out.WriteString(m_strNotes);
    out.WriteU32(static_cast<std::uint32_t>(m_blockIds.size()));
    for (const auto id : m_blockIds)
        out.WriteU32(id);
    out.WriteU32(m_nZoneNo);
}

void CmZonas::SetBlocksFromSelection(const std::vector<CmBlock>& blocks) {
    m_blockIds.clear();
    for (const auto& b : blocks)
        if (b.m_bSelected)
            m_blockIds.push_back(b.m_nId);
}

std::size_t CmZonas::SelectBlocks(MapStore& store) const {
    std::size_t changed = 0;
    for (const auto id : m_blockIds)
        if (CmBlock* b = store.FindBlockById(id))
            changed += store.SetBlockSelected(*b, true) ? 1 : 0;
    return changed;
}

std::size_t CmZonas::UnselectBlocks(MapStore& store) const {
    std::size_t changed = 0;
    for (const auto id : m_blockIds)
        if (CmBlock* b = store.FindBlockById(id))
            changed += store.SetBlockSelected(*b, false) ? 1 : 0;
    return changed;
}

MapPoint CmZonas::GetCentre(const MapStore& store) const {
    MapRect r;
    for (const auto id : m_blockIds) {
        const CmBlock* b = store.FindBlockById(id);
        if (!b)
            continue;
        const MapRect box = b->RegionBox();
        if (b->m_points.size() < 3)
            continue;
        if (r.IsEmpty()) {
            r = box;
        } else {
            r.left = std::min(r.left, box.left);
            r.top = std::min(r.top, box.top);
            r.right = std::max(r.right, box.right);
            r.bottom = std::max(r.bottom, box.bottom);
        }
    }
    r = r.Normalized();
    const std::int64_t cx = r.left + (std::int64_t{r.right} - r.left) / 2;
    const std::int64_t cy = r.bottom - (std::int64_t{r.bottom} - r.top) / 2;
    return {static_cast<std::int32_t>(cx), static_cast<std::int32_t>(cy)};
}

// ---- CmNegocios ----

CmNegocios::CmNegocios(std::int32_t x, std::int32_t y, int zoom, std::string name,
                       std::string comments, std::string phone, MapCounters& counters)
    : m_x(x), m_y(y), m_fZoom(static_cast<float>(zoom)), m_strName(std::move(name)),
      m_strComments(std::move(comments)), m_strPhone(std::move(phone)),
      m_nBusinessNo(counters.business++) {}

void CmNegocios::Read(ArchiveReader& in, const ReadContext& ctx) {
    m_strName = in.ReadString();
    m_x = in.ReadI32();
    m_y = in.ReadI32();
    m_fZoom = in.ReadF32();
    m_strExtra1 = in.ReadString();
    m_strExtra2 = in.ReadString();
    m_strComments = in.ReadString();
    m_strPhone = in.ReadString();
    (void)in.ReadU32(); // reserved, always written as 0
    m_strExtra3 = in.ReadString();
    m_nBusinessNo = ReadRecordNumber(in, ctx, ctx.counters.business);
}

void CmNegocios::Write(ArchiveWriter& out) const {
    out.WriteString(m_strName);
    out.WriteI32(m_x);
    out.WriteI32(m_y);
    out.WriteF32(m_fZoom);
    out.WriteString(m_strExtra1);
    out.WriteString(m_strExtra2);
    out.WriteString(m_strComments);
    out.WriteString(m_strPhone);
    out.WriteU32(0);
    out.WriteString(m_strExtra3);
    out.WriteU32(m_nBusinessNo);
}

bool CmNegocios::HitTest(std::int32_t x, std::int32_t y) const {
    // 64-bit edges so that businesses near the 32-bit limits do not wrap.
    const std::int64_t left = std::int64_t{m_x} - 12, right = std::int64_t{m_x} + 20;
    const std::int64_t top = std::int64_t{m_y} - 15, bottom = std::int64_t{m_y} + 15;
    return x >= left && x < right && y >= top && y < bottom;
}

// ---- CmClasificados ----

void CmClasificados::Read(ArchiveReader& in, const ReadContext& ctx) {
    m_strName = in.ReadString();
    const std::uint32_t count = in.ReadU32();
    in.RequireRoom(count, kMinBusinessBytes);
    m_listBusinesses.clear();
    m_listBusinesses.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        auto b = std::make_unique<CmNegocios>();
        b->Read(in, ctx);
        m_listBusinesses.push_back(std::move(b));
    }
    m_pCurrent = nullptr;
}

void CmClasificados::Write(ArchiveWriter& out) const {
    out.WriteString(m_strName);
    out.WriteU32(static_cast<std::uint32_t>(m_listBusinesses.size()));
    for (const auto& b : m_listBusinesses)
        b->Write(out);
}

CmNegocios& CmClasificados::AddBusiness(std::unique_ptr<CmNegocios> business) {
    m_listBusinesses.insert(m_listBusinesses.begin(), std::move(business));
    return *m_listBusinesses.front();
}

void CmClasificados::ClearCurrent() {
    if (m_pCurrent)
        m_pCurrent->m_bHighlight = false;
    m_pCurrent = nullptr;
}

bool CmClasificados::SelectBusiness(const std::string& name) {
    for (const auto& b : m_listBusinesses) {
        if (b->m_strName == name) {
            if (m_pCurrent)
                m_pCurrent->m_bHighlight = false;
            b->m_bHighlight = true;
            m_pCurrent = b.get();
            return true;
        }
    }
    return false;
}

bool CmClasificados::HitBusiness(MapPoint p) {
    for (const auto& b : m_listBusinesses)
        if (b->HitTest(p.x, p.y))
            return SelectBusiness(b->m_strName);
    return false;
}

void CmClasificados::DeleteBusiness() {
    if (!m_pCurrent)
        return;
    std::erase_if(m_listBusinesses, [&](const auto& b) { return b.get() == m_pCurrent; });
    m_pCurrent = nullptr;
}

// ---- CmDirectorio ----

void CmDirectorio::Clear() {
    m_listCategories.clear();
    m_pCurrent = nullptr;
}

void CmDirectorio::Read(ArchiveReader& in, const ReadContext& ctx) {
    Clear();
    const std::uint32_t count = in.ReadU32();
    in.RequireRoom(count, kMinCategoryBytes);
    m_listCategories.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        auto c = std::make_unique<CmClasificados>();
        c->Read(in, ctx);
        m_listCategories.push_back(std::move(c));
    }
}

void CmDirectorio::Write(ArchiveWriter& out) const {
    out.WriteU32(static_cast<std::uint32_t>(m_listCategories.size()));
    for (const auto& c : m_listCategories)
        c->Write(out);
}

CmClasificados& CmDirectorio::AddCategory(const std::string& name) {
    m_listCategories.insert(m_listCategories.begin(), std::make_unique<CmClasificados>(name));
    return *m_listCategories.front();
}

CmClasificados* CmDirectorio::FindCategory(const std::string& name) const {
    for (const auto& c : m_listCategories)
        if (c->m_strName == name)
            return c.get();
    return nullptr;
}

void CmDirectorio::DeleteCategory(const std::string& name) {
    CmClasificados* found = FindCategory(name);
    if (!found)
        return;
    std::erase_if(m_listCategories, [&](const auto& c) { return c.get() == found; });
    m_pCurrent = nullptr;
}

void CmDirectorio::RenameCategory(const std::string& oldName, const std::string& newName) {
    if (CmClasificados* c = FindCategory(oldName))
        c->m_strName = newName;
}

void CmDirectorio::SelectCategory(const std::string& name) {
    if (CmClasificados* c = FindCategory(name))
        m_pCurrent = c;
}

CmNegocios* CmDirectorio::AddBusiness(std::int32_t x, std::int32_t y, int zoom,
                                      const std::string& name, const std::string& comments,
                                      const std::string& phone, MapCounters& counters) {
    if (!m_pCurrent)
        return nullptr;
    return &m_pCurrent->AddBusiness(
        std::make_unique<CmNegocios>(x, y, zoom, name, comments, phone, counters));
}

bool CmDirectorio::SelectBusiness(const std::string& name) {
    return m_pCurrent && m_pCurrent->SelectBusiness(name);
}

bool CmDirectorio::HitBusiness(MapPoint p) {
    return m_pCurrent && m_pCurrent->HitBusiness(p);
}

CmNegocios* CmDirectorio::CurrentBusiness() const {
    return m_pCurrent ? m_pCurrent->m_pCurrent : nullptr;
}

float CmDirectorio::GetBusinessZoom() const {
    const CmNegocios* b = CurrentBusiness();
    return b ? b->m_fZoom : 0.0f;
}

MapPoint CmDirectorio::GetBusinessPosition() const {
    const CmNegocios* b = CurrentBusiness();
    return b ? MapPoint{b->m_x, b->m_y} : MapPoint{};
}

std::string CmDirectorio::GetBusinessName() const {
    const CmNegocios* b = CurrentBusiness();
    return b ? b->m_strName : std::string();
}

std::string CmDirectorio::GetBusinessComments() const {
    const CmNegocios* b = CurrentBusiness();
    return b ? b->m_strComments : std::string();
}

std::string CmDirectorio::GetBusinessPhone() const {
    const CmNegocios* b = CurrentBusiness();
    return b ? b->m_strPhone : std::string();
}

void CmDirectorio::UpdateBusiness(const std::string& name, const std::string& comments,
                                  const std::string& phone) {
    if (CmNegocios* b = CurrentBusiness()) {
        b->m_strName = name;
        b->m_strComments = comments;
        b->m_strPhone = phone;
    }
}

void CmDirectorio::DeleteBusiness() {
    if (m_pCurrent)
        m_pCurrent->DeleteBusiness();
}
