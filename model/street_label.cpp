#include "street_label.h"

#include "archive.h"
#include "geometry.h"

void CmStname::Read(ArchiveReader& in, TextInterner& texts) {
    m_x = in.ReadI32();
    m_y = in.ReadI32();
    m_fAngle = in.ReadF32();
    m_strText = texts.Intern(in.ReadString());
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
