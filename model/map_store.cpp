#include "map_store.h"

#include "codepage.h"

#include <algorithm>

MapStore::MapStore() = default;

std::string MapStore::MakeTitle(const std::string& town, const std::string& state,
                                const std::string& country) {
    return "VELTRIX  " + town + ", " + state + " - " + country;
}

CmBlock* MapStore::FindBlockById(std::uint32_t id) {
    if (id == 0 || id > m_blocks.size())
        return nullptr;
    return &m_blocks[id - 1];
}

const CmBlock* MapStore::FindBlockById(std::uint32_t id) const {
    return const_cast<MapStore*>(this)->FindBlockById(id);
}

bool MapStore::SetBlockSelected(CmBlock& block, bool selected) {
    if (block.m_bSelected == selected)
        return false;
    block.m_bSelected = selected;
    if (selected)
        ++m_nSelected;
    else
        --m_nSelected;
    return true;
}

void MapStore::ClearSelection() {
    for (auto& b : m_blocks)
        b.m_bSelected = false;
    m_nSelected = 0;
}

void MapStore::RecountSelection() {
    m_nSelected = static_cast<std::size_t>(std::count_if(
        m_blocks.begin(), m_blocks.end(), [](const CmBlock& b) { return b.m_bSelected; }));
}

namespace {

template <typename T>
void SortByName(std::vector<std::unique_ptr<T>>& list) {
    std::vector<std::pair<std::string, std::unique_ptr<T>>> keyed;
    keyed.reserve(list.size());
    for (auto& item : list)
        keyed.emplace_back(Cp1252SortKey(item->m_strName), std::move(item));
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    list.clear();
    for (auto& [key, item] : keyed)
        list.push_back(std::move(item));
}

} // namespace

void MapStore::SortListsByName() {
    SortByName(m_listStreets);
    SortByName(m_listReferences);
    SortByName(m_listRoutes);
    SortByName(m_listColonies);
    SortByName(m_listZones);
}
