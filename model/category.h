#pragma once

// A category ("clasificado") of the directory: a name and the businesses
// listed under it, one of which may be the current one.

#include "business.h"
#include "geometry.h"
#include "record_io.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

class CmClasificados {
public:
    CmClasificados() = default;
    explicit CmClasificados(std::string name) : m_strName(std::move(name)) {}

    std::string m_strName;
    std::vector<std::unique_ptr<CmNegocios>> m_listBusinesses;
    CmNegocios* m_pCurrent = nullptr;

    void Read(ArchiveReader& in, const ReadContext& ctx);
    void Write(ArchiveWriter& out) const;

    CmNegocios& AddBusiness(std::unique_ptr<CmNegocios> business);
    // Clears the current business and its highlight (the page does this on refill).
    void ClearCurrent();
    bool SelectBusiness(const std::string& name);
    bool HitBusiness(MapPoint p);
    void DeleteBusiness();
};
