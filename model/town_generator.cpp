#include "town_generator.h"

#include "town_names.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

// SplitMix64: tiny, and the same sequence with every compiler and library, which
// std::rand and the standard distributions do not promise.
class TownRandom {
public:
    explicit TownRandom(std::uint32_t seed) : m_state(0x5EED0000CAFEF00DULL ^ seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // In [0, n); the multiply-shift keeps it free of division and of bias that matters here.
    std::uint32_t Below(std::uint32_t n) {
        return static_cast<std::uint32_t>(((Next() >> 32) * n) >> 32);
    }
    int Between(int lo, int hi) {
        return lo + static_cast<int>(Below(static_cast<std::uint32_t>(hi - lo + 1)));
    }
    bool Percent(std::uint32_t p) { return Below(100) < p; }

private:
    std::uint64_t m_state;
};

using Names = std::span<const std::string_view>;

// Lists run out on large towns; later rounds repeat them with a qualifier, and
// past the qualifiers with a running number, so that names stay distinct.
std::string NameAt(Names list, std::size_t k, Names qualifiers = {}) {
    std::string name(list[k % list.size()]);
    const std::size_t round = k / list.size();
    if (round == 0)
        return name;
    if (round <= qualifiers.size())
        return name + ' ' + std::string(qualifiers[round - 1]);
    return name + ' ' + std::to_string(round + 1);
}

// The part of a name people say: "Calle Hidalgo" -> "Hidalgo".
std::string_view ShortName(std::string_view name) {
    for (std::string_view prefix : {"Calle ", "Avenida "})
        if (name.starts_with(prefix))
            return name.substr(prefix.size());
    return name;
}

struct Vec {
    double x;
    double y;
};

double Dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y;
}

double Area(const std::vector<Vec>& poly) {
    double twice = 0;
    for (std::size_t i = 0; i < poly.size(); ++i) {
        const Vec& a = poly[i];
        const Vec& b = poly[(i + 1) % poly.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return std::abs(twice) / 2;
}

// Keeps the part of a convex or concave outline where side * dot(p, normal) >= limit.
std::vector<Vec> ClipHalfPlane(const std::vector<Vec>& poly, Vec normal, double side,
                               double limit) {
    std::vector<Vec> out;
    const auto f = [&](Vec p) { return side * Dot(p, normal) - limit; };
    for (std::size_t i = 0; i < poly.size(); ++i) {
        const Vec a = poly[i];
        const Vec b = poly[(i + 1) % poly.size()];
        const double fa = f(a);
        const double fb = f(b);
        if (fa >= 0)
            out.push_back(a);
        if ((fa >= 0) != (fb >= 0)) {
            const double t = fa / (fa - fb);
            out.push_back({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)});
        }
    }
    return out;
}

// One decimal, as a surveyor's outline would have; consecutive repeats dropped.
std::vector<FloatPoint> ToOutline(const std::vector<Vec>& poly) {
    std::vector<FloatPoint> points;
    points.reserve(poly.size() + 1);
    for (const Vec& v : poly) {
        const FloatPoint p{static_cast<float>(std::round(v.x * 10) / 10),
                           static_cast<float>(std::round(v.y * 10) / 10)};
        if (points.empty() || !(points.back() == p))
            points.push_back(p);
    }
    while (points.size() > 1 && points.back() == points.front())
        points.pop_back();
    return points;
}

// Widths of blocks and streets along one axis, laid out symmetrically about 0.
struct Axis {
    std::vector<int> start; // west or north edge of each block column or row
    std::vector<int> size;
    std::vector<int> gap; // street after each column or row (none after the last)
    int total = 0;

    void Make(std::size_t count, TownRandom& rng) {
        size.resize(count);
        gap.resize(count > 0 ? count - 1 : 0);
        total = 0;
        for (std::size_t i = 0; i < count; ++i) {
            size[i] = rng.Between(80, 120);
            total += size[i];
            if (i + 1 < count) {
                gap[i] = rng.Between(20, 30);
                total += gap[i];
            }
        }
        // An even total keeps the bounds exactly symmetric about the origin.
        if (total % 2 != 0) {
            ++size[count - 1];
            ++total;
        }
    }
    // Middle of the street after block i.
    int StreetMiddle(std::size_t i, int direction) const {
        return start[i] + direction * (size[i] + gap[i] / 2);
    }
};

class TownBuilder {
public:
    TownBuilder(const TownOptions& options, MapStore& store)
        : m_options(options), m_store(store), m_rng(options.seed) {}

    void Build() {
        MakeHeader();
        MakeGrid();
        MakeBlocks();
        MakeLabels();
        MakeStreets();
        MakeReferences();
        MakeColonies();
        MakeZones();
        MakeRoutes();
        MakeDirectory();
    }

private:
    std::size_t Count() const { return m_options.blocks; }

    void MakeHeader() {
        const TownState& state = kTownNames.states[m_rng.Below(kTownNames.states.size())];
        m_areaCode = state.areaCode;
        m_store.m_strCountry = "México";
        m_store.m_strState = std::string(state.name);
        m_store.m_strTown = std::string(kTownNames.towns[m_rng.Below(kTownNames.towns.size())]);
        m_store.m_strTitle =
            MapStore::MakeTitle(m_store.m_strTown, m_store.m_strState, m_store.m_strCountry);
    }

    void MakeGrid() {
        const std::size_t n = std::max<std::size_t>(Count(), 1);
        m_cols = static_cast<std::size_t>(std::ceil(std::sqrt(static_cast<double>(n))));
        m_rows = (n + m_cols - 1) / m_cols;
        m_x.Make(m_cols, m_rng);
        m_y.Make(m_rows, m_rng);
        // Columns run west to east, rows north to south (y decreasing).
        m_x.start.resize(m_cols);
        int x = -m_x.total / 2;
        for (std::size_t c = 0; c < m_cols; ++c) {
            m_x.start[c] = x;
            x += m_x.size[c] + (c + 1 < m_cols ? m_x.gap[c] : 0);
        }
        m_y.start.resize(m_rows);
        int y = m_y.total / 2;
        for (std::size_t r = 0; r < m_rows; ++r) {
            m_y.start[r] = y;
            y -= m_y.size[r] + (r + 1 < m_rows ? m_y.gap[r] : 0);
        }
        // Two diagonal avenues cross at the centre once the town is big enough.
        m_hasAvenues = m_cols >= 8 && m_rows >= 8;
        const double w = m_x.total;
        const double h = m_y.total;
        const double len = std::hypot(w, h);
        m_avenueDir[0] = {w / len, h / len};
        m_avenueDir[1] = {w / len, -h / len};
    }

    Vec AvenueNormal(int a) const { return {-m_avenueDir[a].y, m_avenueDir[a].x}; }

    void MakeBlocks() {
        const std::size_t n = Count();
        m_store.m_blocks.reserve(n);
        std::array<std::size_t, 7> typeCount{};
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t r = i / m_cols;
            const std::size_t c = i % m_cols;
            const double x0 = m_x.start[c];
            const double x1 = x0 + m_x.size[c];
            const double y1 = m_y.start[r];
            const double y0 = y1 - m_y.size[r];
            std::int32_t type = PickType();
            std::vector<Vec> poly;
            if (m_hasAvenues && CrossesAvenue(x0, y0, x1, y1)) {
                // Only rectangles are cut, so that no block gets more than eight points.
                poly = {{x0, y1}, {x1, y1}, {x1, y0}, {x0, y0}};
                if (!CutByAvenues(poly))
                    type = 2; // where an avenue would leave a sliver, the block becomes a plaza
            } else {
                poly = Shape(x0, y0, x1, y1);
            }
            std::vector<FloatPoint> outline = ToOutline(poly);
            if (outline.size() < 3) {
                outline = ToOutline({{x0, y1}, {x1, y1}, {x1, y0}, {x0, y0}});
                type = 2;
            }
            outline.push_back(outline.front());
            m_store.AddBlock(outline, type);
            ++typeCount[static_cast<std::size_t>(type)];
        }
        // Small towns would otherwise miss a colour now and then.
        if (n >= 6) {
            for (std::int32_t t = 1; t <= 6; ++t) {
                if (typeCount[static_cast<std::size_t>(t)] > 0)
                    continue;
                for (std::size_t i = static_cast<std::size_t>(t - 1) * n / 6; i < n; ++i) {
                    CmBlock& block = m_store.m_blocks[i];
                    auto& from = typeCount[static_cast<std::size_t>(block.m_nType)];
                    if (from > 1) {
                        --from;
                        block.SetType(t);
                        ++typeCount[static_cast<std::size_t>(t)];
                        break;
                    }
                }
            }
        }
    }

    std::int32_t PickType() {
        const std::uint32_t u = m_rng.Below(100);
        if (u < 81)
            return 1;
        if (u < 88)
            return 2;
        if (u < 92)
            return 3;
        if (u < 95)
            return 4;
        if (u < 98)
            return 5;
        return 6;
    }

    // Mostly rectangles; now and then a trapezoid, an L or cut corners.
    std::vector<Vec> Shape(double x0, double y0, double x1, double y1) {
        const std::uint32_t u = m_rng.Below(100);
        if (u < 3) { // trapezoid: the southern side is shorter
            const double in = m_rng.Between(10, 25);
            return {{x0, y1}, {x1, y1}, {x1 - in, y0}, {x0 + in, y0}};
        }
        if (u < 6) { // L: the south-east quarter is someone else's yard
            const double cx = x0 + (x1 - x0) * m_rng.Between(40, 60) / 100.0;
            const double cy = y0 + (y1 - y0) * m_rng.Between(40, 60) / 100.0;
            return {{x0, y1}, {x1, y1}, {x1, cy}, {cx, cy}, {cx, y0}, {x0, y0}};
        }
        if (u < 9) { // one to three corners cut at 45 degrees
            const int cuts = m_rng.Between(1, 3);
            const double k = m_rng.Between(8, 20) + 0.5;
            std::vector<Vec> poly = {{x0, y1 - k}, {x0 + k, y1}};
            poly.push_back({x1, y1});
            if (cuts >= 2) {
                poly.back() = {x1 - k, y1};
                poly.push_back({x1, y1 - k});
            }
            if (cuts >= 3) {
                poly.push_back({x1, y0 + k});
                poly.push_back({x1 - k, y0});
            } else {
                poly.push_back({x1, y0});
            }
            poly.push_back({x0, y0});
            return poly;
        }
        return {{x0, y1}, {x1, y1}, {x1, y0}, {x0, y0}};
    }

    static constexpr double kAvenueHalfWidth = 12.5;

    bool CrossesAvenue(double x0, double y0, double x1, double y1) const {
        for (int a = 0; a < 2; ++a) {
            const Vec normal = AvenueNormal(a);
            double lo = 1e300;
            double hi = -1e300;
            for (const Vec& v : {Vec{x0, y0}, Vec{x0, y1}, Vec{x1, y0}, Vec{x1, y1}}) {
                lo = std::min(lo, Dot(v, normal));
                hi = std::max(hi, Dot(v, normal));
            }
            if (lo < kAvenueHalfWidth && hi > -kAvenueHalfWidth)
                return true;
        }
        return false;
    }

    // Cuts the avenues' width out of a block they cross, keeping the side its
    // centre is on. False when too little would be left.
    bool CutByAvenues(std::vector<Vec>& poly) {
        const double before = Area(poly);
        std::vector<Vec> cut = poly;
        for (int a = 0; a < 2; ++a) {
            const Vec normal = AvenueNormal(a);
            double lo = 1e300;
            double hi = -1e300;
            Vec centre{0, 0};
            for (const Vec& v : cut) {
                const double d = Dot(v, normal);
                lo = std::min(lo, d);
                hi = std::max(hi, d);
                centre.x += v.x / static_cast<double>(cut.size());
                centre.y += v.y / static_cast<double>(cut.size());
            }
            if (lo >= kAvenueHalfWidth || hi <= -kAvenueHalfWidth)
                continue;
            const double side = Dot(centre, normal) >= 0 ? 1.0 : -1.0;
            cut = ClipHalfPlane(cut, normal, side, kAvenueHalfWidth);
            if (cut.size() < 3 || Area(cut) < before / 4)
                return false;
        }
        poly = std::move(cut);
        return true;
    }

    std::string EastWestName(std::size_t k) const {
        return NameAt(kTownNames.eastWestStreets, k, kTownNames.streetQualifiers);
    }
    std::string NorthSouthName(std::size_t k) const {
        return NameAt(kTownNames.northSouthStreets, k, kTownNames.streetQualifiers);
    }

    void MakeLabels() {
        auto& labels = m_store.m_labels;
        labels.reserve(m_rows * m_cols / 3 + 64);
        const float vertical = static_cast<float>(std::numbers::pi / 2);
        // East-west streets run below each row but the last.
        for (std::size_t r = 0; r + 1 < m_rows; ++r) {
            const SharedText name = EastWestName(r);
            const std::int32_t y = m_y.start[r] - m_y.size[r] - 3;
            for (std::size_t c = r % 3; c < m_cols; c += 6)
                labels.push_back({m_x.start[c] + 4, y, 0.0f, 0x0000ff, name});
        }
        // North-south streets run east of each column but the last; the text
        // reads downwards with its top towards the east.
        for (std::size_t c = 0; c + 1 < m_cols; ++c) {
            const SharedText name = NorthSouthName(c);
            const std::int32_t x = m_x.start[c + 1] - 3;
            for (std::size_t r = c % 3; r < m_rows; r += 6)
                labels.push_back({x, m_y.start[r] - 4, vertical, 0x0000ff, name});
        }
        if (!m_hasAvenues)
            return;
        for (int a = 0; a < 2; ++a) {
            const Vec d = m_avenueDir[a];
            const Vec normal = AvenueNormal(a);
            const float angle = static_cast<float>(std::atan2(d.y, d.x));
            const double half = std::hypot(m_x.total, m_y.total) / 2;
            const SharedText name = std::string(kTownNames.avenues[a]);
            for (double t = -half + 150; t < half - 150; t += 700) {
                const Vec p{t * d.x + 6 * normal.x, t * d.y + 6 * normal.y};
                labels.push_back({static_cast<std::int32_t>(p.x), static_cast<std::int32_t>(p.y),
                                  angle, 0x0000ff, name});
            }
        }
    }

    // A traced street along a whole grid line, with a point at every few crossings.
    void AddTracedStreet(std::string name, std::vector<MapPoint> points) {
        auto street = std::make_unique<CmCalles>();
        street->m_strName = std::move(name);
        street->m_fZoom = 3.0f;
        street->m_points = std::move(points);
        m_store.m_listStreets.push_back(std::move(street));
    }

    void MakeStreets() {
        const std::int32_t west = -m_x.total / 2;
        const std::int32_t east = m_x.total / 2;
        const std::int32_t north = m_y.total / 2;
        const std::int32_t south = -m_y.total / 2;
        for (std::size_t r = 0; r + 1 < m_rows; r += 4) {
            const std::int32_t y = m_y.StreetMiddle(r, -1);
            std::vector<MapPoint> points{{west, y}};
            for (std::size_t c = 7; c + 1 < m_cols; c += 8)
                points.push_back({m_x.StreetMiddle(c, 1), y});
            points.push_back({east, y});
            AddTracedStreet(EastWestName(r), std::move(points));
        }
        for (std::size_t c = 0; c + 1 < m_cols; c += 4) {
            const std::int32_t x = m_x.StreetMiddle(c, 1);
            std::vector<MapPoint> points{{x, north}};
            for (std::size_t r = 7; r + 1 < m_rows; r += 8)
                points.push_back({x, m_y.StreetMiddle(r, -1)});
            points.push_back({x, south});
            AddTracedStreet(NorthSouthName(c), std::move(points));
        }
        if (m_hasAvenues) {
            AddTracedStreet(std::string(kTownNames.avenues[0]),
                            {{west, south}, {0, 0}, {east, north}});
            AddTracedStreet(std::string(kTownNames.avenues[1]),
                            {{west, north}, {0, 0}, {east, south}});
        }
    }

    MapPoint BlockCentre(std::size_t i) const {
        const std::size_t r = i / m_cols;
        const std::size_t c = i % m_cols;
        return {m_x.start[c] + m_x.size[c] / 2, m_y.start[r] - m_y.size[r] / 2};
    }

    std::size_t RandomBlock() { return m_rng.Below(static_cast<std::uint32_t>(Count())); }

    void MakeReferences() {
        if (Count() == 0)
            return;
        const std::size_t count = std::max<std::size_t>(Count() / 80, 1);
        for (std::size_t k = 0; k < count; ++k) {
            const MapPoint p = BlockCentre(RandomBlock());
            const int zoom = m_rng.Percent(50) ? 3 : 5;
            m_store.m_listReferences.push_back(
                std::make_unique<CmRefe>(p.x, p.y, zoom, NameAt(kTownNames.landmarks, k)));
        }
    }

    // Colonies cover squares of about seven by seven blocks.
    static constexpr std::size_t kDistrict = 7;

    std::string ColonyOf(std::size_t r, std::size_t c) const {
        const std::size_t dcols = (m_cols + kDistrict - 1) / kDistrict;
        return NameAt(kTownNames.colonies, (r / kDistrict) * dcols + c / kDistrict,
                      kTownNames.colonyQualifiers);
    }

    void MakeColonies() {
        for (std::size_t r = 0; r < m_rows; r += kDistrict) {
            for (std::size_t c = 0; c < m_cols; c += kDistrict) {
                const std::size_t mr = std::min(r + kDistrict / 2, m_rows - 1);
                const std::size_t mc = std::min(c + kDistrict / 2, m_cols - 1);
                const std::int32_t x = m_x.start[mc];
                const std::int32_t y = m_y.start[mr] - m_y.size[mr] / 2;
                m_store.m_listColonies.push_back(
                    std::make_unique<CmColonias>(x, y, 3, ColonyOf(r, c)));
            }
        }
    }

    void MakeZones() {
        if (Count() == 0)
            return;
        const std::size_t count = std::max<std::size_t>(Count() / 250, 1);
        for (std::size_t k = 0; k < count; ++k) {
            auto zone = std::make_unique<CmZonas>(
                NameAt(kTownNames.zones, k),
                std::string(kTownNames.zoneNotes[k % kTownNames.zoneNotes.size()]),
                m_store.m_counters);
            const std::size_t first = RandomBlock();
            const std::size_t r0 = first / m_cols;
            const std::size_t c0 = first % m_cols;
            const std::size_t rows = static_cast<std::size_t>(m_rng.Between(2, 4));
            const std::size_t cols = static_cast<std::size_t>(m_rng.Between(2, 5));
            for (std::size_t r = r0; r < std::min(r0 + rows, m_rows); ++r)
                for (std::size_t c = c0; c < std::min(c0 + cols, m_cols); ++c)
                    if (r * m_cols + c < Count())
                        zone->m_blockIds.push_back(static_cast<std::uint32_t>(r * m_cols + c + 1));
            m_store.m_listZones.push_back(std::move(zone));
        }
    }

    void MakeRoutes() {
        if (m_cols < 4 || m_rows < 4)
            return;
        const std::size_t streetsX = m_cols - 1; // north-south streets
        const std::size_t streetsY = m_rows - 1; // east-west streets
        const std::size_t count = std::min<std::size_t>(3 + Count() / 400, 400);
        for (std::size_t k = 0; k < count; ++k) {
            auto route =
                std::make_unique<CmVias>(kTownNames.routeColors[k % kTownNames.routeColors.size()]);
            route->m_fZoom = 3.0f;
            route->m_nRouteNo = m_store.m_counters.route++;
            std::size_t i = m_rng.Below(static_cast<std::uint32_t>(streetsX));
            std::size_t j = m_rng.Below(static_cast<std::uint32_t>(streetsY));
            const std::string from = ColonyOf(j, i);
            const int legs = m_rng.Between(4, 8);
            for (int leg = 0; leg <= legs; ++leg) {
                const MapPoint p{m_x.StreetMiddle(i, 1), m_y.StreetMiddle(j, -1)};
                route->m_points.push_back(p);
                route->m_stations.push_back({p, std::string(ShortName(NorthSouthName(i))) + " y " +
                                                    std::string(ShortName(EastWestName(j)))});
                // Alternate east-west and north-south runs of a few blocks.
                const std::size_t step = static_cast<std::size_t>(m_rng.Between(2, 6));
                std::size_t& along = leg % 2 == 0 ? i : j;
                const std::size_t limit = leg % 2 == 0 ? streetsX : streetsY;
                along = along + step < limit ? along + step : (along >= step ? along - step : 0);
            }
            const std::string to = ColonyOf(j, i);
            route->m_strName =
                "Ruta " + std::to_string(route->m_nRouteNo) + " " + from + " - " + to;
            m_store.m_listRoutes.push_back(std::move(route));
        }
    }

    std::string Phone() {
        std::string local;
        const std::size_t digits = 10 - m_areaCode.size();
        for (std::size_t d = 0; d < digits; ++d) {
            if (d == digits - 4)
                local += '-';
            local += static_cast<char>('0' + (d == 0 ? m_rng.Between(2, 9) : m_rng.Between(0, 9)));
        }
        return "(" + std::string(m_areaCode) + ") " + local;
    }

    void MakeDirectory() {
        if (Count() == 0)
            return;
        auto& categories = m_store.m_directory.m_listCategories;
        for (const TownCategory& category : kTownNames.categories)
            categories.push_back(std::make_unique<CmClasificados>(std::string(category.name)));
        const std::size_t count = std::max<std::size_t>(Count() / 20, kTownNames.categories.size());
        for (std::size_t k = 0; k < count; ++k) {
            // Every category gets one before the rest are spread at random.
            const std::size_t which =
                k < kTownNames.categories.size() ? k : m_rng.Below(kTownNames.categories.size());
            const std::size_t i = RandomBlock();
            const std::size_t r = i / m_cols;
            const std::size_t c = i % m_cols;
            // On the block's north-west corner, facing the east-west street.
            std::int32_t x = m_x.start[c] + m_rng.Between(8, 40);
            std::int32_t y = m_y.start[r] - 8;
            x = x == 0 ? 1 : x; // a business at x = 0 or y = 0 is never drawn
            y = y == 0 ? 1 : y;
            const std::string name =
                std::string(kTownNames.categories[which].prefix) + " " +
                std::string(kTownNames.businessNames[m_rng.Below(kTownNames.businessNames.size())]);
            const std::string street = r > 0 ? EastWestName(r - 1) : NorthSouthName(c);
            const std::string address =
                street + " " + std::to_string(m_rng.Between(1, 999)) + ", Col. " + ColonyOf(r, c);
            categories[which]->m_listBusinesses.push_back(
                std::make_unique<CmNegocios>(x, y, 5, name, address, Phone(), m_store.m_counters));
        }
    }

    const TownOptions& m_options;
    MapStore& m_store;
    TownRandom m_rng;
    std::string_view m_areaCode;
    std::size_t m_cols = 1;
    std::size_t m_rows = 1;
    Axis m_x;
    Axis m_y;
    bool m_hasAvenues = false;
    Vec m_avenueDir[2] = {};
};

} // namespace

MapStore GenerateTown(const TownOptions& options) {
    MapStore store;
    TownBuilder(options, store).Build();
    return store;
}
