#include "place.h"

#include "archive.h"

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
