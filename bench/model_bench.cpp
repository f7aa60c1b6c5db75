// Opening and saving whole generated towns: throughput in MB/s and blocks/s,
// how much memory one open needs on top of what the process already holds, and
// in the same run the floors the machine sets: reading the file's bytes from
// the page cache, writing them with write and fsync.

#include "archive.h"
#include "map_file.h"
#include "map_save.h"
#include "town_generator.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
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
    double bestOpen = 1e300;
    for (auto _ : state) {
        const auto start = Clock::now();
        std::vector<std::uint8_t> picture;
        std::string error;
        auto store = LoadMapFile(town.path, {}, picture, error);
        benchmark::DoNotOptimize(store.get());
        if (!store)
            state.SkipWithError(error.c_str());
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
    std::string error;
    return LoadMapFile(town.path, {}, picture, error);
}

void BM_Save(benchmark::State& state) {
    const TownFile& town = Town(static_cast<std::uint32_t>(state.range(0)));
    auto store = LoadTown(town);
    const std::string target = (BenchDir() / "saved.map").string();
    double bestSave = 1e300;
    for (auto _ : state) {
        const auto start = Clock::now();
        std::string error;
        if (!SaveMapFile(*store, target, {}, error))
            state.SkipWithError(error.c_str());
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

} // namespace

BENCHMARK(BM_Open)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteMapToMemory)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
