#include "bus_routes.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>

namespace {

// Distinct at a glance on the blocks' colours and on white, none too pale to
// read as a thin line.
constexpr Color kRoutePalette[] = {
    Rgb(230, 25, 75),  Rgb(0, 130, 200), Rgb(60, 180, 75),  Rgb(245, 130, 48),
    Rgb(145, 30, 180), Rgb(0, 128, 128), Rgb(240, 50, 230), Rgb(128, 0, 0),
    Rgb(0, 0, 128),    Rgb(154, 99, 36), Rgb(128, 128, 0),  Rgb(70, 70, 70),
};

PlanePoint Start(const Polyline& part, bool reversed) {
    return reversed ? part.back() : part.front();
}

PlanePoint End(const Polyline& part, bool reversed) {
    return reversed ? part.front() : part.back();
}

// Each part turned so that, over the whole route, the gaps between the end of
// one and the start of the next add up to the least: a relation may list its
// ways in order but any of them backwards.
std::vector<Polyline> OrientParts(std::vector<Polyline> parts) {
    const std::size_t n = parts.size();
    if (n < 2)
        return parts;
    std::vector<std::array<double, 2>> cost(n, {0.0, 0.0});
    std::vector<std::array<bool, 2>> fromReversed(n, {false, false});
    for (std::size_t i = 1; i < n; ++i) {
        for (int o = 0; o < 2; ++o) {
            const PlanePoint start = Start(parts[i], o == 1);
            const double straight = cost[i - 1][0] + Distance(End(parts[i - 1], false), start);
            const double turned = cost[i - 1][1] + Distance(End(parts[i - 1], true), start);
            // Ties keep the part as the source gives it.
            fromReversed[i][o] = turned < straight;
            cost[i][o] = std::min(straight, turned);
        }
    }
    bool reversed = cost[n - 1][1] < cost[n - 1][0];
    for (std::size_t i = n; i-- > 0;) {
        const bool before = fromReversed[i][reversed ? 1 : 0];
        if (reversed)
            std::reverse(parts[i].begin(), parts[i].end());
        reversed = before;
    }
    return parts;
}

// Continues `run` with `part`, along the streets where they part. False, and
// `run` as it was, when no street joins them and the gap is too wide to step.
bool Continue(Polyline& run, const Polyline& part, const CStreetGraph& streets,
              const RouteJoinLimits& limits) {
    const PlanePoint from = run.back(), to = part.front();
    const double gap = Distance(from, to);
    Polyline way;
    if (gap > 0.0) {
        // A short gap could be stepped across, so only a way about as short
        // is worth taking; a long one is worth a real detour, not a tour of
        // the town.
        const double longest =
            gap <= limits.maxChord ? 2 * gap + limits.maxChord / 2 : 3 * gap + 2 * limits.maxChord;
        way = streets.ShortestPath(from, to, longest);
        if (way.empty() && gap > limits.maxChord)
            return false;
    }
    if (way.size() > 2)
        run.insert(run.end(), way.begin() + 1, way.end() - 1);
    run.insert(run.end(), part.begin() + (run.back() == to ? 1 : 0), part.end());
    return true;
}

} // namespace

RouteLines AssembleRoute(const std::vector<Polyline>& parts, const CStreetGraph& streets,
                         const RouteJoinLimits& limits) {
    std::vector<Polyline> given;
    for (const Polyline& part : parts)
        if (part.size() >= 2)
            given.push_back(part);
    std::vector<Polyline> runs;
    std::vector<std::size_t> partCounts;
    for (const Polyline& part : OrientParts(std::move(given))) {
        if (!runs.empty() && Continue(runs.back(), part, streets, limits)) {
            ++partCounts.back();
            continue;
        }
        runs.push_back(part);
        partCounts.push_back(1);
    }

    // A short run cut off from the rest is most often a stray way of the
    // relation; without it its neighbours may well meet.
    RouteLines made;
    while (runs.size() > 1) {
        std::size_t shortest = 0;
        for (std::size_t i = 1; i < runs.size(); ++i)
            if (PolylineLength(runs[i]) < PolylineLength(runs[shortest]))
                shortest = i;
        if (PolylineLength(runs[shortest]) >= limits.minAlone)
            break;
        made.dropped += partCounts[shortest];
        runs.erase(runs.begin() + static_cast<std::ptrdiff_t>(shortest));
        partCounts.erase(partCounts.begin() + static_cast<std::ptrdiff_t>(shortest));
        if (shortest > 0 && shortest < runs.size() &&
            Continue(runs[shortest - 1], runs[shortest], streets, limits)) {
            partCounts[shortest - 1] += partCounts[shortest];
            runs.erase(runs.begin() + static_cast<std::ptrdiff_t>(shortest));
            partCounts.erase(partCounts.begin() + static_cast<std::ptrdiff_t>(shortest));
        }
    }
    made.lines = std::move(runs);
    return made;
}

std::vector<Color> RouteColors(const std::vector<std::optional<Color>>& given,
                               const std::vector<QString>& names) {
    std::vector<Color> colors(given.size());
    std::vector<std::size_t> without;
    for (std::size_t i = 0; i < given.size(); ++i) {
        if (given[i])
            colors[i] = *given[i];
        else
            without.push_back(i);
    }
    std::stable_sort(without.begin(), without.end(), [&](std::size_t a, std::size_t b) {
        return names[a].compare(names[b], Qt::CaseInsensitive) < 0;
    });
    auto taken = [&](Color c) {
        return std::any_of(given.begin(), given.end(),
                           [&](const std::optional<Color>& g) { return g == c; });
    };
    std::vector<Color> order;
    for (Color c : kRoutePalette)
        if (!taken(c))
            order.push_back(c);
    for (Color c : kRoutePalette)
        if (taken(c))
            order.push_back(c);
    for (std::size_t k = 0; k < without.size(); ++k)
        colors[without[k]] = order[k % order.size()];
    return colors;
}

std::vector<std::size_t> StationsOnRoute(const Polyline& route, const QString& routeName,
                                         const std::vector<RouteStop>& stops,
                                         const CPointGrid& grid, double maxDistance,
                                         double mergeDistance) {
    constexpr double kNone = std::numeric_limits<double>::infinity();
    std::vector<double> bestDistance(stops.size(), kNone);
    std::vector<double> position(stops.size(), 0.0);
    double travelled = 0.0;
    for (std::size_t i = 1; i < route.size(); ++i) {
        const PlanePoint a = route[i - 1], b = route[i];
        const double length = Distance(a, b);
        grid.Visit(std::min(a.x, b.x) - maxDistance, std::min(a.y, b.y) - maxDistance,
                   std::max(a.x, b.x) + maxDistance, std::max(a.y, b.y) + maxDistance,
                   [&](std::size_t s) {
                       const RouteStop& stop = stops[s];
                       if (!stop.route.isEmpty() &&
                           stop.route.compare(routeName, Qt::CaseInsensitive) != 0)
                           return;
                       double along = 0.0;
                       const double d = DistanceToSegment(stop.at, a, b, &along);
                       if (d <= maxDistance && d < bestDistance[s]) {
                           bestDistance[s] = d;
                           position[s] = travelled + along * length;
                       }
                   });
        travelled += length;
    }
    std::vector<std::size_t> on;
    for (std::size_t s = 0; s < stops.size(); ++s)
        if (bestDistance[s] != kNone)
            on.push_back(s);
    std::stable_sort(on.begin(), on.end(),
                     [&](std::size_t p, std::size_t q) { return position[p] < position[q]; });
    std::vector<std::size_t> stations;
    for (std::size_t s : on) {
        const bool repeated = std::any_of(stations.begin(), stations.end(), [&](std::size_t t) {
            return stops[t].name == stops[s].name && position[s] - position[t] <= mergeDistance;
        });
        if (!repeated)
            stations.push_back(s);
    }
    return stations;
}
