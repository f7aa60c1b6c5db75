#include "record_io.h"

#include "archive.h"

std::uint32_t ReadRecordNumber(ArchiveReader& in, const ReadContext& ctx, std::uint32_t& counter) {
    if (ctx.HasNumbers()) {
        const std::uint32_t number = in.ReadU32();
        if (number > counter)
            counter = number;
        return number;
    }
    return counter++;
}

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
