#include "block.h"

#include "archive.h"

void CmBlock::Write(ArchiveWriter& out, std::span<const FloatPoint> outline) const {
    out.WriteI32(static_cast<std::int32_t>(outline.size()));
    out.WriteI32(m_nType);
    out.WriteF32(m_fScale);
    out.WriteI32(m_nReserved);
    for (const auto& p : outline) {
        out.WriteF32(p.x);
        out.WriteF32(p.y);
    }
}

void CmBlock::SetType(std::int32_t type) {
    m_nType = type;
    if (type >= 1 && type <= 6)
        m_crFill = kBlockTypeColors[type - 1];
}
