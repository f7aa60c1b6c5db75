#pragma once

// A change to a map, as the editor makes it: each step names the kind of
// record, where it is and what it holds before and after. The same edit makes
// the change, undoes it and redoes it, and tells the windows what changed, so
// recording an edit costs what the edit touches however big the town is.

#include "map_store.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum class MapRecord : std::uint8_t {
    Street,
    Reference,
    Colony,
    Route,
    Zone,
    Category,
    Business,
    BlockType,
    RouteOutline,
    Header,
    Label,
};

// What one step of an edit touched; an undo or a redo touches the same.
struct MapChange {
    MapRecord record;
    // The first record of the run in its list; a business's place in its category.
    std::size_t index = 0;
    // The category of a business.
    std::size_t category = 0;
    friend bool operator==(const MapChange&, const MapChange&) = default;
};

// The texts of the map's header.
struct HeaderTexts {
    std::string country;
    std::string state;
    std::string town;
    std::string title;
    friend bool operator==(const HeaderTexts&, const HeaderTexts&) = default;
};

class MapEdit {
public:
    // An edit of `store`, which must outlive the building of the edit. The
    // edit reads the records it replaces from it as each step is stated; the
    // store changes only when the edit is made.
    explicit MapEdit(const MapStore& store);
    ~MapEdit();
    MapEdit(MapEdit&&) noexcept;
    MapEdit& operator=(MapEdit&&) noexcept;

    // The counters the new records of this edit take their numbers from; the
    // edit puts them in the store, and undoing it takes them back.
    MapCounters& Counters() { return m_countersAfter; }

    // Streets, references, colonies, routes and zones (T is their record
    // type). A place past the end of the list states nothing.
    template <typename T>
    MapEdit& Insert(std::size_t at, std::unique_ptr<T> record);
    template <typename T>
    MapEdit& Remove(std::size_t at);
    template <typename T>
    MapEdit& Replace(std::size_t at, std::unique_ptr<T> record);
    // Replaces the record at `at` with a copy that `change` has changed.
    template <typename T, typename F>
    MapEdit& Change(std::size_t at, F&& change) {
        if (at >= Count<T>())
            return *this;
        auto record = std::make_unique<T>(RecordAt<T>(at));
        change(*record);
        return Replace(at, std::move(record));
    }

    // The businesses of the category at `category`. Removing the category's
    // current business leaves it without one; a replaced current business
    // stays current.
    MapEdit& InsertBusiness(std::size_t category, std::size_t at,
                            std::unique_ptr<CmNegocios> business);
    MapEdit& RemoveBusiness(std::size_t category, std::size_t at);
    MapEdit& ReplaceBusiness(std::size_t category, std::size_t at,
                             std::unique_ptr<CmNegocios> business);
    // The categories become those of `after`, and its current category and
    // businesses the current ones; only the categories that differ are kept.
    MapEdit& ReplaceCategories(const CmDirectorio& after);

    MapEdit& SetBlockType(std::size_t block, std::int32_t type);
    MapEdit& SetRouteOutline(const CmCalles& outline);
    MapEdit& SetHeader(HeaderTexts header);
    MapEdit& ReplaceLabel(std::size_t at, const CmStname& label);

    // False when nothing a file keeps would change.
    bool ChangesAnything() const;
    // One entry for each step, in the order they were stated.
    std::vector<MapChange> Changes() const;

    // Makes the edit (again); both find the records they replace where they
    // were left, or by their content wherever a save's sorting moved them.
    void Do(MapStore& store) const;
    void Undo(MapStore& store) const;

    // About the bytes the edit holds.
    std::size_t MemoryBytes() const;

    struct Step;

private:
    template <typename T>
    std::size_t Count() const;
    template <typename T>
    const T& RecordAt(std::size_t at) const;
    void Add(std::unique_ptr<const Step> step);

    const MapStore* m_pStore;
    std::vector<std::unique_ptr<const Step>> m_steps;
    MapCounters m_countersBefore;
    MapCounters m_countersAfter;
};

// The zone at `zone` given the blocks selected now; nothing when there is no such zone.
MapEdit ZoneFromSelection(const MapStore& store, std::size_t zone);

// A deep copy; the current category and business follow their positions.
CmDirectorio CopyDirectory(const CmDirectorio& directory);
