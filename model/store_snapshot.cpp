#include "store_snapshot.h"

#include "archive.h"

#include <algorithm>
#include <limits>

namespace {

constexpr std::size_t kNowhere = std::numeric_limits<std::size_t>::max();
// The count and the bookkeeping of a shared record, beside the record.
constexpr std::size_t kSharedBytes = 16;

template <typename T>
std::vector<std::unique_ptr<T>> Copy(const std::vector<std::unique_ptr<T>>& list) {
    std::vector<std::unique_ptr<T>> copy;
    copy.reserve(list.size());
    for (const auto& item : list)
        copy.push_back(std::make_unique<T>(*item));
    return copy;
}

template <typename T, typename List>
std::ptrdiff_t IndexOf(const List& list, const T* item) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].get() == item)
            return static_cast<std::ptrdiff_t>(i);
    return -1;
}

// ---- what the file keeps of a record ----

template <typename T>
std::vector<std::uint8_t> FileForm(const T& record) {
    ArchiveWriter out;
    record.Write(out);
    return out.Bytes();
}

// Equal as a file would keep them: show flags, highlights and colours the file
// has no room for may differ.
template <typename T>
bool SameStored(const T& a, const T& b) {
    return a == b || FileForm(a) == FileForm(b);
}

bool SameStored(const CategoryImage& a, const CategoryImage& b) {
    if (a.name != b.name || a.businesses.size() != b.businesses.size())
        return false;
    for (std::size_t i = 0; i < a.businesses.size(); ++i)
        if (!SameStored(*a.businesses[i], *b.businesses[i]))
            return false;
    return true;
}

bool SameStored(const CategoryImage& a, const CmClasificados& b) {
    if (a.name != b.m_strName || a.businesses.size() != b.m_listBusinesses.size())
        return false;
    for (std::size_t i = 0; i < a.businesses.size(); ++i)
        if (!SameStored(*a.businesses[i], *b.m_listBusinesses[i]))
            return false;
    return true;
}

// Every field, stored or not, apart from which business is current.
bool SameContent(const CategoryImage& a, const CmClasificados& b) {
    if (a.name != b.m_strName || a.businesses.size() != b.m_listBusinesses.size())
        return false;
    for (std::size_t i = 0; i < a.businesses.size(); ++i)
        if (!(*a.businesses[i] == *b.m_listBusinesses[i]))
            return false;
    return true;
}

template <typename T>
bool SameContent(const T& a, const T& b) {
    return a == b;
}

// ---- images of live records ----

template <typename T>
std::shared_ptr<const T> Share(const T& record) {
    return std::make_shared<const T>(record);
}

std::shared_ptr<const CategoryImage> Share(const CmClasificados& category) {
    auto image = std::make_shared<CategoryImage>();
    image->name = category.m_strName;
    image->businesses.reserve(category.m_listBusinesses.size());
    for (const auto& b : category.m_listBusinesses)
        image->businesses.push_back(Share(*b));
    image->current =
        IndexOf(category.m_listBusinesses, static_cast<const CmNegocios*>(category.m_pCurrent));
    return image;
}

template <typename T>
std::unique_ptr<T> Rebuild(const T& record) {
    return std::make_unique<T>(record);
}

std::unique_ptr<CmClasificados> Rebuild(const CategoryImage& image) {
    auto category = std::make_unique<CmClasificados>(image.name);
    category->m_listBusinesses.reserve(image.businesses.size());
    for (const auto& b : image.businesses)
        category->m_listBusinesses.push_back(std::make_unique<CmNegocios>(*b));
    if (image.current >= 0 && static_cast<std::size_t>(image.current) < image.businesses.size())
        category->m_pCurrent =
            category->m_listBusinesses[static_cast<std::size_t>(image.current)].get();
    return category;
}

// ---- finding and applying changes ----

// The run of `live` that differs from `base`: records equal at both ends stay.
template <typename Base, typename Live>
ListChange<Base> Diff(SharedRecords<Base>& base, const std::vector<std::unique_ptr<Live>>& live) {
    const std::size_t n = std::min(base.size(), live.size());
    std::size_t head = 0;
    while (head < n && SameContent(*base[head], *live[head]))
        ++head;
    std::size_t tail = 0;
    while (tail < n - head &&
           SameContent(*base[base.size() - 1 - tail], *live[live.size() - 1 - tail]))
        ++tail;
    ListChange<Base> change;
    change.at = head;
    if (head + tail == base.size() && head + tail == live.size())
        return change;
    const auto baseFrom = base.begin() + static_cast<std::ptrdiff_t>(head);
    const auto baseTo = base.end() - static_cast<std::ptrdiff_t>(tail);
    change.before.assign(baseFrom, baseTo);
    change.after.reserve(live.size() - head - tail);
    for (std::size_t i = head; i < live.size() - tail; ++i)
        change.after.push_back(Share(*live[i]));
    // The snapshot takes the new records, shared with the step.
    const auto at = base.erase(baseFrom, baseTo);
    base.insert(at, change.after.begin(), change.after.end());
    return change;
}

template <typename T>
bool ChangesStored(const ListChange<T>& change) {
    if (change.before.size() != change.after.size())
        return true;
    for (std::size_t i = 0; i < change.before.size(); ++i)
        if (!SameStored(*change.before[i], *change.after[i]))
            return true;
    return false;
}

template <typename Image, typename Live>
bool RunAt(const std::vector<std::unique_ptr<Live>>& list, const SharedRecords<Image>& run,
           std::size_t at) {
    if (at + run.size() > list.size())
        return false;
    for (std::size_t k = 0; k < run.size(); ++k)
        if (!SameStored(*run[k], *list[at + k]))
            return false;
    return true;
}

// Where the run stands in the list now: where it was left, or wherever it has
// gone since; kNowhere when it is not there as a run.
template <typename Image, typename Live>
std::size_t Locate(const std::vector<std::unique_ptr<Live>>& list, const SharedRecords<Image>& run,
                   std::size_t hint) {
    if (run.empty())
        return std::min(hint, list.size());
    if (RunAt(list, run, hint))
        return hint;
    for (std::size_t at = 0; at + run.size() <= list.size(); ++at)
        if (RunAt(list, run, at))
            return at;
    return kNowhere;
}

// Replaces the `from` side of the change with the `to` side.
template <typename Image, typename Live>
void ApplyList(std::vector<std::unique_ptr<Live>>& list, const ListChange<Image>& change,
               bool forward) {
    if (change.Empty())
        return;
    const SharedRecords<Image>& from = forward ? change.before : change.after;
    const SharedRecords<Image>& to = forward ? change.after : change.before;
    std::size_t at = Locate(list, from, change.at);
    if (at != kNowhere) {
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(at),
                   list.begin() + static_cast<std::ptrdiff_t>(at + from.size()));
    } else {
        // The run was split up since (a save sorts the lists): each record
        // goes from wherever it is.
        for (const auto& record : from) {
            const auto it = std::find_if(list.begin(), list.end(), [&](const auto& live) {
                return SameStored(*record, *live);
            });
            if (it != list.end())
                list.erase(it);
        }
        at = std::min(change.at, list.size());
    }
    std::vector<std::unique_ptr<Live>> made;
    made.reserve(to.size());
    for (const auto& record : to)
        made.push_back(Rebuild(*record));
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(at),
                std::make_move_iterator(made.begin()), std::make_move_iterator(made.end()));
}

template <typename Live>
Live* At(const std::vector<std::unique_ptr<Live>>& list, std::ptrdiff_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= list.size())
        return nullptr;
    return list[static_cast<std::size_t>(index)].get();
}

// ---- sizes ----

std::size_t TextBytes(const std::string& s) {
    // Short texts live inside the string itself.
    return s.capacity() > 15 ? s.capacity() + 1 : 0;
}

std::size_t RecordBytes(const CmCalles& r) {
    return sizeof(r) + kSharedBytes + TextBytes(r.m_strName) +
           r.m_points.capacity() * sizeof(MapPoint);
}

std::size_t RecordBytes(const CmVias& r) {
    std::size_t bytes = RecordBytes(static_cast<const CmCalles&>(r)) + sizeof(r) -
                        sizeof(CmCalles) + r.m_stations.capacity() * sizeof(Station);
    for (const Station& s : r.m_stations)
        bytes += TextBytes(s.name);
    return bytes;
}

std::size_t RecordBytes(const CmPlace& r) {
    return sizeof(r) + kSharedBytes + TextBytes(r.m_strName);
}

std::size_t RecordBytes(const CmZonas& r) {
    return sizeof(r) + kSharedBytes + TextBytes(r.m_strName) + TextBytes(r.m_strNotes) +
           r.m_blockIds.capacity() * sizeof(std::uint32_t);
}

std::size_t RecordBytes(const CmNegocios& r) {
    return sizeof(r) + kSharedBytes + TextBytes(r.m_strName) + TextBytes(r.m_strExtra1) +
           TextBytes(r.m_strExtra2) + TextBytes(r.m_strComments) + TextBytes(r.m_strPhone) +
           TextBytes(r.m_strExtra3);
}

std::size_t RecordBytes(const CategoryImage& r) {
    std::size_t bytes = sizeof(r) + kSharedBytes + TextBytes(r.name) +
                        r.businesses.capacity() * sizeof(r.businesses[0]);
    for (const auto& b : r.businesses)
        bytes += RecordBytes(*b);
    return bytes;
}

template <typename T>
std::size_t ListBytes(const SharedRecords<T>& list) {
    std::size_t bytes = list.capacity() * sizeof(list[0]);
    for (const auto& r : list)
        bytes += RecordBytes(*r);
    return bytes;
}

template <typename T>
std::size_t ChangeBytes(const ListChange<T>& change) {
    return ListBytes(change.before) + ListBytes(change.after);
}

} // namespace

CmDirectorio CopyDirectory(const CmDirectorio& directory) {
    CmDirectorio copy;
    for (const auto& category : directory.m_listCategories) {
        auto c = std::make_unique<CmClasificados>(category->m_strName);
        c->m_listBusinesses = Copy(category->m_listBusinesses);
        c->m_pCurrent =
            At(c->m_listBusinesses, IndexOf(category->m_listBusinesses,
                                            static_cast<const CmNegocios*>(category->m_pCurrent)));
        copy.m_listCategories.push_back(std::move(c));
    }
    copy.m_pCurrent = At(copy.m_listCategories,
                         IndexOf(directory.m_listCategories,
                                 static_cast<const CmClasificados*>(directory.m_pCurrent)));
    return copy;
}

StoreSnapshot StoreSnapshot::Capture(const MapStore& store) {
    StoreSnapshot s;
    s.m_routeOutline = Share(CmCalles());
    s.Follow(store);
    return s;
}

void StoreSnapshot::Follow(const MapStore& store) {
    StoreEdit::Record(*this, store);
}

std::size_t StoreSnapshot::MemoryBytes() const {
    return sizeof(*this) + ListBytes(m_streets) + ListBytes(m_references) + ListBytes(m_colonies) +
           ListBytes(m_routes) + ListBytes(m_zones) + ListBytes(m_categories) +
           RecordBytes(*m_routeOutline) + m_blockTypes.capacity() * sizeof(BlockType);
}

StoreEdit StoreEdit::Record(StoreSnapshot& base, const MapStore& store) {
    StoreEdit edit;
    edit.m_streets = Diff(base.m_streets, store.m_listStreets);
    edit.m_references = Diff(base.m_references, store.m_listReferences);
    edit.m_colonies = Diff(base.m_colonies, store.m_listColonies);
    edit.m_routes = Diff(base.m_routes, store.m_listRoutes);
    edit.m_zones = Diff(base.m_zones, store.m_listZones);

    // Categories: a change to the businesses of one category that kept its
    // name and place is kept business by business.
    const CmDirectorio& dir = store.m_directory;
    const auto& cats = dir.m_listCategories;
    const std::size_t n = std::min(base.m_categories.size(), cats.size());
    std::size_t head = 0;
    while (head < n && SameContent(*base.m_categories[head], *cats[head]))
        ++head;
    std::size_t tail = 0;
    while (tail < n - head && SameContent(*base.m_categories[base.m_categories.size() - 1 - tail],
                                          *cats[cats.size() - 1 - tail]))
        ++tail;
    const bool sameCategory = base.m_categories.size() == cats.size() &&
                              head + tail + 1 == cats.size() &&
                              base.m_categories[head]->name == cats[head]->m_strName;
    if (sameCategory) {
        const CmClasificados& live = *cats[head];
        auto image = std::make_shared<CategoryImage>(*base.m_categories[head]);
        BusinessChange change;
        change.category = head;
        change.name = live.m_strName;
        change.currentBefore = image->current;
        change.businesses = Diff(image->businesses, live.m_listBusinesses);
        image->current =
            IndexOf(live.m_listBusinesses, static_cast<const CmNegocios*>(live.m_pCurrent));
        change.currentAfter = image->current;
        base.m_categories[head] = std::move(image);
        edit.m_businesses.push_back(std::move(change));
    } else {
        edit.m_categories = Diff(base.m_categories, cats);
    }
    edit.m_nCurrentBefore = base.m_nCurrentCategory;
    edit.m_nCurrentAfter = IndexOf(cats, static_cast<const CmClasificados*>(dir.m_pCurrent));
    base.m_nCurrentCategory = edit.m_nCurrentAfter;

    if (!(*base.m_routeOutline == store.m_routeOutline)) {
        edit.m_routeOutlineBefore = base.m_routeOutline;
        edit.m_routeOutlineAfter = Share(store.m_routeOutline);
        base.m_routeOutline = edit.m_routeOutlineAfter;
    }
    edit.m_countersBefore = base.m_counters;
    edit.m_countersAfter = store.m_counters;
    base.m_counters = store.m_counters;

    // Block types: a town can have a million blocks and an edit touches a few.
    auto& types = base.m_blockTypes;
    if (types.size() != store.m_blocks.size())
        types.assign(store.m_blocks.size(), {1, kBlockTypeColors[0]});
    for (std::size_t i = 0; i < types.size(); ++i) {
        const CmBlock& b = store.m_blocks[i];
        const StoreSnapshot::BlockType now{b.m_nType, b.m_crFill};
        if (now != types[i]) {
            edit.m_blockChanges.push_back({i, types[i], now});
            types[i] = now;
        }
    }

    edit.m_changed =
        !edit.m_blockChanges.empty() || ChangesStored(edit.m_streets) ||
        ChangesStored(edit.m_references) || ChangesStored(edit.m_colonies) ||
        ChangesStored(edit.m_routes) || ChangesStored(edit.m_zones) ||
        ChangesStored(edit.m_categories) ||
        std::any_of(edit.m_businesses.begin(), edit.m_businesses.end(),
                    [](const BusinessChange& c) { return ChangesStored(c.businesses); }) ||
        (edit.m_routeOutlineAfter &&
         FileForm(*edit.m_routeOutlineBefore) != FileForm(*edit.m_routeOutlineAfter)) ||
        !(edit.m_countersBefore == edit.m_countersAfter);
    return edit;
}

StoreEdit::StoreEdit(StoreSnapshot before, const MapStore& after) {
    *this = Record(before, after);
}

void StoreEdit::Apply(MapStore& store, bool forward) const {
    ApplyList(store.m_listStreets, m_streets, forward);
    ApplyList(store.m_listReferences, m_references, forward);
    ApplyList(store.m_listColonies, m_colonies, forward);
    ApplyList(store.m_listRoutes, m_routes, forward);
    ApplyList(store.m_listZones, m_zones, forward);

    CmDirectorio& dir = store.m_directory;
    ApplyList(dir.m_listCategories, m_categories, forward);
    for (const BusinessChange& change : m_businesses) {
        CmClasificados* category =
            At(dir.m_listCategories, static_cast<std::ptrdiff_t>(change.category));
        if (!category || category->m_strName != change.name) {
            const auto it =
                std::find_if(dir.m_listCategories.begin(), dir.m_listCategories.end(),
                             [&](const auto& c) { return c->m_strName == change.name; });
            category = it == dir.m_listCategories.end() ? nullptr : it->get();
        }
        if (!category)
            continue;
        ApplyList(category->m_listBusinesses, change.businesses, forward);
        category->m_pCurrent =
            At(category->m_listBusinesses, forward ? change.currentAfter : change.currentBefore);
    }
    if (!m_categories.Empty() || !m_businesses.empty() || m_nCurrentBefore != m_nCurrentAfter)
        dir.m_pCurrent = At(dir.m_listCategories, forward ? m_nCurrentAfter : m_nCurrentBefore);

    if (m_routeOutlineAfter)
        store.m_routeOutline = forward ? *m_routeOutlineAfter : *m_routeOutlineBefore;
    store.m_counters = forward ? m_countersAfter : m_countersBefore;
    for (const BlockTypeChange& c : m_blockChanges) {
        if (c.index >= store.m_blocks.size())
            continue;
        const StoreSnapshot::BlockType& t = forward ? c.after : c.before;
        store.m_blocks[c.index].m_nType = t.type;
        store.m_blocks[c.index].m_crFill = t.fill;
    }
}

void StoreEdit::Undo(MapStore& store) const {
    Apply(store, false);
}

void StoreEdit::Redo(MapStore& store) const {
    Apply(store, true);
}

std::size_t StoreEdit::MemoryBytes() const {
    std::size_t bytes = sizeof(*this) + ChangeBytes(m_streets) + ChangeBytes(m_references) +
                        ChangeBytes(m_colonies) + ChangeBytes(m_routes) + ChangeBytes(m_zones) +
                        ChangeBytes(m_categories) +
                        m_businesses.capacity() * sizeof(BusinessChange) +
                        m_blockChanges.capacity() * sizeof(BlockTypeChange);
    for (const BusinessChange& c : m_businesses)
        bytes += TextBytes(c.name) + ChangeBytes(c.businesses);
    if (m_routeOutlineAfter)
        bytes += RecordBytes(*m_routeOutlineBefore) + RecordBytes(*m_routeOutlineAfter);
    return bytes;
}
