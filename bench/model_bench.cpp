// Opening and saving whole generated towns: throughput in MB/s and blocks/s,
// how much memory one open needs on top of what the process already holds, and
// in the same run the floors the machine sets: reading the file's bytes from
// the page cache, writing them with write and fsync.

#include "archive.h"
#include "heap_counter.h"
#include "map_edit.h"
#include "map_file.h"
#include "map_save.h"
#include "town_generator.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct TownFile {
    std::string path;
    std::uint64_t bytes = 0;
    std::uint64_t blocks = 0;
};

// A scratch folder for the town files, removed at exit.
struct ScratchFolder {
    fs::path path = fs::temp_directory_path() / ("veltrix-bench-" + std::to_string(::getpid()));
    ScratchFolder() { fs::create_directories(path); }
    ~ScratchFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

const fs::path& BenchDir() {
    static const ScratchFolder folder;
    return folder.path;
}

// Generates the town of `blocks` blocks once and keeps only its file.
const TownFile& Town(std::uint32_t blocks) {
    static std::map<std::uint32_t, TownFile> towns;
    auto it = towns.find(blocks);
    if (it != towns.end())
        return it->second;
    TownFile town;
    town.path = (BenchDir() / ("town" + std::to_string(blocks) + ".map")).string();
    {
        MapStore store = GenerateTown({.blocks = blocks, .seed = 1});
        town.blocks = store.m_blocks.size();
        Problem error;
        if (!SaveMapFile(store, town.path, {}, error)) {
            std::fprintf(stderr, "%s\n", error.Text().c_str());
            std::abort();
        }
    }
    malloc_trim(0);
    town.bytes = fs::file_size(town.path);
    return towns.emplace(blocks, town).first->second;
}

// Resident set sizes from /proc; the high-water mark can be reset, so the peak
// of one operation can be told apart from the peaks before it.
long StatusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::strtol(line.c_str() + key.size(), nullptr, 10);
    return -1;
}

bool ResetPeakRss() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The best of a few reads of the whole file with read(2) into a buffer that is
// already in memory: what the bytes cost from the page cache, with nothing done
// to them.
double PageCacheReadMs(const TownFile& town) {
    std::vector<std::uint8_t> buffer(town.bytes);
    double best = 1e300;
    for (int round = 0; round < 7; ++round) {
        const auto start = Clock::now();
        const int fd = ::open(town.path.c_str(), O_RDONLY | O_CLOEXEC);
        std::size_t done = 0;
        while (fd >= 0 && done < buffer.size()) {
            const ssize_t n = ::read(fd, buffer.data() + done, buffer.size() - done);
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        if (fd >= 0)
            ::close(fd);
        best = std::min(best, MsSince(start));
        benchmark::DoNotOptimize(buffer.data());
    }
    return best;
}

// The best of a few writes of `bytes` into a new file beside `near` with
// write(2) and fsync, the file then removed: what the disk costs a save.
double WriteAndSyncMs(const std::vector<std::uint8_t>& bytes, const std::string& near) {
    const std::string path = near + ".raw";
    double best = 1e300;
    for (int round = 0; round < 5; ++round) {
        const auto start = Clock::now();
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        std::size_t done = 0;
        while (fd >= 0 && done < bytes.size()) {
            const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
        best = std::min(best, MsSince(start));
        ::unlink(path.c_str());
    }
    return best;
}

void SetCommonCounters(benchmark::State& state, const TownFile& town) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * town.bytes));
    state.counters["blocks/s"] = benchmark::Counter(static_cast<double>(town.blocks),
                                                    benchmark::Counter::kIsIterationInvariantRate);
    state.counters["file_MB"] = static_cast<double>(town.bytes) / 1e6;
}

void BM_Open(benchmark::State& state) {
    const TownFile& town = Town(static_cast<std::uint32_t>(state.range(0)));
    // One measured open first, for the memory it needs.
    malloc_trim(0);
    double peakIncreaseMb = -1;
    if (ResetPeakRss()) {
        const long before = StatusKb("VmRSS");
        {
            std::vector<std::uint8_t> picture;
            Problem error;
            auto store = LoadMapFile(town.path, {}, picture, error);
            if (!store) {
                state.SkipWithError(error.Text().c_str());
                return;
            }
            const long peak = StatusKb("VmHWM");
            peakIncreaseMb = static_cast<double>(peak - before) / 1024.0;
        }
        malloc_trim(0);
    }
    double bestOpen = 1e300;
    for (auto _ : state) {
        const auto start = Clock::now();
        std::vector<std::uint8_t> picture;
        Problem error;
        auto store = LoadMapFile(town.path, {}, picture, error);
        benchmark::DoNotOptimize(store.get());
        if (!store)
            state.SkipWithError(error.Text().c_str());
        // Freeing the store is not part of opening it.
        state.PauseTiming();
        bestOpen = std::min(bestOpen, MsSince(start));
        store.reset();
        state.ResumeTiming();
    }
    const double readMs = PageCacheReadMs(town);
    SetCommonCounters(state, town);
    state.counters["peak_MB"] = peakIncreaseMb;
    state.counters["peak/file"] = peakIncreaseMb * 1024 * 1024 / static_cast<double>(town.bytes);
    state.counters["best_ms"] = bestOpen;
    state.counters["read_ms"] = readMs;
    state.counters["open/read"] = bestOpen / readMs;
}

std::unique_ptr<MapStore> LoadTown(const TownFile& town) {
    std::vector<std::uint8_t> picture;
    Problem error;
    return LoadMapFile(town.path, {}, picture, error);
}

void BM_Save(benchmark::State& state) {
    const TownFile& town = Town(static_cast<std::uint32_t>(state.range(0)));
    auto store = LoadTown(town);
    const std::string target = (BenchDir() / "saved.map").string();
    double bestSave = 1e300;
    for (auto _ : state) {
        const auto start = Clock::now();
        Problem error;
        if (!SaveMapFile(*store, target, {}, error))
            state.SkipWithError(error.Text().c_str());
        bestSave = std::min(bestSave, MsSince(start));
    }
    ArchiveWriter bytes;
    WriteMap(bytes, *store, {});
    const double rawMs = WriteAndSyncMs(bytes.Bytes(), target);
    SetCommonCounters(state, town);
    state.counters["best_ms"] = bestSave;
    state.counters["write+fsync_ms"] = rawMs;
    state.counters["save/raw"] = bestSave / rawMs;
}

// The save without the disk: only turning the store into bytes.
void BM_WriteMapToMemory(benchmark::State& state) {
    const TownFile& town = Town(static_cast<std::uint32_t>(state.range(0)));
    auto store = LoadTown(town);
    for (auto _ : state) {
        auto out = std::make_unique<ArchiveWriter>();
        WriteMap(*out, *store, {});
        benchmark::DoNotOptimize(out->Bytes().data());
        // Handing the buffer back is not part of writing it.
        state.PauseTiming();
        out.reset();
        state.ResumeTiming();
    }
    SetCommonCounters(state, town);
}

// ---- the undo history ----

// A town of `blocks` blocks brought to the street and business counts the
// history target names: streets copied under new names, businesses cut back.
std::unique_ptr<MapStore> HistoryTown(std::uint32_t blocks, std::size_t streets,
                                      std::size_t businesses) {
    auto store = std::make_unique<MapStore>(GenerateTown({.blocks = blocks, .seed = 1}));
    const std::size_t generated = store->m_listStreets.size();
    for (std::size_t i = 0; store->m_listStreets.size() < streets; ++i) {
        auto copy = std::make_unique<CmCalles>(*store->m_listStreets[i % generated]);
        copy->m_strName.append(" ").append(std::to_string(i));
        store->m_listStreets.push_back(std::move(copy));
    }
    std::size_t total = 0;
    for (const auto& c : store->m_directory.m_listCategories)
        total += c->m_listBusinesses.size();
    for (auto& c : store->m_directory.m_listCategories) {
        while (total > businesses && c->m_listBusinesses.size() > 1) {
            c->m_listBusinesses.pop_back();
            --total;
        }
    }
    return store;
}

std::ptrdiff_t IndexIn(const CmDirectorio& dir, const CmClasificados* category) {
    for (std::size_t i = 0; i < dir.m_listCategories.size(); ++i)
        if (dir.m_listCategories[i].get() == category)
            return static_cast<std::ptrdiff_t>(i);
    return -1;
}

// A category with businesses, picked by `k` (the town has some with many).
CmClasificados* NonEmptyCategory(CmDirectorio& dir, std::size_t k) {
    const std::size_t n = dir.m_listCategories.size();
    for (std::size_t i = 0; i < n; ++i) {
        CmClasificados* c = dir.m_listCategories[(k + i) % n].get();
        if (c->m_listBusinesses.size() > 1)
            return c;
    }
    return dir.m_listCategories.front().get();
}

// The edits a session makes, in turn: every kind the tools and pages make,
// stated as they state them.
MapEdit MakeEdit(MapStore& s, std::size_t k) {
    const std::string tag = std::to_string(k);
    CmDirectorio& dir = s.m_directory;
    MapEdit edit(s);
    switch (k % 14) {
    case 0:
        edit.Change<CmCalles>(k % s.m_listStreets.size(), [&](CmCalles& street) {
            street.m_strName = "Calle renombrada " + tag;
        });
        break;
    case 1: {
        auto street = std::make_unique<CmCalles>();
        street->m_strName = "Calle trazada " + tag;
        street->BeginTrace({static_cast<std::int32_t>(k), 10});
        for (int i = 0; i < 6; ++i)
            street->AddPoint({static_cast<std::int32_t>(k) + 100 * i, 10 + 50 * i});
        edit.Insert(0, std::move(street));
        break;
    }
    case 2:
        edit.Remove<CmCalles>(k % s.m_listStreets.size());
        break;
    case 3:
        edit.Insert(
            0, std::make_unique<CmRefe>(static_cast<std::int32_t>(k), 5, 10, "Referencia " + tag));
        break;
    case 4:
        edit.Insert(
            0, std::make_unique<CmColonias>(5, static_cast<std::int32_t>(k), 10, "Colonia " + tag));
        break;
    case 5: {
        CmVias trace(0x0000ff);
        trace.BeginRoute({0, 0});
        trace.AddPoint({static_cast<std::int32_t>(k), 400});
        trace.AddStation({0, 0}, "Terminal " + tag);
        trace.m_strName = "Ruta " + tag;
        edit.Insert(0, std::make_unique<CmVias>(trace, edit.Counters()));
        break;
    }
    case 6:
        edit.Insert(0, std::make_unique<CmZonas>("Zona " + tag, "notas", edit.Counters()));
        break;
    case 7: {
        for (std::size_t i = 0; i < 20; ++i)
            s.SetBlockSelected(s.m_blocks[(k * 37 + i * 101) % s.m_blocks.size()], true);
        edit = ZoneFromSelection(s, 0);
        s.ClearSelection();
        break;
    }
    case 8: {
        const std::size_t block = (k * 7919) % s.m_blocks.size();
        edit.SetBlockType(block, s.m_blocks[block].m_nType % 6 + 1);
        break;
    }
    case 9:
        edit.InsertBusiness(k % dir.m_listCategories.size(), 0,
                            std::make_unique<CmNegocios>(10, 20, 5, "Negocio " + tag, "Calle 1",
                                                         "555", edit.Counters()));
        break;
    case 10: {
        CmClasificados* c = NonEmptyCategory(dir, k);
        auto changed = std::make_unique<CmNegocios>(*c->m_listBusinesses.front());
        changed->m_strName = "Negocio cambiado " + tag;
        changed->m_strComments = "Otra calle";
        edit.ReplaceBusiness(static_cast<std::size_t>(IndexIn(dir, c)), 0, std::move(changed));
        break;
    }
    case 11: {
        CmClasificados* c = NonEmptyCategory(dir, k);
        edit.RemoveBusiness(static_cast<std::size_t>(IndexIn(dir, c)),
                            c->m_listBusinesses.size() - 1);
        break;
    }
    case 12: {
        CmDirectorio after = CopyDirectory(dir);
        after.AddCategory("Categoría " + tag);
        edit.ReplaceCategories(after);
        break;
    }
    default: {
        CmCalles outline = s.m_routeOutline;
        outline.BeginTrace({static_cast<std::int32_t>(k), 0});
        outline.AddPoint({0, static_cast<std::int32_t>(k)});
        edit.SetRouteOutline(outline);
        break;
    }
    }
    return edit;
}

// A thousand edits of every kind recorded as the editor records them, then
// every step undone and redone: what the history holds and what one step costs.
void BM_History(benchmark::State& state) {
    constexpr std::size_t kEdits = 1000;
    auto store = HistoryTown(static_cast<std::uint32_t>(state.range(0)), 5000, 2000);
    auto plain = HistoryTown(static_cast<std::uint32_t>(state.range(0)), 5000, 2000);
    // The store grows with the edits; the same edits on a copy without a
    // history tell that growth apart.
    const std::int64_t plainStart = HeapBytes();
    for (std::size_t k = 0; k < kEdits; ++k)
        MakeEdit(*plain, k).Do(*plain);
    const std::int64_t storeGrowth = HeapBytes() - plainStart;
    plain.reset();

    const std::int64_t heapStart = HeapBytes();
    std::vector<MapEdit> steps;
    steps.reserve(kEdits);
    double recordMs = 0, recordMax = 0;
    for (std::size_t k = 0; k < kEdits; ++k) {
        const auto start = Clock::now();
        steps.push_back(MakeEdit(*store, k));
        steps.back().Do(*store);
        const double ms = MsSince(start);
        recordMs += ms;
        recordMax = std::max(recordMax, ms);
        if (!steps.back().ChangesAnything()) {
            const std::string what = "edit " + std::to_string(k) + " changed nothing";
            state.SkipWithError(what.c_str());
            return;
        }
    }
    const std::int64_t historyBytes = HeapBytes() - heapStart - storeGrowth;
    std::size_t counted = 0;
    for (const MapEdit& e : steps)
        counted += e.MemoryBytes();

    double undoMax = 0, redoMax = 0, undoSum = 0, redoSum = 0;
    std::size_t rounds = 0;
    for (auto _ : state) {
        for (auto it = steps.rbegin(); it != steps.rend(); ++it) {
            const auto start = Clock::now();
            it->Undo(*store);
            const double ms = MsSince(start);
            undoSum += ms;
            undoMax = std::max(undoMax, ms);
        }
        for (const MapEdit& e : steps) {
            const auto start = Clock::now();
            e.Do(*store);
            const double ms = MsSince(start);
            redoSum += ms;
            redoMax = std::max(redoMax, ms);
        }
        ++rounds;
    }
    const double mib = 1024.0 * 1024.0;
    state.counters["history_MiB"] = static_cast<double>(historyBytes) / mib;
    state.counters["steps_counted_MiB"] = static_cast<double>(counted) / mib;
    state.counters["record_mean_ms"] = recordMs / kEdits;
    state.counters["record_max_ms"] = recordMax;
    state.counters["undo_mean_ms"] = undoSum / static_cast<double>(rounds * kEdits);
    state.counters["undo_max_ms"] = undoMax;
    state.counters["redo_mean_ms"] = redoSum / static_cast<double>(rounds * kEdits);
    state.counters["redo_max_ms"] = redoMax;
}

// Recording one edit in a town of a million blocks: stating it, making it and
// keeping its step, for every kind the tools and pages make but two timed
// apart: the categories dialog's, which compares the directory, and the zone
// assignment, which reads every block's selection. Target: under 50 us.
void RecordEdits(benchmark::State& state, bool (*kind)(std::size_t)) {
    auto store = HistoryTown(static_cast<std::uint32_t>(state.range(0)), 5000, 2000);
    std::vector<MapEdit> steps;
    steps.reserve(static_cast<std::size_t>(state.max_iterations));
    std::size_t k = 0;
    double worst = 0;
    for (auto _ : state) {
        while (!kind(k))
            ++k;
        const auto start = Clock::now();
        steps.push_back(MakeEdit(*store, k));
        steps.back().Do(*store);
        benchmark::DoNotOptimize(steps.back().MemoryBytes());
        worst = std::max(worst, MsSince(start));
        ++k;
    }
    state.counters["max_us"] = worst * 1000.0;
}

void BM_RecordEdit(benchmark::State& state) {
    RecordEdits(state, [](std::size_t k) { return k % 14 != 7 && k % 14 != 12; });
}

void BM_RecordCategoryEdit(benchmark::State& state) {
    RecordEdits(state, [](std::size_t k) { return k % 14 == 12; });
}

void BM_AssignZone(benchmark::State& state) {
    auto store = HistoryTown(static_cast<std::uint32_t>(state.range(0)), 5000, 2000);
    store->m_listZones.push_back(std::make_unique<CmZonas>("Zona", "", store->m_counters));
    for (std::size_t i = 0; i < 200; ++i)
        store->SetBlockSelected(store->m_blocks[i * 4001 % store->m_blocks.size()], true);
    for (auto _ : state) {
        MapEdit edit = ZoneFromSelection(*store, 0);
        edit.Do(*store);
        benchmark::DoNotOptimize(edit.ChangesAnything());
    }
}

} // namespace

BENCHMARK(BM_Open)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteMapToMemory)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

BENCHMARK(BM_History)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RecordEdit)->Arg(1'000'000)->Unit(benchmark::kMicrosecond)->Iterations(2000);
BENCHMARK(BM_RecordCategoryEdit)->Arg(1'000'000)->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(BM_AssignZone)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
