// Making a town from a large OpenStreetMap extract, next to what GDAL's own
// converter needs to turn the same file into GeoJSON, in the same run. Both are
// run as the processes a person would start, and both wall-clock and processor
// time are reported, since the machine may be shared.
//
// The extract repeats a 600 m neighbourhood: an uneven grid of named streets
// split into ways of a few blocks, a diagonal avenue that crosses streets
// without sharing their nodes (as badly joined data does, so the noding has
// work to do), a curved street, dead ends, footpaths, service roads, a
// park, a school, residential land, shops and services, and one bus route per
// row of neighbourhoods. VELTRIX_BENCH_TILES (default 30) neighbourhoods on a
// side make 30 x 30 x 51 = 45,900 ways, 41,400 of them streets. VELTRIX_BENCH_KEEP keeps the
// extract and the town in the folder named at the start.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

extern char** environ;

namespace {

constexpr double kTile = 600.0;
constexpr double kOriginLat = 19.70;
constexpr double kOriginLon = -101.19;
constexpr double kEarthRadius = 6378137.0;
constexpr double kPi = 3.14159265358979323846;

const char* const kNames[] = {
    "Miguel Hidalgo",   "José María Morelos",  "Benito Juárez",   "Ignacio Allende",
    "Vicente Guerrero", "Ignacio Zaragoza",    "Niños Héroes",    "Álvaro Obregón",
    "Lázaro Cárdenas",  "Francisco I. Madero", "Emiliano Zapata", "Sor Juana Inés de la Cruz",
    "Melchor Ocampo",   "Guadalupe Victoria",  "Aquiles Serdán",  "Leona Vicario"};
const char* const kShops[][2] = {
    {"shop", "bakery"},        {"shop", "convenience"}, {"amenity", "pharmacy"},
    {"amenity", "restaurant"}, {"shop", "hardware"},    {"amenity", "cafe"},
    {"shop", "butcher"},       {"amenity", "bank"},     {"shop", "clothes"},
    {"shop", "stationery"},    {"amenity", "fuel"},     {"shop", "hairdresser"}};

class ExtractWriter {
public:
    explicit ExtractWriter(std::FILE* out) : m_out(out) {}

    // A node shared by every way through the same point.
    long long Node(double east, double north) {
        const auto key = std::make_pair(std::llround(east * 10), std::llround(north * 10));
        const auto found = m_nodes.find(key);
        if (found != m_nodes.end())
            return found->second;
        const long long id = ++m_nLast;
        WriteNode(id, east, north);
        std::fputs("/>\n", m_out);
        m_nodes.emplace(key, id);
        return id;
    }

    long long TaggedNode(double east, double north,
                         const std::vector<std::pair<std::string, std::string>>& tags) {
        const long long id = ++m_nLast;
        WriteNode(id, east, north);
        std::fputs(">", m_out);
        WriteTags(tags);
        std::fputs("</node>\n", m_out);
        return id;
    }

    long long Way(const std::vector<long long>& nodes,
                  const std::vector<std::pair<std::string, std::string>>& tags) {
        Buffered way;
        way.id = ++m_nLast;
        way.nodes = nodes;
        way.tags = tags;
        m_ways.push_back(std::move(way));
        return m_ways.back().id;
    }

    void Route(const std::vector<long long>& ways, const std::string& name) {
        m_routes.push_back({ways, name});
    }

    // Nodes come first in an extract, then ways, then relations.
    void Finish() {
        for (const Buffered& w : m_ways) {
            std::fprintf(m_out, "<way id=\"%lld\">", w.id);
            for (long long n : w.nodes)
                std::fprintf(m_out, "<nd ref=\"%lld\"/>", n);
            WriteTags(w.tags);
            std::fputs("</way>\n", m_out);
        }
        for (const auto& [ways, name] : m_routes) {
            std::fprintf(m_out, "<relation id=\"%lld\">", ++m_nLast);
            for (long long w : ways)
                std::fprintf(m_out, "<member type=\"way\" ref=\"%lld\" role=\"\"/>", w);
            WriteTags({{"type", "route"}, {"route", "bus"}, {"name", name}, {"colour", "#c03030"}});
            std::fputs("</relation>\n", m_out);
        }
    }

    std::size_t Ways() const { return m_ways.size(); }

private:
    struct Buffered {
        long long id = 0;
        std::vector<long long> nodes;
        std::vector<std::pair<std::string, std::string>> tags;
    };

    void WriteNode(long long id, double east, double north) {
        const double lat = kOriginLat + north / kEarthRadius * 180.0 / kPi;
        const double lon =
            kOriginLon + east / (kEarthRadius * std::cos(kOriginLat * kPi / 180.0)) * 180.0 / kPi;
        std::fprintf(m_out, "<node id=\"%lld\" lat=\"%.7f\" lon=\"%.7f\"", id, lat, lon);
    }

    void WriteTags(const std::vector<std::pair<std::string, std::string>>& tags) {
        for (const auto& [k, v] : tags)
            std::fprintf(m_out, "<tag k=\"%s\" v=\"%s\"/>", k.c_str(), v.c_str());
    }

    struct PairHash {
        std::size_t operator()(const std::pair<long long, long long>& p) const {
            return std::hash<long long>()(p.first * 1000003LL ^ p.second);
        }
    };

    std::FILE* m_out;
    long long m_nLast = 0;
    std::unordered_map<std::pair<long long, long long>, long long, PairHash> m_nodes;
    std::vector<Buffered> m_ways;
    std::vector<std::pair<std::vector<long long>, std::string>> m_routes;
};

// East-west street positions inside a neighbourhood, and north-south ones.
const double kRows[] = {0, 90, 185, 270, 360, 455, 540};
const double kCols[] = {0, 110, 215, 300, 410, 505};

double Bend(double x, double row) {
    return 4.0 * std::sin(x / 80.0 + row);
}

std::size_t WriteExtract(const std::string& path, int tiles) {
    std::FILE* out = std::fopen(path.c_str(), "w");
    if (!out)
        return 0;
    std::fputs("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<osm version=\"0.6\" "
               "generator=\"veltrix bench\">\n",
               out);
    ExtractWriter osm(out);
    auto name = [](const char* kind, int k, int tile) {
        return std::string(kind) + " " + kNames[k % 16] + " " + std::to_string(tile);
    };
    for (int ty = 0; ty < tiles; ++ty) {
        std::vector<long long> routeWays;
        for (int tx = 0; tx < tiles; ++tx) {
            const double x0 = tx * kTile, y0 = ty * kTile;
            const int tile = ty * tiles + tx;
            // East-west streets, each in three ways of two blocks, bending gently.
            for (int r = 0; r < 7; ++r) {
                const double y = y0 + kRows[r];
                for (int part = 0; part < 3; ++part) {
                    std::vector<long long> nodes;
                    for (double x = x0 + part * 200.0; x <= x0 + part * 200.0 + 200.0; x += 25.0)
                        nodes.push_back(osm.Node(x, y + Bend(x, r)));
                    const long long way =
                        osm.Way(nodes, {{"highway", r == 3 ? "secondary" : "residential"},
                                        {"name", name("Calle", r + 7 * ty, tx)}});
                    if (r == 3)
                        routeWays.push_back(way);
                }
            }
            // North-south streets, three ways each; their crossings with the
            // bent streets are nodes of both.
            for (int c = 0; c < 6; ++c) {
                const double x = x0 + kCols[c];
                for (int part = 0; part < 3; ++part) {
                    std::vector<long long> nodes;
                    for (int r = part * 2; r <= std::min(part * 2 + 2, 6); ++r) {
                        const double y = y0 + kRows[r];
                        nodes.push_back(osm.Node(x, y + Bend(x, r)));
                        if (r < std::min(part * 2 + 2, 6))
                            nodes.push_back(osm.Node(x + 1.5, (y + y0 + kRows[r + 1]) / 2));
                    }
                    if (part == 2)
                        nodes.push_back(osm.Node(x, y0 + kTile + Bend(x, 0)));
                    osm.Way(nodes, {{"highway", "residential"},
                                    {"name", name("Avenida", c + 6 * tx, ty)}});
                }
            }
            // A diagonal avenue that crosses streets without nodes.
            osm.Way({osm.Node(x0 + 20, y0 + 30), osm.Node(x0 + 300, y0 + 320),
                     osm.Node(x0 + 580, y0 + 570)},
                    {{"highway", "primary"}, {"name", name("Calzada", tile, 0)}});
            // A curved street through one block.
            std::vector<long long> curve;
            for (int k = 0; k <= 8; ++k) {
                const double a = k * kPi / 16;
                curve.push_back(
                    osm.Node(x0 + 410 + 95 * std::sin(a), y0 + 185 + 85 * (1 - std::cos(a))));
            }
            osm.Way(curve, {{"highway", "residential"}, {"name", name("Privada", tile, 1)}});
            // Dead ends, footpaths and service roads.
            osm.Way({osm.Node(x0 + 55, y0 + 360 + Bend(x0 + 55, 4)), osm.Node(x0 + 55, y0 + 410)},
                    {{"highway", "residential"}, {"name", name("Cerrada", tile, 2)}});
            osm.Way(
                {osm.Node(x0 + 260, y0 + 455 + Bend(x0 + 260, 5)), osm.Node(x0 + 260, y0 + 500)},
                {{"highway", "residential"}});
            osm.Way({osm.Node(x0 + 120, y0 + 100), osm.Node(x0 + 200, y0 + 175)},
                    {{"highway", "footway"}, {"name", name("Andador", tile, 3)}});
            osm.Way({osm.Node(x0 + 320, y0 + 280), osm.Node(x0 + 400, y0 + 350)},
                    {{"highway", "footway"}});
            for (int k = 0; k < 3; ++k)
                osm.Way(
                    {osm.Node(x0 + 10 + 200 * k, y0 + 200), osm.Node(x0 + 40 + 200 * k, y0 + 240)},
                    {{"highway", "service"}});
            // A park, a school's grounds and the residential land around them.
            auto area = [&](double ax, double ay, double w, double h,
                            std::vector<std::pair<std::string, std::string>> tags) {
                const long long first = osm.Node(ax, ay);
                osm.Way({first, osm.Node(ax + w, ay), osm.Node(ax + w, ay + h),
                         osm.Node(ax, ay + h), first},
                        tags);
            };
            area(x0 + 225, y0 + 195, 65, 65,
                 {{"leisure", "park"}, {"name", name("Jardín", tile, 4)}});
            area(x0 + 10, y0 + 10, 90, 70,
                 {{"amenity", "school"}, {"name", name("Escuela", tile, 5)}});
            area(x0 + 2, y0 + 2, kTile - 4, kTile - 4, {{"landuse", "residential"}});
            // Shops and services along the streets, and two bus stops.
            for (int k = 0; k < 12; ++k) {
                const double sx = x0 + 30 + 45 * k, sy = y0 + kRows[k % 6] + 8;
                osm.TaggedNode(sx, sy,
                               {{kShops[k][0], kShops[k][1]},
                                {"name", std::string("Negocio ") + std::to_string(tile * 12 + k)},
                                {"phone", "+52 443 555 " + std::to_string(1000 + k)},
                                {"addr:street", name("Calle", k % 7 + 7 * ty, tx)}});
            }
            for (double sx : {150.0, 450.0})
                osm.TaggedNode(x0 + sx, y0 + kRows[3] + Bend(x0 + sx, 3) + 4,
                               {{"highway", "bus_stop"},
                                {"name", name("Parada", tile, static_cast<int>(sx))}});
        }
        osm.Route(routeWays, "Ruta " + std::to_string(ty + 1));
    }
    osm.TaggedNode(tiles * kTile / 2, tiles * kTile / 2,
                   {{"place", "city"}, {"name", "Ciudad de Prueba"}, {"is_in:state", "Michoacán"}});
    osm.Finish();
    std::fputs("</osm>\n", out);
    std::fclose(out);
    return osm.Ways();
}

struct ProcessTimes {
    double wall = 0.0;
    double cpu = 0.0;
    int status = -1;
};

ProcessTimes Run(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    ProcessTimes times;
    timespec start{}, end{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        clock_gettime(CLOCK_MONOTONIC, &end);
        times.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        times.wall = static_cast<double>(end.tv_sec - start.tv_sec) +
                     static_cast<double>(end.tv_nsec - start.tv_nsec) * 1e-9;
        times.cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                    static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    }
    posix_spawn_file_actions_destroy(&actions);
    return times;
}

std::string g_folder;
std::string g_extract;

// A command and the file it writes, removed before each run so that every run
// writes it anew (ogr2ogr refuses to replace a GeoJSON file).
struct Command {
    std::vector<std::string> args;
    std::string output;
};

void Measure(benchmark::State& state, const std::vector<Command>& commands) {
    double cpu = 0.0;
    for (auto _ : state) {
        double wall = 0.0;
        for (const Command& command : commands) {
            std::filesystem::remove(command.output);
            const ProcessTimes t = Run(command.args);
            if (t.status != 0) {
                state.SkipWithError(("failed: " + command.args.front()).c_str());
                return;
            }
            wall += t.wall;
            cpu += t.cpu;
        }
        state.SetIterationTime(wall);
    }
    state.counters["cpu_s"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
}

// What a person runs to make the town: reading, projecting, polygonizing,
// labels, directory, routes, the picture and the save.
void BM_ImportTown(benchmark::State& state) {
    const std::string map = g_folder + "/ciudad.map";
    Measure(state, {{{VELTRIX_TOOL_PATH, "import", g_extract, "-o", map}, map}});
}

// The streets alone, the layer the blocks are made from.
void BM_Ogr2ogrLines(benchmark::State& state) {
    const std::string out = g_folder + "/lines.geojson";
    Measure(state, {{{"ogr2ogr", "-q", "-f", "GeoJSON", out, g_extract, "lines"}, out}});
}

// Every layer of the extract: GeoJSON holds one layer per file.
void BM_Ogr2ogrAllLayers(benchmark::State& state) {
    std::vector<Command> commands;
    for (const char* layer :
         {"points", "lines", "multilinestrings", "multipolygons", "other_relations"}) {
        const std::string out = g_folder + "/" + layer + ".geojson";
        commands.push_back({{"ogr2ogr", "-q", "-f", "GeoJSON", out, g_extract, layer}, out});
    }
    Measure(state, commands);
}

// A real extract (Andorra, shipped with the tests): the town of Andorra la
// Vella made from it, next to GDAL's conversion of the whole file to one
// GeoPackage.
const std::string kRealExtract = VELTRIX_ANDORRA_PBF;

void BM_ImportRealTown(benchmark::State& state) {
    const std::string map = g_folder + "/andorra.map";
    Measure(state,
            {{{VELTRIX_TOOL_PATH, "import", kRealExtract, "-o", map, "--town", "Andorra la Vella"},
              map}});
}

void BM_Ogr2ogrRealGpkg(benchmark::State& state) {
    const std::string out = g_folder + "/andorra.gpkg";
    Measure(state, {{{"ogr2ogr", "-q", "-f", "GPKG", out, kRealExtract}, out}});
}

BENCHMARK(BM_ImportRealTown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Ogr2ogrRealGpkg)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ImportTown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Ogr2ogrLines)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Ogr2ogrAllLayers)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// Prints the ratios the import is judged by once all runs are in.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.iterations == 0)
                continue;
            const double wall = run.real_accumulated_time / static_cast<double>(run.iterations);
            const auto cpu = run.counters.find("cpu_s");
            m_results[run.benchmark_name()] = {wall,
                                               cpu == run.counters.end() ? 0.0 : cpu->second.value};
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        Ratio("BM_ImportRealTown/iterations:5/manual_time",
              "BM_Ogr2ogrRealGpkg/iterations:5/manual_time");
        for (const char* other : {"BM_Ogr2ogrLines/iterations:3/manual_time",
                                  "BM_Ogr2ogrAllLayers/iterations:3/manual_time"})
            Ratio("BM_ImportTown/iterations:3/manual_time", other);
    }

private:
    void Ratio(const char* ours, const char* other) const {
        const auto import = m_results.find(ours);
        const auto it = m_results.find(other);
        if (import == m_results.end() || it == m_results.end() || it->second.first <= 0.0)
            return;
        std::printf("%s / %s: %.2f wall, %.2f processor\n", ours, other,
                    import->second.first / it->second.first,
                    it->second.second > 0 ? import->second.second / it->second.second : 0.0);
    }

    std::map<std::string, std::pair<double, double>> m_results;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    char folder[] = "/tmp/veltrix-gis-bench-XXXXXX";
    if (!mkdtemp(folder))
        return 1;
    g_folder = folder;
    g_extract = g_folder + "/ciudad.osm";
    const char* env = std::getenv("VELTRIX_BENCH_TILES");
    const int tiles = env ? std::max(1, std::atoi(env)) : 30;
    const std::size_t ways = WriteExtract(g_extract, tiles);
    std::printf("Extract: %s, %zu ways, %.1f MB\n", g_extract.c_str(), ways,
                static_cast<double>(std::filesystem::file_size(g_extract)) / 1e6);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (!std::getenv("VELTRIX_BENCH_KEEP"))
        std::filesystem::remove_all(g_folder);
    return 0;
}
