#pragma once

// What the records share while they read and write themselves: the map's
// numbering counters, the reading context and the point form of the file.

#include "geometry.h"

#include <cstdint>

class ArchiveReader;
class ArchiveWriter;

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

// Stored size of one point (two 32-bit values, integer or float), used to
// refuse counts that cannot fit in what is left.
constexpr std::uint64_t kPointBytes = 8;

MapPoint ReadPoint(ArchiveReader& in);
void WritePoint(ArchiveWriter& out, MapPoint p);
