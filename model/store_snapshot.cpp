#include "store_snapshot.h"

#include "archive.h"

namespace {

template <typename T>
std::vector<std::unique_ptr<T>> Copy(const std::vector<std::unique_ptr<T>>& list) {
    std::vector<std::unique_ptr<T>> copy;
    copy.reserve(list.size());
    for (const auto& item : list)
        copy.push_back(std::make_unique<T>(*item));
    return copy;
}

template <typename T>
std::ptrdiff_t IndexOf(const std::vector<std::unique_ptr<T>>& list, const T* item) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].get() == item)
            return static_cast<std::ptrdiff_t>(i);
    return -1;
}

// Content equality through the file form, which holds every stored field.
template <typename T>
bool SameList(const std::vector<std::unique_ptr<T>>& a, const std::vector<std::unique_ptr<T>>& b) {
    if (a.size() != b.size())
        return false;
    ArchiveWriter wa, wb;
    for (const auto& item : a)
        item->Write(wa);
    for (const auto& item : b)
        item->Write(wb);
    return wa.Bytes() == wb.Bytes();
}

template <typename T>
bool SameRecord(const T& a, const T& b) {
    ArchiveWriter wa, wb;
    a.Write(wa);
    b.Write(wb);
    return wa.Bytes() == wb.Bytes();
}

void SetBlockType(MapStore& store, std::size_t index, const StoreSnapshot::BlockType& t) {
    if (index < store.m_blocks.size()) {
        store.m_blocks[index].m_nType = t.type;
        store.m_blocks[index].m_crFill = t.fill;
    }
}

} // namespace

CmDirectorio CopyDirectory(const CmDirectorio& directory) {
    CmDirectorio copy;
    for (const auto& category : directory.m_listCategories) {
        auto c = std::make_unique<CmClasificados>(category->m_strName);
        c->m_listBusinesses = Copy(category->m_listBusinesses);
        const auto current = IndexOf(category->m_listBusinesses,
                                     static_cast<const CmNegocios*>(category->m_pCurrent));
        if (current >= 0)
            c->m_pCurrent = c->m_listBusinesses[static_cast<std::size_t>(current)].get();
        copy.m_listCategories.push_back(std::move(c));
    }
    const auto current = IndexOf(directory.m_listCategories,
                                 static_cast<const CmClasificados*>(directory.m_pCurrent));
    if (current >= 0)
        copy.m_pCurrent = copy.m_listCategories[static_cast<std::size_t>(current)].get();
    return copy;
}

StoreSnapshot StoreSnapshot::Capture(const MapStore& store) {
    StoreSnapshot s;
    s.m_streets = Copy(store.m_listStreets);
    s.m_references = Copy(store.m_listReferences);
    s.m_colonies = Copy(store.m_listColonies);
    s.m_routes = Copy(store.m_listRoutes);
    s.m_zones = Copy(store.m_listZones);
    s.m_directory = CopyDirectory(store.m_directory);
    s.m_routeOutline = store.m_routeOutline;
    s.m_counters = store.m_counters;
    s.m_blockTypes.reserve(store.m_blocks.size());
    for (const auto& b : store.m_blocks)
        s.m_blockTypes.push_back({b.m_nType, b.m_crFill});
    return s;
}

void StoreSnapshot::Restore(MapStore& store) const {
    store.m_listStreets = Copy(m_streets);
    store.m_listReferences = Copy(m_references);
    store.m_listColonies = Copy(m_colonies);
    store.m_listRoutes = Copy(m_routes);
    store.m_listZones = Copy(m_zones);
    store.m_directory = CopyDirectory(m_directory);
    store.m_routeOutline = m_routeOutline;
    store.m_counters = m_counters;
}

StoreEdit::StoreEdit(StoreSnapshot before, const MapStore& after)
    : m_before(std::move(before)), m_after(StoreSnapshot::Capture(after)) {
    const auto& b = m_before.m_blockTypes;
    const auto& a = m_after.m_blockTypes;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (a[i] != b[i])
            m_blockChanges.push_back({i, b[i], a[i]});
    // Only the changes are needed from here on.
    m_before.m_blockTypes = {};
    m_after.m_blockTypes = {};
    m_changed = !m_blockChanges.empty() || !SameList(m_before.m_streets, m_after.m_streets) ||
                !SameList(m_before.m_references, m_after.m_references) ||
                !SameList(m_before.m_colonies, m_after.m_colonies) ||
                !SameList(m_before.m_routes, m_after.m_routes) ||
                !SameList(m_before.m_zones, m_after.m_zones) ||
                !SameRecord(m_before.m_directory, m_after.m_directory) ||
                !SameRecord(m_before.m_routeOutline, m_after.m_routeOutline) ||
                !(m_before.m_counters == m_after.m_counters);
}

void StoreEdit::Undo(MapStore& store) const {
    m_before.Restore(store);
    for (const auto& c : m_blockChanges)
        SetBlockType(store, c.index, c.before);
}

void StoreEdit::Redo(MapStore& store) const {
    m_after.Restore(store);
    for (const auto& c : m_blockChanges)
        SetBlockType(store, c.index, c.after);
}
