#include "route.h"

#include "archive.h"

namespace {

// A point and a zero-length name.
constexpr std::uint64_t kMinStationBytes = kPointBytes + 1;

} // namespace

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
