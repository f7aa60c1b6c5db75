#include "street_graph.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <queue>
#include <unordered_map>
#include <utility>

namespace {

struct CellKey {
    long long x;
    long long y;
    friend bool operator==(const CellKey&, const CellKey&) = default;
};

struct CellHash {
    std::size_t operator()(const CellKey& k) const {
        return std::hash<long long>()(k.x * 73856093LL ^ k.y * 19349663LL);
    }
};

} // namespace

CStreetGraph::CStreetGraph(const std::vector<Polyline>& lines, double mergeDistance, double reach)
    : m_dReach(reach) {
    const double cell = mergeDistance > 0.0 ? mergeDistance : 1e-9;
    std::unordered_map<CellKey, std::vector<std::uint32_t>, CellHash> cells;
    auto cellOf = [&](double v) { return static_cast<long long>(std::floor(v / cell)); };
    // The vertex at p: one already there within the merge distance, or a new one.
    auto vertexAt = [&](PlanePoint p) {
        const long long cx = cellOf(p.x), cy = cellOf(p.y);
        for (long long dx = -1; dx <= 1; ++dx)
            for (long long dy = -1; dy <= 1; ++dy) {
                const auto it = cells.find({cx + dx, cy + dy});
                if (it == cells.end())
                    continue;
                for (std::uint32_t v : it->second)
                    if (Distance(m_points[v], p) <= mergeDistance)
                        return v;
            }
        const auto v = static_cast<std::uint32_t>(m_points.size());
        m_points.push_back(p);
        cells[{cx, cy}].push_back(v);
        return v;
    };

    std::vector<std::pair<std::uint32_t, std::uint32_t>> pairs;
    for (const Polyline& line : lines) {
        std::uint32_t last = 0;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (!std::isfinite(line[i].x) || !std::isfinite(line[i].y))
                continue;
            const std::uint32_t v = vertexAt(line[i]);
            if (i > 0 && v != last) {
                // Long edges get vertices along them, so that a point beside
                // the middle of a long straight street still finds one near.
                const PlanePoint a = m_points[last], b = m_points[v];
                const auto pieces =
                    reach > 0.0 ? static_cast<int>(std::ceil(Distance(a, b) / reach)) : 1;
                std::uint32_t previous = last;
                for (int k = 1; k < pieces; ++k) {
                    const double f = static_cast<double>(k) / pieces;
                    const auto middle = static_cast<std::uint32_t>(m_points.size());
                    m_points.push_back({a.x + f * (b.x - a.x), a.y + f * (b.y - a.y)});
                    pairs.emplace_back(previous, middle);
                    pairs.emplace_back(middle, previous);
                    previous = middle;
                }
                pairs.emplace_back(previous, v);
                pairs.emplace_back(v, previous);
            }
            last = v;
        }
    }
    std::sort(pairs.begin(), pairs.end());
    pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
    m_first.assign(m_points.size() + 1, 0);
    for (const auto& [a, b] : pairs)
        ++m_first[a + 1];
    for (std::size_t v = 0; v < m_points.size(); ++v)
        m_first[v + 1] += m_first[v];
    m_edges.reserve(pairs.size());
    for (const auto& [a, b] : pairs)
        m_edges.push_back({b, Distance(m_points[a], m_points[b])});
    m_grid = CPointGrid(m_points, std::max(reach, cell));
}

std::vector<std::pair<std::uint32_t, double>> CStreetGraph::Near(PlanePoint p) const {
    std::vector<std::pair<std::uint32_t, double>> near;
    m_grid.Visit(p.x - m_dReach, p.y - m_dReach, p.x + m_dReach, p.y + m_dReach,
                 [&](std::size_t v) {
                     const double d = Distance(m_points[v], p);
                     if (d <= m_dReach)
                         near.emplace_back(static_cast<std::uint32_t>(v), d);
                 });
    return near;
}

Polyline CStreetGraph::ShortestPath(PlanePoint from, PlanePoint to, double maxLength) const {
    const auto starts = Near(from);
    const auto ends = Near(to);
    if (starts.empty() || ends.empty())
        return {};
    std::unordered_map<std::uint32_t, double> leave; // the step from a last vertex to `to`
    for (const auto& [v, d] : ends)
        leave.emplace(v, d);

    // A* with `to` as one more vertex, reached from the vertices near it: the
    // straight distance to it never overestimates what is left and falls by no
    // more than the length of any edge, so the first time `to` comes out of
    // the queue its way is the shortest.
    constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
    const auto target = static_cast<std::uint32_t>(m_points.size());
    struct Seen {
        double cost;
        std::uint32_t previous;
        bool done;
    };
    std::unordered_map<std::uint32_t, Seen> seen;
    using Entry = std::pair<double, std::uint32_t>; // estimate of the whole way, vertex
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    auto reach = [&](std::uint32_t v, std::uint32_t previous, double cost) {
        auto [it, added] = seen.try_emplace(v, Seen{cost, previous, false});
        if (!added) {
            if (it->second.done || it->second.cost <= cost)
                return;
            it->second = {cost, previous, false};
        }
        open.emplace(cost + (v == target ? 0.0 : Distance(m_points[v], to)), v);
    };
    for (const auto& [v, d] : starts)
        reach(v, kNone, d);
    bool found = false;
    while (!open.empty()) {
        const auto [guess, v] = open.top();
        open.pop();
        if (guess > maxLength)
            break;
        Seen& here = seen.at(v);
        if (here.done)
            continue;
        here.done = true;
        if (v == target) {
            found = true;
            break;
        }
        const double cost = here.cost;
        if (const auto it = leave.find(v); it != leave.end())
            reach(target, v, cost + it->second);
        for (std::size_t e = m_first[v]; e < m_first[v + 1]; ++e)
            reach(m_edges[e].to, v, cost + m_edges[e].length);
    }
    if (!found)
        return {};
    Polyline path{to};
    for (std::uint32_t v = seen.at(target).previous; v != kNone; v = seen.at(v).previous)
        path.push_back(m_points[v]);
    path.push_back(from);
    std::reverse(path.begin(), path.end());
    path.erase(std::unique(path.begin(), path.end()), path.end());
    return path;
}
