// The printed guide of a generated town, written whole as a PDF: the map pages
// drawn as vectors, the index and the directory laid out. The guide of the
// 100,000-block town at scale 10 should take under 30 s and under 1 GB.

#include "map_store.h"
#include "town_generator.h"
#include "town_guide.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

namespace {

// The most memory the process has held, in megabytes (the kernel's count).
double PeakResidentMb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            double kb = 0;
            status >> kb;
            return kb / 1024.0;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

void BM_TownGuide(benchmark::State& state) {
    TownOptions town;
    town.blocks = static_cast<std::uint32_t>(state.range(0));
    const MapStore store = GenerateTown(town);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("guia.pdf"));
    GuideOptions options;
    options.scale = static_cast<float>(state.range(1));
    QString error;
    const auto layout = CGuideLayout::Make(store, options, error);
    if (!layout) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    for (auto _ : state) {
        const GuideRequest request{store, options, GuideLayers(), {}, {}};
        if (!WriteTownGuide(path, request, error)) {
            state.SkipWithError(error.toStdString().c_str());
            return;
        }
    }
    state.counters["map_pages"] = static_cast<double>(layout->Pages().size());
    state.counters["pdf_mb"] = QFileInfo(path).size() / (1024.0 * 1024.0);
    state.counters["peak_rss_mb"] = PeakResidentMb();
}

} // namespace

BENCHMARK(BM_TownGuide)
    ->Args({2000, 12})
    ->Args({100000, 10})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

int main(int argc, char** argv) {
    // Text needs a GUI application; no screen is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
