#pragma once

// A route ("vía"): a traced street with named stations along it and a number
// of its own.

#include "record_io.h"
#include "street.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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

    friend bool operator==(const CmVias&, const CmVias&) = default;

    void Read(ArchiveReader& in, const ReadContext& ctx) override;
    void Write(ArchiveWriter& out) const override;

    void BeginRoute(MapPoint p);
    void AddStation(MapPoint p, const std::string& name);
};
