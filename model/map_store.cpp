#include "map_store.h"

#include "codepage.h"

#include <algorithm>

MapStore::MapStore() = default;

CmBlock& MapStore::AddBlock(std::span<const FloatPoint> outline, std::int32_t type) {
    CmBlock block;
    block.m_nFirstPoint = static_cast<std::uint32_t>(m_blockPoints.size());
    block.m_nPoints = static_cast<std::uint32_t>(outline.size());
    // The room for the block first: a failure leaves the points as they were.
    if (m_blocks.size() == m_blocks.capacity())
        m_blocks.reserve(std::max<std::size_t>(16, 2 * m_blocks.capacity()));
    FloatPoint* at = m_blockPoints.Append(outline.size());
    std::copy(outline.begin(), outline.end(), at);
    block.SetType(type);
    block.SetId(static_cast<std::uint32_t>(m_blocks.size() + 1));
    m_rcBlocks = UnionRect(m_rcBlocks, BlockShape(outline).GetBounds());
    return m_blocks.emplace_back(block);
}

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

void MapStore::ClearBlocks() {
    m_blocks.clear();
    m_blockPoints.Clear();
    m_rcBlocks = MapStore().m_rcBlocks;
    m_nSelected = 0;
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

std::vector<std::size_t> MapStore::OrderOfKeys(const std::vector<std::string>& names) {
    std::vector<std::string> keys;
    keys.reserve(names.size());
    for (const std::string& name : names)
        keys.push_back(Cp1252SortKey(name));
    std::vector<std::size_t> order(names.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    return order;
}

namespace {

template <typename T>
void SortByName(std::vector<std::unique_ptr<T>>& list) {
    std::vector<std::unique_ptr<T>> sorted;
    sorted.reserve(list.size());
    for (std::size_t i : MapStore::NameOrder(list))
        sorted.push_back(std::move(list[i]));
    list = std::move(sorted);
}

} // namespace

void MapStore::SortListsByName() {
    SortByName(m_listStreets);
    SortByName(m_listReferences);
    SortByName(m_listRoutes);
    SortByName(m_listColonies);
    SortByName(m_listZones);
}
