#include "category.h"

#include "archive.h"

namespace {

// Six texts of length 0, position and zoom, the reserved value; the number is
// only in version-1 files.
constexpr std::uint64_t kMinBusinessBytes = 6 + 12 + 4;

} // namespace

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
