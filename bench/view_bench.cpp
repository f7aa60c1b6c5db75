// Drawing whole frames of generated towns and finding the block under a point.

#include "map_renderer.h"
#include "map_store.h"
#include "map_transform.h"
#include "town_generator.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

const QSize kFrame(1920, 1080);

// Towns are generated once per size and shared by every benchmark.
const MapStore& Town(std::uint32_t blocks) {
    static std::map<std::uint32_t, std::unique_ptr<MapStore>> towns;
    auto& slot = towns[blocks];
    if (!slot) {
        TownOptions options;
        options.blocks = blocks;
        slot = std::make_unique<MapStore>(GenerateTown(options));
    }
    return *slot;
}

LayerSwitches LoadedLayers() {
    LayerSwitches layers;
    layers.m_bFillBlocks = true;
    return layers;
}

// One frame as the window paints it: clear the off-screen picture, draw every
// layer, the view centred on (0,0). The block index is built before timing,
// as the window builds it when the map is loaded.
void BM_Frame(benchmark::State& state) {
    const auto blocks = static_cast<std::uint32_t>(state.range(0));
    const auto scale = static_cast<float>(state.range(1));
    const MapStore& store = Town(blocks);
    const MapTransform probe(kFrame, scale, {});
    const MapTransform t(kFrame, scale, probe.OriginCentering({0, 0}));
    CMapRenderer renderer;
    renderer.IndexBlocks(store);
    QImage image(kFrame, QImage::Format_RGB32);
    const LayerSwitches layers = LoadedLayers();
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        renderer.DrawLayers(painter, store, t, layers);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["blocks"] = blocks;
}

// Every layer on: labels, traced streets, routes, colonies, businesses.
void BM_FrameAllLayers(benchmark::State& state) {
    const auto blocks = static_cast<std::uint32_t>(state.range(0));
    const auto scale = static_cast<float>(state.range(1));
    const MapStore& store = Town(blocks);
    const MapTransform probe(kFrame, scale, {});
    const MapTransform t(kFrame, scale, probe.OriginCentering({0, 0}));
    CMapRenderer renderer;
    renderer.IndexBlocks(store);
    QImage image(kFrame, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        renderer.DrawLayers(painter, store, t, LayerSwitches::All());
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_IndexBuild(benchmark::State& state) {
    const MapStore& store = Town(static_cast<std::uint32_t>(state.range(0)));
    for (auto _ : state) {
        CMapRenderer renderer;
        renderer.IndexBlocks(store);
        benchmark::ClobberMemory();
    }
}

// The block under the mouse, at points spread over the whole town.
void BM_HitBlock(benchmark::State& state) {
    const MapStore& store = Town(static_cast<std::uint32_t>(state.range(0)));
    CMapRenderer renderer;
    renderer.IndexBlocks(store);
    const MapRect r = store.m_rcBlocks;
    std::uint32_t k = 0;
    std::int64_t hits = 0;
    for (auto _ : state) {
        ++k;
        const std::int64_t x =
            r.left + (std::int64_t{k} * 7919) % std::max<std::int64_t>(r.Width(), 1);
        const std::int64_t y =
            r.top + (std::int64_t{k} * 104729) % std::max<std::int64_t>(r.Height(), 1);
        hits += renderer.HitBlock(store, MapPoint{static_cast<std::int32_t>(x),
                                                  static_cast<std::int32_t>(y)}) >= 0;
    }
    state.counters["hit_ratio"] = static_cast<double>(hits) / static_cast<double>(k ? k : 1);
}

void FrameArgs(benchmark::internal::Benchmark* b) {
    for (std::int64_t blocks : {10000, 100000, 1000000})
        for (std::int64_t scale : {1, 3, 10, 20})
            b->Args({blocks, scale});
}

} // namespace

BENCHMARK(BM_Frame)->Apply(FrameArgs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameAllLayers)
    ->Args({100000, 1})
    ->Args({100000, 3})
    ->Args({100000, 20})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IndexBuild)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HitBlock)->Arg(1000000)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    // Text and icons need a GUI application; no screen is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
