// Drawing whole frames of generated towns, panning them, and finding the block
// under a point. Beside the frame of blocks, the same run times a plain QPainter
// drawing of the same blocks, so the gain over it stays on record.

#include "map_renderer.h"
#include "map_store.h"
#include "map_transform.h"
#include "town_generator.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
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

// A store's town with a current business category, so that "Mostrar marcas"
// has businesses to show.
const MapStore& TownWithMarks(std::uint32_t blocks) {
    static std::map<std::uint32_t, std::unique_ptr<MapStore>> towns;
    auto& slot = towns[blocks];
    if (!slot) {
        TownOptions options;
        options.blocks = blocks;
        slot = std::make_unique<MapStore>(GenerateTown(options));
        CmDirectorio& dir = slot->m_directory;
        if (!dir.m_listCategories.empty())
            dir.m_pCurrent = dir.m_listCategories.front().get();
    }
    return *slot;
}

MapTransform CentredView(float scale) {
    const MapTransform probe(kFrame, scale, {});
    return MapTransform(kFrame, scale, probe.OriginCentering({0, 0}));
}

using Clock = std::chrono::steady_clock;

// Fill and outline of every block whose box meets the view, each a QPainter
// call, every block tested: what drawing them takes without an index or a
// raster of our own.
void DrawBlocksNaively(QPainter& painter, const MapStore& store, const MapTransform& t) {
    const QRect client(QPoint(0, 0), t.ClientSize());
    QPen outline(QColor(0xc0, 0xc0, 0xc0), 0);
    std::vector<QPoint> pixels;
    for (const CmBlock& block : store.m_blocks) {
        const std::span<const FloatPoint> points = store.Outline(block);
        if (points.size() < 3)
            continue;
        pixels.resize(points.size());
        QRect box;
        for (std::size_t i = 0; i < points.size(); ++i) {
            pixels[i] = t.ToPixel(TruncToInt(points[i].x), TruncToInt(points[i].y));
            box |= QRect(pixels[i], QSize(1, 1));
        }
        if (!box.intersects(client))
            continue;
        painter.setPen(outline);
        painter.setBrush(ColorFromRef(block.FillColor()));
        painter.drawPolygon(pixels.data(), static_cast<int>(pixels.size()), Qt::OddEvenFill);
    }
}

double NaiveFrameMs(const MapStore& store, const MapTransform& t) {
    QImage image(kFrame, QImage::Format_RGB32);
    double best = 1e300;
    for (int round = 0; round < 3; ++round) {
        const auto start = Clock::now();
        image.fill(Qt::white);
        QPainter painter(&image);
        DrawBlocksNaively(painter, store, t);
        painter.end();
        best =
            std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return best;
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
    double best = 1e300;
    for (auto _ : state) {
        const auto start = Clock::now();
        image.fill(Qt::white);
        QPainter painter(&image);
        renderer.DrawLayers(painter, store, t, layers);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
        best =
            std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    const double naive = NaiveFrameMs(store, t);
    state.counters["blocks"] = blocks;
    state.counters["best_ms"] = best;
    state.counters["naive_qpainter_ms"] = naive;
    state.counters["naive/ours"] = naive / best;
}

// Whole frames of every layer of `store` at `t`, as the window draws them.
void DrawAllLayers(benchmark::State& state, const MapStore& store, const MapTransform& t) {
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

// Every layer on: labels, traced streets, routes, colonies, businesses.
void BM_FrameAllLayers(benchmark::State& state) {
    const auto blocks = static_cast<std::uint32_t>(state.range(0));
    const auto scale = static_cast<float>(state.range(1));
    const MapStore& store = Town(blocks);
    DrawAllLayers(state, store, CentredView(scale));
}

// Every layer on, and a business category chosen, so that the marks layer
// draws its businesses too (a freshly opened map has none chosen).
void BM_FrameAllLayersWithMarks(benchmark::State& state) {
    const auto blocks = static_cast<std::uint32_t>(state.range(0));
    const MapStore& store = TownWithMarks(blocks);
    DrawAllLayers(state, store, CentredView(static_cast<float>(state.range(1))));
}

// One step of a drag with every layer on: the last frame moves by a few
// pixels and only what it uncovers is drawn. Steps go back and forth so the
// view stays where the frame benchmarks look.
void BM_PanStep(benchmark::State& state) {
    const auto blocks = static_cast<std::uint32_t>(state.range(0));
    const auto scale = static_cast<float>(state.range(1));
    const QPoint step(static_cast<int>(state.range(2)), static_cast<int>(state.range(3)));
    const MapStore& store = TownWithMarks(blocks);
    MapTransform t = CentredView(scale);
    CMapRenderer renderer;
    renderer.IndexBlocks(store);
    QImage image = renderer.Render(store, t, LayerSwitches::All());
    int sign = 1;
    for (auto _ : state) {
        const MapTransform next(t.ClientSize(), t.Scale(), t.Origin() + sign * step);
        benchmark::DoNotOptimize(renderer.PanFrame(image, store, t, next, LayerSwitches::All()));
        t = next;
        sign = -sign;
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
    ->Args({100000, 10})
    ->Args({1000000, 1})
    ->Args({1000000, 3})
    ->Args({1000000, 10})
    ->Args({1000000, 20})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameAllLayersWithMarks)
    ->Args({100000, 1})
    ->Args({100000, 20})
    ->Args({1000000, 1})
    ->Args({1000000, 20})
    ->Unit(benchmark::kMillisecond);
// blocks, scale, and the step in pixels: a drag step, an arrow key's.
BENCHMARK(BM_PanStep)
    ->Args({100000, 3, 12, 8})
    ->Args({100000, 20, 12, 8})
    ->Args({1000000, 1, 12, 8})
    ->Args({1000000, 3, 12, 8})
    ->Args({1000000, 20, 12, 8})
    ->Args({1000000, 3, 50, 0})
    ->Unit(benchmark::kMicrosecond);
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
