#include "map_edit.h"

#include "archive.h"

#include <algorithm>
#include <limits>
#include <type_traits>
#include <utility>

namespace {

constexpr std::size_t kNowhere = std::numeric_limits<std::size_t>::max();
// The count and the bookkeeping of a shared record, beside the record.
constexpr std::size_t kSharedBytes = 16;

template <typename T>
using SharedRecords = std::vector<std::shared_ptr<const T>>;

// A category as an edit keeps it; its current business is a position.
struct CategoryImage {
    std::string name;
    SharedRecords<CmNegocios> businesses;
    std::ptrdiff_t current = -1;
};

// A run of a list replaced by another: the records from `at` before the edit
// and after it. The list's owner may have a current record (a category's
// business); `currentBefore` and `currentAfter` are its place in each run,
// or -1 when it is not in it.
template <typename T>
struct ListChange {
    std::size_t at = 0;
    SharedRecords<T> before = {};
    SharedRecords<T> after = {};
    std::ptrdiff_t currentBefore = -1;
    std::ptrdiff_t currentAfter = -1;
};

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

template <typename Live>
Live* At(const std::vector<std::unique_ptr<Live>>& list, std::ptrdiff_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= list.size())
        return nullptr;
    return list[static_cast<std::size_t>(index)].get();
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

bool SameStored(const CategoryImage& a, const CmClasificados& b) {
    if (a.name != b.m_strName || a.businesses.size() != b.m_listBusinesses.size())
        return false;
    for (std::size_t i = 0; i < a.businesses.size(); ++i)
        if (!SameStored(*a.businesses[i], *b.m_listBusinesses[i]))
            return false;
    return true;
}

bool SameStored(const CategoryImage& a, const CategoryImage& b) {
    if (a.name != b.name || a.businesses.size() != b.businesses.size())
        return false;
    for (std::size_t i = 0; i < a.businesses.size(); ++i)
        if (!SameStored(*a.businesses[i], *b.businesses[i]))
            return false;
    return true;
}

// Every field, stored or not, apart from which business is current.
bool SameContent(const CmClasificados& a, const CmClasificados& b) {
    if (a.m_strName != b.m_strName || a.m_listBusinesses.size() != b.m_listBusinesses.size())
        return false;
    for (std::size_t i = 0; i < a.m_listBusinesses.size(); ++i)
        if (!(*a.m_listBusinesses[i] == *b.m_listBusinesses[i]))
            return false;
    return true;
}

// ---- images of live records, and live records again ----

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
void Assign(T& live, const T& image) {
    live = image;
}

void Assign(CmClasificados& live, const CategoryImage& image) {
    live.m_strName = image.name;
    live.m_listBusinesses.clear();
    live.m_listBusinesses.reserve(image.businesses.size());
    for (const auto& b : image.businesses)
        live.m_listBusinesses.push_back(std::make_unique<CmNegocios>(*b));
    live.m_pCurrent = At(live.m_listBusinesses, image.current);
}

template <typename T>
std::unique_ptr<T> Rebuild(const T& record) {
    return std::make_unique<T>(record);
}

std::unique_ptr<CmClasificados> Rebuild(const CategoryImage& image) {
    auto category = std::make_unique<CmClasificados>(image.name);
    Assign(*category, image);
    return category;
}

// ---- applying a run ----

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

// Replaces the `from` side of the change with the `to` side. Records replaced
// one for one are changed in place, so that whoever points at them (a page's
// highlighted line, a category's current business) still does; `current`,
// when given, follows the change's current record.
template <typename Image, typename Live>
void ApplyList(std::vector<std::unique_ptr<Live>>& list, const ListChange<Image>& change,
               bool forward, Live** current = nullptr) {
    const SharedRecords<Image>& from = forward ? change.before : change.after;
    const SharedRecords<Image>& to = forward ? change.after : change.before;
    const std::ptrdiff_t currentTo = forward ? change.currentAfter : change.currentBefore;
    auto dropped = [&](const std::unique_ptr<Live>& record) {
        if (current && *current == record.get())
            *current = nullptr;
    };
    std::size_t at = Locate(list, from, change.at);
    std::size_t kept = 0;
    if (at != kNowhere) {
        kept = std::min(from.size(), to.size());
        for (std::size_t k = 0; k < kept; ++k)
            Assign(*list[at + k], *to[k]);
        const auto first = list.begin() + static_cast<std::ptrdiff_t>(at + kept);
        const auto last = list.begin() + static_cast<std::ptrdiff_t>(at + from.size());
        std::for_each(first, last, dropped);
        list.erase(first, last);
    } else {
        // The run was split up since (a save sorts the lists): each record
        // goes from wherever it is.
        for (const auto& record : from) {
            const auto it = std::find_if(list.begin(), list.end(), [&](const auto& live) {
                return SameStored(*record, *live);
            });
            if (it != list.end()) {
                dropped(*it);
                list.erase(it);
            }
        }
        at = std::min(change.at, list.size());
    }
    std::vector<std::unique_ptr<Live>> made;
    made.reserve(to.size() - kept);
    for (std::size_t k = kept; k < to.size(); ++k)
        made.push_back(Rebuild(*to[k]));
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(at + kept),
                std::make_move_iterator(made.begin()), std::make_move_iterator(made.end()));
    if (current && currentTo >= 0 && at + static_cast<std::size_t>(currentTo) < list.size())
        *current = list[at + static_cast<std::size_t>(currentTo)].get();
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
std::size_t ChangeBytes(const ListChange<T>& change) {
    std::size_t bytes = (change.before.capacity() + change.after.capacity()) * sizeof(void*) * 2;
    for (const auto& r : change.before)
        bytes += RecordBytes(*r);
    for (const auto& r : change.after)
        bytes += RecordBytes(*r);
    return bytes;
}

// ---- the five named lists ----

template <typename T>
auto& ListOf(MapStore& store) {
    if constexpr (std::is_same_v<T, CmCalles>)
        return store.m_listStreets;
    else if constexpr (std::is_same_v<T, CmRefe>)
        return store.m_listReferences;
    else if constexpr (std::is_same_v<T, CmColonias>)
        return store.m_listColonies;
    else if constexpr (std::is_same_v<T, CmVias>)
        return store.m_listRoutes;
    else
        return store.m_listZones;
}

template <typename T>
const auto& ListOf(const MapStore& store) {
    return ListOf<T>(const_cast<MapStore&>(store));
}

template <typename T>
constexpr MapRecord KindOf() {
    if constexpr (std::is_same_v<T, CmCalles>)
        return MapRecord::Street;
    else if constexpr (std::is_same_v<T, CmRefe>)
        return MapRecord::Reference;
    else if constexpr (std::is_same_v<T, CmColonias>)
        return MapRecord::Colony;
    else if constexpr (std::is_same_v<T, CmVias>)
        return MapRecord::Route;
    else
        return MapRecord::Zone;
}

} // namespace

// ---- steps ----

struct MapEdit::Step {
    explicit Step(MapChange c) : change(c) {}
    virtual ~Step() = default;
    virtual void Apply(MapStore& store, bool forward) const = 0;
    virtual bool ChangesStored() const = 0;
    virtual std::size_t Bytes() const = 0;
    MapChange change;
};

namespace {

template <typename T>
struct ListStep : MapEdit::Step {
    explicit ListStep(ListChange<T> c) : Step({KindOf<T>(), c.at}), run(std::move(c)) {}
    void Apply(MapStore& store, bool forward) const override {
        ApplyList(ListOf<T>(store), run, forward);
    }
    bool ChangesStored() const override { return ::ChangesStored(run); }
    std::size_t Bytes() const override { return sizeof(*this) + ChangeBytes(run); }
    ListChange<T> run;
};

// Businesses of one category, found by its place and, when that no longer
// holds it, by its name.
struct BusinessStep : MapEdit::Step {
    BusinessStep(std::size_t category, std::string name, ListChange<CmNegocios> c)
        : Step({MapRecord::Business, c.at, category}), name(std::move(name)), run(std::move(c)) {}
    void Apply(MapStore& store, bool forward) const override;
    bool ChangesStored() const override { return ::ChangesStored(run); }
    std::size_t Bytes() const override {
        return sizeof(*this) + TextBytes(name) + ChangeBytes(run);
    }
    std::string name;
    ListChange<CmNegocios> run;
};

struct CategoryStep : MapEdit::Step {
    explicit CategoryStep(ListChange<CategoryImage> c, std::ptrdiff_t before, std::ptrdiff_t after)
        : Step({MapRecord::Category, c.at}), run(std::move(c)), currentBefore(before),
          currentAfter(after) {}
    void Apply(MapStore& store, bool forward) const override {
        CmDirectorio& dir = store.m_directory;
        ApplyList(dir.m_listCategories, run, forward);
        dir.m_pCurrent = At(dir.m_listCategories, forward ? currentAfter : currentBefore);
    }
    bool ChangesStored() const override { return ::ChangesStored(run); }
    std::size_t Bytes() const override { return sizeof(*this) + ChangeBytes(run); }
    ListChange<CategoryImage> run;
    // The current category's place in the whole list.
    std::ptrdiff_t currentBefore;
    std::ptrdiff_t currentAfter;
};

struct BlockType {
    std::int32_t type;
    Color fill;
    friend bool operator==(const BlockType&, const BlockType&) = default;
};

struct BlockTypeStep : MapEdit::Step {
    BlockTypeStep(std::size_t block, BlockType b, BlockType a)
        : Step({MapRecord::BlockType, block}), before(b), after(a) {}
    void Apply(MapStore& store, bool forward) const override {
        if (change.index >= store.m_blocks.size())
            return;
        const BlockType& t = forward ? after : before;
        store.m_blocks[change.index].m_nType = t.type;
        store.m_blocks[change.index].m_crFill = t.fill;
    }
    bool ChangesStored() const override { return before != after; }
    std::size_t Bytes() const override { return sizeof(*this); }
    BlockType before;
    BlockType after;
};

struct OutlineStep : MapEdit::Step {
    OutlineStep(const CmCalles& b, const CmCalles& a)
        : Step({MapRecord::RouteOutline, 0}), before(b), after(a) {}
    void Apply(MapStore& store, bool forward) const override {
        store.m_routeOutline = forward ? after : before;
    }
    bool ChangesStored() const override { return FileForm(before) != FileForm(after); }
    std::size_t Bytes() const override {
        return sizeof(*this) + RecordBytes(before) + RecordBytes(after);
    }
    CmCalles before;
    CmCalles after;
};

struct HeaderStep : MapEdit::Step {
    HeaderStep(HeaderTexts b, HeaderTexts a)
        : Step({MapRecord::Header, 0}), before(std::move(b)), after(std::move(a)) {}
    void Apply(MapStore& store, bool forward) const override {
        const HeaderTexts& h = forward ? after : before;
        store.m_strCountry = h.country;
        store.m_strState = h.state;
        store.m_strTown = h.town;
        store.m_strTitle = h.title;
    }
    bool ChangesStored() const override { return before != after; }
    std::size_t Bytes() const override {
        return sizeof(*this) + TextBytes(before.country) + TextBytes(before.state) +
               TextBytes(before.town) + TextBytes(before.title) + TextBytes(after.country) +
               TextBytes(after.state) + TextBytes(after.town) + TextBytes(after.title);
    }
    HeaderTexts before;
    HeaderTexts after;
};

struct LabelStep : MapEdit::Step {
    LabelStep(std::size_t at, const CmStname& b, const CmStname& a)
        : Step({MapRecord::Label, at}), before(b), after(a) {}
    void Apply(MapStore& store, bool forward) const override {
        if (change.index < store.m_labels.size())
            store.m_labels[change.index] = forward ? after : before;
    }
    bool ChangesStored() const override { return FileForm(before) != FileForm(after); }
    std::size_t Bytes() const override {
        return sizeof(*this) + 2 * TextBytes(before.m_strText.str());
    }
    CmStname before;
    CmStname after;
};

void BusinessStep::Apply(MapStore& store, bool forward) const {
    auto& categories = store.m_directory.m_listCategories;
    CmClasificados* category = At(categories, static_cast<std::ptrdiff_t>(change.category));
    if (!category || category->m_strName != name) {
        const auto it = std::find_if(categories.begin(), categories.end(),
                                     [&](const auto& c) { return c->m_strName == name; });
        category = it == categories.end() ? nullptr : it->get();
    }
    if (category)
        ApplyList(category->m_listBusinesses, run, forward, &category->m_pCurrent);
}

} // namespace

// ---- the edit ----

MapEdit::MapEdit(const MapStore& store)
    : m_pStore(&store), m_countersBefore(store.m_counters), m_countersAfter(store.m_counters) {}
MapEdit::~MapEdit() = default;
MapEdit::MapEdit(MapEdit&&) noexcept = default;
MapEdit& MapEdit::operator=(MapEdit&&) noexcept = default;

void MapEdit::Add(std::unique_ptr<const Step> step) {
    m_steps.push_back(std::move(step));
}

template <typename T>
std::size_t MapEdit::Count() const {
    return ListOf<T>(*m_pStore).size();
}

template <typename T>
const T& MapEdit::RecordAt(std::size_t at) const {
    return *ListOf<T>(*m_pStore)[at];
}

template <typename T>
MapEdit& MapEdit::Insert(std::size_t at, std::unique_ptr<T> record) {
    if (record && at <= Count<T>())
        Add(std::make_unique<ListStep<T>>(ListChange<T>{.at = at, .after = {std::move(record)}}));
    return *this;
}

template <typename T>
MapEdit& MapEdit::Remove(std::size_t at) {
    if (at < Count<T>())
        Add(std::make_unique<ListStep<T>>(
            ListChange<T>{.at = at, .before = {Share(RecordAt<T>(at))}}));
    return *this;
}

template <typename T>
MapEdit& MapEdit::Replace(std::size_t at, std::unique_ptr<T> record) {
    if (record && at < Count<T>())
        Add(std::make_unique<ListStep<T>>(ListChange<T>{
            .at = at, .before = {Share(RecordAt<T>(at))}, .after = {std::move(record)}}));
    return *this;
}

#define VELTRIX_MAP_EDIT_LIST(T)                                                                   \
    template MapEdit& MapEdit::Insert<T>(std::size_t, std::unique_ptr<T>);                         \
    template MapEdit& MapEdit::Remove<T>(std::size_t);                                             \
    template MapEdit& MapEdit::Replace<T>(std::size_t, std::unique_ptr<T>);                        \
    template std::size_t MapEdit::Count<T>() const;                                                \
    template const T& MapEdit::RecordAt<T>(std::size_t) const;
VELTRIX_MAP_EDIT_LIST(CmCalles)
VELTRIX_MAP_EDIT_LIST(CmRefe)
VELTRIX_MAP_EDIT_LIST(CmColonias)
VELTRIX_MAP_EDIT_LIST(CmVias)
VELTRIX_MAP_EDIT_LIST(CmZonas)
#undef VELTRIX_MAP_EDIT_LIST

MapEdit& MapEdit::InsertBusiness(std::size_t category, std::size_t at,
                                 std::unique_ptr<CmNegocios> business) {
    const CmClasificados* c =
        At(m_pStore->m_directory.m_listCategories, static_cast<std::ptrdiff_t>(category));
    if (c && business && at <= c->m_listBusinesses.size())
        Add(std::make_unique<BusinessStep>(
            category, c->m_strName,
            ListChange<CmNegocios>{.at = at, .after = {std::move(business)}}));
    return *this;
}

MapEdit& MapEdit::RemoveBusiness(std::size_t category, std::size_t at) {
    const CmClasificados* c =
        At(m_pStore->m_directory.m_listCategories, static_cast<std::ptrdiff_t>(category));
    if (!c || at >= c->m_listBusinesses.size())
        return *this;
    const CmNegocios& gone = *c->m_listBusinesses[at];
    Add(std::make_unique<BusinessStep>(
        category, c->m_strName,
        ListChange<CmNegocios>{
            .at = at, .before = {Share(gone)}, .currentBefore = c->m_pCurrent == &gone ? 0 : -1}));
    return *this;
}

MapEdit& MapEdit::ReplaceBusiness(std::size_t category, std::size_t at,
                                  std::unique_ptr<CmNegocios> business) {
    const CmClasificados* c =
        At(m_pStore->m_directory.m_listCategories, static_cast<std::ptrdiff_t>(category));
    if (!c || !business || at >= c->m_listBusinesses.size())
        return *this;
    const CmNegocios& old = *c->m_listBusinesses[at];
    const std::ptrdiff_t current = c->m_pCurrent == &old ? 0 : -1;
    Add(std::make_unique<BusinessStep>(category, c->m_strName,
                                       ListChange<CmNegocios>{.at = at,
                                                              .before = {Share(old)},
                                                              .after = {std::move(business)},
                                                              .currentBefore = current,
                                                              .currentAfter = current}));
    return *this;
}

MapEdit& MapEdit::ReplaceCategories(const CmDirectorio& after) {
    const CmDirectorio& dir = m_pStore->m_directory;
    const auto& live = dir.m_listCategories;
    const auto& next = after.m_listCategories;
    // Only the run that differs is kept: the categories equal at both ends stay.
    const std::size_t n = std::min(live.size(), next.size());
    std::size_t head = 0;
    while (head < n && SameContent(*live[head], *next[head]))
        ++head;
    std::size_t tail = 0;
    while (tail < n - head &&
           SameContent(*live[live.size() - 1 - tail], *next[next.size() - 1 - tail]))
        ++tail;
    ListChange<CategoryImage> run{.at = head};
    for (std::size_t i = head; i < live.size() - tail; ++i)
        run.before.push_back(Share(*live[i]));
    for (std::size_t i = head; i < next.size() - tail; ++i)
        run.after.push_back(Share(*next[i]));
    Add(std::make_unique<CategoryStep>(
        std::move(run), IndexOf(live, static_cast<const CmClasificados*>(dir.m_pCurrent)),
        IndexOf(next, static_cast<const CmClasificados*>(after.m_pCurrent))));
    return *this;
}

MapEdit& MapEdit::SetBlockType(std::size_t block, std::int32_t type) {
    if (block >= m_pStore->m_blocks.size())
        return *this;
    const CmBlock& live = m_pStore->m_blocks[block];
    CmBlock changed = live;
    changed.SetType(type);
    Add(std::make_unique<BlockTypeStep>(block, BlockType{live.m_nType, live.m_crFill},
                                        BlockType{changed.m_nType, changed.m_crFill}));
    return *this;
}

MapEdit& MapEdit::SetRouteOutline(const CmCalles& outline) {
    Add(std::make_unique<OutlineStep>(m_pStore->m_routeOutline, outline));
    return *this;
}

MapEdit& MapEdit::SetHeader(HeaderTexts header) {
    const MapStore& s = *m_pStore;
    Add(std::make_unique<HeaderStep>(
        HeaderTexts{s.m_strCountry, s.m_strState, s.m_strTown, s.m_strTitle}, std::move(header)));
    return *this;
}

MapEdit& MapEdit::ReplaceLabel(std::size_t at, const CmStname& label) {
    if (at < m_pStore->m_labels.size())
        Add(std::make_unique<LabelStep>(at, m_pStore->m_labels[at], label));
    return *this;
}

bool MapEdit::ChangesAnything() const {
    return !(m_countersBefore == m_countersAfter) ||
           std::any_of(m_steps.begin(), m_steps.end(),
                       [](const auto& step) { return step->ChangesStored(); });
}

std::vector<MapChange> MapEdit::Changes() const {
    std::vector<MapChange> changes;
    changes.reserve(m_steps.size());
    for (const auto& step : m_steps)
        changes.push_back(step->change);
    return changes;
}

void MapEdit::Do(MapStore& store) const {
    for (const auto& step : m_steps)
        step->Apply(store, true);
    store.m_counters = m_countersAfter;
}

void MapEdit::Undo(MapStore& store) const {
    for (auto it = m_steps.rbegin(); it != m_steps.rend(); ++it)
        (*it)->Apply(store, false);
    store.m_counters = m_countersBefore;
}

std::size_t MapEdit::MemoryBytes() const {
    std::size_t bytes = sizeof(*this) + m_steps.capacity() * sizeof(m_steps[0]);
    for (const auto& step : m_steps)
        bytes += step->Bytes();
    return bytes;
}

MapEdit ZoneFromSelection(const MapStore& store, std::size_t zone) {
    MapEdit edit(store);
    edit.Change<CmZonas>(zone, [&](CmZonas& z) { z.SetBlocksFromSelection(store.m_blocks); });
    return edit;
}

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
