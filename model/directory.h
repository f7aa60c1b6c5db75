#pragma once

// The business directory of a map: its categories, the current one, and the
// business operations the pages forward to the current category.

#include "business.h"
#include "category.h"
#include "geometry.h"
#include "record_io.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CmDirectorio {
public:
    std::vector<std::unique_ptr<CmClasificados>> m_listCategories;
    CmClasificados* m_pCurrent = nullptr;

    void Clear();
    void Read(ArchiveReader& in, const ReadContext& ctx);
    void Write(ArchiveWriter& out) const;

    CmClasificados& AddCategory(const std::string& name);
    void DeleteCategory(const std::string& name);
    void RenameCategory(const std::string& oldName, const std::string& newName);
    void SelectCategory(const std::string& name);
    CmClasificados* FindCategory(const std::string& name) const;

    // Forwarded to the current category; harmless without one.
    CmNegocios* AddBusiness(std::int32_t x, std::int32_t y, int zoom, const std::string& name,
                            const std::string& comments, const std::string& phone,
                            MapCounters& counters);
    bool SelectBusiness(const std::string& name);
    bool HitBusiness(MapPoint p);
    CmNegocios* CurrentBusiness() const;
    // Places of the current category in the directory and of its current
    // business in the category; -1 when there is none.
    std::ptrdiff_t CurrentCategoryIndex() const;
    std::ptrdiff_t CurrentBusinessIndex() const;
    float GetBusinessZoom() const;
    MapPoint GetBusinessPosition() const;
    std::string GetBusinessName() const;
    std::string GetBusinessComments() const;
    std::string GetBusinessPhone() const;
    void UpdateBusiness(const std::string& name, const std::string& comments,
                        const std::string& phone);
    void DeleteBusiness();
};
