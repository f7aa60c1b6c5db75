#include "bus_routes.h"

#include <algorithm>
#include <limits>

Polyline AssembleRoute(const std::vector<Polyline>& parts) {
    Polyline route;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        Polyline part = parts[k];
        if (part.empty())
            continue;
        if (route.empty()) {
            // The first part runs towards the second.
            if (k + 1 < parts.size() && !parts[k + 1].empty()) {
                const Polyline& after = parts[k + 1];
                const double fromEnd = std::min(Distance(part.back(), after.front()),
                                                Distance(part.back(), after.back()));
                const double fromStart = std::min(Distance(part.front(), after.front()),
                                                  Distance(part.front(), after.back()));
                if (fromStart < fromEnd)
                    std::reverse(part.begin(), part.end());
            }
        } else if (Distance(route.back(), part.back()) < Distance(route.back(), part.front())) {
            std::reverse(part.begin(), part.end());
        }
        const bool joins = !route.empty() && route.back() == part.front();
        route.insert(route.end(), part.begin() + (joins ? 1 : 0), part.end());
    }
    return route;
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
