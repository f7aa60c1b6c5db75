// Opening and saving whole generated towns: throughput in MB/s and blocks/s,
// and how much memory one open needs on top of what the process already holds.

#include "archive.h"
#include "map_file.h"
#include "map_save.h"
#include "town_generator.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <map>
#include <memory>
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
        std::string error;
        if (!SaveMapFile(store, town.path, {}, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
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
            std::string error;
            auto store = LoadMapFile(town.path, {}, picture, error);
            if (!store) {
                state.SkipWithError(error.c_str());
                return;
            }
            const long peak = StatusKb("VmHWM");
            peakIncreaseMb = static_cast<double>(peak - before) / 1024.0;
        }
        malloc_trim(0);
    }
    for (auto _ : state) {
        std::vector<std::uint8_t> picture;
        std::string error;
        auto store = LoadMapFile(town.path, {}, picture, error);
        benchmark::DoNotOptimize(store.get());
        if (!store)
            state.SkipWithError(error.c_str());
    }
    SetCommonCounters(state, town);
    state.counters["peak_MB"] = peakIncreaseMb;
    state.counters["peak/file"] = peakIncreaseMb * 1024 * 1024 / static_cast<double>(town.bytes);
}

std::unique_ptr<MapStore> LoadTown(const TownFile& town) {
    std::vector<std::uint8_t> picture;
    std::string error;
    return LoadMapFile(town.path, {}, picture, error);
}

void BM_Save(benchmark::State& state) {
    const TownFile& town = Town(static_cast<std::uint32_t>(state.range(0)));
    auto store = LoadTown(town);
    const std::string target = (BenchDir() / "saved.map").string();
    for (auto _ : state) {
        std::string error;
        if (!SaveMapFile(*store, target, {}, error))
            state.SkipWithError(error.c_str());
    }
    SetCommonCounters(state, town);
}

// The save without the disk: only turning the store into bytes.
void BM_WriteMapToMemory(benchmark::State& state) {
    const TownFile& town = Town(static_cast<std::uint32_t>(state.range(0)));
    auto store = LoadTown(town);
    for (auto _ : state) {
        ArchiveWriter out;
        WriteMap(out, *store, {});
        benchmark::DoNotOptimize(out.Bytes().data());
    }
    SetCommonCounters(state, town);
}

} // namespace

BENCHMARK(BM_Open)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteMapToMemory)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
