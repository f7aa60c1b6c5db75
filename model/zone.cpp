#include "zone.h"

#include "archive.h"
#include "map_store.h"

#include <algorithm>
#include <utility>

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
        const BlockShape shape = store.Shape(*b);
        if (shape.Size() < 3)
            continue;
        const MapRect box = shape.RegionBox();
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
