#include "directory.h"

#include "archive.h"

#include <algorithm>

namespace {

// A zero-length name and a business count.
constexpr std::uint64_t kMinCategoryBytes = 1 + 4;

} // namespace

void CmDirectorio::Clear() {
    m_listCategories.clear();
    m_pCurrent = nullptr;
}

void CmDirectorio::Read(ArchiveReader& in, const ReadContext& ctx) {
    Clear();
    const std::uint32_t count = in.ReadU32();
    in.RequireRoom(count, kMinCategoryBytes);
    m_listCategories.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        auto c = std::make_unique<CmClasificados>();
        c->Read(in, ctx);
        m_listCategories.push_back(std::move(c));
    }
}

void CmDirectorio::Write(ArchiveWriter& out) const {
    out.WriteU32(static_cast<std::uint32_t>(m_listCategories.size()));
    for (const auto& c : m_listCategories)
        c->Write(out);
}

CmClasificados& CmDirectorio::AddCategory(const std::string& name) {
    m_listCategories.insert(m_listCategories.begin(), std::make_unique<CmClasificados>(name));
    return *m_listCategories.front();
}

CmClasificados* CmDirectorio::FindCategory(const std::string& name) const {
    for (const auto& c : m_listCategories)
        if (c->m_strName == name)
            return c.get();
    return nullptr;
}

void CmDirectorio::DeleteCategory(const std::string& name) {
    CmClasificados* found = FindCategory(name);
    if (!found)
        return;
    std::erase_if(m_listCategories, [&](const auto& c) { return c.get() == found; });
    m_pCurrent = nullptr;
}

void CmDirectorio::RenameCategory(const std::string& oldName, const std::string& newName) {
    if (CmClasificados* c = FindCategory(oldName))
        c->m_strName = newName;
}

void CmDirectorio::SelectCategory(const std::string& name) {
    if (CmClasificados* c = FindCategory(name))
        m_pCurrent = c;
}

CmNegocios* CmDirectorio::AddBusiness(std::int32_t x, std::int32_t y, int zoom,
                                      const std::string& name, const std::string& comments,
                                      const std::string& phone, MapCounters& counters) {
    if (!m_pCurrent)
        return nullptr;
    return &m_pCurrent->AddBusiness(
        std::make_unique<CmNegocios>(x, y, zoom, name, comments, phone, counters));
}

bool CmDirectorio::SelectBusiness(const std::string& name) {
    return m_pCurrent && m_pCurrent->SelectBusiness(name);
}

bool CmDirectorio::HitBusiness(MapPoint p) {
    return m_pCurrent && m_pCurrent->HitBusiness(p);
}

CmNegocios* CmDirectorio::CurrentBusiness() const {
    return m_pCurrent ? m_pCurrent->m_pCurrent : nullptr;
}

std::ptrdiff_t CmDirectorio::CurrentCategoryIndex() const {
    const auto it = std::find_if(m_listCategories.begin(), m_listCategories.end(),
                                 [this](const auto& c) { return c.get() == m_pCurrent; });
    return m_pCurrent && it != m_listCategories.end() ? it - m_listCategories.begin() : -1;
}

std::ptrdiff_t CmDirectorio::CurrentBusinessIndex() const {
    if (!m_pCurrent || !m_pCurrent->m_pCurrent)
        return -1;
    const auto& list = m_pCurrent->m_listBusinesses;
    const auto it = std::find_if(list.begin(), list.end(), [this](const auto& b) {
        return b.get() == m_pCurrent->m_pCurrent;
    });
    return it != list.end() ? it - list.begin() : -1;
}

float CmDirectorio::GetBusinessZoom() const {
    const CmNegocios* b = CurrentBusiness();
    return b ? b->m_fZoom : 0.0f;
}

MapPoint CmDirectorio::GetBusinessPosition() const {
    const CmNegocios* b = CurrentBusiness();
    return b ? MapPoint{b->m_x, b->m_y} : MapPoint{};
}

std::string CmDirectorio::GetBusinessName() const {
    const CmNegocios* b = CurrentBusiness();
    return b ? b->m_strName : std::string();
}

std::string CmDirectorio::GetBusinessComments() const {
    const CmNegocios* b = CurrentBusiness();
    return b ? b->m_strComments : std::string();
}

std::string CmDirectorio::GetBusinessPhone() const {
    const CmNegocios* b = CurrentBusiness();
    return b ? b->m_strPhone : std::string();
}

void CmDirectorio::UpdateBusiness(const std::string& name, const std::string& comments,
                                  const std::string& phone) {
    if (CmNegocios* b = CurrentBusiness()) {
        b->m_strName = name;
        b->m_strComments = comments;
        b->m_strPhone = phone;
    }
}

void CmDirectorio::DeleteBusiness() {
    if (m_pCurrent)
        m_pCurrent->DeleteBusiness();
}
