#include "business.h"

#include "archive.h"

#include <utility>

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
